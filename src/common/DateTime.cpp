#include "common/DateTime.h"

#include <cmath>
#include <stdexcept>

namespace qj {

namespace {
// Days from 0001-01-01 (proleptic Gregorian) to 1899-12-30.
constexpr long long kEpochOffset = 693593;

long long DaysBeforeYear(long long y) {
    --y;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

constexpr int kCumulative[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366},
};
} // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    const int leap = IsLeapYear(year) ? 1 : 0;
    return kCumulative[leap][month] - kCumulative[leap][month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

DateTimeValue EncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day))
        throw std::invalid_argument("invalid date");
    const long long n = DaysBeforeYear(year) + kCumulative[IsLeapYear(year) ? 1 : 0][month - 1] + day - 1;
    return static_cast<DateTimeValue>(n - kEpochOffset);
}

DateTimeValue EncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
        msec > 999)
        throw std::invalid_argument("invalid time");
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / 86400000.0;
}

DateTimeValue EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec) {
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, msec);
}

int DayNumber(DateTimeValue value) { return static_cast<int>(std::floor(value)); }

YearMonthDay DecodeDate(DateTimeValue value) {
    long long n = static_cast<long long>(DayNumber(value)) + kEpochOffset; // days since 0001-01-01
    // 400-year cycles of 146097 days, as the proleptic Gregorian calendar repeats.
    long long y = 1;
    long long q = n / 146097;
    n -= q * 146097;
    y += q * 400;
    long long c = n / 36524;
    if (c == 4)
        c = 3;
    n -= c * 36524;
    y += c * 100;
    long long f = n / 1461;
    n -= f * 1461;
    y += f * 4;
    long long r = n / 365;
    if (r == 4)
        r = 3;
    n -= r * 365;
    y += r;
    YearMonthDay out;
    out.year = static_cast<int>(y);
    const int leap = IsLeapYear(out.year) ? 1 : 0;
    int m = 1;
    while (n >= kCumulative[leap][m])
        ++m;
    out.month = m;
    out.day = static_cast<int>(n - kCumulative[leap][m - 1]) + 1;
    return out;
}

TimeOfDay DecodeTime(DateTimeValue value) {
    const double frac = value - std::floor(value);
    long long ms = std::llround(frac * 86400000.0);
    if (ms >= 86400000)
        ms = 86399999;
    TimeOfDay t;
    t.msec = static_cast<int>(ms % 1000);
    ms /= 1000;
    t.second = static_cast<int>(ms % 60);
    ms /= 60;
    t.minute = static_cast<int>(ms % 60);
    t.hour = static_cast<int>(ms / 60);
    return t;
}

int DayOfWeek(DateTimeValue value) {
    // 1899-12-30 was a Saturday.
    const int d = DayNumber(value);
    return ((d + 6) % 7 + 7) % 7;
}

} // namespace qj
