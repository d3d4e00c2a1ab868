#include "divination/core/Casting.h"
#include "divination/core/ChartDate.h"
#include "divination/core/Hexagrams.h"

#include <gtest/gtest.h>

#include <string>

namespace qj {
namespace {

ChartState OpeningChart() {
    ChartState c;
    ArrangeChart(c);
    return c;
}

// The moving row of a chart, or 6 when no line moves.
int MovingRow(const ChartState& c) {
    for (int row = 0; row < kChartRows; ++row)
        if (IsMoving(LineStateAt(c, row)))
            return row;
    return kNoMovingLine;
}

TEST(Casting, TimeCastingFromTheCalendarDateAndHour) {
    struct Case {
        const char* what;
        TimeVariant variant;
        DateTimeValue date;
        int hourIndex;
        int upper, lower, moving;
        const char* method;
    };
    const Case cases[] = {
        // 丙 year, 四月初九, 子 hour: 3 + 4 + 9 = 16, + 1 = 17.
        {"sum 16 and hour 1", TimeVariant::YearStem, EncodeDate(2006, 5, 6), 0, 8, 1, 5, "时间起卦[年干]"},
        // 戌 year, 四月初四, no hour: 11 + 4 + 4 = 19; remainder 1 moves line 5.
        {"remainder 1", TimeVariant::YearBranch, EncodeDate(2006, 5, 1), -1, 3, 3, 1, "时间起卦[年支]"},
        // Before the instant of 立春 (06:01) the year is still 乙酉: 2 + 1 + 7.
        {"before 立春", TimeVariant::YearStem, EncodeDateTime(2006, 2, 4, 0, 0, 0), -1, 2, 2, 4,
         "时间起卦[年干]"},
        {"after 立春", TimeVariant::YearStem, EncodeDateTime(2006, 2, 4, 12, 0, 0), -1, 3, 3, 5,
         "时间起卦[年干]"},
        // 闰七月初十 counts as month 7: 11 + 7 + 10 = 28, + 12 (亥) = 40.
        {"leap month", TimeVariant::YearBranch, EncodeDate(2006, 9, 2), 11, 4, 8, 4, "时间起卦[年支]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CastResult r = CastByTime(OpeningChart(), c.variant, c.date, c.hourIndex);
        EXPECT_EQ(r.chart.upper, c.upper);
        EXPECT_EQ(r.chart.lower, c.lower);
        EXPECT_EQ(r.chart.movingPosition, c.moving);
        EXPECT_EQ(MovingRow(r.chart), c.moving);
        EXPECT_EQ(r.method, c.method);
    }
}

TEST(Casting, TimeCastingTakesTheDayAndTheDateTexts) {
    const CastResult r = CastByTime(OpeningChart(), TimeVariant::YearStem, EncodeDate(2006, 5, 6), 0);
    EXPECT_EQ(r.chart.primaryLabel.caption, "地天泰 [坤宫卦属土]");
    EXPECT_EQ(r.chart.lines[5], " O ");
    EXPECT_EQ(r.chart.dayStem, 2); // 乙未
    EXPECT_EQ(r.chart.dayBranch, 8);
    EXPECT_EQ(r.chart.spirits[5], "青龙");
    EXPECT_EQ(r.chart.dates.pillar, "丙戌年 癸巳月 乙未日 丙子时 (辰巳 空)");
    EXPECT_EQ(r.chart.dates.lunar, "丙戌(狗) 四月初九立夏日子时");
    EXPECT_EQ(r.chart.shensha, "驿马[巳] 桃花[子] 贵人[子,申] 禄[卯] 羊刃[寅]");
}

TEST(Casting, TimeCastingRefusesWhatTheCalendarCannotShow) {
    EXPECT_THROW(CastByTime(OpeningChart(), TimeVariant::YearStem, EncodeDate(2006, 5, 1), 12), CastingError);
    EXPECT_THROW(CastByTime(OpeningChart(), TimeVariant::YearStem, EncodeDate(2006, 5, 1), -2), CastingError);
    EXPECT_THROW(CastByTime(OpeningChart(), TimeVariant::YearStem, EncodeDate(1900, 12, 31), 0),
                 CastingError);
    EXPECT_THROW(CastByTime(OpeningChart(), TimeVariant::YearBranch, EncodeDate(2051, 1, 1), 0),
                 CastingError);
}

TEST(Casting, NumberCastingTrigramsAndMovingLine) {
    struct Case {
        const char* first;
        const char* second;
        bool addHour;
        int clockHour;
        int upper, lower, moving;
        const char* changed;
    };
    const Case cases[] = {
        {"9", "1", false, 0, 1, 1, 2, "风天小畜 [巽宫卦属木]"},
        {"8", "16", false, 0, 8, 8, 0, "山地剥 [乾宫卦属金]"},
        {"8", "16", true, 23, 8, 8, 1, "水地比 [坤宫卦属土] 归魂"}, // hour number 13
        {"0009", "01", false, 0, 1, 1, 2, "风天小畜 [巽宫卦属木]"},
        {"2147483647", "+3", false, 0, 7, 3, 4, nullptr},
        {"-0", "0", false, 0, 8, 8, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + "/" + c.second);
        const CastResult r = CastByNumbers(OpeningChart(), c.first, c.second, c.addHour, c.clockHour);
        EXPECT_EQ(r.chart.upper, c.upper);
        EXPECT_EQ(r.chart.lower, c.lower);
        EXPECT_EQ(r.chart.movingPosition, c.moving);
        EXPECT_EQ(MovingRow(r.chart), c.moving);
        if (c.changed) {
            EXPECT_EQ(r.chart.changedLabel.caption, c.changed);
        }
        EXPECT_EQ(r.method, std::string("数字起卦[") + c.first + "/" + c.second + "]");
    }
}

TEST(Casting, NumberCastingAddsTheHourNumber) {
    // Both remainders 0, so the moving row is the hour number mod 6.
    const int hourNumber[24] = {1, 2, 2, 3, 3, 4,  4,  5,  5,  6,  6,  7,
                                7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13};
    for (int h = 0; h < 24; ++h) {
        const CastResult r = CastByNumbers(OpeningChart(), "8", "8", true, h);
        EXPECT_EQ(r.chart.movingPosition, hourNumber[h] % 6) << h;
        EXPECT_EQ(CastByNumbers(OpeningChart(), "8", "8", false, h).chart.movingPosition, 0) << h;
    }
    EXPECT_EQ(CastByNumbers(OpeningChart(), "12", "35", false, 0, "报数起卦").method, "报数起卦[12/35]");
}

// Each refusal names the field and says what is wrong with what was typed there.
TEST(Casting, NumberCastingRefusesWhatIsNoCount) {
    const struct {
        const char* first;
        const char* second;
        const char* refusal;
    } cases[] = {
        {"1.5", "2", "first number '1.5' is not a valid integer value"},
        {"", "2", "first number '' is not a valid integer value"},
        {"2", "", "second number '' is not a valid integer value"},
        {"abc", "1", "first number 'abc' is not a valid integer value"},
        {" 9", "1", "first number ' 9' is not a valid integer value"},
        {"+", "1", "first number '+' is not a valid integer value"},
        {"-", "1", "first number '-' is not a valid integer value"},
        {"+-1", "1", "first number '+-1' is not a valid integer value"},
        {"-1.5", "1", "first number '-1.5' is not a valid integer value"},
        {"2147483648", "1", "first number '2147483648' is larger than 2147483647"},
        {"1", "99999999999", "second number '99999999999' is larger than 2147483647"},
        {"-5", "1", "first number '-5' is negative"},
        {"-8", "8", "first number '-8' is negative"}, // even where the remainder would be 0
        {"1", "-9", "second number '-9' is negative"},
        {"-99999999999", "1", "first number '-99999999999' is negative"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + "/" + c.second);
        try {
            CastByNumbers(OpeningChart(), c.first, c.second, false, 0);
            ADD_FAILURE() << "taken";
        } catch (const CastingError& e) {
            EXPECT_STREQ(e.what(), c.refusal);
        }
    }
    EXPECT_THROW(CastByNumbers(OpeningChart(), "1", "1", true, 24), CastingError);
    EXPECT_THROW(CastByNumbers(OpeningChart(), "1", "1", true, -1), CastingError);
}

TEST(Casting, CoinCastingKeepsTheTossedLinesAndTheDate) {
    ChartState before = OpeningChart();
    before.movingPosition = 3;
    before.dayStem = 5;
    before.dates.lunar = "kept";

    const CastResult yang = CastByCoins(before, {" / ", " / ", " / ", " / ", " / ", " / "});
    EXPECT_EQ(yang.method, "手摇起卦");
    EXPECT_EQ(yang.chart.primaryLabel.caption, "乾为天 [乾宫卦属金]");
    EXPECT_EQ(yang.chart.changedLabel, yang.chart.primaryLabel);
    EXPECT_EQ(MovingRow(yang.chart), kNoMovingLine);
    EXPECT_EQ(yang.chart.movingPosition, 3);
    EXPECT_EQ(yang.chart.dates.lunar, "kept");
    EXPECT_EQ(yang.chart.spirits[5], "勾陈");

    const CastResult mixed = CastByCoins(before, {" X ", " / ", "/ /", " O ", " / ", "/ /"});
    EXPECT_EQ(mixed.chart.lines, (ChartColumn{" X ", " / ", "/ /", " O ", " / ", "/ /"}));
    EXPECT_EQ(mixed.chart.primaryLabel.caption, "水风井 [震宫卦属木]");
    EXPECT_EQ(mixed.chart.changedLabel.caption, "风水涣 [离宫卦属火]");
    EXPECT_EQ(mixed.chart.upper, 6);
    EXPECT_EQ(mixed.chart.lower, 5);

    EXPECT_THROW(CastByCoins(before, {" / ", " / ", "/  ", " / ", " / ", " / "}), CastingError);
    EXPECT_THROW(CastByCoins(before, {" / ", " / ", "", " / ", " / ", " / "}), CastingError);
}

TEST(Casting, SpecifiedCastingFromTheComboTexts) {
    const ChartState start = OpeningChart();

    const CastResult both = CastSpecified(start, "1 乾天", "5 巽风", "6爻", "手摇起卦");
    EXPECT_TRUE(both.arranged);
    EXPECT_EQ(both.method, "指定起卦");
    EXPECT_EQ(both.chart.primaryLabel.caption, "天风姤 [乾宫卦属金]");
    EXPECT_EQ(both.chart.movingPosition, 0);
    EXPECT_EQ(both.chart.lines[0], " O ");

    const CastResult bottom = CastSpecified(start, "0", "8 坤地", "1爻", "");
    EXPECT_EQ(bottom.chart.primaryLabel.caption, "坤为地 [坤宫卦属土]");
    EXPECT_EQ(MovingRow(bottom.chart), 5);

    const CastResult noMoving = CastSpecified(both.chart, "1", "5", "", "x");
    EXPECT_EQ(noMoving.chart.movingPosition, kNoMovingLine);
    EXPECT_EQ(MovingRow(noMoving.chart), kNoMovingLine);

    // Only the upper trigram: stored, nothing arranged, the method stays.
    const CastResult upperOnly = CastSpecified(start, "3 离火", "", "", "手摇起卦");
    EXPECT_FALSE(upperOnly.arranged);
    EXPECT_EQ(upperOnly.method, "手摇起卦");
    EXPECT_EQ(upperOnly.chart.upper, 3);
    EXPECT_EQ(upperOnly.chart.primaryLabel, start.primaryLabel);
    EXPECT_EQ(upperOnly.chart.lines, start.lines);

    // Every pair of combo items names its trigrams; every moving item its row.
    const std::vector<std::string> items = TrigramComboItems();
    ASSERT_EQ(items.size(), 9u);
    EXPECT_EQ(items[3], "4 震雷");
    for (int u = 1; u <= 8; ++u) {
        for (int m = 0; m < 7; ++m) {
            const CastResult r = CastSpecified(start, items[u - 1], items[8 - u], kMovingComboItems[m], "");
            EXPECT_EQ(r.chart.primaryLabel.caption, HexagramLabel(u, 9 - u));
            EXPECT_EQ(MovingRow(r.chart), m);
        }
    }

    for (auto [u, l, m] : {std::tuple{"9 ", "1", ""},
                           {"乾", "1", ""},
                           {"1", "x", ""},
                           {"1", "1", "7爻"},
                           {"1", "1", "爻"},
                           {"-1", "1", ""}}) {
        EXPECT_THROW(CastSpecified(start, u, l, m, ""), CastingError) << u << "|" << l << "|" << m;
    }
}

} // namespace
} // namespace qj
