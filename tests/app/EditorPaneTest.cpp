// The editor pane as the main window wires it: the wrap switch, the right edge and the two
// status bar read-outs.

#include "MainWindowFixture.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "editor/ColumnWrap.h"
#include "editor/EditorPane.h"
#include "editor/StatusTexts.h"
#include "support/UiHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>

namespace qj::test {
namespace {

class EditorPaneTest : public MainWindowTest {
protected:
    void SetUp() override {
        makeDataFile({{QStringLiteral("帮助"),
                       {{0, 0, QStringLiteral("帮助"), QStringLiteral("第一行\r\n第二行 abc\r\n")}}}});
        open();
        window->resize(1200, 800);
        window->show();
        QApplication::processEvents();
    }
    NoteEditor* editor() { return window->notebook().editor(); }
    QCheckBox* wrapBox() { return window->findChild<QCheckBox*>(QStringLiteral("ChkBox")); }
    void moveMouseOverEditor() {
        QWidget* view = editor()->viewport();
        const QPointF at(view->width() / 3.0, 10);
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
};

TEST_F(EditorPaneTest, WrapSwitchShowsEdgeAndWrapAtEightyAndRestoresEightyAfterADrag) {
    ColumnWrap* wrap = window->editorPane().columnWrap();
    ASSERT_TRUE(wrapBox()->isChecked());
    EXPECT_TRUE(wrap->edgeShown());
    EXPECT_EQ(editor()->wrapMode(), QsciScintilla::WrapWord);
    EXPECT_EQ(wrap->edgeColumn(), 80);
    EXPECT_EQ(wrap->wrapColumn(), 80);

    // The user drags the edge to 60 and moves the mouse: the wrap follows to 60.
    wrap->setEdgeColumn(60);
    moveMouseOverEditor();
    EXPECT_EQ(wrap->wrapColumn(), 60);
    EXPECT_TRUE(window->statusText(TFmain::kWrapPanel).startsWith(QStringLiteral(" 60 列换行 ")))
        << window->statusText(TFmain::kWrapPanel).toStdString();

    wrapBox()->click(); // cleared: no edge, no wrap, columns kept
    EXPECT_FALSE(wrap->edgeShown());
    EXPECT_EQ(editor()->wrapMode(), QsciScintilla::WrapNone);
    EXPECT_EQ(wrap->edgeColumn(), 60);

    wrapBox()->click(); // ticked again: both back at 80
    EXPECT_TRUE(wrap->edgeShown());
    EXPECT_EQ(editor()->wrapMode(), QsciScintilla::WrapWord);
    EXPECT_EQ(wrap->edgeColumn(), 80);
    EXPECT_EQ(wrap->wrapColumn(), 80);
}

TEST_F(EditorPaneTest, WrapReadoutShowsTheCaretLinesPixelWidth) {
    // Line 2 is "第二行 abc": three Chinese characters, a blank and three letters, in a Song face
    // whose letters are half as wide as its Chinese characters.
    editor()->setCursorPosition(1, 0);
    moveMouseOverEditor();
    const QStringList parts = window->statusText(TFmain::kWrapPanel).split(QLatin1Char(' '));
    ASSERT_EQ(parts.size(), 4) << window->statusText(TFmain::kWrapPanel).toStdString();
    const int width = parts[3].toInt();
    editor()->setCursorPosition(0, 0);
    moveMouseOverEditor();
    const int firstWidth = window->statusText(TFmain::kWrapPanel).split(QLatin1Char(' '))[3].toInt();
    EXPECT_GT(firstWidth, 0);
    EXPECT_EQ(width, firstWidth * 5 / 3); // 3 full cells + 4 half cells against 3 full cells
}

TEST_F(EditorPaneTest, CaretReadoutFollowsTheCaret) {
    // The editor reports caret moves when it next updates its window.
    editor()->setCursorPosition(1, 4);
    EXPECT_TRUE(WaitUntil([&] {
        return window->statusText(TFmain::kCaretPanel) == QStringLiteral("行:     2, 列:  5");
    })) << window->statusText(TFmain::kCaretPanel).toStdString();
    editor()->setCursorPosition(0, 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return window->statusText(TFmain::kCaretPanel) == QStringLiteral("行:     1, 列:  1"); }));
}

// The caret and wrap panels show long read-outs whole: a caret in column 466,708 of a long line,
// a wrap read-out of a line millions of pixels wide. Short texts keep the panels' own widths.
TEST_F(EditorPaneTest, StatusPanelsWidenToLongReadoutsAndKeepTheirWidthForShortOnes) {
    const struct {
        TFmain::StatusPanel panel;
        QString shortText, longText;
    } panels[] = {
        {TFmain::kCaretPanel, CaretReadout(1, 1), CaretReadout(1, 466708)},
        {TFmain::kCaretPanel, CaretReadout(1, 1), CaretReadout(2359123, 466708)},
        {TFmain::kWrapPanel, WrapReadout(80, 372), WrapReadout(80, 3733664)},
    };
    for (const auto& p : panels) {
        auto* label = window->statusBar()->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(p.panel));
        ASSERT_NE(label, nullptr);
        window->setStatusText(p.panel, p.shortText);
        const int own = label->width();
        window->setStatusText(p.panel, p.longText);
        QApplication::processEvents();
        EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(p.longText))
            << p.longText.toStdString();
        window->setStatusText(p.panel, p.shortText);
        EXPECT_GE(label->width(), own);
    }
}

} // namespace
} // namespace qj::test
