#pragma once
// Conversion between Gregorian dates and the Chinese lunisolar calendar, 1901–2050 solar→lunar and
// lunar years 1901–2099 lunar→solar, driven entirely by two tables.
//
// Lunar code: month × 100 + day, negated for a leap month (闰); 0 outside the table.
// Signed lunar month: 1–12, negative for a leap month (−4 = 闰四月).

#include "common/DateTime.h"

#include <string>

namespace qj {

struct LunarDate {
    int year = 0;  // numbered by the Gregorian year in which its 正月 begins
    int month = 0; // 1–12, always positive here
    int day = 0;   // 1–30
    bool isLeap = false;
    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

// Only the calendar date of the argument counts; the time of day is ignored.
int LunarCodeOf(DateTimeValue date);
int LunarYearOf(DateTimeValue date);
// Signed lunar month: the lunar code divided by 100, truncated toward zero.
int LunarMonthOf(DateTimeValue date);
// Lunar day: |lunar code| mod 100.
int LunarDayOf(DateTimeValue date);
// 四月, 闰四月, 冬月 …; empty outside the table.
std::string LunarMonthName(DateTimeValue date);
// 初四 …; empty outside the table.
std::string LunarDayName(DateTimeValue date);
// LunarMonthName followed by LunarDayName: 四月初四, 闰二月初一.
std::string LunarDateText(DateTimeValue date);

// Leap month of a lunar year, 0 when none (0 too outside the table's years 1900–2100).
int LeapMonthOf(int lunarYear);
// Length of the year's leap month: 0 when it has none, else 29 or 30.
int LeapMonthDays(int lunarYear);
// Length of an ordinary month, 29 or 30; a month number of 1 or less reads month 1.
int LunarMonthDays(int lunarYear, int month);
// Days of the whole lunar year, leap month included.
int LunarYearDays(int lunarYear);

// A negative month sets isLeap and stores its absolute value.
LunarDate MakeLunarDate(int year, int signedMonth, int day);
bool IsValidLunarDate(const LunarDate& date);
// The Gregorian date (whole day) of a lunar date; 0001-01-01 when the lunar date is not valid.
DateTimeValue LunarToSolar(const LunarDate& date);

// The value LunarToSolar returns for a lunar date that does not exist (0001-01-01).
DateTimeValue InvalidLunarDateValue();

} // namespace qj
