// Replace-all on a large text: every match replaced in one undo step, the window told once, the
// bookmarks where they were; and a found match is scrolled into view even inside one long line.

#include "EditorFixture.h"

#include "editor/EditorSearch.h"
#include "support/Printers.h"

#include <QApplication>
#include <QSignalSpy>

namespace qj::test {
namespace {

using Sci = QsciScintilla;

// 600 lines with `fox` twice on each (and once inside a longer word that whole-word search skips).
QString Foxes() {
    QString text;
    for (int i = 0; i < 600; ++i)
        text += QStringLiteral("第%1行 the fox and Fox , foxglove 和 fox .\r\n").arg(i);
    return text;
}

class ReplaceAllTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        wrap->setEnabled(true);
        load(Foxes());
    }
    int changesDuring(const std::function<void()>& change) {
        QSignalSpy spy(editor, &Sci::textChanged);
        change();
        return static_cast<int>(spy.count());
    }
};

TEST_F(ReplaceAllTest, ReplacesEveryMatchAsOneUndoStepToldOnce) {
    const struct {
        SearchOptions options;
        int count;
    } cases[] = {
        {{QStringLiteral("fox"), true, true}, 1200},   // case and whole word
        {{QStringLiteral("fox"), false, true}, 1800},  // Fox too
        {{QStringLiteral("fox"), false, false}, 2400}, // foxglove too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        load(Foxes());
        QString expected = Foxes();
        int count = 0;
        // The window hears of the last replacement only: its removal and its insertion.
        EXPECT_EQ(changesDuring([&] { count = ReplaceAll(*editor, c.options, QStringLiteral("狐狸")); }), 2);
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(editor->text().count(QStringLiteral("狐狸")), c.count);
        EXPECT_EQ(editor->lines(), 601);

        EXPECT_EQ(changesDuring([&] { editor->undo(); }), 1);
        EXPECT_EQ(editor->text(), expected);
        EXPECT_FALSE(editor->isUndoAvailable()) << "one step took it all back";
        EXPECT_EQ(changesDuring([&] { editor->redo(); }), 1);
        EXPECT_EQ(editor->text().count(QStringLiteral("狐狸")), c.count);
        // The notices are passed on again after the undo and redo.
        EXPECT_EQ(changesDuring([&] { editor->insert(QStringLiteral("x")); }), 1);
    }
}

TEST_F(ReplaceAllTest, NothingToReplaceOrReadOnlyChangesNothing) {
    EXPECT_EQ(ReplaceAll(*editor, {QStringLiteral("wolf")}, QStringLiteral("狼")), 0);
    EXPECT_EQ(ReplaceAll(*editor, {QString()}, QStringLiteral("狼")), 0);
    editor->setReadOnly(true);
    EXPECT_EQ(changesDuring(
                  [&] { EXPECT_EQ(ReplaceAll(*editor, {QStringLiteral("fox")}, QStringLiteral("狐")), 0); }),
              0);
    EXPECT_EQ(editor->text(), Foxes());
    EXPECT_FALSE(editor->isUndoAvailable());
}

TEST_F(ReplaceAllTest, ReplacementsThatHoldTheSearchTextAreNotReplacedAgain) {
    load(QStringLiteral("aa aa\r\naaa"));
    EXPECT_EQ(ReplaceAll(*editor, {QStringLiteral("aa")}, QStringLiteral("aaXaa")), 3);
    EXPECT_EQ(editor->text(), QStringLiteral("aaXaa aaXaa\r\naaXaaa"));
}

TEST_F(ReplaceAllTest, BookmarksStayOnTheirLinesThroughReplaceUndoAndRedo) {
    for (int line : {0, 17, 599})
        editor->markerAdd(line, 3);
    const auto marked = [this] {
        std::vector<int> lines;
        for (int line = editor->markerFindNext(0, 1 << 3); line >= 0;
             line = editor->markerFindNext(line + 1, 1 << 3))
            lines.push_back(line);
        return lines;
    };
    ReplaceAll(*editor, {QStringLiteral("fox")}, QStringLiteral("狐狸"));
    EXPECT_EQ(marked(), (std::vector{0, 17, 599}));
    editor->undo();
    EXPECT_EQ(marked(), (std::vector{0, 17, 599}));
    editor->redo();
    EXPECT_EQ(marked(), (std::vector{0, 17, 599}));
}

TEST_F(ReplaceAllTest, UndoOfAManyLineChangeTellsTheNewLineCount) {
    load(QStringLiteral("一"));
    editor->beginUndoAction();
    // Undone last, this step adds no line: the line count it tells is none.
    editor->insertAt(QStringLiteral("x"), 0, 0);
    for (int i = 0; i < 50; ++i)
        editor->insertAt(QStringLiteral("\r\n行"), i, 1);
    editor->endUndoAction();
    EXPECT_EQ(editor->lines(), 51);
    QSignalSpy lines(editor, &Sci::linesChanged);
    editor->undo();
    EXPECT_EQ(editor->lines(), 1);
    EXPECT_GE(lines.count(), 1);
}

TEST_F(ReplaceAllTest, AFoundMatchInsideOneLongLineIsScrolledIntoView) {
    load(QStringLiteral("前面的文字，").repeated(3000) + QStringLiteral("目标在此"));
    QApplication::processEvents();
    ASSERT_TRUE(FindMatch(*editor, {QStringLiteral("目标")}, false));
    editor->viewport()->repaint();
    QApplication::processEvents();
    const long start = editor->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long y = editor->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, start);
    EXPECT_GE(y, 0);
    EXPECT_LT(y, editor->viewport()->height());
}

} // namespace
} // namespace qj::test
