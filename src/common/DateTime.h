#pragma once
// The date-time value shared by every calendar operation: a double counting days since
// 1899-12-30. The integer part is the day, the fraction the time of day.

namespace qj {

using DateTimeValue = double;

struct YearMonthDay {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    friend bool operator==(const YearMonthDay&, const YearMonthDay&) = default;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int msec = 0;
    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

// Whole day value of a Gregorian date (1899-12-30 is 0). Throws std::invalid_argument for a
// date that does not exist.
DateTimeValue EncodeDate(int year, int month, int day);
// Fraction of a day for a time of day. Throws std::invalid_argument when out of range.
DateTimeValue EncodeTime(int hour, int minute, int second, int msec = 0);
DateTimeValue EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec = 0);

YearMonthDay DecodeDate(DateTimeValue value);
// Time of day, rounded to the nearest millisecond.
TimeOfDay DecodeTime(DateTimeValue value);

// The whole day of a value (its integer part, toward minus infinity).
int DayNumber(DateTimeValue value);
// 0 = Sunday … 6 = Saturday.
int DayOfWeek(DateTimeValue value);

} // namespace qj
