#include "calendar/core/DateCn.h"

#include "calendar/core/CalendarNames.h"
#include "calendar/core/LunarTables.h"

#include <array>
#include <cstdlib>

namespace qj {

namespace {

constexpr int kFirstSolarYear = 1901;
constexpr int kLastSolarYear = 2050;
constexpr int kFirstLunarTableYear = 1900;
constexpr int kLastLunarTableYear = 2100;
constexpr int kFirstValidLunarYear = 1901;
constexpr int kLastValidLunarYear = 2099;

// Days from 1899-12-30 to 1 January of a year 1901..2050 (a leap year every fourth year there).
int NewYearDay(int year) {
    const int y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400 - 693593;
}

int PackLunarCode(int signedMonth, int day) {
    return signedMonth < 0 ? -(-signedMonth * 100 + day) : signedMonth * 100 + day;
}

// The lunar code of a Gregorian date given as year and day of the year (0 = 1 January).
int LunarCodeOfDay(int year, int dayOfYear) {
    const auto& row = kSolarYearTable[year - kFirstSolarYear];
    const int mask = row[1] * 256 + row[2];
    const int leap = row[3];
    const int firstDay = row[0] & 0x7F;
    const int firstMonth = (row[0] & 0x80) ? 12 : 11;

    const auto length = [mask](int slot) { return (mask >> (15 - slot)) & 1 ? 30 : 29; };
    // The month number of the next slot: the leap month follows its ordinary namesake.
    const auto next = [leap](int number) {
        if (number == leap)
            return -leap;
        const int n = std::abs(number) + 1;
        return n == 13 ? 1 : n;
    };

    const int s = dayOfYear;
    if (s <= length(0) - firstDay) {
        int month = firstMonth;
        // 1 January may lie inside a leap 冬月 or 蜡月 begun the year before.
        if (year > kFirstSolarYear &&
            LunarCodeOfDay(year - 1, NewYearDay(year) - 1 - NewYearDay(year - 1)) < 0)
            month = -month;
        return PackLunarCode(month, firstDay + s);
    }
    int cum = length(0) - firstDay;
    int slot = 1;
    int number = next(firstMonth);
    while (s > cum + length(slot)) {
        cum += length(slot);
        ++slot;
        number = next(number);
    }
    return PackLunarCode(number, s - cum);
}

int LunarYearWord(int lunarYear) {
    if (lunarYear < kFirstLunarTableYear || lunarYear > kLastLunarTableYear)
        return 0;
    return kLunarYearTable[lunarYear - kFirstLunarTableYear];
}

// The Gregorian day of 正月初一 of every lunar year 1901–2100, counted once from the first day of
// lunar year 2000 (2000-02-05) by the lengths of the years between.
DateTimeValue LunarNewYearDay(int lunarYear) {
    static const std::array<int, kLastLunarTableYear - kFirstValidLunarYear + 1> days = [] {
        std::array<int, kLastLunarTableYear - kFirstValidLunarYear + 1> out{};
        const int epoch = static_cast<int>(EncodeDate(2000, 2, 5));
        for (int y = kFirstValidLunarYear; y <= kLastLunarTableYear; ++y) {
            int n = epoch;
            for (int k = 2000; k < y; ++k)
                n += LunarYearDays(k);
            for (int k = y; k < 2000; ++k)
                n -= LunarYearDays(k);
            out[y - kFirstValidLunarYear] = n;
        }
        return out;
    }();
    return days[lunarYear - kFirstValidLunarYear];
}

} // namespace

int LunarCodeOf(DateTimeValue date) {
    const YearMonthDay ymd = DecodeDate(date);
    if (ymd.year < kFirstSolarYear || ymd.year > kLastSolarYear)
        return 0;
    return LunarCodeOfDay(ymd.year, DayNumber(date) - NewYearDay(ymd.year));
}

int LunarYearOf(DateTimeValue date) {
    const YearMonthDay ymd = DecodeDate(date);
    if (ymd.year < kFirstSolarYear || ymd.year > kLastSolarYear)
        return ymd.year;
    const int month = std::abs(LunarCodeOfDay(ymd.year, DayNumber(date) - NewYearDay(ymd.year)) / 100);
    return (month >= 10 && ymd.month <= 3) ? ymd.year - 1 : ymd.year;
}

int LunarMonthOf(DateTimeValue date) {
    return LunarCodeOf(date) / 100;
}

int LunarDayOf(DateTimeValue date) {
    return std::abs(LunarCodeOf(date)) % 100;
}

std::string LunarMonthName(DateTimeValue date) {
    const int month = LunarMonthOf(date);
    if (month == 0)
        return {};
    std::string text = month < 0 ? "闰" : "";
    text += kLunarMonthNames[std::abs(month)];
    text += "月";
    return text;
}

std::string LunarDayName(DateTimeValue date) {
    const int day = LunarDayOf(date);
    return day == 0 ? std::string() : std::string(kLunarDayNames[day]);
}

std::string LunarDateText(DateTimeValue date) {
    return LunarMonthName(date) + LunarDayName(date);
}

int LeapMonthOf(int lunarYear) {
    const int leap = LunarYearWord(lunarYear) & 0x0F;
    return leap == 15 ? 0 : leap;
}

int LeapMonthDays(int lunarYear) {
    if (LeapMonthOf(lunarYear) == 0)
        return 0;
    return (LunarYearWord(lunarYear + 1) & 0x0F) == 15 ? 30 : 29;
}

int LunarMonthDays(int lunarYear, int month) {
    if (month < 1)
        month = 1;
    if (month > 12)
        month = 12;
    return (LunarYearWord(lunarYear) >> (16 - month)) & 1 ? 30 : 29;
}

int LunarYearDays(int lunarYear) {
    int days = 348;
    const int word = LunarYearWord(lunarYear);
    for (int bit = 15; bit >= 4; --bit)
        days += (word >> bit) & 1;
    return days + LeapMonthDays(lunarYear);
}

LunarDate MakeLunarDate(int year, int signedMonth, int day) {
    return LunarDate{year, std::abs(signedMonth), day, signedMonth < 0};
}

bool IsValidLunarDate(const LunarDate& date) {
    // Months and days start at 1: a month or day of 0 or less names no date.
    if (date.year < kFirstValidLunarYear || date.year > kLastValidLunarYear || date.month < 1 ||
        date.month > 12 || date.day < 1 || date.day > 30)
        return false;
    if (!date.isLeap)
        return date.day <= LunarMonthDays(date.year, date.month);
    return date.month == LeapMonthOf(date.year) && date.day <= LeapMonthDays(date.year);
}

DateTimeValue InvalidLunarDateValue() {
    return EncodeDate(1, 1, 1);
}

DateTimeValue LunarToSolar(const LunarDate& date) {
    if (!IsValidLunarDate(date))
        return InvalidLunarDateValue();
    const int leap = LeapMonthOf(date.year);
    int days = 0;
    for (int m = 1; m < date.month; ++m) {
        days += LunarMonthDays(date.year, m);
        if (m == leap)
            days += LeapMonthDays(date.year);
    }
    days += date.day - 1;
    if (date.isLeap)
        days += LunarMonthDays(date.year, date.month);
    return LunarNewYearDay(date.year) + days;
}

} // namespace qj
