#include "calendar/core/Reminders.h"

#include "calendar/core/CalendarNames.h"
#include "calendar/core/DateCn.h"

#include <algorithm>

namespace qj {

namespace {

// The calendar's years, Gregorian and lunar alike (lunar 1900, whose last months reach into 1901,
// is not converted).
constexpr int kFirstYear = 1901;
constexpr int kLastYear = 2050;
const int kFirstDay = DayNumber(EncodeDate(kFirstYear, 1, 1));
const int kLastDay = DayNumber(EncodeDate(kLastYear, 12, 31));

std::optional<int> Inside(int day) {
    if (day < kFirstDay || day > kLastDay)
        return std::nullopt;
    return day;
}

std::optional<int> LunarDayIn(const Reminder& r, int year) {
    if (year < kFirstYear || year > kLastYear)
        return std::nullopt;
    const bool leap = r.leap && r.leapRule == LeapMonthRule::LeapWhenThere && LeapMonthOf(year) == r.month;
    const int length = leap ? LeapMonthDays(year) : LunarMonthDays(year, r.month);
    const int signedMonth = leap ? -r.month : r.month;
    if (r.day <= length)
        return Inside(DayNumber(LunarToSolar(MakeLunarDate(year, signedMonth, r.day))));
    const int last = DayNumber(LunarToSolar(MakeLunarDate(year, signedMonth, length)));
    return Inside(r.shortRule == ShortMonthRule::NextDay ? last + 1 : last);
}

std::optional<int> GregorianDayIn(const Reminder& r, int year) {
    if (year < kFirstYear || year > kLastYear)
        return std::nullopt;
    if (r.month == 2 && r.day == 29 && !IsLeapYear(year))
        return DayNumber(r.leapDayRule == LeapDayRule::Mar1 ? EncodeDate(year, 3, 1)
                                                            : EncodeDate(year, 2, 28));
    return DayNumber(EncodeDate(year, r.month, r.day));
}

} // namespace

bool IsValidReminderDate(const Reminder& r) {
    if (r.month < 1 || r.month > 12 || r.day < 1)
        return false;
    if (r.calendar == ReminderCalendar::Lunar)
        return r.day <= 30;
    return !r.leap && r.day <= DaysInMonth(2000, r.month); // 2000 has 29 February
}

std::optional<int> ReminderDayIn(const Reminder& r, int year) {
    if (!IsValidReminderDate(r))
        return std::nullopt;
    return r.calendar == ReminderCalendar::Lunar ? LunarDayIn(r, year) : GregorianDayIn(r, year);
}

std::vector<ReminderDay> ReminderDaysBetween(const std::vector<Reminder>& reminders, int firstDay,
                                             int lastDay) {
    std::vector<ReminderDay> days;
    const int firstYear = DecodeDate(std::max(firstDay, kFirstDay)).year - 1;
    const int lastYear = DecodeDate(std::min(lastDay, kLastDay)).year;
    for (const Reminder& r : reminders)
        for (int year = firstYear; year <= lastYear; ++year)
            if (const auto day = ReminderDayIn(r, year); day && *day >= firstDay && *day <= lastDay)
                days.push_back({*day, year, &r});
    std::stable_sort(days.begin(), days.end(),
                     [](const ReminderDay& a, const ReminderDay& b) { return a.day < b.day; });
    return days;
}

std::vector<ReminderDay> DueReminders(const std::vector<Reminder>& reminders, int today) {
    std::vector<ReminderDay> due;
    for (const ReminderDay& d : ReminderDaysBetween(reminders, today, today + kLongestReminderLead))
        if (d.day - today <= d.reminder->daysAhead)
            due.push_back(d);
    return due;
}

std::string ReminderDateText(const Reminder& r) {
    if (!IsValidReminderDate(r))
        return {};
    if (r.calendar == ReminderCalendar::Gregorian)
        return "公历" + std::to_string(r.month) + "月" + std::to_string(r.day) + "日";
    std::string text = "农历";
    if (r.leap)
        text += "闰";
    text += std::string(kLunarMonthNames[r.month]) + "月";
    text += kLunarDayNames[r.day];
    return text;
}

} // namespace qj
