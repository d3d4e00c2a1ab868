// Soft wrap at a column, whatever the window's width, and the right edge that can be dragged.

#include "EditorFixture.h"
#include "editor/EditorLook.h"
#include "editor/EditorText.h"
#include "support/Printers.h"
#include "support/UiHelpers.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>

#include <cmath>
#include <functional>
#include <tuple>

namespace qj::test {
namespace {

TEST_F(EditorTest, WrapsAfterEightyColumnsWhateverTheWindowWidth) {
    // 100 half-width letters, then 50 Chinese characters (100 columns), then a mixed line.
    load(QString(100, QLatin1Char('x')) + QStringLiteral("\r\n") + QStringLiteral("中").repeated(50) +
         QStringLiteral("\r\n") + QStringLiteral("a中").repeated(40));
    wrap->setEnabled(true);
    for (int width : {1000, 1400, 2000}) {
        resizeTo(width);
        EXPECT_EQ(subLineOf(0, 79), 0) << width;
        EXPECT_EQ(subLineOf(0, 80), 1) << width;
        EXPECT_EQ(subLineOf(1, 39), 0) << width; // columns 79–80
        EXPECT_EQ(subLineOf(1, 40), 1) << width;
        // "a中" is three columns: 26 pairs are 78 columns, the 27th "a" makes 79; its 中 would reach 81
        EXPECT_EQ(subLineOf(2, 52), 0) << width;
        EXPECT_EQ(subLineOf(2, 53), 1) << width;
    }
}

TEST_F(EditorTest, WrapColumnFollowsFontChangesAndCanBeMoved) {
    load(QString(100, QLatin1Char('x')));
    wrap->setEnabled(true);
    QFont bigger(QStringLiteral("AR PL SungtiL GB"));
    bigger.setPointSize(9);
    editor->setFont(bigger);
    wrap->refresh();
    QApplication::processEvents();
    EXPECT_EQ(subLineOf(0, 79), 0);
    EXPECT_EQ(subLineOf(0, 80), 1);
    wrap->setWrapColumn(60);
    QApplication::processEvents();
    EXPECT_EQ(subLineOf(0, 59), 0);
    EXPECT_EQ(subLineOf(0, 60), 1);
}

TEST_F(EditorTest, SwitchedOffNeitherWrapsNorShowsTheEdgeButKeepsTheColumns) {
    load(QString(100, QLatin1Char('x')));
    wrap->setEnabled(true);
    wrap->setWrapColumn(60);
    wrap->setEdgeColumn(60);
    wrap->setEnabled(false);
    QApplication::processEvents();
    EXPECT_FALSE(wrap->edgeShown());
    EXPECT_EQ(editor->wrapMode(), QsciScintilla::WrapNone);
    EXPECT_EQ(subLineOf(0, 99), 0);
    EXPECT_EQ(wrap->wrapColumn(), 60);
    EXPECT_EQ(wrap->edgeColumn(), 60);
    wrap->setEnabled(true);
    EXPECT_TRUE(wrap->edgeShown());
    EXPECT_EQ(editor->edgeColor(), kEdgeColour);
}

// The edge is a dotted line in the edge colour at the edge column (Scintilla's own solid line
// stays off), and it goes with the wrap switch.
TEST_F(EditorTest, EdgeIsADottedLineAtTheEdgeColumn) {
    load(QStringLiteral("ab"));
    wrap->setEnabled(true);
    auto edgePixels = [&](int dx) {
        QApplication::processEvents();
        const QImage shot = editor->viewport()->grab().toImage();
        const int x = static_cast<int>(std::lround(wrap->edgeX())) + dx;
        int count = 0;
        for (int y = 0; y < shot.height(); ++y)
            count += QColor(shot.pixel(x, y)) == kEdgeColour;
        return std::pair{count, shot.height()};
    };
    const auto [on, height] = edgePixels(0);
    EXPECT_GT(on, height / 5);     // drawn down the window
    EXPECT_LT(on, height * 3 / 4); // with gaps: dotted
    EXPECT_EQ(edgePixels(4).first, 0);
    EXPECT_EQ(editor->edgeMode(), QsciScintilla::EdgeNone);
    wrap->setEdgeColumn(60);
    EXPECT_GT(edgePixels(0).first, height / 5);
    wrap->setEnabled(false);
    EXPECT_EQ(edgePixels(0).first, 0);
}

// A long note is wrapped where it is drawn at once and elsewhere while the program is idle: a load
// does not lay out every line before it returns, a jump never shows an unwrapped line, and every
// line ends up wrapped (the scroll bar counts them).
TEST_F(EditorTest, LongNoteWrapsWhatIsDrawnAtOnceAndTheRestWhenIdle) {
    using Sci = QsciScintilla;
    wrap->setEnabled(true);
    QApplication::processEvents();
    const QString shortLines = QStringLiteral("short\r\n").repeated(1000);
    const QString longLine = QString(200, QLatin1Char('x')) + QStringLiteral("\r\n");
    editor->setText(shortLines + longLine + shortLines + longLine + shortLines);
    auto heightOf = [&](long line) {
        return editor->SendScintilla(Sci::SCI_VISIBLEFROMDOCLINE, line + 1) -
               editor->SendScintilla(Sci::SCI_VISIBLEFROMDOCLINE, line);
    };
    EXPECT_EQ(heightOf(1000), 1);
    editor->SendScintilla(Sci::SCI_SETFIRSTVISIBLELINE, 995);
    editor->viewport()->repaint();
    EXPECT_EQ(heightOf(1000), 3); // 80, 80 and 40 columns
    EXPECT_EQ(heightOf(2001), 1);
    for (int i = 0; i < 1000 && heightOf(2001) == 1; ++i)
        QApplication::processEvents();
    EXPECT_EQ(heightOf(2001), 3);
}

// The wrap read-out's caret line width is measured again whenever it may have changed.
TEST_F(EditorTest, CaretLineMeterFollowsTheCaretLineItsTextAndTheFont) {
    load(QStringLiteral("短\r\n长一些的一行"));
    CaretLineMeter meter(editor);
    QFont bigger(QStringLiteral("AR PL SungtiL GB"));
    bigger.setPointSize(20);
    const struct {
        const char* change;
        std::function<void()> apply;
    } changes[] = {
        {"first read", [] {}},
        {"caret to another line", [&] { editor->setCursorPosition(1, 0); }},
        {"text typed on the line", [&] { editor->insertAt(QStringLiteral("更长了"), 1, 0); }},
        {"font", [&] { editor->setFont(bigger); }},
    };
    int before = 0;
    for (const auto& c : changes) {
        c.apply();
        EXPECT_EQ(meter.width(), CaretLineWidth(*editor)) << c.change;
        EXPECT_NE(meter.width(), before) << c.change;
        before = meter.width();
    }
}

// A bookmark shows its digit whole on its tab in the gutter, each digit its own picture.
TEST_F(EditorTest, BookmarksShowAReadableMarkWithTheirDigit) {
    load(QStringLiteral("0\r\n1\r\n2\r\n3"));
    editor->markerAdd(1, 3);
    editor->markerAdd(2, 5);
    editor->viewport()->repaint();
    const QImage shot = editor->viewport()->grab().toImage();
    const int left = editor->marginWidth(kLineNumberMargin);
    const int width = editor->marginWidth(kBookmarkMargin);
    EXPECT_GE(width, 14);
    auto markOn = [&](int line, QString* picture) {
        const int top = static_cast<int>(editor->SendScintilla(QsciScintilla::SCI_POINTYFROMPOSITION, 0UL,
                                                               editor->positionFromLineIndex(line, 0)));
        const int height = static_cast<int>(editor->SendScintilla(QsciScintilla::SCI_TEXTHEIGHT, line));
        int back = 0, digit = 0, widest = 0;
        for (int y = top; y < top + height; ++y) {
            int run = 0;
            for (int x = left; x < left + width; ++x) {
                const QColor c(shot.pixel(x, y));
                run = c == kBookmarkBack ? run + 1 : 0;
                widest = std::max(widest, run);
                back += c == kBookmarkBack;
                digit += c.blue() > 100 && c.red() < 90 && c.green() < 90;
                *picture += c.name();
            }
        }
        return std::tuple{back, digit, widest};
    };
    QString three, five, none;
    const auto [back3, digit3, wide3] = markOn(1, &three);
    EXPECT_GT(back3, 60); // a tab, not a sliver
    EXPECT_GE(wide3, 8);
    EXPECT_GT(digit3, 5); // the digit is drawn on it
    markOn(2, &five);
    EXPECT_NE(three, five);
    const auto [back0, digit0, wide0] = markOn(0, &none);
    EXPECT_EQ(back0 + digit0, 0);
}

// Also with the text scrolled sideways: the edge goes to the column under the mouse, not to the
// one at that distance from the window's left side.
TEST_F(EditorTest, DraggingTheEdgeMovesItToTheColumnUnderTheMouse) {
    load(QStringLiteral("text"));
    wrap->setEnabled(true);
    QWidget* view = editor->viewport();
    for (int scrolledCells : {0, 7}) {
        SCOPED_TRACE(scrolledCells);
        wrap->setEdgeColumn(80);
        const long xOffset = std::lround(scrolledCells * wrap->cellWidth());
        editor->SendScintilla(QsciScintilla::SCI_SETXOFFSET, xOffset);
        ASSERT_EQ(editor->SendScintilla(QsciScintilla::SCI_GETXOFFSET), xOffset);
        QSignalSpy dragged(wrap, &ColumnWrap::edgeDragged);
        const QPointF start(wrap->edgeX(), 20);
        const QPointF end(wrap->edgeX() - 20 * wrap->cellWidth(), 20);
        QMouseEvent press(QEvent::MouseButtonPress, start, view->mapToGlobal(start), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &press);
        QMouseEvent move(QEvent::MouseMove, end, view->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, end, view->mapToGlobal(end), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &release);
        EXPECT_EQ(wrap->edgeColumn(), 60);
        ASSERT_FALSE(dragged.isEmpty());
        EXPECT_EQ(dragged.last().at(0).toInt(), 60);
        // The caret did not move: the press belonged to the edge.
        EXPECT_EQ(editor->SendScintilla(QsciScintilla::SCI_GETCURRENTPOS), 0);
    }
}

} // namespace
} // namespace qj::test
