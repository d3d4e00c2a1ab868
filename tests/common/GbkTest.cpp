#include "common/Gbk.h"

#include <gtest/gtest.h>

using namespace qj;

TEST(Gbk, ByteLengthCountsTwoPerChineseCharacter) {
    EXPECT_EQ(GbkByteLength(""), 0);
    EXPECT_EQ(GbkByteLength("abc"), 3);
    EXPECT_EQ(GbkByteLength("丙戌 壬辰"), 9);
    EXPECT_EQ(GbkByteLength("农历: 正月初一"), 14);
}

TEST(Gbk, CopyTakesBytePositionsWithoutSplittingCharacters) {
    const std::string pillar = "丙戌 壬辰 乙酉 癸未 (午未 空)";
    struct Case {
        int start, count;
        const char* expected;
    };
    const Case cases[] = {
        {1, 4, "丙戌"},       {6, 4, "壬辰"},  {11, 4, "乙酉"}, {16, 4, "癸未"},
        {21, 9, "(午未 空)"}, {2, 4, "戌 "},   {1, 3, "丙"},    {1, 0, ""},
        {30, 5, ""},          {0, 3, "丙"},    {5, 200, " 壬辰 乙酉 癸未 (午未 空)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GbkCopy(pillar, c.start, c.count), c.expected) << c.start << '+' << c.count;
    EXPECT_EQ(GbkLeft("ab中文", 3), "ab");
}

TEST(Gbk, ConversionRoundTripsAndFallsBack) {
    const std::string text = "青简札记 abc\r\n正月立春";
    const std::string gbk = Utf8ToGbk(text);
    EXPECT_EQ(static_cast<int>(gbk.size()), GbkByteLength(text));
    EXPECT_EQ(gbk.substr(0, 2), "\xC7\xE0"); // 青
    EXPECT_EQ(GbkToUtf8(gbk), text);
    // A character GBK lacks becomes '?' on the way out.
    EXPECT_EQ(Utf8ToGbk("a\xF0\x9F\x98\x80z"), "a?z");
    // A GB18030 four-byte sequence GBK refuses still decodes.
    EXPECT_EQ(GbkToUtf8("x\x81\x30\x81\x30y"), "x\xC2\x80y");
}

TEST(Gbk, StrictUtf8Check) {
    EXPECT_TRUE(IsValidUtf8("纯文本 plain"));
    EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));
    EXPECT_FALSE(IsValidUtf8("\xC7\xE0")); // GBK 青
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF")); // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE4\xB8")); // truncated
}
