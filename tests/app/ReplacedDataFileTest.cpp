// A sync tool renames a new version of the data file over the one the program has open: the next
// save says so and offers to open the file on disk, keeping the typed text.

#include "MainWindowFixture.h"

#include "app/CategorySelector.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "store/DataFile.h"
#include "store/Sqlite.h"
#include "support/UiHelpers.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace qj::test {
namespace {

class ReplacedDataFileTest : public MainWindowTest {
protected:
    void SetUp() override {
        // "帮助" opens at start.
        makeDataFile({{QStringLiteral("帮助"),
                       {{0, 0, QStringLiteral("周一"), QStringLiteral("晴")},
                        {1, 0, QStringLiteral("周二"), QStringLiteral("雨")}}},
                      {QStringLiteral("日记"), {{0, 0, QStringLiteral("日记"), QStringLiteral("说明")}}}});
        open();
        window->show();
        ASSERT_EQ(window->notebook().categoryName(), QStringLiteral("帮助"));
        typeIntoEditor(QStringLiteral("多云，"));
    }

    // A copy of the data file as it is now, changed by `sql`, renamed over the open file.
    void replaceOnDisk(const char* sql) {
        const QString synced = dir.filePath(QStringLiteral("synced.dat"));
        ASSERT_TRUE(QFile::copy(dataPath(), synced));
        {
            Database db(synced, Database::Mode::OpenExisting);
            db.Exec(sql);
        }
        ASSERT_EQ(
            std::rename(QFile::encodeName(synced).constData(), QFile::encodeName(dataPath()).constData()), 0);
    }

    // "资料保存" after the file was replaced, answered `answer`; true once the question was asked.
    bool saveAnswering(DialogButton answer) {
        dialogs().clearCalls();
        dialogs().answerMessage(answer);
        if (!TriggerAction(window.get(), QStringLiteral("actSave")))
            return false;
        const auto asked = dialogs().callsOf(DialogKind::Message);
        return asked.size() == 1u && asked[0].text.contains(QStringLiteral("已被另一个文件替换")) &&
               asked[0].text.contains(QStringLiteral("要重新打开磁盘上现在的数据文件吗")) &&
               asked[0].buttons == std::vector{DialogButton::Yes, DialogButton::No} &&
               asked[0].defaultButton == DialogButton::Yes;
    }

    void expectTextKeptAndDirty() {
        EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("多云，晴"));
        EXPECT_TRUE(window->notebook().isDirty());
    }
};

TEST_F(ReplacedDataFileTest, YesOpensTheFileOnDiskAndTheNextSaveWritesTheTextIntoIt) {
    replaceOnDisk("CREATE TABLE \"同步\" (ID INTEGER, Parent INTEGER, Name TEXT, Info TEXT)");
    DataFile* opened = window->dataFile();
    ASSERT_TRUE(saveAnswering(DialogButton::Yes));
    ASSERT_TRUE(WaitUntil([&] { return window->dataFile() != opened; }));
    expectTextKeptAndDirty();
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("帮助"));
    EXPECT_EQ(window->notebook().selectedTitle(), QStringLiteral("周一"));
    EXPECT_TRUE(window->categorySelector()->names().contains(QStringLiteral("同步")));
    EXPECT_EQ(window->categorySelector()->currentText(), QStringLiteral("帮助"));

    dialogs().clearCalls();
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actSave")));
    EXPECT_TRUE(dialogs().calls().empty());
    EXPECT_FALSE(window->notebook().isDirty());
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QStringLiteral("多云，晴\r\n"));
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 1), QStringLiteral("雨"));
}

TEST_F(ReplacedDataFileTest, NoKeepsTheTextAndTheOldFileAndAsksAgainAtTheNextSave) {
    replaceOnDisk("UPDATE \"帮助\" SET Info = '新版' WHERE ID = 0");
    DataFile* opened = window->dataFile();
    ASSERT_TRUE(saveAnswering(DialogButton::No));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->dataFile(), opened);
    expectTextKeptAndDirty();
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QStringLiteral("新版"));
    EXPECT_TRUE(saveAnswering(DialogButton::No));
}

// The new version lacks the edited note: the save after opening it offers to file the text anew,
// never into another note.
TEST_F(ReplacedDataFileTest, ANoteTheNewFileLacksIsOfferedToBeFiledAnew) {
    replaceOnDisk("DELETE FROM \"帮助\" WHERE ID = 0");
    DataFile* opened = window->dataFile();
    ASSERT_TRUE(saveAnswering(DialogButton::Yes));
    ASSERT_TRUE(WaitUntil([&] { return window->dataFile() != opened; }));
    expectTextKeptAndDirty();

    dialogs().clearCalls();
    dialogs().answerMessage(DialogButton::Yes);
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actSave")));
    ASSERT_EQ(dialogs().calls().size(), 1u);
    EXPECT_TRUE(dialogs().calls()[0].text.contains(QStringLiteral("周一")));
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 1), QStringLiteral("雨"));
    EXPECT_EQ(storedRecordCount(QStringLiteral("帮助")), 2);
    EXPECT_FALSE(window->notebook().isDirty());
}

// Where the new version holds another note in the edited note's record (another ID, or the same
// ID under another title), that note is not taken for it: it is not selected, and the save offers
// to file the text anew and never writes into it.
class AnotherNoteInTheRecord : public ReplacedDataFileTest, public ::testing::WithParamInterface<int> {};

TEST_P(AnotherNoteInTheRecord, IsNotTakenForTheEditedOne) {
    const int id = GetParam();
    replaceOnDisk(
        id == 0
            ? "UPDATE \"帮助\" SET Name = '别的', Info = '别的文字' WHERE ID = 0"
            : "DELETE FROM \"帮助\" WHERE ID = 0;"
              "INSERT INTO \"帮助\" (rowid, ID, Parent, Name, Info) VALUES (1, 7, 0, '别的', '别的文字')");
    DataFile* opened = window->dataFile();
    ASSERT_TRUE(saveAnswering(DialogButton::Yes));
    ASSERT_TRUE(WaitUntil([&] { return window->dataFile() != opened; }));
    EXPECT_NE(window->notebook().selectedTitle(), QStringLiteral("别的"));
    dialogs().clearCalls();
    dialogs().answerMessage(DialogButton::No);
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actSave")));
    ASSERT_EQ(dialogs().calls().size(), 1u);
    EXPECT_TRUE(dialogs().calls()[0].text.contains(QStringLiteral("周一")));
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), id), QStringLiteral("别的文字"));
    expectTextKeptAndDirty();
}

INSTANTIATE_TEST_SUITE_P(ReplacedDataFile, AnotherNoteInTheRecord, ::testing::Values(7, 0));

// Any refused write of the notebook makes the same offer, not only the save.
TEST_F(ReplacedDataFileTest, AnAddedNoteRefusedByTheReplacedFileMakesTheSameOffer) {
    replaceOnDisk("UPDATE \"帮助\" SET Info = '新版' WHERE ID = 0");
    dialogs().clearCalls();
    dialogs().answerMessage(DialogButton::No);
    EXPECT_FALSE(window->notebook().addSiblingNamed(QStringLiteral("周三")));
    ASSERT_EQ(dialogs().calls().size(), 1u);
    EXPECT_TRUE(dialogs().calls()[0].text.contains(QStringLiteral("要重新打开磁盘上现在的数据文件吗")));
    EXPECT_EQ(storedRecordCount(QStringLiteral("帮助")), 2);
}

// The data file was moved away, not replaced: opening it again fails with the reason, and the
// program goes on with the file it has open and the text.
TEST_F(ReplacedDataFileTest, AFileMovedAwayCannotBeOpenedAgainAndNothingIsLost) {
    ASSERT_EQ(std::rename(QFile::encodeName(dataPath()).constData(),
                          QFile::encodeName(dir.filePath(QStringLiteral("moved.dat"))).constData()),
              0);
    ASSERT_TRUE(saveAnswering(DialogButton::Yes));
    DataFile* opened = window->dataFile();
    dialogs().answerMessage(DialogButton::Ok);
    ASSERT_TRUE(WaitUntil([&] { return dialogs().calls().size() == 2u; }));
    EXPECT_TRUE(dialogs().calls()[1].text.contains(QStringLiteral("找不到数据文件")))
        << dialogs().calls()[1].text.toStdString();
    EXPECT_EQ(window->dataFile(), opened);
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("帮助"));
    expectTextKeptAndDirty();
}

// The new version lacks the category shown: that is said, and the text stays in the editor.
TEST_F(ReplacedDataFileTest, ACategoryTheNewFileLacksIsReportedAndTheTextStays) {
    replaceOnDisk("DROP TABLE \"帮助\"");
    DataFile* opened = window->dataFile();
    ASSERT_TRUE(saveAnswering(DialogButton::Yes));
    dialogs().answerMessage(DialogButton::Ok);
    ASSERT_TRUE(WaitUntil([&] { return window->dataFile() != opened; }));
    EXPECT_FALSE(window->notebook().hasCategory());
    EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("多云，晴"));
    const auto errors = dialogs().callsOf(DialogKind::Message);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_TRUE(errors[1].text.contains(QStringLiteral("帮助"))) << errors[1].text.toStdString();
    EXPECT_FALSE(window->categorySelector()->names().contains(QStringLiteral("帮助")));
}

} // namespace
} // namespace qj::test
