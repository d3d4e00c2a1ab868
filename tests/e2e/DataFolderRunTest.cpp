// The built program started from an installed layout (prefix/bin and prefix/share/qingjian), as a
// user of the Debian package starts it: the notebook goes to the user's data folder, and the
// installed files are only read.

#include "ProgramRun.h"

#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <sqlite3.h>

namespace qj::test {
namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names and texts of the notes of "帮助", read with SQLite itself.
QStringList HelpNotes(const QString& dataFile) {
    QStringList notes;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(dataFile).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT Name, Info FROM \"帮助\" ORDER BY rowid", -1, &stmt, nullptr) ==
            SQLITE_OK)
            while (sqlite3_step(stmt) == SQLITE_ROW)
                notes << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))) +
                             QLatin1Char('|') +
                             QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return notes;
}

class InstalledRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid() && runtime.isValid());
        ASSERT_TRUE(QDir().mkpath(bin()) && QDir().mkpath(share()) && QDir().mkpath(home()));
        ASSERT_TRUE(
            QFile::copy(QString::fromUtf8(QJ_INSTALLED_TEMPLATE), share() + QStringLiteral("/dataly.dat")));
        ASSERT_TRUE(QFile::copy(TempProgramFolder::buildBinFolder() + QStringLiteral("/readme.txt"),
                                share() + QStringLiteral("/readme.txt")));
        program = InstallProgramCopy(bin());
        ASSERT_FALSE(program.isEmpty());
        templateBytes = Bytes(share() + QStringLiteral("/dataly.dat"));
        guide = QString::fromUtf8(Bytes(share() + QStringLiteral("/readme.txt")));
        ASSERT_FALSE(guide.isEmpty());
    }
    QString bin() const { return root.filePath(QStringLiteral("usr/bin")); }
    QString share() const { return root.filePath(QStringLiteral("usr/share/qingjian")); }
    QString home() const { return root.filePath(QStringLiteral("home")); }
    QProcessEnvironment environment() const {
        QProcessEnvironment env = ProgramEnvironment(runtime.path());
        env.insert(QStringLiteral("HOME"), home());
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        env.remove(QStringLiteral("QINGJIAN_DATA_DIR"));
        return env;
    }
    // Starts the program, waits for its window, ends it as the system would; checks the data
    // folder was made and given 帮助 with the guide, and the installed files left alone.
    void runAndExpectNotebookIn(const QString& folder, const QProcessEnvironment& env,
                                const QStringList& arguments = {}) {
        {
            ProgramRun run(program, env, arguments);
            ASSERT_TRUE(run.waitShown()) << run.errors().toStdString();
            run.end();
        }
        EXPECT_EQ(HelpNotes(folder + QStringLiteral("/dataly.dat")),
                  QStringList{QStringLiteral("帮助|") + guide});
        EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/Jotterly.ini"))); // CurTb of the first run
        EXPECT_EQ(Bytes(share() + QStringLiteral("/dataly.dat")), templateBytes);
        EXPECT_EQ(QDir(bin()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"qingjian"});
        EXPECT_EQ(QDir(share()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  (QStringList{"dataly.dat", "readme.txt"}));
    }

    QTemporaryDir root;
    QTemporaryDir runtime{QDir::tempPath() + QStringLiteral("/qj-runtime-XXXXXX")};
    QString program;
    QByteArray templateBytes;
    QString guide;
};

TEST_F(InstalledRun, TheFirstStartMakesTheUsersDataFolderWithTheGuide) {
    runAndExpectNotebookIn(home() + QStringLiteral("/.local/share/qingjian"), environment());
}

TEST_F(InstalledRun, XdgDataHomeTheEnvironmentAndTheOptionNameOtherFolders) {
    QProcessEnvironment xdg = environment();
    xdg.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("xdg")));
    runAndExpectNotebookIn(root.filePath(QStringLiteral("xdg/qingjian")), xdg);

    QProcessEnvironment named = environment();
    named.insert(QStringLiteral("QINGJIAN_DATA_DIR"), root.filePath(QStringLiteral("by-env")));
    runAndExpectNotebookIn(root.filePath(QStringLiteral("by-env")), named);

    runAndExpectNotebookIn(root.filePath(QStringLiteral("by-option")), named,
                           {QStringLiteral("--data-folder"), root.filePath(QStringLiteral("by-option"))});
    EXPECT_FALSE(QFileInfo::exists(home() + QStringLiteral("/.local")));
}

TEST_F(InstalledRun, HelpAndVersionNeedNoDisplayAndTouchNothing) {
    QProcessEnvironment bare = environment();
    bare.remove(QStringLiteral("QT_QPA_PLATFORM"));
    bare.remove(QStringLiteral("DISPLAY"));
    bare.remove(QStringLiteral("WAYLAND_DISPLAY"));
    ProgramRun help(program, bare, {QStringLiteral("--help")});
    ASSERT_TRUE(help.waitEnded(10000));
    EXPECT_EQ(help.exitCode(), 0) << help.errors().toStdString();
    const QString usage = QString::fromUtf8(help.output());
    EXPECT_TRUE(usage.startsWith(QStringLiteral("用法: qingjian"))) << usage.toStdString();
    EXPECT_TRUE(usage.contains(QStringLiteral("数据文件夹（安装）：") + home() +
                               QStringLiteral("/.local/share/qingjian\n")))
        << usage.toStdString();
    for (const char* option : {"--calendar", "--divination", "--search", "--alert"})
        EXPECT_TRUE(usage.contains(QString::fromLatin1(option))) << option;

    ProgramRun version(program, bare, {QStringLiteral("--version"), QStringLiteral("--data-folder=/x")});
    ASSERT_TRUE(version.waitEnded(10000));
    EXPECT_EQ(version.exitCode(), 0);
    EXPECT_EQ(version.output(), QByteArray("qingjian 1.2.12.41\n"));

    ProgramRun wrong(program, bare, {QStringLiteral("--nonsense")});
    ASSERT_TRUE(wrong.waitEnded(10000));
    EXPECT_EQ(wrong.exitCode(), 2);
    EXPECT_TRUE(wrong.output().isEmpty());
    EXPECT_TRUE(wrong.errors().contains("--nonsense"));
    EXPECT_FALSE(QFileInfo::exists(home() + QStringLiteral("/.local")));
}

} // namespace
} // namespace qj::test
