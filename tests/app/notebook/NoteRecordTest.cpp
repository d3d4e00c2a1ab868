// Every command reaches the record the user acted on, whatever IDs the file holds, and no text is
// dropped without the user knowing: files edited by other tools (repeated, non-integer and 64-bit
// IDs) and records that vanish behind the program's back.

#include "NotebookFixture.h"

#include "app/notebook/NotebookTexts.h"
#include "store/Sqlite.h"

#include <QTest>

namespace qj::test {
namespace {

using Rows = std::vector<NoteRow>;

// The stored (ID, Name, Info) of every record, in stored order, IDs as the file holds them.
std::vector<std::string> Stored(DataFile& file, const QString& table) {
    Statement st(
        file.db(),
        QStringLiteral("SELECT quote(ID), Name, Info FROM %1 ORDER BY rowid").arg(QuoteIdentifier(table)));
    std::vector<std::string> out;
    while (st.Step())
        out.push_back(
            (st.Text(0) + QLatin1Char(':') + st.Text(1) + QLatin1Char('=') + st.Text(2)).toStdString());
    return out;
}

TEST_F(NotebookTest, RepeatedIdsAreNotesOfTheirOwnForEveryCommand) {
    openRaw(QStringLiteral("(5, 5, '先', '先的内容'), (5, 5, '后', '后的内容'), (9, 9, '靶', NULL)"));
    pressTitled(QStringLiteral("后"));
    EXPECT_EQ(editor->text(), QStringLiteral("后的内容"));
    type(QStringLiteral("，改"));
    notebook->save();

    dialogs.answerInput(QStringLiteral("后改名"));
    notebook->rename();
    EXPECT_EQ(Stored(*file, kCategory),
              (std::vector<std::string>{"5:先=先的内容", "5:后改名=后的内容，改\r\n", "9:靶="}));
    // Renamed by the program, it is still the edited note: the next save writes into it unasked.
    type(QStringLiteral("再"));
    const size_t asked = dialogs.calls().size();
    notebook->save();
    EXPECT_EQ(dialogs.calls().size(), asked);
    EXPECT_EQ(Stored(*file, kCategory)[1], "5:后改名=后的内容，改再\r\n");

    // A copy of 后 onto 靶 takes 后's title and text.
    EXPECT_TRUE(tree->dropAt(itemTitled(QStringLiteral("后改名")), tree->visualItemRect(item(9)).center(),
                             Qt::ControlModifier));
    EXPECT_EQ(Stored(*file, kCategory).back(), "10:后改名=后的内容，改再\r\n");

    // Deleting 后 deletes its own record; 先 stays, in the table and in the tree.
    tree->setCurrentItem(itemTitled(QStringLiteral("后改名")));
    dialogs.answerMessage(DialogButton::Yes);
    notebook->deleteSelected();
    EXPECT_EQ(Stored(*file, kCategory),
              (std::vector<std::string>{"5:先=先的内容", "9:靶=", "10:后改名=后的内容，改再\r\n"}));
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("先"));
}

TEST_F(NotebookTest, OnlyIntegerIdsAreNotesAnd64BitOnesAreShownButNotExtended) {
    openRaw(QStringLiteral("(0, 0, '零', '零的内容'), ('abc', 0, '文字号', 'x'), (2.5, 0, '小数号', 'y'), "
                           "(7, 'abc', '文字父', '七'), (1099511627776, 1099511627776, '大号', '大的内容')"));
    QStringList shown;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        shown << tree->topLevelItem(i)->text(0);
    EXPECT_EQ(shown, (QStringList{"零", "文字父", "大号"})) << "a non-integer Parent makes a root";
    EXPECT_EQ(item(0)->childCount(), 0);

    pressTitled(QStringLiteral("大号"));
    EXPECT_EQ(editor->text(), QStringLiteral("大的内容"));
    EXPECT_EQ(notebook->selectedId(), NoteId{1099511627776});
    type(QStringLiteral("！"));
    notebook->save();
    EXPECT_EQ(Stored(*file, kCategory).back(), "1099511627776:大号=大的内容！\r\n");
    // No new ID past the 32-bit limit: the add is refused and nothing is stored.
    dialogs.answerInput(QStringLiteral("新"));
    dialogs.answerMessage(DialogButton::Ok);
    notebook->addChild();
    EXPECT_TRUE(dialogs.last().text.contains(QStringLiteral("节点编号已达到上限")))
        << dialogs.last().text.toStdString();
    EXPECT_EQ(Stored(*file, kCategory).back(), "1099511627776:大号=大的内容！\r\n");
    EXPECT_EQ(Stored(*file, kCategory)[1], "'abc':文字号=x") << "records without a node are left alone";
}

// Another program deletes the shown note's record while the user types.
class GoneNoteTest : public NotebookTest {
protected:
    void SetUp() override {
        NotebookTest::SetUp();
        open({{0, 0, QStringLiteral("一"), QStringLiteral("第一条")},
              {1, 1, QStringLiteral("二"), QStringLiteral("第二条")}});
        press(1);
        type(QStringLiteral("，新写的"));
        file->db().Exec(QStringLiteral("DELETE FROM %1 WHERE ID = 1").arg(QuoteIdentifier(kCategory)));
    }
    void expectStillChanged() {
        EXPECT_TRUE(notebook->isDirty());
        EXPECT_TRUE(saveAction.isEnabled());
        EXPECT_FALSE(editor->isReadOnly());
        EXPECT_EQ(titleBar->textColour(), QColor(255, 0, 0));
        EXPECT_EQ(editor->text(), QStringLiteral("第二条，新写的"));
    }
};

TEST_F(GoneNoteTest, SaveSaysSoKeepsTheTextAndOffersANewNote) {
    dialogs.answerMessage(DialogButton::No);
    notebook->save();
    const DialogCall asked = dialogs.last();
    EXPECT_EQ(asked.text, GoneNoteQuestion(QStringLiteral("二")));
    EXPECT_EQ(asked.buttons, (std::vector{DialogButton::Yes, DialogButton::No}));
    expectStillChanged();
    EXPECT_EQ(item(1), nullptr) << "the tree shows what the table holds";

    // Pressing another note asks the save question; Yes meets the same offer, No there keeps all.
    dialogs.answerMessage(DialogButton::Yes);
    dialogs.answerMessage(DialogButton::No);
    press(0);
    expectStillChanged();

    dialogs.answerMessage(DialogButton::Yes);
    notebook->save();
    EXPECT_EQ(rows().back(), (NoteRow{1, 1, QStringLiteral("二"), QStringLiteral("第二条，新写的\r\n")}));
    EXPECT_FALSE(notebook->isDirty());
    EXPECT_EQ(notebook->selectedId(), NoteId{1});
    type(QStringLiteral("再"));
    notebook->save();
    EXPECT_EQ(rows().back().info, QStringLiteral("第二条，新写的再\r\n")) << "the new note is the edited one";
}

TEST_F(GoneNoteTest, RenameOrMoveOfAGoneRecordIsReportedNotPretended) {
    dialogs.answerMessage(DialogButton::Ok); // the error box
    notebook->dropNote(NoteId{1}, NoteId{0}, false);
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Error);
    EXPECT_EQ(item(1), nullptr) << "the tree shows what the table holds";

    file->db().Exec(QStringLiteral("UPDATE %1 SET ID = 3 WHERE ID = 0").arg(QuoteIdentifier(kCategory)));
    tree->setCurrentItem(item(0));
    dialogs.answerInput(QStringLiteral("新名"));
    dialogs.answerMessage(DialogButton::Ok);
    notebook->rename();
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Error);
    EXPECT_EQ(rows(), (Rows{{3, 0, QStringLiteral("一"), QStringLiteral("第一条")}}));
}

TEST_F(NotebookTest, DeletingTheShownChangedNoteAsksNothingOnEitherPath) {
    const Rows notes = {{0, 0, QStringLiteral("一"), QStringLiteral("第一条")},
                        {1, 0, QStringLiteral("二"), QStringLiteral("第二条")},
                        {2, 0, QStringLiteral("三"), QStringLiteral("第三条")}};
    for (bool deleteKey : {false, true}) {
        open(notes);
        press(1);
        type(QStringLiteral("改动"));
        dialogs.clearCalls();
        dialogs.answerMessage(deleteKey ? DialogButton::Ok : DialogButton::Yes);
        if (deleteKey) {
            tree->setFocus();
            QTest::keyClick(tree, Qt::Key_Delete);
        } else {
            notebook->deleteSelected();
        }
        EXPECT_EQ(dialogs.calls().size(), 1u) << "only the delete confirmation, path " << deleteKey;
        EXPECT_FALSE(notebook->isDirty()) << deleteKey;
        EXPECT_EQ(editor->text(), QStringLiteral("第三条"))
            << "the selected note is shown, path " << deleteKey;
        EXPECT_EQ(rows().size(), 2u);
        file->DropCategory(kCategory);
    }
}

} // namespace
} // namespace qj::test

namespace qj::test {
namespace {

TEST_F(NotebookTest, AfterADropTheTreeIsWhatAFreshBuildGives) {
    // CycA3 and CycB4 name each other: the loop is broken at CycA3, a root. Once CycB4 is dropped
    // elsewhere, CycA3's Parent names a note outside its branch, and it goes there.
    open({{3, 4, QStringLiteral("CycA3"), QString()},
          {4, 3, QStringLiteral("CycB4"), QString()},
          {5, 5, QStringLiteral("X"), QString()}});
    ASSERT_EQ(item(3)->parent(), nullptr);
    ASSERT_TRUE(notebook->dropNote(NoteId{4}, NoteId{5}, false));
    EXPECT_EQ(item(4)->parent(), item(5));
    EXPECT_EQ(item(3)->parent(), item(4));
    EXPECT_EQ(notebook->selectedId(), NoteId{4});
    EXPECT_EQ(tree->topLevelItemCount(), 1);
}

} // namespace
} // namespace qj::test
