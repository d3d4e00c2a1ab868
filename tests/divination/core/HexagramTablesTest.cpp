#include "divination/core/DayStars.h"
#include "divination/core/Hexagrams.h"
#include "divination/core/Relatives.h"
#include "divination/core/Spirits.h"
#include "divination/core/Trigrams.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

namespace qj {
namespace {

// Lines bottom first (index 0 = line 1), true = yang, from the trigram codes (top line first).
std::array<bool, 6> LinesOf(int upper, int lower) {
    std::array<bool, 6> lines{};
    for (int i = 0; i < 3; ++i) {
        lines[2 - i] = TrigramOf(lower).code[i] == '1';
        lines[5 - i] = TrigramOf(upper).code[i] == '1';
    }
    return lines;
}

std::pair<int, int> TrigramsOf(const std::array<bool, 6>& lines) {
    std::string up, low;
    for (int i = 2; i >= 0; --i) {
        low += lines[i] ? '1' : '0';
        up += lines[i + 3] ? '1' : '0';
    }
    return {TrigramOfCode(up), TrigramOfCode(low)};
}

TEST(HexagramTables, WorkedExamplesOfFindHexagramAndLabels) {
    struct Case {
        int upper, lower, index, palace, position, shi, ying;
        const char* label;
    };
    const Case cases[] = {
        {1, 5, 2, 1, 2, 1, 4, "天风姤 [乾宫卦属金]"},
        {8, 8, 57, 8, 1, 6, 3, "坤为地 [坤宫卦属土]"},
        {3, 8, 7, 1, 7, 4, 1, "火地晋 [乾宫卦属金] 游魂"},
        {3, 1, 8, 1, 8, 3, 6, "火天大有 [乾宫卦属金] 归魂"},
        {4, 8, 26, 4, 2, 1, 4, "雷地予 [震宫卦属木]"},
        {2, 1, 62, 8, 6, 5, 2, "泽天夬 [坤宫卦属土]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const HexagramPlace h = FindHexagram(c.upper, c.lower);
        EXPECT_EQ(h, (HexagramPlace{c.index, c.palace, c.position}));
        EXPECT_EQ(ShiLineOf(h.position), c.shi);
        EXPECT_EQ(YingLineOf(c.shi), c.ying);
        EXPECT_EQ(HexagramLabel(c.upper, c.lower), c.label);
    }
}

// The palace order follows from the lines: the pure hexagram, then lines 1..5 changed one after
// another, then line 4 changed back (游魂), then the inner trigram of the palace restored (归魂).
TEST(HexagramTables, PalaceOrderFollowsTheLineChanges) {
    std::set<int> seen;
    for (int palace = 1; palace <= 8; ++palace) {
        std::array<bool, 6> lines = LinesOf(palace, palace);
        for (int position = 1; position <= 8; ++position) {
            if (position >= 2 && position <= 6)
                lines[position - 2] = !lines[position - 2];
            else if (position == 7)
                lines[3] = !lines[3];
            else if (position == 8)
                for (int i = 0; i < 3; ++i)
                    lines[i] = !lines[i];
            const auto [upper, lower] = TrigramsOf(lines);
            SCOPED_TRACE(std::string(HexagramName((palace - 1) * 8 + position)));
            EXPECT_EQ(FindHexagram(upper, lower),
                      (HexagramPlace{(palace - 1) * 8 + position, palace, position}));
            seen.insert(FindHexagram(upper, lower).index);
        }
    }
    EXPECT_EQ(seen.size(), 64u);
}

// Six-clash hexagrams pair lines 1/4, 2/5, 3/6 on clashing branches (子午 丑未 …), six-combine
// hexagrams on combining branches (子丑 寅亥 卯戌 辰酉 巳申 午未). The marks must agree.
TEST(HexagramTables, ClashAndCombineMarksAgreeWithTheNajiaBranches) {
    int clashes = 0, combines = 0;
    for (int upper = 1; upper <= 8; ++upper) {
        for (int lower = 1; lower <= 8; ++lower) {
            const auto inner = NajiaOf(lower, TrigramPlace::Inner);
            const auto outer = NajiaOf(upper, TrigramPlace::Outer);
            bool allClash = true, allCombine = true;
            for (int i = 0; i < 3; ++i) {
                const int a = BranchNumberOf(CharacterAt(inner[i], 1)) - 1;
                const int b = BranchNumberOf(CharacterAt(outer[i], 1)) - 1;
                allClash = allClash && (a - b == 6 || b - a == 6);
                allCombine = allCombine && (a + b) % 12 == 1;
            }
            const std::string& d = HexagramDescription(FindHexagram(upper, lower).index);
            SCOPED_TRACE(d);
            EXPECT_EQ(d.rfind("[六冲卦]", 0) == 0, allClash);
            EXPECT_EQ(d.rfind("[六合卦]", 0) == 0, allCombine);
            clashes += allClash;
            combines += allCombine;
        }
    }
    EXPECT_EQ(clashes, 10);
    EXPECT_EQ(combines, 8);
}

TEST(HexagramTables, DescriptionsNameTheirHexagramAndHintsTheirPalace) {
    EXPECT_EQ(HexagramDescription(1), "[六冲卦]乾为天：乾者，健也，六龙御天之卦，广大包容之象。");
    EXPECT_EQ(HexagramDescription(26), "[六合卦]雷地豫：豫者，悦也，鸾凤生雏之卦，万物发荣之象。");
    EXPECT_EQ(HexagramHint(1, 5), "乾西北 父亲 乾为君兮首与马，[老阳]体至刚；\r\n"
                                  "天风姤：姤者，遇也，风云相济之卦，君臣会合之象。");
    // The hint's first line belongs to the palace, not to the upper or lower trigram: 水天需 is
    // in the 坤 palace.
    EXPECT_EQ(HexagramHint(6, 1).substr(0, HexagramHint(6, 1).find("\r\n")),
              "坤西南 母亲 坤为臣兮腹与牛，[老阴]体至柔；");
    for (int i = 1; i <= 64; ++i) {
        const std::string& d = HexagramDescription(i);
        const std::string name(i == 26 ? "雷地豫" : HexagramName(i));
        SCOPED_TRACE(d);
        EXPECT_NE(d.find(name + "："), std::string::npos);
        EXPECT_EQ(d.substr(d.size() - std::string("之象。").size()), "之象。");
    }
}

TEST(HexagramTables, EveryTrigramCodeNamesOneTrigram) {
    std::set<int> numbers;
    for (const char* code : {"000", "001", "010", "011", "100", "101", "110", "111"})
        numbers.insert(TrigramOfCode(code));
    EXPECT_EQ(numbers, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    for (const char* bad : {"", "11", "1111", "112", "abc"})
        EXPECT_EQ(TrigramOfCode(bad), 0) << bad;
    EXPECT_EQ(TrigramOfCode("011"), 2); // 兑: yin on top
    EXPECT_THROW(TrigramOf(0), std::out_of_range);
    EXPECT_THROW(TrigramOf(9), std::out_of_range);
}

TEST(HexagramTables, NajiaEntriesCarryTheirBranchPhase) {
    for (int t = 1; t <= 8; ++t) {
        for (TrigramPlace place : {TrigramPlace::Inner, TrigramPlace::Outer}) {
            for (std::string_view entry : NajiaOf(t, place)) {
                SCOPED_TRACE(std::string(entry));
                const int branch = BranchNumberOf(CharacterAt(entry, 1));
                ASSERT_NE(branch, 0);
                EXPECT_NE(StemNumberOf(CharacterAt(entry, 0)), 0);
                EXPECT_EQ(PhaseRankOf(CharacterAt(entry, 2)), BranchPhaseRank(branch));
            }
        }
    }
    EXPECT_EQ(NajiaOf(1, TrigramPlace::Inner),
              (std::array<std::string_view, 3>{"甲子水", "甲寅木", "甲辰土"}));
    EXPECT_EQ(NajiaOf(8, TrigramPlace::Outer),
              (std::array<std::string_view, 3>{"癸丑土", "癸亥水", "癸酉金"}));
}

// The relation of the line's phase to the palace's phase, written as the generating and
// controlling cycles rather than as rank arithmetic.
TEST(HexagramTables, RelativesFollowTheFivePhaseRelations) {
    const std::array<std::string_view, 5> generates{"水", "木", "火", "土", "金"}; // by 金 水 木 火 土
    const std::array<std::string_view, 5> controls{"木", "火", "土", "金", "水"};
    const auto rank = [](std::string_view p) { return PhaseRankOf(p); };
    for (int palace = 1; palace <= 5; ++palace) {
        for (int branch = 1; branch <= 12; ++branch) {
            const int line = BranchPhaseRank(branch);
            std::string_view expected;
            if (line == palace)
                expected = "兄弟";
            else if (rank(generates[palace - 1]) == line)
                expected = "子孙";
            else if (rank(controls[palace - 1]) == line)
                expected = "妻财";
            else if (rank(controls[line - 1]) == palace)
                expected = "官鬼";
            else if (rank(generates[line - 1]) == palace)
                expected = "父母";
            EXPECT_EQ(RelativeOf(branch, palace), expected) << PhaseName(palace) << " " << BranchName(branch);
        }
    }
    // Worked examples: 金 palace with 子 寅 午 辰 申; 土 palace with 子.
    EXPECT_EQ(RelativeOf(1, 1), "子孙");
    EXPECT_EQ(RelativeOf(3, 1), "妻财");
    EXPECT_EQ(RelativeOf(7, 1), "官鬼");
    EXPECT_EQ(RelativeOf(5, 1), "父母");
    EXPECT_EQ(RelativeOf(9, 1), "兄弟");
    EXPECT_EQ(RelativeOf(1, 5), "妻财");
}

TEST(HexagramTables, SpiritsStartFromTheDayStemAndCycle) {
    const std::array<const char*, 10> first{"青龙", "青龙", "朱雀", "朱雀", "勾陈",
                                            "螣蛇", "白虎", "白虎", "玄武", "玄武"};
    for (int stem = 1; stem <= 10; ++stem)
        EXPECT_EQ(SpiritName(FirstSpiritOf(stem)), first[stem - 1]) << stem;
    const std::array<const char*, 6> wuDay{"勾陈", "螣蛇", "白虎", "玄武", "青龙", "朱雀"};
    for (int line = 1; line <= 6; ++line)
        EXPECT_EQ(SpiritName(SpiritOfLine(5, line)), wuDay[line - 1]) << line;
    EXPECT_THROW(FirstSpiritOf(0), std::out_of_range);
    EXPECT_THROW(FirstSpiritOf(11), std::out_of_range);
}

TEST(HexagramTables, ShenshaTextOfADay) {
    struct Case {
        int stem, branch;
        const char* text;
    };
    const Case cases[] = {
        {1, 1, "驿马[寅] 桃花[酉] 贵人[丑,未] 禄[寅] 羊刃[卯]"},
        {7, 3, "驿马[申] 桃花[卯] 贵人[寅,马] 禄[申] 羊刃[酉]"},
        {8, 2, "驿马[亥] 桃花[午] 贵人[寅,马] 禄[酉] 羊刃[申]"},
        {10, 12, "驿马[巳] 桃花[子] 贵人[卯,巳] 禄[子] 羊刃[亥]"},
        {4, 8, "驿马[巳] 桃花[子] 贵人[亥,酉] 禄[午] 羊刃[巳]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShenshaText(c.stem, c.branch), c.text);
}

} // namespace
} // namespace qj
