// The note text: loading by pressing a note, the changed state, the save question, the save
// command and the read-only switch.

#include "NotebookFixture.h"

#include "support/UiHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QTest>

namespace qj::test {
namespace {

using Rows = std::vector<NoteRow>;

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

// 0 一 ─── 1 二
// 2 三 (empty text)
const Rows kNotes = {
    {0, 0, QStringLiteral("一"), QStringLiteral("第一条")},
    {1, 0, QStringLiteral("二"), QStringLiteral("第二条")},
    {2, 2, QStringLiteral("三"), QString()},
};

void expectSaveQuestion(const DialogCall& call) {
    EXPECT_EQ(call.caption, QStringLiteral("提示"));
    EXPECT_EQ(call.text, QStringLiteral("文本内容已改变，需要保存吗？"));
    EXPECT_EQ(call.icon, MessageIcon::Question);
    EXPECT_EQ(call.buttons, (std::vector{DialogButton::Yes, DialogButton::No}));
    EXPECT_EQ(call.defaultButton, DialogButton::Yes);
}

TEST_F(NotebookTest, PressingANoteShowsItsTitleAndTextClean) {
    open(kNotes);
    for (int id : {1, 2, 0}) {
        press(id);
        const NoteRow stored = *row(id);
        EXPECT_EQ(titleBar->text(), QStringLiteral("                 【%1】").arg(stored.name));
        EXPECT_EQ(editor->text(), stored.info);
        EXPECT_FALSE(notebook->isDirty());
        EXPECT_EQ(titleBar->textColour(), kBlue);
    }
    EXPECT_TRUE(dialogs.calls().empty()) << "loading never asks";
}

TEST_F(NotebookTest, TypingMakesTheTextDirtyAndSavingWritesIt) {
    open(kNotes);
    press(1);
    std::vector<bool> dirtySignals;
    QObject::connect(notebook.get(), &Notebook::dirtyChanged, [&](bool d) { dirtySignals.push_back(d); });
    type(QStringLiteral("，补记"));
    EXPECT_TRUE(notebook->isDirty());
    EXPECT_TRUE(saveAction.isEnabled());
    EXPECT_EQ(titleBar->textColour(), kRed);

    QTest::keyClick(editor, Qt::Key_Return);
    TypeText(editor, QStringLiteral("下一行"));
    notebook->save();
    EXPECT_EQ(row(1)->info, QStringLiteral("第二条，补记\r\n下一行\r\n")) << "lines end in CR LF";
    EXPECT_FALSE(notebook->isDirty());
    EXPECT_FALSE(saveAction.isEnabled());
    EXPECT_EQ(titleBar->textColour(), kBlue);
    EXPECT_EQ(dirtySignals, (std::vector<bool>{true, false}));
    EXPECT_EQ(rows()[0].info, kNotes[0].info);
}

class SaveQuestionTest : public NotebookTest {
protected:
    // Types into the first note, presses the third and answers the question.
    void typeThenPressAnother(DialogButton answer) {
        open(kNotes);
        press(0);
        type(QStringLiteral("x"));
        dialogs.answerMessage(answer);
        press(2);
        expectSaveQuestion(dialogs.last());
        EXPECT_FALSE(notebook->isDirty());
        EXPECT_EQ(titleBar->textColour(), kBlue);
    }
};

TEST_F(SaveQuestionTest, YesStoresTheTextAndKeepsTheEditedNoteShownAndSelected) {
    typeThenPressAnother(DialogButton::Yes);
    EXPECT_EQ(row(0)->info, QStringLiteral("第一条x\r\n"));
    EXPECT_EQ(notebook->selectedId(), NoteId{0});
    EXPECT_EQ(editor->text(), QStringLiteral("第一条x\r\n"));
    // Pressing the other note again now opens it without a question.
    press(2);
    EXPECT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(editor->text(), QString());
}

TEST_F(SaveQuestionTest, NoDropsTheTypingAndShowsThePressedNote) {
    typeThenPressAnother(DialogButton::No);
    EXPECT_EQ(row(0)->info, QStringLiteral("第一条"));
    EXPECT_EQ(notebook->selectedId(), NoteId{2});
    EXPECT_EQ(titleBar->text(), QStringLiteral("                 【三】"));
    EXPECT_EQ(editor->text(), QString());
}

TEST_F(NotebookTest, PressingTheShownNoteWhileDirtyAsksAndNoReloadsTheStoredText) {
    open(kNotes);
    press(0);
    type(QStringLiteral("y"));
    dialogs.answerMessage(DialogButton::No);
    press(0);
    expectSaveQuestion(dialogs.last());
    EXPECT_EQ(editor->text(), QStringLiteral("第一条"));
    // A right press asks too, and leaves the selection where it was.
    type(QStringLiteral("z"));
    dialogs.answerMessage(DialogButton::No);
    press(2, Qt::RightButton);
    EXPECT_EQ(dialogs.calls().size(), 2u);
    EXPECT_EQ(notebook->selectedId(), NoteId{0});
}

TEST_F(NotebookTest, SaveWritesIntoTheEditedNoteEvenAfterTheSelectionMoved) {
    open(kNotes);
    press(1);
    type(QStringLiteral("!"));
    selectWithKeyboard(2);
    notebook->save();
    EXPECT_EQ(row(1)->info, QStringLiteral("第二条!\r\n"));
    EXPECT_EQ(row(2)->info, QString());

    // The same after a note was added (the new note is selected, the editor still holds note 1).
    type(QStringLiteral("?"));
    dialogs.answerInput(QStringLiteral("新"));
    notebook->addChild();
    notebook->save();
    EXPECT_EQ(row(1)->info, QStringLiteral("第二条!?\r\n"));
    EXPECT_EQ(row(3)->info, QString());
}

TEST_F(NotebookTest, ReadOnlySwitchGuardsTheText) {
    open(kNotes);
    EXPECT_TRUE(editor->isReadOnly()) << "the editor starts read-only";
    QCheckBox* chk1 = titleBar->findChild<QCheckBox*>(QStringLiteral("chk1"));
    ASSERT_NE(chk1, nullptr);
    EXPECT_TRUE(chk1->isChecked());
    EXPECT_EQ(chk1->text(), QStringLiteral("只读"));

    press(0);
    TypeText(editor, QStringLiteral("不该进去"));
    EXPECT_EQ(editor->text(), QStringLiteral("第一条"));
    EXPECT_FALSE(notebook->isDirty());
    EXPECT_EQ(titleBar->textColour(), kBlue);

    std::vector<bool> seen;
    QObject::connect(notebook.get(), &Notebook::readOnlyChanged, [&](bool r) { seen.push_back(r); });
    chk1->click();
    EXPECT_FALSE(editor->isReadOnly());
    TypeText(editor, QStringLiteral("进"));
    EXPECT_TRUE(notebook->isDirty());
    notebook->setReadOnly(true); // as the editor menu's item does
    EXPECT_TRUE(chk1->isChecked());
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
}

TEST_F(NotebookTest, RefusedSaveIsReportedAndKeepsTheTextChanged) {
    open(kNotes);
    press(0);
    type(QStringLiteral("新"));
    refuse();

    dialogs.answerMessage(DialogButton::Ok);
    notebook->save();
    EXPECT_EQ(dialogs.last().caption, QStringLiteral("青简札记"));
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Error);
    EXPECT_TRUE(dialogs.last().text.contains(QStringLiteral("磁盘已满")));
    EXPECT_TRUE(notebook->isDirty());
    EXPECT_TRUE(saveAction.isEnabled());
    EXPECT_EQ(titleBar->textColour(), kRed);

    // Yes to the question with the save refused: the pressed note is not shown, nothing is lost.
    dialogs.answerMessage(DialogButton::Yes);
    dialogs.answerMessage(DialogButton::Ok);
    press(2);
    EXPECT_EQ(editor->text(), QStringLiteral("第一条新"));
    EXPECT_TRUE(notebook->isDirty());
    dialogs.answerMessage(DialogButton::Yes);
    dialogs.answerMessage(DialogButton::Ok);
    EXPECT_FALSE(notebook->askSaveIfDirty()) << "a refused save stops the caller";

    refuseNoMore();
    notebook->save();
    EXPECT_EQ(row(0)->info, QStringLiteral("第一条新\r\n"));
    EXPECT_FALSE(notebook->isDirty());
}

TEST_F(NotebookTest, DoubleClickCountsAsAPress) {
    open(kNotes);
    press(0);
    type(QStringLiteral("w"));
    dialogs.answerMessage(DialogButton::No);
    const QPoint at = tree->visualItemRect(item(2)).center();
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, tree->viewport()->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &dbl);
    expectSaveQuestion(dialogs.last());
    EXPECT_EQ(titleBar->text(), QStringLiteral("                 【三】"));
}

TEST_F(NotebookTest, FilingATextIntoANewNoteWritesThereAndAsksAboutTheOldText) {
    open(kNotes);
    press(1);
    type(QStringLiteral("改"));
    const std::optional<NoteId> made = notebook->addChildNamed(QStringLiteral("  问题  "));
    ASSERT_EQ(made, NoteId{3});
    EXPECT_EQ(row(3)->name, QStringLiteral("问题"));

    dialogs.answerMessage(DialogButton::Yes);
    notebook->setReadOnly(true);
    ASSERT_TRUE(notebook->fileTextIntoNote(NoteId{3}, QStringLiteral("报告\r\n第二行")));
    expectSaveQuestion(dialogs.last());
    EXPECT_EQ(row(1)->info, QStringLiteral("第二条改\r\n"));
    EXPECT_EQ(row(3)->info, QStringLiteral("报告\r\n第二行\r\n"));
    EXPECT_EQ(notebook->selectedId(), NoteId{3});
    EXPECT_FALSE(notebook->isDirty());
    EXPECT_FALSE(editor->isReadOnly());
    // Undo takes back the insertion, never further: the old note's text is not in the history.
    editor->undo();
    editor->undo();
    EXPECT_EQ(editor->text(), QString());
    EXPECT_FALSE(notebook->fileTextIntoNote(NoteId{42}, QStringLiteral("无处可去")));
}

TEST_F(NotebookTest, ReplacingTheTextIsAnUndoableChange) {
    open(kNotes);
    press(0);
    ASSERT_TRUE(editor->isReadOnly());
    notebook->replaceText(QStringLiteral("导入的文本"));
    EXPECT_EQ(editor->text(), QStringLiteral("导入的文本"));
    EXPECT_TRUE(notebook->isDirty());
    EXPECT_TRUE(editor->isReadOnly());
    notebook->save();
    EXPECT_EQ(row(0)->info, QStringLiteral("导入的文本\r\n"));
    notebook->setReadOnly(false);
    editor->undo();
    EXPECT_EQ(editor->text(), QStringLiteral("第一条"));
}

} // namespace
} // namespace qj::test

namespace qj::test {
namespace {

TEST_F(NotebookTest, ReadOnlyBoxShowsTheEditorsRealState) {
    QCheckBox* box = titleBar->readOnlyBox();
    open({});
    notebook->setReadOnly(false);
    // No note to write into: typing is refused, and the box says so.
    EXPECT_TRUE(editor->isReadOnly());
    EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(box->isEnabled());
    dialogs.answerInput(QStringLiteral("第一条"));
    notebook->addSibling();
    EXPECT_FALSE(editor->isReadOnly());
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(box->isEnabled());
    box->click();
    EXPECT_TRUE(editor->isReadOnly());
}

// An input method's composition is no change of the note until it commits: cancelled with the
// caret past the end of a line, it leaves neither the blanks it filled in nor a changed note.
TEST_F(NotebookTest, ACompositionChangesTheNoteOnlyWhenItCommits) {
    open(kNotes);
    press(1);
    notebook->setReadOnly(false);
    const auto compose = [&](const QString& preedit, const QString& commit) {
        QInputMethodEvent start(preedit, {});
        QApplication::sendEvent(editor, &start);
        EXPECT_FALSE(notebook->isDirty()) << "while composing";
        EXPECT_EQ(titleBar->textColour(), kBlue);
        QInputMethodEvent end;
        end.setCommitString(commit);
        QApplication::sendEvent(editor, &end);
    };
    const auto caretPastLineEnd = [&](long columns) {
        const long end = editor->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, 0UL);
        editor->SendScintilla(QsciScintilla::SCI_SETSELECTION, static_cast<unsigned long>(end), end);
        editor->SendScintilla(QsciScintilla::SCI_SETSELECTIONNCARETVIRTUALSPACE, 0UL, columns);
        editor->SendScintilla(QsciScintilla::SCI_SETSELECTIONNANCHORVIRTUALSPACE, 0UL, columns);
    };
    for (const long past : {0L, 16L}) {
        caretPastLineEnd(past);
        compose(QStringLiteral("zhongwen"), QString());
        EXPECT_EQ(editor->text(), QStringLiteral("第二条")) << past;
        EXPECT_FALSE(notebook->isDirty()) << past;
        EXPECT_EQ(editor->SendScintilla(QsciScintilla::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0UL), past);
    }
    compose(QStringLiteral("zhongwen"), QStringLiteral("中文"));
    EXPECT_EQ(editor->text(),
              QStringLiteral("第二条") + QString(16, QLatin1Char(' ')) + QStringLiteral("中文"));
    EXPECT_TRUE(notebook->isDirty());
    EXPECT_EQ(titleBar->textColour(), kRed);
}

} // namespace
} // namespace qj::test
