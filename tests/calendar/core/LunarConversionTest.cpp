#include "calendar/core/DateCn.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

using namespace qj;

namespace {

struct YMD {
    int y, m, d;
};

DateTimeValue Day(YMD d) {
    return EncodeDate(d.y, d.m, d.d);
}

// Lunar months where the two tables disagree on a month's start or length.
bool InDisagreementMonth(int lunarYear, int signedMonth) {
    static const std::set<std::pair<int, int>> months = {{1906, 3}, {1906, 4}, {1914, 10},
                                                         {1989, 7}, {2013, 4}, {2013, 5}};
    return months.count({lunarYear, signedMonth}) > 0;
}

} // namespace

TEST(LunarConversion, SolarDatesGiveTheirLunarCodeAndText) {
    struct Case {
        YMD date;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {{1901, 1, 1}, 1111, "冬月十一"},      {{1901, 2, 19}, 101, "正月初一"},
        {{2000, 2, 5}, 101, "正月初一"},       {{2050, 12, 31}, 1118, "冬月十八"},
        {{2006, 5, 1}, 404, "四月初四"},       {{2004, 3, 21}, -201, "闰二月初一"},
        {{2034, 1, 1}, -1111, "闰冬月十一"},   {{1984, 11, 23}, -1001, "闰十月初一"},
        {{2008, 1, 8}, 1201, "蜡月初一"},      {{2006, 1, 15}, 1216, "蜡月十六"},
        {{2033, 12, 22}, -1101, "闰冬月初一"},
    };
    for (const auto& c : cases) {
        const DateTimeValue v = Day(c.date);
        SCOPED_TRACE(std::to_string(c.date.y) + "-" + std::to_string(c.date.m) + "-" +
                     std::to_string(c.date.d));
        EXPECT_EQ(LunarCodeOf(v), c.code);
        EXPECT_EQ(LunarMonthOf(v), c.code / 100);
        EXPECT_EQ(LunarDayOf(v), std::abs(c.code) % 100);
        EXPECT_EQ(LunarDateText(v), c.text);
        // The time of day changes nothing.
        EXPECT_EQ(LunarCodeOf(v + 0.99), c.code);
    }
}

TEST(LunarConversion, DatesOutsideTheTableHaveNoLunarDate) {
    for (const YMD d : {YMD{1900, 12, 31}, YMD{2051, 1, 1}, YMD{1850, 6, 1}}) {
        const DateTimeValue v = Day(d);
        EXPECT_EQ(LunarCodeOf(v), 0);
        EXPECT_EQ(LunarMonthOf(v), 0);
        EXPECT_EQ(LunarDayOf(v), 0);
        EXPECT_EQ(LunarYearOf(v), d.y);
        EXPECT_EQ(LunarDateText(v), "");
    }
}

TEST(LunarConversion, LunarYearFollowsTheLunarNewYear) {
    struct Case {
        YMD date;
        int year;
    };
    const Case cases[] = {
        {{2006, 1, 15}, 2005}, {{2006, 2, 10}, 2006}, {{2004, 3, 25}, 2004},
        {{2034, 1, 10}, 2033}, {{2006, 1, 28}, 2005}, {{2006, 1, 29}, 2006},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LunarYearOf(Day(c.date)), c.year) << c.date.y << '-' << c.date.m << '-' << c.date.d;
}

TEST(LunarConversion, LunarDatesConvertToSolarDates) {
    struct Case {
        int year, month, day;
        YMD solar;
    };
    const Case cases[] = {
        {2006, 1, 1, {2006, 1, 29}},    {2006, -7, 1, {2006, 8, 24}},  {2006, 7, 1, {2006, 7, 25}},
        {2033, -11, 1, {2033, 12, 22}}, {1901, 1, 1, {1901, 2, 19}},   {2099, 12, 1, {2100, 1, 10}},
        {2000, 1, 1, {2000, 2, 5}},     {2006, -7, 29, {2006, 9, 21}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LunarToSolar(MakeLunarDate(c.year, c.month, c.day)), Day(c.solar))
            << c.year << ' ' << c.month << ' ' << c.day;
}

TEST(LunarConversion, DatesThatDoNotExistAreRefused) {
    struct Case {
        int year, month, day;
    };
    const Case cases[] = {
        {2006, -8, 1},  // 2006's leap month is the seventh
        {2006, -7, 30}, // 闰七月 2006 has 29 days
        {2005, 1, 30},  // 正月 2005 has 29 days
        {1900, 1, 1},   {2100, 1, 1}, {2006, 13, 1}, {2006, 1, 31}, {2006, 0, 5}, // there is no month 0
        {2006, 1, 0},                                                             // nor a day 0
        {2006, 1, -3},
    };
    for (const auto& c : cases) {
        const LunarDate date = MakeLunarDate(c.year, c.month, c.day);
        EXPECT_FALSE(IsValidLunarDate(date)) << c.year << ' ' << c.month << ' ' << c.day;
        EXPECT_EQ(LunarToSolar(date), EncodeDate(1, 1, 1));
    }
}

TEST(LunarConversion, YearFacts) {
    EXPECT_EQ(LunarYearDays(2006), 385);
    EXPECT_EQ(LunarYearDays(2005), 354);
    EXPECT_EQ(LeapMonthOf(2006), 7);
    EXPECT_EQ(LeapMonthDays(2006), 29);
    EXPECT_EQ(LeapMonthOf(2033), 11);
    EXPECT_EQ(LeapMonthOf(2034), 0);
    EXPECT_EQ(LeapMonthDays(2034), 0);
    // 1907 is marked "no leap month, and 1906's leap month has 30 days".
    EXPECT_EQ(LeapMonthOf(1906), 4);
    EXPECT_EQ(LeapMonthDays(1906), 30);
    EXPECT_EQ(LeapMonthOf(1907), 0);
    EXPECT_EQ(MakeLunarDate(2006, -4, 9), (LunarDate{2006, 4, 9, true}));
}

TEST(LunarConversion, EveryYearSpansItsDaysFromNewYearToNewYear) {
    for (int y = 1901; y < 2099; ++y) {
        const DateTimeValue start = LunarToSolar(MakeLunarDate(y, 1, 1));
        const DateTimeValue next = LunarToSolar(MakeLunarDate(y + 1, 1, 1));
        ASSERT_EQ(next - start, LunarYearDays(y)) << y;
        const int leap = LeapMonthOf(y);
        ASSERT_EQ(LeapMonthDays(y) == 0, leap == 0) << y;
        ASSERT_TRUE(LunarYearDays(y) >= 353 && LunarYearDays(y) <= 385) << y;
        ASSERT_EQ(LunarYearDays(y) > 360, leap != 0) << y;
    }
}

// Walks every day of the table: lunar days step by one through months of 29 or 30 days, months
// follow each other (a leap month right after its namesake), and each day's lunar date converts
// back to it, except in the months where the two tables are known to disagree.
TEST(LunarConversion, EveryDayReadsBackAndStepsByOne) {
    const DateTimeValue first = EncodeDate(1901, 1, 1);
    const DateTimeValue last = EncodeDate(2050, 12, 31);
    int prevCode = LunarCodeOf(first);
    int monthLength = 0;
    int checked = 0;
    for (DateTimeValue v = first + 1; v <= last; v += 1) {
        const int code = LunarCodeOf(v);
        const int month = code / 100, day = std::abs(code) % 100;
        const int prevMonth = prevCode / 100, prevDay = std::abs(prevCode) % 100;
        if (day == 1) {
            if (monthLength > 0) {
                ASSERT_TRUE(prevDay == 29 || prevDay == 30) << v;
            }
            const bool leapFollows = month == -prevMonth && month < 0;
            const bool nextFollows = month > 0 && month == std::abs(prevMonth) % 12 + 1;
            ASSERT_TRUE(leapFollows || nextFollows)
                << "month " << prevMonth << " then " << month << " at " << v;
            monthLength = 1;
        } else {
            ASSERT_EQ(month, prevMonth) << v;
            ASSERT_EQ(day, prevDay + 1) << v;
            ++monthLength;
        }
        const int year = LunarYearOf(v);
        if (year >= 1901 && !InDisagreementMonth(year, month)) {
            ASSERT_EQ(LunarToSolar(MakeLunarDate(year, month, day)), v) << year << ' ' << month << ' ' << day;
            ++checked;
        }
        prevCode = code;
    }
    EXPECT_GT(checked, 54000);
}

TEST(LunarConversion, TheTablesDisagreeOnlyWhereKnown) {
    // 1906-04-23 reads as 三月三十 though 1906 三月 has 29 days in the lunar-year table.
    EXPECT_EQ(LunarCodeOf(Day({1906, 4, 23})), 330);
    EXPECT_FALSE(IsValidLunarDate(MakeLunarDate(1906, 3, 30)));
    EXPECT_EQ(LunarCodeOf(Day({1914, 11, 17})), 1001);
    EXPECT_EQ(LunarToSolar(MakeLunarDate(1914, 10, 1)), Day({1914, 11, 18}));
    EXPECT_EQ(LunarCodeOf(Day({1989, 8, 1})), 701);
    EXPECT_EQ(LunarToSolar(MakeLunarDate(1989, 7, 1)), Day({1989, 8, 2}));
    EXPECT_EQ(LunarCodeOf(Day({2013, 6, 8})), 430);
    EXPECT_EQ(LunarToSolar(MakeLunarDate(2013, 5, 1)), Day({2013, 6, 8}));
}
