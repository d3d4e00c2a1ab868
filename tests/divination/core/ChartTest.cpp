#include "divination/core/Chart.h"
#include "divination/core/ChartDate.h"
#include "divination/core/Hexagrams.h"
#include "divination/core/Relatives.h"
#include "divination/core/Spirits.h"

#include "common/DateTime.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qj {
namespace {

ChartState Arranged(int upper, int lower, int moving = kNoMovingLine, int dayStem = 1, int dayBranch = 1) {
    ChartState c;
    c.upper = upper;
    c.lower = lower;
    c.movingPosition = moving;
    c.dayStem = dayStem;
    c.dayBranch = dayBranch;
    ArrangeChart(c);
    return c;
}

// Row of the 世 or 应 mark in a column; -1 when absent, -2 when there is more than one.
int RowOf(const ChartColumn& column, std::string_view mark) {
    int found = -1;
    for (int row = 0; row < kChartRows; ++row)
        if (column[row] == mark)
            found = found == -1 ? row : -2;
    return found;
}

TEST(Chart, TianFengGouWithoutMovingLine) {
    const ChartState c = Arranged(1, 5);
    EXPECT_EQ(c.primaryLabel.caption, "天风姤 [乾宫卦属金]");
    EXPECT_EQ(c.changedLabel, c.primaryLabel);
    EXPECT_EQ(c.lines, (ChartColumn{" / ", " / ", " / ", " / ", " / ", "/ /"}));
    EXPECT_EQ(c.najia, (ChartColumn{"壬戌土", "壬申金", "壬午火", "辛酉金", "辛亥水", "辛丑土"}));
    EXPECT_EQ(c.relatives, (ChartColumn{"父母", "兄弟", "官鬼", "兄弟", "子孙", "父母"}));
    EXPECT_EQ(c.shiYing, (ChartColumn{"  ", "  ", "应", "  ", "  ", "世"}));
    EXPECT_EQ(c.changedShiYing, c.shiYing);
    EXPECT_EQ(c.changedNajia, c.najia);
    EXPECT_EQ(c.hiddenNajia, (ChartColumn{"    ", "    ", "    ", "    ", "甲寅木", "    "}));
    EXPECT_EQ(c.hiddenRelatives, (ChartColumn{"      ", "      ", "      ", "      ", "妻财", "      "}));
    EXPECT_FALSE(c.hiddenHintEnabled);
    EXPECT_EQ(c.spirits, (ChartColumn{"玄武", "白虎", "螣蛇", "勾陈", "朱雀", "青龙"}));
    EXPECT_EQ(c.shensha, "驿马[寅] 桃花[酉] 贵人[丑,未] 禄[寅] 羊刃[卯]");
}

TEST(Chart, MovingTopLineOfQianChangesToGuaiReckonedAgainstTheQianPalace) {
    const ChartState c = Arranged(1, 1, 0);
    EXPECT_EQ(c.lines[0], " O ");
    EXPECT_EQ(c.primaryLabel.caption, "乾为天 [乾宫卦属金]");
    EXPECT_EQ(c.changedLabel.caption, "泽天夬 [坤宫卦属土]");
    EXPECT_EQ(c.changedLines, (ChartColumn{"/ /", " / ", " / ", " / ", " / ", " / "}));
    EXPECT_EQ(c.changedNajia, (ChartColumn{"丁未土", "丁酉金", "丁亥水", "甲辰土", "甲寅木", "甲子水"}));
    EXPECT_EQ(c.changedRelatives, (ChartColumn{"父母", "兄弟", "子孙", "父母", "妻财", "子孙"}));
    EXPECT_EQ(c.changedShiYing, (ChartColumn{"  ", "世", "  ", "  ", "应", "  "}));
    EXPECT_EQ(c.shiYing, (ChartColumn{"世", "  ", "  ", "应", "  ", "  "}));
    EXPECT_EQ(c.changedUpper, 2);
    EXPECT_EQ(c.changedLower, 1);
}

TEST(Chart, TrigramZeroIsKunAndOutOfRangeIsRefused) {
    const ChartState zero = Arranged(0, 0);
    EXPECT_EQ(zero.upper, 8);
    EXPECT_EQ(zero.lower, 8);
    EXPECT_EQ(zero.primaryLabel.caption, "坤为地 [坤宫卦属土]");
    for (auto [u, l, m] : {std::tuple{9, 1, 6}, {1, -1, 6}, {1, 1, 7}, {1, 1, -1}}) {
        ChartState c;
        c.upper = u;
        c.lower = l;
        c.movingPosition = m;
        EXPECT_THROW(ArrangeChart(c), std::out_of_range) << u << " " << l << " " << m;
    }
}

TEST(Chart, ToggleMovingTwiceRestoresTheChart) {
    for (int upper = 1; upper <= 8; ++upper) {
        for (int row = 0; row < kChartRows; ++row) {
            ChartState c = Arranged(upper, 9 - upper, 3);
            const ChartState before = c;
            ToggleMoving(c, row);
            EXPECT_NE(c, before);
            EXPECT_EQ(IsYangInPrimary(LineStateAt(c, row)), IsYangInPrimary(LineStateAt(before, row)));
            ToggleMoving(c, row);
            EXPECT_EQ(c, before);
        }
    }
    ChartState c = Arranged(1, 1);
    EXPECT_THROW(ToggleMoving(c, 6), std::out_of_range);
    EXPECT_THROW(ToggleMoving(c, -1), std::out_of_range);
}

// Invariants that hold for a chart with any set of lines: one 世 and one 应 three lines apart in
// both hexagrams, the changed lines are the primary lines with the moving ones turned, the
// changed relatives are reckoned from the primary palace, and a hidden spirit stands exactly
// where the primary hexagram lacks the phase (and so the relative) of the pure hexagram's line.
void CheckInvariants(const ChartState& c) {
    const HexagramPlace primary = FindHexagram(c.upper, c.lower);
    const int palacePhase = PhaseRankOf(TrigramOf(primary.palace).phase);
    for (const ChartColumn* column : {&c.shiYing, &c.changedShiYing}) {
        const int shi = RowOf(*column, "世");
        const int ying = RowOf(*column, "应");
        ASSERT_GE(shi, 0);
        ASSERT_GE(ying, 0);
        EXPECT_EQ(std::abs(shi - ying), 3);
        for (int row = 0; row < kChartRows; ++row)
            if (row != shi && row != ying) {
                EXPECT_EQ((*column)[row], "  ");
            }
    }
    EXPECT_EQ(RowOf(c.shiYing, "世"), kChartRows - ShiLineOf(primary.position));
    EXPECT_EQ(c.changedLabel.caption, HexagramLabel(c.changedUpper, c.changedLower));

    std::set<std::string> primaryRelatives(c.relatives.begin(), c.relatives.end());
    const ChartState pure = [&] {
        ChartState p;
        p.upper = p.lower = primary.palace;
        ArrangeChart(p);
        return p;
    }();
    for (int row = 0; row < kChartRows; ++row) {
        const LineState s = LineStateAt(c, row);
        EXPECT_EQ(c.changedLines[row], StaticMark(IsYangInChanged(s))) << row;
        const int branch = BranchNumberOf(CharacterAt(c.changedNajia[row], 1));
        EXPECT_EQ(c.changedRelatives[row], RelativeOf(branch, palacePhase)) << row;
        const bool missing = primaryRelatives.count(pure.relatives[row]) == 0;
        if (missing) {
            EXPECT_EQ(c.hiddenNajia[row], pure.najia[row]) << row;
            EXPECT_EQ(c.hiddenRelatives[row], pure.relatives[row]) << row;
        } else {
            EXPECT_EQ(c.hiddenNajia[row], "    ") << row;
            EXPECT_EQ(c.hiddenRelatives[row], "      ") << row;
        }
    }
    EXPECT_EQ(c.hiddenHintEnabled, c.hiddenNajia[0] != "    ");
    if (primary.position == 1) {
        EXPECT_EQ(c.hiddenNajia, pure.hiddenNajia);
    }
}

TEST(Chart, EveryTrigramPairAndMovingLineKeepsTheChartInvariants) {
    for (int upper = 1; upper <= 8; ++upper) {
        for (int lower = 1; lower <= 8; ++lower) {
            for (int moving = 0; moving <= kNoMovingLine; ++moving) {
                SCOPED_TRACE(std::to_string(upper) + " " + std::to_string(lower) + " " +
                             std::to_string(moving));
                const ChartState c =
                    Arranged(upper, lower, moving, (upper + moving) % 10 + 1, lower % 12 + 1);
                CheckInvariants(c);
                for (int row = 0; row < kChartRows; ++row)
                    EXPECT_EQ(IsMoving(LineStateAt(c, row)), row == moving);
                if (moving == kNoMovingLine) {
                    EXPECT_EQ(c.changedLabel, c.primaryLabel);
                    EXPECT_EQ(c.changedRelatives, c.relatives);
                }
                for (int line = 1; line <= 6; ++line)
                    EXPECT_EQ(c.spirits[6 - line], SpiritName(SpiritOfLine(c.dayStem, line)));
                if (::testing::Test::HasFailure())
                    return;
            }
        }
    }
}

TEST(Chart, EveryLinePatternKeepsTheChartInvariants) {
    for (int pattern = 0; pattern < 4096; ++pattern) {
        ChartState c;
        std::string primaryBits;
        for (int row = 0; row < kChartRows; ++row) {
            const auto s = static_cast<LineState>((pattern >> (2 * row)) & 3);
            c.lines[row] = LineMark(s);
            primaryBits += IsYangInPrimary(s) ? '1' : '0';
        }
        c.upper = TrigramOfCode(primaryBits.substr(0, 3));
        c.lower = TrigramOfCode(primaryBits.substr(3, 3));
        c.movingPosition = 2; // not used by arranging around given lines
        const ChartColumn given = c.lines;
        ArrangeAroundLines(c);
        SCOPED_TRACE(pattern);
        EXPECT_EQ(c.lines, given);
        EXPECT_EQ(c.movingPosition, 2);
        CheckInvariants(c);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(Chart, DatePanelIsCutFromTheCalendarCaptions) {
    ChartState c;
    c.dayStem = 2;
    c.dayBranch = 10;
    RefreshDatePanel(
        c, {"公历: 2006年 5月 1日", "农历: 丙戌(狗) 四月初四日午时", "丙戌 壬辰 乙酉 癸未 (午未 空)"});
    EXPECT_EQ(c.dates.pillar, "丙戌年 壬辰月 乙酉日 癸未时 (午未 空)");
    EXPECT_EQ(c.dates.lunar, "丙戌(狗) 四月初四日午时");
    EXPECT_EQ(c.dates.gregorian, " 2006年 5月 1日");
    EXPECT_EQ(c.shensha, "驿马[亥] 桃花[午] 贵人[子,申] 禄[卯] 羊刃[寅]");

    // The Gregorian text is 20 bytes from byte 6: 期 straddles byte 25 and is left out, not halved.
    RefreshDatePanel(c, {"公历: 2006年 12月 31日星期日", "农历:", ""});
    EXPECT_EQ(c.dates.gregorian, " 2006年 12月 31日星");
    EXPECT_EQ(c.dates.lunar, "");
    EXPECT_EQ(c.dates.pillar, "年 月 日 时 ");
}

TEST(Chart, ChartDayAndDateTextsFollowTheCalendarDate) {
    ChartState c;
    const DateTimeValue may1 = EncodeDate(2006, 5, 1);
    SetChartDay(c, may1 + 0.75);
    EXPECT_EQ(c.dayStem, 7); // 庚寅
    EXPECT_EQ(c.dayBranch, 3);
    RefreshDatePanel(c, CalendarCaptionsOf(may1, 6));
    EXPECT_EQ(c.dates.pillar, "丙戌年 壬辰月 庚寅日 壬午时 (午未 空)");
    EXPECT_EQ(c.dates.lunar, "丙戌(狗) 四月初四日午时");
    EXPECT_EQ(c.dates.gregorian, " 2006年 5月 1日");
    SetChartDay(c, EncodeDate(1949, 10, 1)); // 甲子
    EXPECT_EQ(c.dayStem, 1);
    EXPECT_EQ(c.dayBranch, 1);
}

} // namespace
} // namespace qj
