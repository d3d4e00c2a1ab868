// The row rule for wrapped note text: Chinese breaks between its characters, Latin words and
// numbers stay whole where they fit, punctuation keeps to its side, blanks hang.

#include "editor/RowBreaks.h"

#include <gtest/gtest.h>

#include <string>

namespace qj {
namespace {

// The rows of a line, joined by '|'.
std::string Rows(const std::string& line, int columns) {
    std::string out;
    size_t from = 0;
    for (size_t start : RowStarts(line, columns)) {
        out += line.substr(from, start - from) + "|";
        from = start;
    }
    return out + line.substr(from);
}

TEST(RowBreaks, ChineseBreaksBetweenCharactersAndLatinStaysWhole) {
    const struct {
        const char* line;
        int columns;
        const char* rows;
    } cases[] = {
        // the number stays on the first row with the Chinese after it
        {"00001 春眠不觉晓，处处闻啼鸟。", 20, "00001 春眠不觉晓，处|处闻啼鸟。"},
        // ten characters fill twenty columns exactly; the eleventh starts a row
        {"一二三四五六七八九十", 20, "一二三四五六七八九十"},
        {"一二三四五六七八九十甲", 20, "一二三四五六七八九十|甲"},
        // an odd column left: the next character does not fit in one
        {"a一二三四五六七八九十", 20, "a一二三四五六七八九|十"},
        // Latin words move whole to the next row, at 20 and 21 columns of text
        {"abcd efgh ijkl mnop qrst", 20, "abcd efgh ijkl mnop |qrst"},
        {"abcd efgh ijkl mnopq rst", 20, "abcd efgh ijkl mnopq |rst"},
        {"abcd efgh ijkl mnopqr st", 20, "abcd efgh ijkl |mnopqr st"},
        // a Latin word beside Chinese moves whole; Chinese beside it may break
        {"中文中文中文中文中abcd", 20, "中文中文中文中文中|abcd"},
        {"abcdefghijklmnopq中文中文", 20, "abcdefghijklmnopq中|文中文"},
        {"abcdefghijklmnopqr中文", 20, "abcdefghijklmnopqr中|文"},
        // longer than a row: cut at the row's end
        {"123456789012345678901234", 20, "12345678901234567890|1234"},
        {"abcdefghijklmnopqrstuvwxyzabcdefghijklmn", 20, "abcdefghijklmnopqrst|uvwxyzabcdefghijklmn"},
        // an empty line and one shorter than the row
        {"", 20, ""},
        {"短", 20, "短"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rows(c.line, c.columns), c.rows) << c.line << " at " << c.columns;
}

TEST(RowBreaks, ClosingPunctuationNeverStartsARowNorOpeningEndsOne) {
    const struct {
        const char* line;
        const char* rows;
    } cases[] = {
        // ，。、；：？！）》」』 each with the character before it
        {"一二三四五六七八九十，甲", "一二三四五六七八九|十，甲"},
        {"一二三四五六七八九十。甲", "一二三四五六七八九|十。甲"},
        {"一二三四五六七八九十、甲", "一二三四五六七八九|十、甲"},
        {"一二三四五六七八九十；甲", "一二三四五六七八九|十；甲"},
        {"一二三四五六七八九十：甲", "一二三四五六七八九|十：甲"},
        {"一二三四五六七八九十？甲", "一二三四五六七八九|十？甲"},
        {"一二三四五六七八九十！甲", "一二三四五六七八九|十！甲"},
        {"一二三四五六七八九十）甲", "一二三四五六七八九|十）甲"},
        {"一二三四五六七八九十》甲", "一二三四五六七八九|十》甲"},
        {"一二三四五六七八九十」甲", "一二三四五六七八九|十」甲"},
        {"一二三四五六七八九十』甲", "一二三四五六七八九|十』甲"},
        // the half-width forms
        {"一二三四五六七八九十,甲", "一二三四五六七八九|十,甲"},
        {"一二三四五六七八九十.甲", "一二三四五六七八九|十.甲"},
        {"一二三四五六七八九十?甲", "一二三四五六七八九|十?甲"},
        {"一二三四五六七八九十!甲", "一二三四五六七八九|十!甲"},
        {"一二三四五六七八九十)甲", "一二三四五六七八九|十)甲"},
        // opening punctuation goes to the next row with what it opens
        {"一二三四五六七八九《十》", "一二三四五六七八九|《十》"},
        {"一二三四五六七八九（十", "一二三四五六七八九|（十"},
        {"一二三四五六七八（九十", "一二三四五六七八（九|十"},
        {"一二三四五六七八九「十", "一二三四五六七八九|「十"},
        // closing punctuation that fits stays; the row breaks after it
        {"一二三四五六七八九，十", "一二三四五六七八九，|十"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rows(c.line, 20), c.rows) << c.line;
}

TEST(RowBreaks, BlanksHangAtTheRowsEndAsFarAsTheRoomAllows) {
    const struct {
        const char* line;
        const char* rows;
    } cases[] = {
        {"abcd efgh ijkl mnop 中文", "abcd efgh ijkl mnop |中文"},
        {"abcd efgh ijkl mnopq x", "abcd efgh ijkl mnopq |x"},
        {"abcd efgh ijkl mnopq 中", "abcd efgh ijkl mnopq| 中"},
        {"abcd efgh ijkl mnop  中文", "abcd efgh ijkl mnop | 中文"},
        {"中文中文中文中文中文 x", "中文中文中文中文中文 |x"},
        // the next character would end more than two columns past the row: the blanks begin it
        {"abcd efgh ijkl mnopq  x", "abcd efgh ijkl mnopq|  x"},
        {"中文中文中文中文中文 中文", "中文中文中文中文中文| 中文"},
        {"abcd efgh ijkl mnop   x", "abcd efgh ijkl mnop |  x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rows(c.line, 20), c.rows) << c.line;
}

TEST(RowBreaks, ColumnsAndBreaksOfSingleCharacters) {
    EXPECT_EQ(ColumnsOf(U'a'), 1);
    EXPECT_EQ(ColumnsOf(U'中'), 2);
    EXPECT_EQ(ColumnsOf(U'，'), 2);
    EXPECT_EQ(ColumnsOf(U'ｱ'), 1); // half-width katakana
    EXPECT_EQ(ColumnsOf(U'“'), 2); // drawn full width by Chinese faces
    EXPECT_EQ(ColumnsOf(U'…'), 2);
    EXPECT_EQ(ColumnsOf(U'—'), 2);
    EXPECT_EQ(ColumnsOf(U'\u2013'), 1); // the en dash stays narrow
    EXPECT_EQ(ColumnsOf(U'\u2027'), 1);
    EXPECT_EQ(ColumnsOf(U'\U00020000'), 2);
    EXPECT_TRUE(MayBreakBetween(U'中', U'文'));
    EXPECT_TRUE(MayBreakBetween(U'a', U'中'));
    EXPECT_TRUE(MayBreakBetween(U' ', U'a'));
    EXPECT_FALSE(MayBreakBetween(U'a', U'b'));
    EXPECT_FALSE(MayBreakBetween(U'1', U'2'));
    EXPECT_FALSE(MayBreakBetween(U'a', U' '));
    EXPECT_FALSE(MayBreakBetween(U'中', U'。'));
    EXPECT_FALSE(MayBreakBetween(U'《', U'中'));
}

TEST(RowBreaks, MalformedBytesAndTinyWidthsAreRowsToo) {
    // a malformed byte is one character of one column
    // a lead byte whose next bytes do not continue it is one character too, and they are their own
    EXPECT_EQ(Rows("\xe4"
                   "ab",
                   2),
              "\xe4"
              "a|b");
    EXPECT_EQ(Rows("ab\xff"
                   "cd",
                   2),
              "ab|\xff"
              "c|d");
    // fewer than one column still puts a character on each row; a Chinese one alone on a row
    EXPECT_EQ(Rows("abc", 0), "a|b|c");
    EXPECT_EQ(Rows("中文", 1), "中|文");
}

} // namespace
} // namespace qj
