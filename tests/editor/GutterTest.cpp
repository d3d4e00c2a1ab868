// The line numbers' margin is wide enough for the line count.
#include "editor/EditorLook.h"

#include <Qsci/qsciscintilla.h>

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace qj {
namespace {

TEST(Gutter, WidthTextHasADigitMoreThanTheLineCount) {
    const struct {
        long lines;
        int digits;
    } cases[] = {{0, 6},      {1, 6},       {99999, 6},   {100000, 7},
                 {999999, 7}, {1000000, 8}, {1767812, 8}, {10000000, 9}};
    for (const auto& c : cases)
        EXPECT_EQ(GutterWidthText(c.lines), QString(c.digits, QLatin1Char('0'))) << c.lines;
}

TEST(Gutter, MarginGrowsWhenTheTextGainsADigitAndShrinksBack) {
    QsciScintilla editor;
    ConfigureNoteEditor(editor);
    const auto widthFor = [&](int digits) {
        // The margin as wide as that many digits in the gutter's font, as Scintilla measures it.
        QsciScintilla probe;
        ConfigureNoteEditor(probe);
        probe.setMarginWidth(kLineNumberMargin, QString(digits, QLatin1Char('0')));
        return probe.marginWidth(kLineNumberMargin);
    };
    const int six = editor.marginWidth(kLineNumberMargin);
    EXPECT_EQ(six, widthFor(6));
    editor.setText(QString(1000000, QLatin1Char('\n')));
    EXPECT_EQ(editor.lines(), 1000001);
    EXPECT_EQ(editor.marginWidth(kLineNumberMargin), widthFor(8));
    EXPECT_GT(widthFor(8), six);
    editor.setText(QStringLiteral("one line"));
    EXPECT_EQ(editor.marginWidth(kLineNumberMargin), six);
    // A hidden gutter stays hidden whatever the line count.
    EditorOptions hidden;
    hidden.gutterShown = false;
    ApplyEditorOptions(editor, hidden);
    editor.setText(QString(200000, QLatin1Char('\n')));
    EXPECT_EQ(editor.marginWidth(kLineNumberMargin), 0);
}

} // namespace
} // namespace qj
