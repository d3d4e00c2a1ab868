// The editor's rules that need no widget: read-outs, column arithmetic, statistics.

#include "editor/CharacterStatistics.h"
#include "editor/ColumnMath.h"
#include "editor/StatusTexts.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

TEST(EditorReadouts, CaretNumbersAreRightAlignedInFieldsOfSixAndThreeAndNeverCut) {
    const struct {
        int line, column;
        const char* expected;
    } cases[] = {
        {1, 1, "行:     1, 列:  1"},
        {12, 80, "行:    12, 列: 80"},
        {123456, 999, "行:123456, 列:999"},
        {1234567, 1000, "行:1234567, 列:1000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CaretReadout(c.line, c.column), QString::fromUtf8(c.expected)) << c.line;
}

TEST(EditorReadouts, WrapReadoutIsBlankColumnWordAndWidth) {
    EXPECT_EQ(WrapReadout(80, 372), QStringLiteral(" 80 列换行 372"));
    EXPECT_EQ(WrapReadout(60, 0), QStringLiteral(" 60 列换行 0"));
}

TEST(ColumnArithmetic, RightMarginLeavesExactlyTheColumnsPlusOnePixel) {
    const struct {
        int textArea, columnsWidth, margin;
    } cases[] = {
        {1000, 640, 359}, // wide window: text area shrinks to 641
        {641, 640, 0},    // exactly fits
        {500, 640, 0},    // narrower than the columns: no margin, wraps at the window
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapRightMargin(c.textArea, c.columnsWidth), c.margin) << c.textArea;
}

TEST(ColumnArithmetic, EdgeColumnIsTheNearestCellBoundaryAndAtLeastOne) {
    EXPECT_EQ(EdgeColumnAt(480, 8), 60);
    EXPECT_EQ(EdgeColumnAt(483.9, 8), 60);
    EXPECT_EQ(EdgeColumnAt(484.1, 8), 61);
    EXPECT_EQ(EdgeColumnAt(-20, 8), 1);
    EXPECT_EQ(EdgeColumnAt(50, 0), 1);
}

TEST(CharacterStatistics, ClassifiesUtf16UnitsAsChineseEnglishOther) {
    const struct {
        const char* text;
        int chinese, english, other;
    } cases[] = {
        {"中文abc \r\n", 2, 3, 3},
        {"!~", 0, 2, 0},               // 0x21 and 0x7E are English
        {"\x7f", 1, 0, 0},             // DEL counts as Chinese
        {"\t\x1f ", 0, 0, 3},          // below 0x21
        {"，。ａ", 3, 0, 0},           // full-width punctuation and letters
        {"\xf0\x9f\x98\x80", 2, 0, 0}, // a surrogate pair is two units
    };
    for (const auto& c : cases) {
        const CharacterCounts n = CountCharacters(QString::fromUtf8(c.text));
        EXPECT_EQ(n.chinese, c.chinese) << c.text;
        EXPECT_EQ(n.english, c.english) << c.text;
        EXPECT_EQ(n.other, c.other) << c.text;
    }
}

TEST(CharacterStatistics, WholeTextIsCountedAsLinesEachEndedByCrLf) {
    const struct {
        const char* text;
        const char* lines;
    } cases[] = {
        {"", ""},
        {"ab", "ab\r\n"},
        {"ab\r\ncd", "ab\r\ncd\r\n"},
        {"ab\r\ncd\r\n", "ab\r\ncd\r\n"},
        {"ab\ncd\r", "ab\r\ncd\r\n"},
        {"\r\n\r\n", "\r\n\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextAsCrLfLines(QString::fromUtf8(c.text)), QString::fromUtf8(c.lines)) << c.text;
}

TEST(CharacterStatistics, MessageEndsWithCrCrLfAndTheEchoedText) {
    EXPECT_EQ(StatisticsMessage({2, 3, 3}, {}), QStringLiteral("[Chinese]:2 [English]:3 [Other]:3\r\r\n"));
    EXPECT_EQ(StatisticsMessage({1, 0, 0}, QStringLiteral("中")),
              QStringLiteral("[Chinese]:1 [English]:0 [Other]:0\r\r\n中"));
}

} // namespace
} // namespace qj
