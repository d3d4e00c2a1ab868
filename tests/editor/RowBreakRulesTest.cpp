// Where a wrapped row of Chinese and Latin text may end.

#include "editor/RowBreaks.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>

namespace qj {
namespace {

struct Pair {
    const char32_t* text; // two characters
    bool mayBreak;
};

TEST(RowBreakRules, BetweenTwoCharacters) {
    const Pair cases[] = {
        {U"春眠", true},  {U"眠a", true},  {U"a春", true},  {U"1春", true},   {U"春1", true},
        {U"ab", false},   {U"12", false},  {U"a.", false},  {U"a(", false},   {U"a ", false},
        {U" 春", false},  {U"春 ", false}, {U"春\t", false},
        // Closing punctuation never starts a row, full-width or half-width.
        {U"晓，", false}, {U"鸟。", false}, {U"书、", false}, {U"事；", false}, {U"录：", false},
        {U"吗？", false}, {U"好！", false}, {U"书）", false}, {U"书》", false}, {U"说」", false},
        {U"说』", false}, {U"晓,", false},  {U"鸟.", false},  {U"事;", false},  {U"录:", false},
        {U"吗?", false},  {U"好!", false},  {U"书)", false},  {U"鸟｡", false},  {U"书､", false},
        {U"说｣", false},  {U"。」", false},
        // Opening punctuation never ends a row.
        {U"（书", false}, {U"《书", false}, {U"「说", false}, {U"『说", false}, {U"(书", false},
        {U"｢说", false},  {U"（《", false},
        // Punctuation that neither opens nor closes stays breakable beside CJK.
        {U"，春", true},  {U"。（", true},  {U"书-", true},   {U"）春", true},
        // The edges of the CJK blocks.
        {U"\u4E00a", true}, {U"\u9FFFa", true}, {U"\uA000a", false}, {U"\u2E7Fa", false},
        {U"\u2E80a", true}, {U"\uFF01a", true}, {U"\uFFEFa", true},  {U"\uFFF0a", false},
        {U"\U00020000a", true}, {U"\U0003FFFFa", true}, {U"\U00040000a", false}, {U"\uAC00a", true},
    };
    for (const Pair& c : cases) {
        const std::u32string_view pair(c.text);
        ASSERT_EQ(pair.size(), 2u);
        EXPECT_EQ(MayBreakBetween(pair[0], pair[1]), c.mayBreak)
            << QString::fromUcs4(pair.data(), 2).toStdString();
    }
}

// The styles of a line, one letter per character: where the letter changes a row may end.
std::string StylesPerCharacter(const QString& line) {
    const QByteArray utf8 = line.toUtf8();
    const std::vector<char> styles = RowBreakStyles(std::string_view(utf8.constData(), utf8.size()));
    EXPECT_EQ(styles.size(), static_cast<size_t>(utf8.size()));
    std::string out;
    size_t at = 0;
    for (const uint code : line.toUcs4()) {
        const auto c = static_cast<char32_t>(code);
        const size_t length = QString::fromUcs4(&c, 1).toUtf8().size();
        for (size_t i = 1; i < length; ++i)
            EXPECT_EQ(styles[at + i], styles[at]) << "one character, one style: " << at;
        out += styles[at] ? 'B' : 'A';
        at += length;
    }
    return out;
}

TEST(RowBreakRules, StylesChangeExactlyWhereARowMayEnd) {
    const struct {
        const char* line;
        const char* styles;
    } cases[] = {
        {"", ""},
        {"abc def", "AAAAAAA"},
        {"00001 春眠不觉晓，", "AAAAAAABABAA"},
        {"春眠Qingjian2026年", "ABAAAAAAAAAAAAB"},
        {"（《书》）读", "AAAAAB"},
        {"说「好」。x", "ABBBBA"},
        {"a 春 b", "AAAAA"},
        {"𠀀𠀁", "AB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StylesPerCharacter(QString::fromUtf8(c.line)), c.styles) << c.line;
}

TEST(RowBreakRules, MalformedBytesAreCharactersOfTheirOwn) {
    // A lone lead byte, a cut sequence at the end, a stray continuation byte: one style each
    // position, nothing read past the line.
    for (const std::string& line : {std::string("\xE6") + "春", std::string("春\xE6\x98"), std::string("a\x80春")}) {
        const std::vector<char> styles = RowBreakStyles(line);
        EXPECT_EQ(styles.size(), line.size());
    }
    const std::string cut = "春\xE6\x98";
    const std::vector<char> styles = RowBreakStyles(cut);
    EXPECT_EQ(styles[3], styles[4]) << "the cut bytes are no CJK: no break between them";
    EXPECT_NE(styles[2], styles[3]) << "a row may end after 春, before the first cut byte";
}

} // namespace
} // namespace qj
