#pragma once
// The sexagenary cycle of stems and branches (干支) for years, months, days and hours, the void
// branches of a day, and the 24 solar terms from which the year and month pillars change.
//
// A cyclic count n has sexagenary index n mod 60, stem n mod 10 and branch n mod 12 (0 = 甲子).
// Counts are not reduced modulo 60: every consumer reduces them itself.

#include "common/DateTime.h"

#include <array>
#include <string>

namespace qj {

struct CyclicCounts {
    int YearCount = 0;
    int MonthCount = 0;
    int DayCount = 0;
    friend bool operator==(const CyclicCounts&, const CyclicCounts&) = default;
};

// Stem + branch + "(" + animal + ")", e.g. 丙戌(狗). count ≥ 0.
std::string SexagenaryText(int count);
// The first two characters of SexagenaryText: the pillar, e.g. 丙戌.
std::string PillarText(int count);

// Date-time of solar term `termIndex` (0 = 小寒 … 23 = 冬至) of a Gregorian year, by the mean-year
// formula. No time zone is applied.
DateTimeValue SolarTermTime(int year, int termIndex);
// Name of the solar term falling on the given day, or empty. The whole value is compared with the
// term's day, so a value carrying a time of day never matches.
std::string SolarTermOf(DateTimeValue date);
// The same as an index 0–23, or -1.
int SolarTermIndexOf(DateTimeValue date);

// Year, month and day counts of a date-time. The year changes at the instant of 立春, the month
// at the start of the day of its opening term. Before 1900 the counts are all 0.
CyclicCounts CyclicCountsOf(DateTimeValue dateTime);
// A day's count in the sixty-day cycle, as CyclicCountsOf gives it for the day (not reduced).
int DayCountOfDay(int dayNumber);
// n modulo m, never negative (m > 0).
int FloorMod(int n, int m);
// Cyclic count of the hour pillar: (dayCount mod 60) × 12 + hourBranch (子 = 0).
int HourCount(int dayCount, int hourBranch);
// The two branch indexes (空亡) that the day's ten-day decade leaves out.
std::array<int, 2> VoidBranches(int dayCount);

} // namespace qj
