// The editor's commands on a real QScintilla: text tools, re-flow through the clipboard,
// bookmarks, selection modes, find and replace, addresses opened with Ctrl+click.

#include "EditorFixture.h"

#include "editor/Bookmarks.h"
#include "editor/EditorCommands.h"
#include "editor/EditorText.h"
#include "support/FakeClock.h"
#include "support/Printers.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedDialogs.h"
#include "support/UiHelpers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>

namespace qj::test {
namespace {

class EditorToolsTest : public EditorTest {
protected:
    EditorHooks paneHooks() override {
        EditorHooks hooks = EditorTest::paneHooks();
        hooks.setReadOnly = [this](bool on) {
            editor->setReadOnly(on);
            readOnlyCalls.push_back(on);
        };
        return hooks;
    }
    void SetUp() override {
        EditorTest::SetUp();
        commands = pane->commands();
    }
    void trigger(const char* name) {
        QAction* a = commands->action(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    void select(qsizetype fromOffset, qsizetype toOffset) {
        editor->SendScintilla(QsciScintilla::SCI_SETSEL, PositionOfOffset(*editor, fromOffset),
                              PositionOfOffset(*editor, toOffset));
    }
    QString clipboard() const { return QApplication::clipboard()->text(); }

    EditorCommands* commands = nullptr;
    std::vector<bool> readOnlyCalls;
};

TEST_F(EditorToolsTest, EightyHyphensGoInFrontOfTheTextAsOneUndoableStepEvenWhenReadOnly) {
    load(QStringLiteral("第一行\r\n第二行"));
    editor->setReadOnly(true);
    trigger("N39");
    EXPECT_EQ(editor->text(), QString(80, QLatin1Char('-')) + QStringLiteral("第一行\r\n第二行"));
    EXPECT_TRUE(editor->isReadOnly());
    EXPECT_EQ(editor->SendScintilla(QsciScintilla::SCI_GETCURRENTPOS),
              editor->SendScintilla(QsciScintilla::SCI_GETLENGTH));
    editor->setReadOnly(false);
    trigger("N43"); // 取消前次操作
    EXPECT_EQ(editor->text(), QStringLiteral("第一行\r\n第二行"));
}

TEST_F(EditorToolsTest, TimeGoesInFrontOfASelectionWhichStays) {
    load(QStringLiteral("ab中cd"));
    clock.set(QDate(2026, 12, 9), QTime(11, 5, 7));
    select(2, 4); // "中c"
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    trigger("N42");
    QLocale::setDefault(QLocale::system());
    EXPECT_EQ(editor->text(), QStringLiteral("ab2026/12/9 11:05:07中cd"));
}

TEST_F(EditorToolsTest, StatisticsCountTheWholeTextAsLinesOrTheSelectionAndEchoIt) {
    load(QStringLiteral("中文abc "));
    dialogs.answerMessage(DialogButton::Ok);
    trigger("N109");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("[Chinese]:2 [English]:3 [Other]:3\r\r\n"));
    EXPECT_EQ(dialogs.last().caption, QStringLiteral("青简札记"));
    EXPECT_EQ(dialogs.last().icon, MessageIcon::None);

    select(1, 4); // "文ab"
    dialogs.answerMessage(DialogButton::Ok);
    trigger("N109");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("[Chinese]:1 [English]:2 [Other]:0\r\r\n文ab"));
}

TEST_F(EditorToolsTest, ReflowItemsAreEnabledOnlyWithASelection) {
    load(QStringLiteral("abc"));
    commands->pm2Popup();
    EXPECT_FALSE(commands->action(QStringLiteral("N107"))->isEnabled());
    EXPECT_FALSE(commands->action(QStringLiteral("N108"))->isEnabled());
    select(0, 1);
    commands->pm2Popup();
    EXPECT_TRUE(commands->action(QStringLiteral("N107"))->isEnabled());
    EXPECT_TRUE(commands->action(QStringLiteral("N108"))->isEnabled());
}

TEST_F(EditorToolsTest, AddReturnsJoinsTheSelectionThenSplitsWideLinesAndEmptiesTheClipboard) {
    // Two short lines with blanks and a tab, joined; a long Chinese line after them is re-flowed
    // too. At 12 points the Song face is 16 pixels per Chinese character: 29 fit 468 pixels. A
    // line break at the end of the text stays, and none is added.
    const QString longLine = QStringLiteral("中文排版").repeated(20);
    for (const QString& ending : {QString(), QStringLiteral("\r\n")}) {
        SCOPED_TRACE(ending.size());
        readOnlyCalls.clear();
        load(QStringLiteral("a b\r\n\tc d\r\n") + longLine + ending);
        editor->setReadOnly(true);
        QApplication::clipboard()->setText(QStringLiteral("old"));
        select(0, 9); // "a b\r\n\tc d"
        trigger("N107");
        EXPECT_EQ(readOnlyCalls, std::vector<bool>{false});
        EXPECT_EQ(editor->text(), QStringLiteral("abcd\r\n") + longLine.left(29) + QStringLiteral("\r\n") +
                                      longLine.mid(29, 29) + QStringLiteral("\r\n") + longLine.mid(58) +
                                      ending);
        EXPECT_TRUE(clipboard().isEmpty());
        // One undo brings the text back as it was.
        editor->undo();
        EXPECT_EQ(editor->text(), QStringLiteral("a b\r\n\tc d\r\n") + longLine + ending);
    }
}

// After a re-flow is undone, every line is drawn in as many rows as before: the 100 letters at
// column 80 in two rows, the 60 Chinese characters (120 columns) in two.
TEST_F(EditorToolsTest, AnUndoneReflowLeavesEveryLineInItsRows) {
    wrap->setEnabled(true);
    wrap->refresh();
    load(QStringLiteral("第一行 有 空格\r\n第二行\t有tab\r\nthird line …\r\n") +
         QStringLiteral("中").repeated(60) + QStringLiteral("\r\n") +
         QStringLiteral("abcdefghij").repeated(10));
    editor->viewport()->repaint();
    const auto rows = [&] {
        std::vector<long> counts;
        for (long line = 0; line < editor->lines(); ++line)
            counts.push_back(
                editor->SendScintilla(QsciScintilla::SCI_WRAPCOUNT, static_cast<unsigned long>(line)));
        return counts;
    };
    const std::vector<long> before = rows();
    ASSERT_EQ(before, (std::vector<long>{1, 1, 1, 2, 2}));
    editor->setReadOnly(false);
    editor->SendScintilla(QsciScintilla::SCI_SETSEL, 0UL,
                          editor->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, 2UL));
    trigger("N107");
    editor->viewport()->repaint();
    QApplication::processEvents();
    editor->undo();
    editor->viewport()->repaint();
    QApplication::processEvents();
    EXPECT_EQ(rows(), before);
}

TEST_F(EditorToolsTest, ReflowToolsWithoutSelectionOnlyEmptyTheClipboard) {
    load(QStringLiteral("a b"));
    for (const char* tool : {"N107", "N108"}) {
        QApplication::clipboard()->setText(QStringLiteral("kept?"));
        trigger(tool);
        EXPECT_TRUE(clipboard().isEmpty()) << tool;
        EXPECT_EQ(editor->text(), QStringLiteral("a b")) << tool;
    }
    EXPECT_TRUE(readOnlyCalls.empty());
}

TEST_F(EditorToolsTest, RemoveReturnsJoinsLinesKeepingBlanksAndTabs) {
    load(QStringLiteral("a b\r\n\tc\r\nd"));
    select(0, 9); // up to and including the second line break
    trigger("N108");
    EXPECT_EQ(editor->text(), QStringLiteral("a b\tcd"));
    EXPECT_TRUE(clipboard().isEmpty());
}

TEST_F(EditorToolsTest, CharactersWiderThanThePageEachKeepALine) {
    QFont huge(QStringLiteral("AR PL SungtiL GB"));
    huge.setPointSize(400);
    editor->setFont(huge);
    load(QStringLiteral("中文字"));
    select(0, 3);
    trigger("N107");
    EXPECT_EQ(editor->text(), QStringLiteral("中\r\n文\r\n字"));
}

TEST_F(EditorToolsTest, BookmarksAreSetGoneToMovedAndCleared) {
    load(QStringLiteral("0\r\n1\r\n2\r\n3\r\n4"));
    editor->setCursorPosition(3, 0);
    trigger("actSetBookmark5");
    editor->setCursorPosition(1, 0);
    trigger("actSetBookmark0");
    editor->setCursorPosition(4, 0);
    trigger("actGoBookmark5");
    int line = -1, index = -1;
    editor->getCursorPosition(&line, &index);
    EXPECT_EQ(line, 3);
    EXPECT_EQ(BookmarkLine(*editor, 0), 1);
    // Setting it elsewhere moves it; setting it on its own line takes it away.
    editor->setCursorPosition(2, 0);
    trigger("actSetBookmark5");
    EXPECT_EQ(BookmarkLine(*editor, 5), 2);
    trigger("actSetBookmark5");
    EXPECT_EQ(BookmarkLine(*editor, 5), -1);
    trigger("actClearBookmarks");
    EXPECT_EQ(BookmarkLine(*editor, 0), -1);
    EXPECT_FALSE(GoToBookmark(*editor, 0));
}

TEST_F(EditorToolsTest, ColumnModeCopiesARectangle) {
    load(QStringLiteral("abcd\r\nefgh\r\nijkl"));
    trigger("actSelModeColumn");
    editor->setCursorPosition(0, 1);
    // In column mode the caret movements extend a rectangle.
    editor->SendScintilla(QsciScintilla::SCI_SETRECTANGULARSELECTIONANCHOR,
                          editor->positionFromLineIndex(0, 1));
    editor->SendScintilla(QsciScintilla::SCI_SETRECTANGULARSELECTIONCARET,
                          editor->positionFromLineIndex(2, 3));
    trigger("actEditCopy");
    EXPECT_EQ(clipboard(), QStringLiteral("bc\r\nfg\r\njk\r\n"));
    trigger("actSelModeLine");
    EXPECT_EQ(editor->SendScintilla(QsciScintilla::SCI_GETSELECTIONMODE), QsciScintilla::SC_SEL_LINES);
    trigger("actSelModeNormal");
    EXPECT_EQ(editor->SendScintilla(QsciScintilla::SCI_GETSELECTIONMODE), QsciScintilla::SC_SEL_STREAM);
}

TEST_F(EditorToolsTest, CopyAndCutAppendAddToTheClipboard) {
    load(QStringLiteral("一二三"));
    QApplication::clipboard()->setText(QStringLiteral("前"));
    select(0, 1);
    trigger("actEditCopyAppend");
    EXPECT_EQ(clipboard(), QStringLiteral("前一"));
    select(1, 2);
    trigger("actEditCutAppend");
    EXPECT_EQ(clipboard(), QStringLiteral("前一二"));
    EXPECT_EQ(editor->text(), QStringLiteral("一三"));
}

TEST_F(EditorToolsTest, FindNextPreviousAndNotFoundAreSaid) {
    load(QStringLiteral("甲乙 甲乙 Abc abc"));
    SearchOptions o;
    o.text = QStringLiteral("甲乙");
    commands->setSearchOptions(o);
    trigger("actFindNext");
    EXPECT_EQ(SelectionStartOffset(*editor), 0);
    trigger("actFindNext");
    EXPECT_EQ(SelectionStartOffset(*editor), 3);
    trigger("actFindNext"); // round the end
    EXPECT_EQ(SelectionStartOffset(*editor), 0);
    trigger("actFindPrev");
    EXPECT_EQ(SelectionStartOffset(*editor), 3);

    o.text = QStringLiteral("abc");
    o.matchCase = true;
    commands->setSearchOptions(o);
    trigger("actFindNext");
    EXPECT_EQ(SelectionStartOffset(*editor), 10);

    o.text = QStringLiteral("丙");
    commands->setSearchOptions(o);
    dialogs.answerMessage(DialogButton::Ok);
    trigger("actFindNext");
    EXPECT_EQ(dialogs.last().text, QStringLiteral("找不到“丙”。"));
}

TEST_F(EditorToolsTest, ReplaceCountsFollowCaseAndWholeWordOptions) {
    const struct {
        bool matchCase, wholeWord;
        int count;
        const char* after;
    } cases[] = {
        {false, false, 4, "X X Xs 中X"},
        {true, false, 3, "X Cat Xs 中X"},
        // a Chinese character joined to a Latin word makes one word with it
        {false, true, 2, "X X cats 中cat"},
    };
    for (const auto& c : cases) {
        load(QStringLiteral("cat Cat cats 中cat"));
        editor->setReadOnly(false);
        SearchOptions o;
        o.text = QStringLiteral("cat");
        o.matchCase = c.matchCase;
        o.wholeWord = c.wholeWord;
        commands->setSearchOptions(o);
        EXPECT_EQ(CountMatches(*editor, o), c.count);
        commands->findNext(false);
        EXPECT_EQ(ReplaceAll(*editor, o, QStringLiteral("X")), c.count);
        EXPECT_EQ(editor->text(), QString::fromUtf8(c.after)) << c.matchCase << c.wholeWord;
        editor->undo(); // one step
        EXPECT_EQ(editor->text(), QStringLiteral("cat Cat cats 中cat"));
    }
}

TEST_F(EditorToolsTest, ReplaceNextReplacesTheFoundMatchAndMovesOn) {
    load(QStringLiteral("a1 a2 a3"));
    SearchOptions o;
    o.text = QStringLiteral("a");
    commands->setSearchOptions(o);
    dialogs.setExpectAllAnswersUsed(false);
    trigger("actFindNext");
    // replace the selected match and select the next
    QAction* replaceNext = commands->action(QStringLiteral("actReplaceNext"));
    // the dialog's replacement text comes from the dialog; without one it is empty
    replaceNext->trigger();
    EXPECT_EQ(editor->text(), QStringLiteral("1 a2 a3"));
    EXPECT_EQ(SelectionStartOffset(*editor), 2);
}

// 跳转 asks with the number box: it starts at the caret line and takes 1 to the last line; a number
// beyond either end ends at that end (the spin box does not go further), Cancel keeps the caret,
// and the chosen line is scrolled into view.
TEST_F(EditorToolsTest, GoToLineAsksForALineNumberWithinTheNote) {
    QStringList lines;
    for (int i = 1; i <= 300; ++i)
        lines << QStringLiteral("第%1行").arg(i);
    load(lines.join(QStringLiteral("\r\n")));
    editor->resize(400, 200);
    editor->setCursorPosition(4, 2);
    const auto caretLine = [this] {
        int line = 0, index = 0;
        editor->getCursorPosition(&line, &index);
        return line + 1;
    };
    const auto inView = [this](int line) {
        const long first = editor->SendScintilla(QsciScintilla::SCI_GETFIRSTVISIBLELINE);
        const long shown = editor->SendScintilla(QsciScintilla::SCI_LINESONSCREEN);
        return line - 1 >= first && line - 1 < first + shown;
    };

    dialogs.cancelNumber();
    trigger("actGotoLine");
    const DialogCall asked = dialogs.last();
    EXPECT_EQ(asked.kind, DialogKind::Number);
    EXPECT_EQ(asked.caption, QStringLiteral("跳转"));
    EXPECT_EQ(asked.text, QStringLiteral("行号 (1 - 300)："));
    EXPECT_EQ(asked.number.value, 5);
    EXPECT_EQ(asked.number.minimum, 1);
    EXPECT_EQ(asked.number.maximum, 300);
    int line = 0, index = 0;
    editor->getCursorPosition(&line, &index);
    EXPECT_EQ(line, 4);
    EXPECT_EQ(index, 2);

    const struct {
        int answer;
        int caret; // line the caret lands on
    } cases[] = {{250, 250}, {300, 300}, {301, 300}, {1, 1}, {0, 1}, {-5, 1}, {150, 150}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        const int before = caretLine();
        dialogs.answerNumber(c.answer);
        trigger("actGotoLine");
        EXPECT_EQ(dialogs.last().number.value, before);
        EXPECT_EQ(caretLine(), c.caret);
        editor->getCursorPosition(&line, &index);
        EXPECT_EQ(index, 0);
        EXPECT_TRUE(inView(c.caret));
    }

    // A note of one line: the box offers only line 1.
    load(QStringLiteral("一行"));
    dialogs.answerNumber(1);
    trigger("actGotoLine");
    EXPECT_EQ(dialogs.last().number.minimum, 1);
    EXPECT_EQ(dialogs.last().number.maximum, 1);
    EXPECT_EQ(dialogs.last().text, QStringLiteral("行号 (1 - 1)："));
    EXPECT_EQ(caretLine(), 1);
}

// Only a left click with Ctrl opens, and only web and mail addresses; a plain click or another
// button on an address just places the caret.
TEST_F(EditorToolsTest, CtrlClickOpensOnlyWebAndMailAddresses) {
    load(QStringLiteral("网址 http://a.cn/x 和 javascript:alert(1) 与 x@y.cn"));
    const struct {
        qsizetype offset;
        Qt::KeyboardModifiers modifiers;
        Qt::MouseButton button;
        const char* opened; // empty: nothing
    } cases[] = {
        {6, Qt::ControlModifier, Qt::LeftButton, "http://a.cn/x"},
        {6, Qt::NoModifier, Qt::LeftButton, ""},
        {6, Qt::ShiftModifier, Qt::LeftButton, ""},
        {6, Qt::ControlModifier, Qt::RightButton, ""},
        {22, Qt::ControlModifier, Qt::LeftButton, ""},
        {1, Qt::ControlModifier, Qt::LeftButton, ""},
        {42, Qt::ControlModifier, Qt::LeftButton, "mailto:x@y.cn"},
        {42, Qt::NoModifier, Qt::LeftButton, ""},
    };
    QWidget* view = editor->viewport();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.offset << " modifiers " << c.modifiers.toInt() << " button " << c.button);
        launcher.clear();
        const long pos = PositionOfOffset(*editor, c.offset);
        const QPointF at(editor->SendScintilla(QsciScintilla::SCI_POINTXFROMPOSITION, 0UL, pos) + 2,
                         editor->SendScintilla(QsciScintilla::SCI_POINTYFROMPOSITION, 0UL, pos) + 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), c.button, c.button,
                          c.modifiers);
        QApplication::sendEvent(view, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), c.button, Qt::NoButton,
                            c.modifiers);
        QApplication::sendEvent(view, &release);
        if (*c.opened) {
            ASSERT_EQ(launcher.calls().size(), 1u);
            EXPECT_EQ(launcher.calls()[0].target, QString::fromUtf8(c.opened));
        } else {
            EXPECT_TRUE(launcher.calls().empty());
        }
    }
}

// The underlines sit exactly on the addresses, also behind Chinese text and characters of two
// UTF-16 units, several in one line.
TEST_F(EditorToolsTest, AddressesInViewAreUnderlinedWhereTheyStand) {
    load(QStringLiteral("网址😀 http://a.cn/x 和 x@y.cn 再 https://b.cn/长\r\n第二行 ftp://c.cn"));
    QApplication::processEvents();
    QApplication::processEvents();
    const QByteArray bytes = editor->text().toUtf8();
    QStringList underlined;
    for (long pos = 0; pos < bytes.size(); ++pos) {
        if (!editor->SendScintilla(QsciScintilla::SCI_INDICATORALLONFOR, pos))
            continue;
        long end = pos;
        while (end < bytes.size() && editor->SendScintilla(QsciScintilla::SCI_INDICATORALLONFOR, end))
            ++end;
        underlined << QString::fromUtf8(bytes.mid(pos, end - pos));
        pos = end;
    }
    EXPECT_EQ(underlined, QStringList({QStringLiteral("http://a.cn/x"), QStringLiteral("x@y.cn"),
                                       QStringLiteral("https://b.cn/"), QStringLiteral("ftp://c.cn")}));
}

// In a long line only the part around the view is looked at: the address in view is underlined,
// one far beyond it only once it comes into view; a line just short of that length is read whole.
TEST_F(EditorToolsTest, LongLinesAreUnderlinedAroundTheView) {
    auto underlinedAt = [&](long position) {
        return editor->SendScintilla(QsciScintilla::SCI_INDICATORALLONFOR, position) != 0;
    };
    const QString filler = QStringLiteral("词 ").repeated(4000); // 16,000 bytes
    load(QStringLiteral("http://a.cn ") + filler + QStringLiteral(" http://z.cn"));
    QApplication::processEvents();
    QApplication::processEvents();
    const long end = editor->SendScintilla(QsciScintilla::SCI_GETLENGTH);
    EXPECT_TRUE(underlinedAt(0));
    EXPECT_FALSE(underlinedAt(end - 4));
    editor->SendScintilla(QsciScintilla::SCI_GOTOPOS, end);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_TRUE(underlinedAt(end - 4));
    // 8,000 bytes: short enough to be read whole
    load(QStringLiteral("http://a.cn ") + QStringLiteral("词 ").repeated(1995) +
         QStringLiteral(" http://z.cn"));
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(underlinedAt(editor->SendScintilla(QsciScintilla::SCI_GETLENGTH) - 4));
}

// The file's text goes in whole at the caret: decoded, its breaks made CR LF, a NUL kept as the
// visible mark ␀ (Scintilla would end the inserted text there).
TEST_F(EditorToolsTest, InsertFileDecodesTheWholeFileAtTheCaretAndNamesTheNote) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const struct {
        const char* what;
        QByteArray bytes;
        const char* inserted;
    } cases[] = {
        {"GBK, also valid UTF-8, LF break", "\xd1\xa7\xcf\xb0\nx", "学习\r\nx"},
        {"NUL inside GBK text", QByteArray("\xd6\xd0\0\xce\xc4\r\ny", 8), "中\u2400文\r\ny"},
        {"NUL first and last", QByteArray("\0ab\0", 4), "\u2400ab\u2400"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.path() + QStringLiteral("/insert.txt");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        load(QStringLiteral("[]"));
        editor->setReadOnly(false);
        editor->setCursorPosition(0, 1);
        dialogs.answerOpenFile(path);
        trigger("actInsertFile");
        EXPECT_EQ(dialogs.last().caption, QStringLiteral("插入文件资料到"));
        EXPECT_EQ(editor->text(), QStringLiteral("[") + QString::fromUtf8(c.inserted) + QStringLiteral("]"));
    }
}

} // namespace
} // namespace qj::test
