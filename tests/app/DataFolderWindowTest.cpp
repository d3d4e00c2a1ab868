// The main window on a data folder apart from the installed files, as an installed copy runs: the
// guide comes from the installed files, the about window names the data folder, and a settings
// file that cannot be written at exit is reported.

#include "MainWindowFixture.h"

#include "app/About.h"
#include "app/ProgramWindows.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "shell/AppTitle.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace qj::test {
namespace {

class DataFolderWindow : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(files.isValid());
        ASSERT_TRUE(dir.copyDataFile());
    }
    // The window on the fixture's folder as the data folder, with `files` as the installed files.
    TFmain& openWithInstalledFiles() {
        fake = std::make_unique<FakeServices>(ProgramFolder(dir.path(), files.path()));
        return open();
    }
    QString guideText() const {
        QFile guide(TempProgramFolder::buildBinFolder() + QStringLiteral("/readme.txt"));
        return guide.open(QIODevice::ReadOnly) ? QString::fromUtf8(guide.readAll()) : QString();
    }
    QTemporaryDir files;
};

TEST_F(DataFolderWindow, TheFirstRunFilesTheInstalledGuideWhenTheDataFolderHasNone) {
    ASSERT_TRUE(QFile::copy(TempProgramFolder::buildBinFolder() + QStringLiteral("/readme.txt"),
                            files.filePath(QStringLiteral("readme.txt"))));
    openWithInstalledFiles();
    const QString guide = guideText();
    ASSERT_FALSE(guide.isEmpty());
    // The editor keeps the text with its own line breaks; the stored record is what counts.
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), std::optional<QString>(guide));
    EXPECT_FALSE(dir.exists(QStringLiteral("readme.txt"))); // read where it lies, not copied
}

TEST_F(DataFolderWindow, AGuideInTheDataFolderWinsOverTheInstalledOne) {
    QFile shipped(files.filePath(QStringLiteral("readme.txt")));
    ASSERT_TRUE(shipped.open(QIODevice::WriteOnly));
    shipped.write("installed guide");
    shipped.close();
    ASSERT_TRUE(dir.writeFile(QStringLiteral("readme.txt"), "the user's own guide\n"));
    openWithInstalledFiles();
    // Notes keep CR LF line ends, so the guide's LF comes back as CR LF.
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0),
              std::optional<QString>(QStringLiteral("the user's own guide\r\n")));
}

TEST_F(DataFolderWindow, TheAboutWindowNamesTheDataFolder) {
    TFmain& main = openWithInstalledFiles();
    ProgramWindows windows(main, fake->services());
    const auto* line = windows.about().findChild<QLabel*>(QStringLiteral("lblDataFolder"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), QStringLiteral("数据文件夹：") + QDir::toNativeSeparators(dir.path()));
}

TEST_F(DataFolderWindow, ExitTellsWhenTheSettingsCannotBeWrittenAndStillEnds) {
    TFmain& main = open();
    // A folder where the settings file should be: no write can succeed, also for root.
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("Jotterly.ini"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Jotterly.ini")));
    bool ended = false;
    QObject::connect(&main, &TFmain::ending, [&ended] { ended = true; });
    const size_t before = dialogs().calls().size();
    dialogs().answerMessage(DialogButton::Ok);
    main.actExitExecute();
    EXPECT_TRUE(ended);
    ASSERT_EQ(dialogs().calls().size(), before + 1);
    const DialogCall& call = dialogs().calls().back();
    EXPECT_EQ(call.icon, MessageIcon::Error);
    EXPECT_EQ(call.text, QStringLiteral("设置文件 %1 不能写入，这次的显示设置没有保存。")
                             .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("Jotterly.ini")))));
}

TEST_F(DataFolderWindow, ExitWithAWritableSettingsFileSaysNothing) {
    TFmain& main = open();
    const size_t before = dialogs().calls().size();
    main.actExitExecute();
    EXPECT_EQ(dialogs().calls().size(), before);
    EXPECT_EQ(iniValue(QStringLiteral("Settings"), QStringLiteral("ToolBar")), QStringLiteral("1"));
}

// The desktop entry and the program agree: its file name is the id the program gives the desktop,
// its window class is the program's, and each action passes an option the program takes, under
// the caption the program's help shows for it.
TEST(DesktopEntry, AgreesWithTheProgram) {
    const QString path = QStringLiteral(QJ_SOURCE_DIR "/resources/desktop/") +
                         QString::fromLatin1(kDesktopId) + QStringLiteral(".desktop");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QMap<QString, QMap<QString, QString>> groups;
    QString group;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')))
            group = line.mid(1, line.size() - 2);
        else if (const qsizetype eq = line.indexOf(QLatin1Char('=')); eq > 0)
            groups[group][line.left(eq)] = line.mid(eq + 1);
    }
    const QMap<QString, QString> entry = groups.value(QStringLiteral("Desktop Entry"));
    EXPECT_EQ(entry.value(QStringLiteral("Icon")), QString::fromLatin1(kDesktopId));
    EXPECT_EQ(entry.value(QStringLiteral("StartupWMClass")), QString::fromLatin1(kAppName));
    EXPECT_EQ(entry.value(QStringLiteral("Exec")), QString::fromLatin1(kAppName));
    EXPECT_EQ(entry.value(QStringLiteral("Name")), QString::fromUtf8(kAppTitle));
    EXPECT_EQ(entry.value(QStringLiteral("Name[zh_CN]")), QString::fromUtf8(kAppTitle));

    const QStringList actions =
        entry.value(QStringLiteral("Actions")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const auto help = ProgramWindows::launchHelp();
    ASSERT_EQ(actions.size(), help.size());
    for (const auto& [option, caption] : help) {
        SCOPED_TRACE(option.toStdString());
        const QString exec = QString::fromLatin1(kAppName) + QLatin1Char(' ') + option;
        const auto action = std::find_if(actions.begin(), actions.end(), [&](const QString& a) {
            return groups.value(QStringLiteral("Desktop Action ") + a).value(QStringLiteral("Exec")) == exec;
        });
        ASSERT_NE(action, actions.end());
        EXPECT_EQ(groups.value(QStringLiteral("Desktop Action ") + *action).value(QStringLiteral("Name")),
                  caption);
    }
}

} // namespace
} // namespace qj::test
