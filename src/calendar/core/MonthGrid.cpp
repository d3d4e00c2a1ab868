#include "calendar/core/MonthGrid.h"

#include "calendar/core/Almanac.h"
#include "calendar/core/DateCn.h"
#include "calendar/core/Sexagenary.h"

#include <algorithm>
#include <cstdlib>

namespace qj {

namespace {
// The years the lunar tables cover: outside them a cell shows its bare day number.
constexpr int kFirstDecoratedYear = 1901;
constexpr int kLastDecoratedYear = 2050;
constexpr int kLastEncodableYear = 9999;

// 1 = Sunday … 7 = Saturday.
int WeekdayOfFirst(int year, int month) {
    return DayOfWeek(EncodeDate(year, month, 1)) + 1;
}
} // namespace

bool IsLeap(int year) {
    return IsLeapYear(year);
}

int MonthDays(int year, int month) {
    return DaysInMonth(year, month);
}

int MonthOffset(int year, int month, int startOfWeek) {
    const int a = (WeekdayOfFirst(year, month) - startOfWeek + 7) % 7;
    return a == 0 ? -5 : 2 - a;
}

int CellDay(int year, int month, int startOfWeek, int column, int row) {
    if (row < 1 || row >= kGridRows || column < 0 || column >= kGridColumns)
        return 0;
    const int n = MonthOffset(year, month, startOfWeek) + column + kGridColumns * (row - 1);
    return n >= 1 && n <= MonthDays(year, month) ? n : 0;
}

int ColumnWeekday(int column, int startOfWeek) {
    return (column + startOfWeek) % 7;
}

CellColour DayCellLook::Winning(bool selected) const {
    if (today)
        return CellColour::Today;
    if (!selected && sunday)
        return CellColour::Sunday;
    if (!selected && saturday)
        return CellColour::Saturday;
    return base;
}

DayCellLook DayCell(int year, int month, int startOfWeek, int column, int row, DateTimeValue today) {
    DayCellLook look;
    look.day = CellDay(year, month, startOfWeek, column, row);
    if (look.day == 0)
        return look;
    look.text = std::to_string(look.day);
    if (year < kFirstDecoratedYear || year > kLastDecoratedYear)
        return look;

    const DateTimeValue x = EncodeDate(year, month, look.day);
    if (!SolarFestivalOf(x).empty() || !LunarFestivalOf(x).empty()) {
        look.festival = true;
        look.text = "`" + look.text;
    }
    // A lone digit gets two blanks, so that one- and two-digit days line up.
    if (look.text.size() == 1)
        look.text += "  ";
    const std::string lunarDay = LunarDayName(x);
    if (lunarDay == "初一") {
        look.text += " " + LunarMonthName(x);
        look.base = CellColour::NewMoon;
    } else if (const std::string term = SolarTermOf(x); !term.empty()) {
        look.text += " " + term;
        look.base = CellColour::Term;
    } else {
        look.text += " " + lunarDay;
    }
    const int weekday = DayOfWeek(x);
    look.sunday = weekday == 0;
    look.saturday = weekday == 6;
    look.today = DayNumber(x) == DayNumber(today);
    return look;
}

bool MonthGridDate::SetUseCurrentDate(bool use, DateTimeValue today) {
    if (use == useCurrentDate_)
        return false;
    useCurrentDate_ = use;
    if (!use)
        return false;
    date_ = DayNumber(today);
    return true;
}

int MonthGridDate::Year() const {
    return DecodeDate(date_).year;
}
int MonthGridDate::Month() const {
    return DecodeDate(date_).month;
}
int MonthGridDate::Day() const {
    return DecodeDate(date_).day;
}
int MonthGridDate::CurrentMonthDays() const {
    return MonthDays(Year(), Month());
}
int MonthGridDate::cnYear() const {
    return LunarYearOf(date_);
}
int MonthGridDate::cnMonth() const {
    return LunarMonthOf(date_);
}
int MonthGridDate::cnDay() const {
    return LunarDayOf(date_);
}

void MonthGridDate::Notify() {
    if (onChange_)
        onChange_();
}

void MonthGridDate::MoveToDate(DateTimeValue date) {
    date_ = date;
    Notify();
}

void MonthGridDate::SetLimits(DateTimeValue first, DateTimeValue last) {
    first_ = DayNumber(first);
    last_ = DayNumber(last);
}

bool MonthGridDate::Within(DateTimeValue date) const {
    return DayNumber(date) >= first_ && DayNumber(date) <= last_;
}

void MonthGridDate::SetWholeDay(int year, int month, int day) {
    if (day > MonthDays(year, month))
        day = MonthDays(year, month);
    const DateTimeValue target = EncodeDate(year, month, day);
    if (!Within(target))
        return;
    date_ = target;
    useCurrentDate_ = false;
    Notify();
}

void MonthGridDate::SetYear(int year) {
    const YearMonthDay ymd = DecodeDate(date_);
    if (year < 1 || year > kLastEncodableYear || year == ymd.year)
        return;
    SetWholeDay(year, ymd.month, ymd.day);
}

void MonthGridDate::SetMonth(int month) {
    const YearMonthDay ymd = DecodeDate(date_);
    if (month < 1 || month > 12 || month == ymd.month)
        return;
    SetWholeDay(ymd.year, month, ymd.day);
}

void MonthGridDate::SetDay(int day) {
    const YearMonthDay ymd = DecodeDate(date_);
    if (day < 1 || day > CurrentMonthDays() || day == ymd.day)
        return;
    SetWholeDay(ymd.year, ymd.month, day);
}

void MonthGridDate::SetLunar(int year, int signedMonth, int day) {
    const int length = signedMonth < 0 ? LeapMonthDays(year) : LunarMonthDays(year, std::abs(signedMonth));
    if (day > length)
        day = length;
    const LunarDate target = MakeLunarDate(year, signedMonth, day);
    // A leap month the year does not have, or a year beyond the tables, names no day.
    if (!IsValidLunarDate(target))
        return;
    const DateTimeValue solar = LunarToSolar(target);
    if (!Within(solar))
        return;
    date_ = solar;
    useCurrentDate_ = false;
    Notify();
}

void MonthGridDate::SetCnYear(int year) {
    if (year == cnYear())
        return;
    SetLunar(year, cnMonth(), cnDay());
}

void MonthGridDate::SetCnMonth(int signedMonth) {
    if (signedMonth > 12 || signedMonth == cnMonth())
        return;
    SetLunar(cnYear(), signedMonth, cnDay());
}

void MonthGridDate::SetCnDay(int day) {
    const int year = cnYear(), month = cnMonth();
    const int length = month < 0 ? LeapMonthDays(year) : LunarMonthDays(year, month);
    if (day < 1 || day > length || day == cnDay())
        return;
    SetLunar(year, month, day);
}

std::optional<DateTimeValue> MonthGridDate::MonthStepTarget(int delta) const {
    const YearMonthDay ymd = DecodeDate(date_);
    // Before January of year 1 or after December 9999 there is no date to move to.
    if ((delta > 0 && ymd.year == kLastEncodableYear && ymd.month == 12) ||
        (delta <= 0 && ymd.year == 1 && ymd.month == 1))
        return std::nullopt;
    const int edge = delta > 0 ? MonthDays(ymd.year, ymd.month) : 1;
    const YearMonthDay target = DecodeDate(EncodeDate(ymd.year, ymd.month, edge) + delta);
    const int length = MonthDays(target.year, target.month);
    const DateTimeValue day = EncodeDate(target.year, target.month, ymd.day >= length ? length : ymd.day);
    if (!Within(day))
        return std::nullopt;
    return day;
}

void MonthGridDate::ShiftMonth(int delta) {
    if (const std::optional<DateTimeValue> target = MonthStepTarget(delta))
        MoveToDate(*target);
}

std::optional<DateTimeValue> MonthGridDate::YearStepTarget(int delta) const {
    const YearMonthDay ymd = DecodeDate(date_);
    const int year = ymd.year + delta;
    if (year < 1 || year > kLastEncodableYear)
        return std::nullopt;
    const DateTimeValue day = EncodeDate(year, ymd.month, std::min(ymd.day, MonthDays(year, ymd.month)));
    if (!Within(day))
        return std::nullopt;
    return day;
}

// 29 February first becomes the 28th, with a notification of its own, unless the step is refused.
void MonthGridDate::YearStep(int delta) {
    if (!CanShiftYear(delta))
        return;
    if (IsLeap(Year()) && Month() == 2 && Day() == 29)
        SetDay(28);
    SetYear(Year() + delta);
}

void MonthGridDate::YearForward() {
    YearStep(1);
}

void MonthGridDate::YearBack() {
    YearStep(-1);
}

} // namespace qj
