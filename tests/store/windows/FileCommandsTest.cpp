// Backup, import, export and dropped files, as the main window runs them.

#include "MainWindowFixture.h"

#include "app/FileCommands.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/Notebook.h"
#include "support/UiHelpers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>

namespace qj::test {
namespace {

class FileCommandsTest : public MainWindowTest {
protected:
    void SetUp() override {
        makeDataFile({{QStringLiteral("帮助"),
                       {{0, 0, QStringLiteral("帮助"), QStringLiteral("第一行\r\n第二行\r\n")},
                        {1, 0, QStringLiteral("二"), QStringLiteral("x")}}}});
        open();
        fake->clock.set(QDate(2024, 3, 5), QTime(10, 0));
    }
    FileCommands& commands() { return window->fileCommands(); }
    QString file(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) { ASSERT_TRUE(dir.writeFile(name, bytes)); }
    // The notebook still reads and writes its data file.
    void expectNotebookWorks() {
        typeIntoEditor(QStringLiteral("后来"));
        ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actSave")));
        EXPECT_TRUE(storedInfo(QStringLiteral("帮助"), 0)->startsWith(QStringLiteral("后来")));
    }
};

TEST_F(FileCommandsTest, BackupsOfOneDayGoToNumberedFoldersAndAreByteCopies) {
    // The data file as it is while the confirmation is asked (closed, complete on disk).
    QByteArray atBackup;
    dialogs().onEachCall([&](const DialogCall& call) {
        if (call.caption == QStringLiteral("Confirm"))
            atBackup = dir.readFile(QStringLiteral("dataly.dat"));
    });
    for (const char* folder : {"2024-3-5", "2024-3-51"}) {
        dialogs().clearCalls();
        dialogs().answerMessage(DialogButton::Yes);
        dialogs().answerMessage(DialogButton::Ok);
        ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actBackup")));
        const QString target = QDir::toNativeSeparators(dir.path() + QString::fromLatin1(folder));
        ASSERT_EQ(dialogs().calls().size(), 2u);
        EXPECT_EQ(dialogs().calls()[0].caption, QStringLiteral("Confirm"));
        EXPECT_EQ(dialogs().calls()[0].text,
                  QStringLiteral("确认数据将备份到以下目录: \r\r\n") + target + QStringLiteral(" ?"));
        EXPECT_EQ(dialogs().calls()[1].text,
                  QStringLiteral("数据已经分别备份在以下目录中! \r\r\n1. ") + target +
                      QStringLiteral("\r\n\r\r\n若以后需要恢复数据，可以从上面的目录中恢复！"));
        ASSERT_FALSE(atBackup.isEmpty());
        EXPECT_EQ(dir.readFile(QString::fromLatin1(folder) + QStringLiteral("/dataly.dat")), atBackup);
    }
    expectNotebookWorks();
}

TEST_F(FileCommandsTest, BackupAnsweredNoMakesNoFolder) {
    dialogs().answerMessage(DialogButton::No);
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actBackup")));
    EXPECT_FALSE(dir.exists(QStringLiteral("2024-3-5")));
    expectNotebookWorks();
}

TEST_F(FileCommandsTest, BackupFailingHalfWaySaysSoAndLeavesNoPartialCopy) {
    dialogs().answerMessage(DialogButton::Yes);
    dialogs().answerMessage(DialogButton::Ok); // the error
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    // Once the file is closed for the copy, files may not grow beyond 4 KB, less than the data
    // file: the copy fails half-way as on a full disk.
    dialogs().onEachCall([&](const DialogCall& call) {
        if (call.caption == QStringLiteral("Confirm")) {
            rlimit small = old;
            small.rlim_cur = 4096;
            setrlimit(RLIMIT_FSIZE, &small);
        } else {
            setrlimit(RLIMIT_FSIZE, &old);
        }
    });
    TriggerAction(window.get(), QStringLiteral("actBackup"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    ASSERT_EQ(dialogs().calls().size(), 2u);
    EXPECT_EQ(dialogs().calls()[1].icon, MessageIcon::Error);
    EXPECT_TRUE(dialogs().calls()[1].text.contains(QStringLiteral("不完整的备份文件已删除")));
    EXPECT_FALSE(dir.exists(QStringLiteral("2024-3-5"))) << "the dated folder of the failed copy stays";
    expectNotebookWorks();
}

TEST_F(FileCommandsTest, ImportReplacesTheTextAndClearsTheTitleBar) {
    struct Case {
        const char* what;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"three empty lines at the end", "one\r\ntwo\r\n\r\n\r\n\r\n", QStringLiteral("one\r\ntwo\r\n")},
        {"a UTF-8 file", "中文\n", QStringLiteral("中文\r\n")},
        {"a UTF-8 file with BOM", "\xEF\xBB\xBF\xE4\xB8\xAD\r\n", QStringLiteral("中\r\n")},
        {"a GBK file", "\xD6\xD0\xCE\xC4", QStringLiteral("中文\r\n")},
        {"the GBK file 学习", "\xD1\xA7\xCF\xB0\r\n", QStringLiteral("学习\r\n")},
    };
    for (const Case& c : cases) {
        write(QStringLiteral("in.txt"), c.bytes);
        window->notebook().titleBar()->setTitle(QStringLiteral("标题"));
        dialogs().clearCalls();
        dialogs().answerOpenFile(file(QStringLiteral("in.txt")));
        ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actInputFiles")));
        EXPECT_EQ(window->notebook().editor()->text(), c.text) << c.what;
        EXPECT_TRUE(window->notebook().titleBar()->text().isEmpty()) << c.what;
        EXPECT_TRUE(window->notebook().isDirty()) << c.what;
    }
    EXPECT_EQ(dialogs().calls()[0].file.filter, QStringLiteral("*.TXT (*.txt);;*.* (*)"));

    // A file that cannot be read says so and changes nothing.
    const QString before = window->notebook().editor()->text();
    dialogs().answerOpenFile(file(QStringLiteral("missing.txt")));
    dialogs().answerMessage(DialogButton::Ok);
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actInputFiles")));
    EXPECT_EQ(dialogs().last().icon, MessageIcon::Error);
    EXPECT_EQ(window->notebook().editor()->text(), before);
}

// A line the editor cannot lay out quickly is broken into rows only when the user agrees; a line of
// exactly the limit is read without a question.
TEST_F(FileCommandsTest, ImportOffersToBreakALineTooLongForTheEditor) {
    const QString limit(kLongestQuickLine, QLatin1Char('a'));
    const struct {
        QString line;
        std::optional<DialogButton> answer; // nothing: no question
        QString text;
    } cases[] = {
        {limit, std::nullopt, limit + QStringLiteral("\r\n")},
        {limit + QStringLiteral("bc"), DialogButton::Yes, limit + QStringLiteral("\r\nbc\r\n")},
        {limit + QStringLiteral("bc"), DialogButton::No, limit + QStringLiteral("bc\r\n")},
    };
    for (const auto& c : cases) {
        write(QStringLiteral("long.txt"), c.line.toUtf8());
        dialogs().clearCalls();
        dialogs().answerOpenFile(file(QStringLiteral("long.txt")));
        if (c.answer)
            dialogs().answerMessage(*c.answer);
        ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actInputFiles")));
        EXPECT_EQ(window->notebook().editor()->text(), c.text);
        ASSERT_EQ(dialogs().calls().size(), c.answer ? 2u : 1u);
        if (c.answer) {
            EXPECT_EQ(dialogs().last().caption, QStringLiteral("导入文件"));
            EXPECT_TRUE(
                dialogs().last().text.contains(QStringLiteral("长达 %1 个字符").arg(kLongestQuickLine + 2)));
            EXPECT_EQ(dialogs().last().defaultButton, DialogButton::Yes);
        }
    }
    // A dropped file is offered the same.
    write(QStringLiteral("long.txt"), (limit + QStringLiteral("bc")).toUtf8());
    dialogs().answerMessage(DialogButton::Yes);
    commands().dropFiles({file(QStringLiteral("long.txt"))});
    EXPECT_TRUE(window->notebook().editor()->text().contains(limit + QStringLiteral("\r\nbc\r\n")));
}

TEST_F(FileCommandsTest, ExportsWriteTextAndHtmlFiles) {
    write(QStringLiteral("lf.txt"), "a\nb\n");
    dialogs().answerOpenFile(file(QStringLiteral("lf.txt")));
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actInputFiles")));
    // The last file loaded broke its lines with LF: the export does too.
    dialogs().answerSaveFile(file(QStringLiteral("out.txt")));
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actOutputFilesTxt")));
    EXPECT_EQ(dir.readFile(QStringLiteral("out.txt")), QByteArray("a\nb"));
    EXPECT_EQ(dialogs().last().file.defaultSuffix, QStringLiteral("txt"));

    window->notebook().replaceText(QStringLiteral("<中>\r\n"));
    dialogs().answerSaveFile(file(QStringLiteral("page")));
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actOutputFilesHtml")));
    const QByteArray html = dir.readFile(QStringLiteral("page.html"));
    EXPECT_TRUE(html.startsWith("<pre>\r\n<code><span style=\"font: 10pt Courier New;\">"))
        << html.constData();
    EXPECT_TRUE(html.contains("&lt;&#20013;&gt;")) << html.constData();
    EXPECT_TRUE(html.endsWith("</span>\r\n</code></pre>\r\n")) << html.constData();
}

TEST_F(FileCommandsTest, DroppedFilesAreAppendedAndTheClipboardEmptied) {
    write(QStringLiteral("a.txt"), "A1\r\nA2\r\n\r\n");
    write(QStringLiteral("b.txt"), "B\n");
    const QString a = QDir::toNativeSeparators(file(QStringLiteral("a.txt")));
    const QString b = QDir::toNativeSeparators(file(QStringLiteral("b.txt")));
    window->notebook().editor()->setReadOnly(true);
    QApplication::clipboard()->setText(QStringLiteral("before"));

    commands().dropFiles({file(QStringLiteral("a.txt"))});
    EXPECT_EQ(window->notebook().editor()->text(),
              QStringLiteral("\r\n第一行\r\n第二行\r\n") + a + QStringLiteral("\r\n \r\nA1\r\nA2\r\n \r\n"));
    EXPECT_FALSE(window->notebook().editor()->isReadOnly());
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());

    window->notebook().replaceText(QStringLiteral("X"));
    commands().dropFiles({file(QStringLiteral("a.txt")), file(QStringLiteral("b.txt"))});
    EXPECT_EQ(window->notebook().editor()->text(),
              QStringLiteral("\r\nX\r\n-------- 1 -------\r\n") + a +
                  QStringLiteral("\r\n \r\n\r\nA1\r\nA2\r\n \r\n-------- 2 -------\r\n") + b +
                  QStringLiteral("\r\n \r\nB\r\n \r\n"));
    EXPECT_EQ(commands().lineBreak(), LineBreak::Lf);
}

TEST_F(FileCommandsTest, NoteCommandsFollowTheOpenCategory) {
    for (const char* name :
         {"actInputFiles", "actOutputFilesTxt", "actAddSibling", "actAddChild", "actDelete"})
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    window->EnableNoteCommands(false);
    for (const char* name :
         {"actInputFiles", "actOutputFilesTxt", "actAddSibling", "actAddChild", "actDelete"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    EXPECT_TRUE(action("actOutputFilesHtml")->isEnabled());
}

} // namespace
} // namespace qj::test
