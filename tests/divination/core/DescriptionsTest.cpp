#include "divination/core/Descriptions.h"
#include "divination/core/Relatives.h"
#include "divination/core/Spirits.h"

#include "common/Gbk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qj {
namespace {

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    for (size_t at; (at = text.find(separator)) != std::string_view::npos;
         text.remove_prefix(at + separator.size()))
        parts.emplace_back(text.substr(0, at));
    parts.emplace_back(text);
    return parts;
}

TEST(Descriptions, RelativesOpenWithTheirChangeVerseAndHeading) {
    for (int rank = 1; rank <= 5; ++rank) {
        const std::string name(RelativeName(rank));
        const std::vector<std::string> parts = Split(RelativeDescription(rank), "\r\r\n");
        SCOPED_TRACE(name);
        ASSERT_EQ(parts.size(), 2u);
        // Six clauses; the last five changes name each of the other four relatives once.
        const std::vector<std::string> clauses = Split(parts[0], "，");
        ASSERT_EQ(clauses.size(), 6u);
        EXPECT_EQ(clauses[5].substr(clauses[5].size() - std::string("。").size()), "。");
        int others = 0;
        for (int i = 2; i < 6; ++i)
            others += clauses[i].rfind("化", 0) == 0;
        EXPECT_EQ(others, 4);
        const std::vector<std::string> body = Split(parts[1], "\r\n");
        ASSERT_GE(body.size(), 3u);
        EXPECT_EQ(body[0], name + "爻");
        EXPECT_NE(body[1].find("用神"), std::string::npos);
        EXPECT_TRUE(IsValidUtf8(RelativeDescription(rank)));
    }
    EXPECT_EQ(Split(RelativeDescription(1), "\r\r\n")[0],
              "兄弟化兄弟，凡占无所利，化父父忧惊，化财财未遂，化官身有灾，化子却如意。");
    EXPECT_EQ(RelativeDescription(4).rfind("官化官为禄，求官宜疾速，", 0), 0u);
}

TEST(Descriptions, SpiritsHaveHeadingParagraphFiveItemsAndClosingLine) {
    for (int n = 1; n <= 6; ++n) {
        const std::string name(SpiritName(n));
        const std::string heading = n == 4 ? "腾蛇：" : name + "：";
        SCOPED_TRACE(name);
        const std::vector<std::string> parts = Split(SpiritDescription(n), "\r\r\n");
        ASSERT_EQ(parts.size(), 3u);
        const std::vector<std::string> head = Split(parts[0], "\r\n");
        ASSERT_EQ(head.size(), 2u);
        EXPECT_EQ(head[0], heading);
        EXPECT_EQ(head[1].rfind("　　", 0), 0u); // indented paragraph
        const std::vector<std::string> items = Split(parts[1], "\r\n");
        ASSERT_EQ(items.size(), 5u);
        const char* relatives[] = {"官鬼", "父母", "兄弟", "妻财", "子孙"};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(
                items[i].rfind(" (" + std::to_string(i + 1) + ")" + name + "临" + relatives[i] + "爻，", 0),
                0u)
                << items[i];
        EXPECT_EQ(parts[2].rfind("  " + name + "持世，", 0), 0u);
    }
}

TEST(Descriptions, NajiaTooltipJoinsStemBranchAndPhase) {
    EXPECT_EQ(NajiaDescription("甲子水"), "甲为头、胆、大树、栋梁之材，颜色为青碧；甲、乙--东方--木"
                                          "\r\r\n子合丑,申子辰合水局；子午相冲；子刑卯为无礼之刑；"
                                          "\r\r\n水[1,6]:长生在申,旺在子,墓在辰,绝在巳"
                                          "\r\n-- 方向北 冬 寒 藏 肾 膀胱 耳 骨 恐 黑色 咸味 呻声");
    // Branches that share a punishment cycle share its second line.
    for (int b : {2, 8, 11})
        EXPECT_NE(std::string(BranchDescription(b)).find("\r\n丑刑未、未刑戌、戌刑丑"), std::string::npos)
            << b;
    for (int b : {3, 6, 9})
        EXPECT_NE(std::string(BranchDescription(b)).find("\r\n寅刑巳、巳刑申、申刑寅"), std::string::npos)
            << b;
    EXPECT_EQ(NajiaDescription("甲子"), "");
    EXPECT_EQ(NajiaDescription("    "), "");
    EXPECT_EQ(PhaseDescription(5).substr(0, PhaseDescription(5).find("\r\n")),
              "土[5,0]:长生在申,旺在子,墓在辰,绝在巳");
}

} // namespace
} // namespace qj
