#include "calendar/core/Sexagenary.h"
#include "calendar/core/CalendarNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace qj;

namespace {

std::string Stamp(DateTimeValue v) {
    const YearMonthDay d = DecodeDate(v);
    const TimeOfDay t = DecodeTime(v);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", d.year, d.month, d.day, t.hour,
                  t.minute, t.second, t.msec);
    return buf;
}

} // namespace

TEST(Sexagenary, TextsOfCounts) {
    EXPECT_EQ(SexagenaryText(142), "丙戌(狗)");
    EXPECT_EQ(SexagenaryText(0), "甲子(鼠)");
    EXPECT_EQ(SexagenaryText(59), "癸亥(猪)");
    EXPECT_EQ(SexagenaryText(60 * 7 + 59), "癸亥(猪)");
    EXPECT_EQ(PillarText(142), "丙戌");
    // The sixty pillars are all different.
    std::set<std::string> seen;
    for (int n = 0; n < 60; ++n)
        seen.insert(PillarText(n));
    EXPECT_EQ(seen.size(), 60u);
}

TEST(Sexagenary, SolarTermInstants) {
    EXPECT_EQ(Stamp(SolarTermTime(2006, 2)), "2006-02-04 06:01:13.318");
    EXPECT_EQ(Stamp(SolarTermTime(2006, 8)), "2006-05-06 00:03:13.318");
    EXPECT_EQ(Stamp(SolarTermTime(1900, 0)), "1900-01-06 02:05:00.000");
}

TEST(Sexagenary, CountsOfKnownDates) {
    struct Case {
        DateTimeValue value;
        int year, month, day;
        const char* pillars;
    };
    const Case cases[] = {
        {EncodeDate(1949, 10, 1), 85, 609, 18180, "己丑癸酉甲子"},
        {EncodeDate(1900, 1, 1), 35, 12, 10, "己亥丙子甲戌"},
        {EncodeDate(2006, 1, 15), 141, 1285, 38740, "乙酉己丑甲辰"},
        // 立春 2006 is at 06:01:13: the year changes at that instant, the month with the day.
        {EncodeDateTime(2006, 2, 4, 0, 0, 0), 141, 1286, 38760, "乙酉庚寅甲子"},
        {EncodeDateTime(2006, 2, 4, 6, 1, 13), 141, 1286, 38760, "乙酉庚寅甲子"},
        {EncodeDateTime(2006, 2, 4, 6, 1, 14), 142, 1286, 38760, "丙戌庚寅甲子"},
        {EncodeDateTime(2006, 2, 4, 12, 0, 0), 142, 1286, 38760, "丙戌庚寅甲子"},
        {EncodeDateTime(2006, 2, 3, 23, 59, 59), 141, 1285, 38759, "乙酉己丑癸亥"},
        {EncodeDate(2006, 5, 5), 142, 1288, 38850, "丙戌壬辰甲午"},
        {EncodeDate(2006, 5, 6), 142, 1289, 38851, "丙戌癸巳乙未"},
        {EncodeDate(2006, 5, 1), 142, 1288, 38846, "丙戌壬辰庚寅"},
    };
    for (const auto& c : cases) {
        const CyclicCounts counts = CyclicCountsOf(c.value);
        SCOPED_TRACE(Stamp(c.value));
        EXPECT_EQ(counts, (CyclicCounts{c.year, c.month, c.day}));
        EXPECT_EQ(PillarText(counts.YearCount) + PillarText(counts.MonthCount) + PillarText(counts.DayCount),
                  c.pillars);
    }
    EXPECT_EQ(CyclicCountsOf(EncodeDate(1899, 12, 31)), (CyclicCounts{}));
}

TEST(Sexagenary, HoursAndVoidBranches) {
    // 2006-05-01, a 庚寅 day: the 午 hour is 壬午, the void branches 午未.
    EXPECT_EQ(PillarText(HourCount(38846, 6)), "壬午");
    EXPECT_EQ(VoidBranches(38846), (std::array<int, 2>{6, 7}));
    EXPECT_EQ(VoidBranches(18180), (std::array<int, 2>{10, 11})); // 甲子 day: 戌亥
    // 甲 and 己 days start at 甲子, 乙 and 庚 at 丙子, 丙 and 辛 at 戊子, 丁 and 壬 at 庚子, 戊 and 癸 at
    // 壬子.
    const char* firstHourStem[5] = {"甲", "丙", "戊", "庚", "壬"};
    for (int day = 0; day < 60; ++day) {
        for (int h = 0; h < 12; ++h) {
            const int hour = HourCount(day + 600, h);
            ASSERT_EQ(hour % 12, h);
            if (h == 0) {
                ASSERT_EQ(kStemNames[hour % 10], firstHourStem[day % 5]) << day;
            }
        }
        // The void branches are the two the day's decade (旬) does not reach.
        const std::array<int, 2> voids = VoidBranches(day + 600);
        const int decadeStart = day - day % 10;
        for (int k = decadeStart; k < decadeStart + 10; ++k) {
            ASSERT_NE(k % 12, voids[0]) << day;
            ASSERT_NE(k % 12, voids[1]) << day;
        }
        ASSERT_EQ((voids[0] + 1) % 12, voids[1]);
    }
}

TEST(Sexagenary, SolarTermOfADay) {
    EXPECT_EQ(SolarTermOf(EncodeDate(2006, 5, 6)), "立夏");
    EXPECT_EQ(SolarTermOf(EncodeDateTime(2006, 5, 6, 8, 0, 0)), "");
    EXPECT_EQ(SolarTermOf(EncodeDate(2006, 2, 4)), "立春");
    EXPECT_EQ(SolarTermOf(EncodeDate(2006, 5, 7)), "");
    EXPECT_EQ(SolarTermIndexOf(EncodeDate(2006, 5, 6)), 8);
}

// Over every day of the calendar: each Gregorian month holds its two terms, once each; day counts
// step by one; the month count steps exactly on the day of each month's opening term; the year
// count steps once a year, on the day of 立春.
TEST(Sexagenary, EveryDayCountsAndTermsAreConsistent) {
    CyclicCounts prev = CyclicCountsOf(EncodeDate(1900, 12, 31));
    int termsThisMonth = 0;
    for (DateTimeValue v = EncodeDate(1901, 1, 1); v <= EncodeDate(2050, 12, 31); v += 1) {
        const YearMonthDay ymd = DecodeDate(v);
        if (ymd.day == 1)
            termsThisMonth = 0;
        const int term = SolarTermIndexOf(v);
        if (term >= 0) {
            ASSERT_EQ(term / 2, ymd.month - 1) << v;
            ASSERT_EQ(SolarTermOf(v), kSolarTermNames[term]);
            ++termsThisMonth;
        }
        if (ymd.day == DaysInMonth(ymd.year, ymd.month)) {
            ASSERT_EQ(termsThisMonth, 2) << ymd.year << '-' << ymd.month;
        }

        const CyclicCounts counts = CyclicCountsOf(v);
        ASSERT_EQ(counts.DayCount, prev.DayCount + 1);
        const bool opensMonth = term >= 0 && term % 2 == 0;
        ASSERT_EQ(counts.MonthCount, prev.MonthCount + (opensMonth ? 1 : 0)) << v;
        // At midnight the year has changed only after the day of 立春 (the instant lies within it).
        const bool dayAfterSpring = term < 0 && SolarTermIndexOf(v - 1) == 2;
        ASSERT_EQ(counts.YearCount, prev.YearCount + (dayAfterSpring ? 1 : 0)) << v;
        prev = counts;
    }
}
