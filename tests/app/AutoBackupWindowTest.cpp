// The automatic backup in the main window: the day's checked copy at 退出系统 (again only after a
// change), a failure told once a day, and the newest checked copy offered in place of a data file
// that cannot be opened.

#include "MainWindowFixture.h"

#include "app/AutoBackup.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "store/CheckedBackup.h"
#include "store/Sqlite.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>

namespace qj::test {
namespace {

class AutoBackupWindow : public MainWindowTest {
protected:
    void SetUp() override {
        makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
                      {QStringLiteral("日记"), {{1, 0, QStringLiteral("一"), QStringLiteral("第一条")}}}});
        dir.writeIni(QStringLiteral("[Info]\r\nCurTb=日记\r\n"));
    }
    QString copyOf(QDate day) const { return dir.filePath(QStringLiteral("备份/") + DailyBackupName(day)); }
    static QString infoIn(const QString& file) {
        Database db(file, Database::Mode::ReadOnly);
        Statement st(db, QStringLiteral("SELECT Info FROM 日记 WHERE ID = 1"));
        return st.Step() ? st.Text(0) : QString();
    }
    void exitAndOpenAgain() {
        window->actExitExecute();
        window.reset();
        open();
    }
    const QDate today = QDate(2024, 2, 10); // the fake clock's day
};

TEST_F(AutoBackupWindow, ExitCopiesTheDayOnceAndAgainAfterASave) {
    open();
    exitAndOpenAgain();
    ASSERT_TRUE(QFile::exists(copyOf(today)));
    EXPECT_EQ(infoIn(copyOf(today)), QStringLiteral("第一条"));
    const QDateTime first = QFileInfo(copyOf(today)).lastModified();
    exitAndOpenAgain(); // nothing changed: the copy stays as it was
    EXPECT_EQ(QFileInfo(copyOf(today)).lastModified(), first);
    typeIntoEditor(QStringLiteral("新"));
    action("actSave")->trigger();
    window->actExitExecute();
    EXPECT_EQ(infoIn(copyOf(today)), QStringLiteral("新第一条\r\n"));
    EXPECT_TRUE(dialogs().calls().empty());
}

// A folder that cannot be made: told at the first exit of a day only; older copies stay.
TEST_F(AutoBackupWindow, AFailureIsToldOnceADay) {
    QFile blocker(dir.filePath(QStringLiteral("备份")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    open();
    dialogs().answerMessage(DialogButton::Ok);
    exitAndOpenAgain();
    ASSERT_EQ(dialogs().calls().size(), 1u);
    EXPECT_TRUE(
        dialogs().last().text.startsWith(QStringLiteral("今天的自动备份没有完成：不能建立备份文件夹")));
    exitAndOpenAgain(); // the same day: not again
    EXPECT_EQ(dialogs().calls().size(), 1u);
    fake->clock.set(today.addDays(1), QTime(9, 0));
    dialogs().answerMessage(DialogButton::Ok);
    window->actExitExecute();
    EXPECT_EQ(dialogs().calls().size(), 2u);
}

TEST_F(AutoBackupWindow, TheStartCopyWaitsItsTurnAndNotAfterExit) {
    open();
    AutoBackup* backup = window->autoBackup();
    ASSERT_NE(backup, nullptr);
    QSignalSpy copied(backup, &AutoBackup::copied);
    backup->startDaily(0);
    ASSERT_TRUE(copied.wait(10000));
    EXPECT_EQ(copied.takeFirst().at(0).value<DailyBackupResult>().outcome, DailyBackupResult::Outcome::Made);
    backup->finishAtExit();
    backup->startDaily(0);
    EXPECT_FALSE(copied.wait(300) && copied.size() > 1);
}

// A data file that cannot be opened, with a checked copy of the day before: opened in its place when
// the user agrees (the damaged file kept beside it), left as it is when not.
TEST_F(AutoBackupWindow, TheNewestCheckedCopyIsOfferedForADamagedDataFile) {
    for (const DialogButton answer : {DialogButton::No, DialogButton::Yes}) {
        SCOPED_TRACE(answer == DialogButton::Yes ? "yes" : "no");
        ASSERT_EQ(RunDailyBackup(dataPath(), today.addDays(-1)).outcome, DailyBackupResult::Outcome::Made);
        QFile damaged(dataPath());
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write(QByteArray(8192, 'z'));
        damaged.close();
        fake = std::make_unique<FakeServices>(dir.folder());
        dialogs().answerMessage(answer);
        if (answer == DialogButton::No)
            dialogs().answerMessage(DialogButton::Ok); // the file's problem, as without a copy
        open();
        EXPECT_TRUE(dialogs().calls()[0].text.contains(QStringLiteral("2024年2月9日 的已检查备份")));
        const QString aside = dir.filePath(QStringLiteral("dataly.damaged-20240210-083000.dat"));
        EXPECT_EQ(QFileInfo(aside).size(), answer == DialogButton::Yes ? 8192 : 0);
        EXPECT_EQ(window->notebook().hasCategory(), answer == DialogButton::Yes);
        if (answer == DialogButton::Yes) {
            EXPECT_EQ(infoIn(dataPath()), QStringLiteral("第一条"));
        }
        window.reset();
        QFile::remove(aside);
        QFile::remove(dataPath());
        QDir(dir.filePath(QStringLiteral("备份"))).removeRecursively();
        SetUp();
    }
}

} // namespace
} // namespace qj::test
