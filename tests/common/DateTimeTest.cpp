#include "common/DateTime.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace qj;

TEST(DateTime, KnownDayNumbersAndWeekdays) {
    struct Case {
        int y, m, d;
        double value;
        int weekday;
    };
    const Case cases[] = {
        {1899, 12, 30, 0, 6}, {1900, 1, 1, 2, 1},    {1901, 1, 1, 367, 2},
        {2000, 2, 29, 36585, 2}, {2006, 5, 1, 38838, 1}, {2050, 12, 31, 55153, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.value) << c.y << '-' << c.m << '-' << c.d;
        EXPECT_EQ(DecodeDate(c.value), (YearMonthDay{c.y, c.m, c.d}));
        EXPECT_EQ(DayOfWeek(c.value + 0.75), c.weekday);
    }
}

TEST(DateTime, EveryDayRoundTripsAndStepsByOne) {
    const double first = EncodeDate(1900, 1, 1);
    YearMonthDay prev = DecodeDate(first - 1);
    for (double v = first; v <= EncodeDate(2100, 12, 31); v += 1) {
        const YearMonthDay d = DecodeDate(v);
        ASSERT_EQ(EncodeDate(d.year, d.month, d.day), v);
        const bool nextDay = d.day == prev.day + 1 && d.month == prev.month;
        const bool nextMonth = d.day == 1 && (d.month == prev.month + 1 || (d.month == 1 && prev.month == 12));
        ASSERT_TRUE(nextDay || nextMonth) << d.year << '-' << d.month << '-' << d.day;
        prev = d;
    }
}

TEST(DateTime, TimeOfDayRoundTripsAndRejectsNonsense) {
    const double v = EncodeDateTime(2024, 2, 29, 23, 59, 59, 999);
    EXPECT_EQ(DecodeDate(v), (YearMonthDay{2024, 2, 29}));
    EXPECT_EQ(DecodeTime(v), (TimeOfDay{23, 59, 59, 999}));
    EXPECT_EQ(DecodeTime(EncodeTime(13, 5, 7)), (TimeOfDay{13, 5, 7, 0}));
    EXPECT_THROW(EncodeDate(2023, 2, 29), std::invalid_argument);
    EXPECT_THROW(EncodeDate(2024, 13, 1), std::invalid_argument);
    EXPECT_THROW(EncodeTime(24, 0, 0), std::invalid_argument);
}
