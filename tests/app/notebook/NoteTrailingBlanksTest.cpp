// The trailing-blank trimmer over note loads: a loaded note is exactly its stored text until the
// user types in it, whatever line was typed in in the note shown before.

#include "NotebookFixture.h"

#include "editor/TrailingBlanks.h"

#include <QApplication>
#include <QTest>

namespace qj::test {
namespace {

const std::vector<NoteRow> kNotes = {
    {0, 0, QStringLiteral("甲"), QStringLiteral("第一行  \r\n第二行\t\r\n第三行")},
    {1, 0, QStringLiteral("乙"), QStringLiteral("丙丙  \r\n丁丁 \t\r\n戊戊  \r\n己")},
};

class NoteTrailingBlanksTest : public NotebookTest {
protected:
    void SetUp() override {
        NotebookTest::SetUp();
        new TrailingBlanks(editor); // as the window's editor commands attach it
        open(kNotes);
    }
    // Types ASCII keys at the end of a line, then clicks into another line, as a user would.
    void typeAtEndOf(int line, const char* keys) {
        notebook->setReadOnly(false);
        editor->setFocus();
        editor->SendScintilla(QsciScintilla::SCI_GOTOPOS,
                              editor->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, line));
        settle();
        QTest::keyClicks(editor, QString::fromLatin1(keys));
        settle();
    }
    void moveTo(int line) {
        editor->setCursorPosition(line, 0);
        settle();
    }
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
};

TEST_F(NoteTrailingBlanksTest, ALoadedNoteKeepsItsBlanksWhateverLineWasTypedInBefore) {
    // For each line typed in in note 甲 (the caret left there), then 乙 pressed and the changes
    // dropped, then a click on each other line of 乙: 乙 stays as stored and clean.
    for (int typedLine : {0, 1, 2}) {
        for (int clickedLine : {0, 1, 2, 3}) {
            SCOPED_TRACE(testing::Message() << "typed on " << typedLine << ", clicked " << clickedLine);
            press(0);
            typeAtEndOf(typedLine, "x ");
            ASSERT_TRUE(notebook->isDirty());
            dialogs.answerMessage(DialogButton::No);
            press(1);
            EXPECT_EQ(editor->text(), kNotes[1].info);
            moveTo(clickedLine);
            moveTo(clickedLine == 3 ? 2 : 3);
            EXPECT_EQ(editor->text(), kNotes[1].info);
            EXPECT_FALSE(notebook->isDirty());
            EXPECT_FALSE(saveAction.isEnabled());
        }
    }
    EXPECT_EQ(row(1)->info, kNotes[1].info);
}

TEST_F(NoteTrailingBlanksTest, OnlyTheLineTypedInSinceTheLoadIsTrimmed) {
    press(1);
    typeAtEndOf(1, "z  ");
    moveTo(3);
    // Line 1 lost the blanks and tab typed and stored; lines 0 and 2 keep theirs.
    EXPECT_EQ(editor->text(), QStringLiteral("丙丙  \r\n丁丁 \tz\r\n戊戊  \r\n己"));
    EXPECT_TRUE(notebook->isDirty());
}

TEST_F(NoteTrailingBlanksTest, TabsAreTrimmedWithTheBlanksButNeverWhileReadOnly) {
    press(1);
    typeAtEndOf(1, " "); // "丁丁 \t" and the blank typed
    moveTo(3);
    EXPECT_EQ(editor->text(), QStringLiteral("丙丙  \r\n丁丁\r\n戊戊  \r\n己"));

    // Typed, then the note switched to read-only before the caret leaves the line: kept as it is.
    typeAtEndOf(2, "w  ");
    notebook->setReadOnly(true);
    moveTo(0);
    EXPECT_EQ(editor->text(), QStringLiteral("丙丙  \r\n丁丁\r\n戊戊  w  \r\n己"));
}

// Keys pressed in a read-only note type nothing: no line counts as typed in, also once the note is
// editable again and the caret leaves the line.
TEST_F(NoteTrailingBlanksTest, KeysPressedWhileReadOnlyMarkNoLineAsTyped) {
    press(1);
    for (int line : {0, 1, 2, 3}) {
        SCOPED_TRACE(line);
        notebook->setReadOnly(true);
        editor->setFocus();
        editor->SendScintilla(QsciScintilla::SCI_GOTOPOS,
                              editor->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, line));
        settle();
        QTest::keyClicks(editor, QStringLiteral("x "));
        QTest::keyClick(editor, Qt::Key_Return); // would mark the line above
        settle();
        notebook->setReadOnly(false);
        moveTo(line == 0 ? 3 : 0);
        EXPECT_EQ(editor->text(), kNotes[1].info);
        EXPECT_FALSE(notebook->isDirty());
    }
}

TEST_F(NoteTrailingBlanksTest, PressingTheShownNoteAgainAndDroppingTheChangeRestoresItExactly) {
    press(0);
    typeAtEndOf(0, "y ");
    dialogs.answerMessage(DialogButton::No);
    press(0);
    moveTo(2);
    EXPECT_EQ(editor->text(), kNotes[0].info);
    EXPECT_FALSE(notebook->isDirty());
}

} // namespace
} // namespace qj::test
