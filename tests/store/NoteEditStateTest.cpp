#include "FaultInjection.h"
#include "StoreTestFolder.h"

#include "store/CurrentCategory.h"
#include "store/DefaultCategory.h"
#include "store/NoteEditState.h"

#include <cerrno>

using namespace qj;
using qj::test::StoreTest;

namespace {

class NoteEditStateTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_EQ(CreateCategory(*file, help), CreateCategoryResult::Created);
        ASSERT_EQ(CreateCategory(*file, diary), CreateCategoryResult::Created);
        cat = std::make_unique<CurrentCategory>(*file, help);
        note = cat->AddChild(cat->tree().Find(NoteId{0}), one);
    }
    QString help = QStringLiteral("帮助");
    QString diary = QStringLiteral("日记");
    QString one = QStringLiteral("一");
    std::unique_ptr<CurrentCategory> cat;
    NodeRef note = kNoNode;
};

} // namespace

TEST(NoteEditState, DirtyOnlyAfterTypingIntoAWritableEditor) {
    NoteEditState s;
    EXPECT_FALSE(s.IsDirty());
    s.Loaded(QStringLiteral("帮助"), {RecordId{3}, NoteId{3}}, QStringLiteral("三"));
    EXPECT_FALSE(s.IsDirty());
    s.Changed(/*readOnly=*/true);
    EXPECT_FALSE(s.IsDirty());
    s.Changed();
    EXPECT_TRUE(s.IsDirty());
    s.Loaded(QStringLiteral("帮助"), {RecordId{5}, NoteId{4}},
             QStringLiteral("四")); // the question was answered No: the new note is clean
    EXPECT_FALSE(s.IsDirty());
    EXPECT_EQ(s.edited(),
              (EditedNote{QStringLiteral("帮助"), {RecordId{5}, NoteId{4}}, QStringLiteral("四")}));
}

TEST(NoteEditState, StoredTextEndsEveryLineWithItsBreak) {
    const std::pair<QString, QString> cases[] = {
        {QString(), QString()},
        {QStringLiteral("一"), QStringLiteral("一\r\n")},
        {QStringLiteral("一\r\n二"), QStringLiteral("一\r\n二\r\n")},
        {QStringLiteral("一\r\n"), QStringLiteral("一\r\n")},
        {QStringLiteral("一\n"), QStringLiteral("一\n")},
        {QStringLiteral("一\r"), QStringLiteral("一\r")},
        {QStringLiteral("\r\n"), QStringLiteral("\r\n")},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(InfoOfEditorText(typed), stored) << typed.toStdString();
}

TEST_F(NoteEditStateTest, SaveWritesIntoTheEditedNoteWhateverIsCurrent) {
    NoteEditState s;
    s.Loaded(help, cat->tree().Record(note), one);
    s.Changed();
    // The user switched to another category, whose note 1 must not receive the text.
    CurrentCategory other(*file, diary);
    other.AddChild(other.tree().Find(NoteId{0}), QStringLiteral("日记一"));
    EXPECT_EQ(SaveNoteText(*file, s, QStringLiteral("帮助的文字")), SaveResult::Saved);
    EXPECT_FALSE(s.IsDirty());
    EXPECT_EQ(cat->Info(note), QStringLiteral("帮助的文字"));
    EXPECT_TRUE(other.Info(other.tree().Find(NoteId{1})).isNull());
    // Saving an unchanged text writes the same text again; an empty text is stored as NULL.
    EXPECT_EQ(SaveNoteText(*file, s, QString()), SaveResult::Saved);
    EXPECT_TRUE(cat->Info(note).isNull());
}

TEST_F(NoteEditStateTest, DeletedNoteNeverReceivesTheTextNorItsSuccessor) {
    NoteEditState s;
    s.Loaded(help, cat->tree().Record(note), one);
    s.Changed();
    s.Deleted(help, cat->Delete(note));
    // The next note takes the freed largest ID 1 again.
    const NodeRef successor = cat->AddChild(cat->tree().Find(NoteId{0}), QStringLiteral("新"));
    ASSERT_EQ(cat->tree().Key(successor), NoteId{1});
    EXPECT_EQ(SaveNoteText(*file, s, QStringLiteral("旧文字")), SaveResult::NoNote);
    EXPECT_TRUE(cat->Info(successor).isNull());
    EXPECT_FALSE(s.IsDirty()); // the changes went with the deleted note
}

TEST_F(NoteEditStateTest, NoteGoneBehindTheStatesBackIsNotRecreated) {
    NoteEditState s;
    s.Loaded(help, cat->tree().Record(note), one);
    s.Changed();
    const RecordRef record = cat->tree().Record(note);
    cat->table().Delete(std::span(&record, 1)); // removed elsewhere, the state not told
    // Nothing is written, and the text stays changed and tied to its note for the user to decide.
    EXPECT_EQ(SaveNoteText(*file, s, QStringLiteral("x")), SaveResult::Gone);
    EXPECT_FALSE(cat->table().Contains(NoteId{1}));
    EXPECT_TRUE(s.IsDirty());
    EXPECT_EQ(s.edited(), (EditedNote{help, record, one}));

    CategoryTable diaryTable(*file, diary);
    s.Loaded(diary, diaryTable.LoadHeaders()[0].record(), diary);
    s.Changed();
    file->DropCategory(diary);
    EXPECT_EQ(SaveNoteText(*file, s, QStringLiteral("x")), SaveResult::Gone);
    EXPECT_TRUE(s.IsDirty());
    EXPECT_EQ(CreateCategory(*file, diary), CreateCategoryResult::Created);
    CategoryTable again(*file, diary);
    EXPECT_TRUE(again.ReadInfo(again.LoadHeaders()[0].record()).isNull());
}

TEST_F(NoteEditStateTest, FailedWriteKeepsTheTextDirty) {
    NoteEditState s;
    s.Loaded(help, cat->tree().Record(note), one);
    s.Changed();
    qj_fault_arm("write", "dataly.dat", EIO, 0); // the disk fails
    EXPECT_THROW(SaveNoteText(*file, s, QStringLiteral("x")), StoreError);
    qj_fault_disarm();
    EXPECT_TRUE(s.IsDirty());
    EXPECT_EQ(s.edited(), (EditedNote{help, cat->tree().Record(note), one}));
}

TEST_F(NoteEditStateTest, AnotherNoteAtTheSameRecordAndIdIsNeverWritten) {
    // A file renamed over the data file holds another note with the same record number and ID; only
    // its title tells it apart. A rename by the program keeps the edited note the same note.
    NoteEditState s;
    s.Loaded(help, cat->tree().Record(note), one);
    s.Changed();
    const RecordRef record = cat->tree().Record(note);
    cat->table().Rename(record, QStringLiteral("别人的笔记")); // as the other file holds it
    cat->table().WriteInfo(record, QStringLiteral("别人的文字"));
    EXPECT_EQ(SaveNoteText(*file, s, QStringLiteral("我的文字")), SaveResult::Gone);
    EXPECT_EQ(cat->table().ReadInfo(record), QStringLiteral("别人的文字"));
    EXPECT_TRUE(s.IsDirty());

    s.Renamed(QStringLiteral("别人的笔记"));
    EXPECT_EQ(SaveNoteText(*file, s, QStringLiteral("我的文字")), SaveResult::Saved);
    EXPECT_EQ(cat->table().ReadInfo(record), QStringLiteral("我的文字"));
}
