// Matching beyond the plain substring: several words, simplified and traditional alike, titles by
// their readings; each only with its option.
#include "store/SearchQuery.h"
#include "store/HanReadings.h"
#include "store/HanVariants.h"
#include "store/SearchSnippet.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

TEST(SearchQueryWords, SplitAtBlanksAndKeepQuotedPhrases) {
    struct Case {
        const char* text;
        QStringList words;
    } cases[] = {
        {"资料 笔记", {"资料", "笔记"}},
        {"  a\tb　c ", {"a", "b", "c"}}, // ideographic blank too
        {"\"big data\" 表", {"big data", "表"}},
        {"“学习 笔记”x", {"学习 笔记", "x"}},
        {"\"open to the end", {"open to the end"}},
        {"\"\"", {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QueryWords(QString::fromUtf8(c.text)), c.words) << c.text;
}

// Each option on and off, on titles or texts: the same query and text either match or not.
TEST(SearchQueryMatch, EachOptionOnlyWhenOn) {
    constexpr SearchOptions kNone{}, kWords{true, false, false}, kVariants{false, true, false},
        kPinyin{false, false, true}, kAll{true, true, true};
    struct Case {
        const char* query;
        const char* text;
        SearchOptions options;
        bool titles;
        bool found;
    } cases[] = {
        {"资料 笔记", "笔记里的资料", kNone, false, false},
        {"资料 笔记", "笔记里的资料", kWords, false, true},
        {"资料 笔记", "只有资料", kWords, false, false},
        {"资料 笔记", "资料 笔记", kNone, false, true},
        {"\"资料 笔记\"", "笔记 资料", kWords, false, false},
        {"\"资料 笔记\"", "有资料 笔记", kWords, false, true},
        {"资料", "資料", kNone, false, false},
        {"资料", "資料", kVariants, false, true},
        {"資料", "资料", kVariants, false, true},
        {"資料 書", "资料和书", kAll, false, true},
        {"DATA 資", "big data 资", kAll, false, true},
        {"后来", "後來", kVariants, false, true},
        {"后来", "後來", kNone, false, false},
        {"發", "头发", kVariants, false, true}, // 髮 and 發 both fold to 发
        {"料", "資料", kVariants, false, true},
        {"biji", "笔记", kNone, true, false},
        {"biji", "笔记", kPinyin, true, true},
        {"biji", "笔记", kPinyin, false, false}, // texts are never matched by readings
        {"bj", "我的笔记本", kPinyin, true, true},
        {"BiJ", "笔记", kPinyin, true, true},
        {"bi ji", "笔记", kPinyin, true, true},
        {"jb", "笔记", kPinyin, true, false},
        {"zhongqing", "重庆", kPinyin, true, true}, // any reading of a polyphone
        {"zhangqing", "重庆", kPinyin, true, false},
        {"chongqing", "重庆", kPinyin, true, true}, // 重: zhong or chong
        {"zhongyao", "重要", kPinyin, true, true},
        {"zhq", "重庆", kPinyin, true, true},
        {"shq", "重庆", kPinyin, true, false},
        {"chq", "重庆", kPinyin, true, true}, // a two-letter initial
        {"lvse", "绿色", kPinyin, true, true},
        {"luse", "绿色", kPinyin, true, true},
        {"qtbj", "Qt笔记", kPinyin, true, true},
        {"hangjia", "行家", kPinyin, true, true},
        {"xingdong", "行动", kPinyin, true, true},
        {"shu", "書", kPinyin, true, true},      // a traditional character has its reading
        {"yan", "𠀋", kPinyin, true, false},     // a rare character of the second plane has none
        {"he", "𠀀", kPinyin, true, true},       // another has one
        {"biji1", "笔记", kPinyin, true, false}, // not a pinyin query
        {"笔记", "筆記", kAll, true, true},
        {"biji", "笔 记", kPinyin, true, false},   // characters in a row
        {"bijiben", "笔记", kPinyin, true, false}, // more than the title spells
    };
    for (const Case& c : cases) {
        const TextMatch match = BuildMatch(QString::fromUtf8(c.query), c.options, c.titles);
        EXPECT_EQ(Matches(match, c.text), c.found)
            << c.query << " / " << c.text << " words " << c.options.words << " variants "
            << c.options.variants << " pinyin " << c.options.pinyin << " titles " << c.titles;
    }
    // Off, the match is the plain one: the text itself as its one anchor, nothing more to check.
    const TextMatch plain = BuildMatch(QStringLiteral("资料 笔记"), kNone, true);
    EXPECT_EQ(plain.anchors, std::vector<std::string>{"资料 笔记"});
    EXPECT_FALSE(plain.verify);
}

TEST(SearchQueryVariants, FoldToSimplifiedKeepingLengthAndOtherBytes) {
    EXPECT_EQ(FoldHanVariants(QStringLiteral("資料與書 ABC")), QStringLiteral("资料与书 ABC"));
    EXPECT_EQ(FoldHanVariants(std::string_view("資料與書 ABC")), "资料与书 ABC");
    const std::string broken = "\xE8\xB3\x87\xE8\xB3"; // 資 and the start of another character
    EXPECT_EQ(FoldHanVariants(std::string_view(broken)), "\xE8\xB5\x84\xE8\xB3");
    EXPECT_EQ(FoldHanVariants(std::string_view("\xE8\x41\x42")), "\xE8\x41\x42");
    EXPECT_EQ(FoldHanVariants(std::string_view("\xE8\xB3\x07")), "\xE8\xB3\x07"); // not 資 cut short
    EXPECT_EQ(FoldHanVariants(std::string_view("𠁞x")), "𠀾x"); // the second plane has forms too
    EXPECT_TRUE(HasHanVariant(U'资'));
    EXPECT_TRUE(HasHanVariant(U'資'));
    EXPECT_FALSE(HasHanVariant(U'料'));
    EXPECT_EQ(LongestRunWithoutVariants({QStringLiteral("资料"), QStringLiteral("a中文b")}),
              QStringLiteral("a中文b"));
    EXPECT_EQ(LongestRunWithoutVariants({QStringLiteral("資")}), QString());
}

TEST(SearchQueryReadings, PolyphonesAndQueries) {
    EXPECT_EQ(ReadingsOf(U'重'), (std::vector<std::string_view>{"zhong", "chong"}));
    EXPECT_TRUE(ReadingsOf(U'a').empty());
    EXPECT_TRUE(IsPinyinQuery(QStringLiteral("Bi ji'ben")));
    EXPECT_FALSE(IsPinyinQuery(QStringLiteral(" '")));
    EXPECT_FALSE(IsPinyinQuery(QStringLiteral("bi-ji")));
    EXPECT_EQ(PinyinQueryLetters(QStringLiteral("Bi ji'ben")), "bijiben");
    EXPECT_FALSE(MatchesByReadings("笔记", ""));
}

TEST(SearchSnippet, AroundTheFirstOccurrenceWithEveryWordMarked) {
    const QString before(20, QChar(0x4E00)); // 一 × 20
    struct Case {
        QString text;
        QStringList words;
        bool variants;
        QString shown;
        std::vector<TextRange> marks;
    } cases[] = {
        {before + QStringLiteral("资料\r\n資料 and DATA"),
         {QStringLiteral("资料"), QStringLiteral("data")},
         true,
         QString(12, QChar(0x4E00)) + QStringLiteral("资料  資料 and DATA"),
         {{12, 2}, {16, 2}, {23, 4}}},
        {before + QStringLiteral("资料"),
         {QStringLiteral("资料")},
         false,
         QString(12, QChar(0x4E00)) + QStringLiteral("资料"),
         {{12, 2}}},
        {QStringLiteral("ab资料"), {QStringLiteral("资料")}, false, QStringLiteral("ab资料"), {{2, 2}}},
        {QStringLiteral("無關"), {QStringLiteral("资料")}, true, QStringLiteral("無關"), {}},
        {QString(100, QChar(0x4E00)),
         {QStringLiteral("x")},
         false,
         QString(kSnippetLength, QChar(0x4E00)),
         {}},
    };
    for (const Case& c : cases) {
        const Snippet s = SnippetAround(c.text, c.words, c.variants);
        EXPECT_EQ(s.text, c.shown) << c.text.toStdString();
        EXPECT_EQ(s.marks, c.marks) << c.text.toStdString();
    }
    // A character of the second plane is never cut in half at the start.
    const QString wide = QString::fromUcs4(U"𠀀") + QString(11, QChar(0x4E00)) + QStringLiteral("资");
    EXPECT_EQ(SnippetAround(wide, {QStringLiteral("资")}, false).text, wide);
    // Overlapping words: the longer one at the same place, then on after it.
    EXPECT_EQ(
        WordOccurrences(QStringLiteral("资料资"), {QStringLiteral("资"), QStringLiteral("资料")}, false),
        (std::vector<TextRange>{{0, 2}, {2, 1}}));
}

} // namespace
} // namespace qj
