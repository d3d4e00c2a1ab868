#pragma once
// Birthdays and anniversaries (纪念日) by a lunar or a Gregorian date, and the days they fall on
// year by year. A lunar date in a leap month falls on the leap month in years that have it and on
// the ordinary month of the same number in the others (or, if the user so chooses, always on the
// ordinary month); day 30 of a month that has only 29 days that year falls on the 29th or on the
// day after it; 29 February falls on 28 February or on 1 March in common years. Only days of
// 1901-01-01 … 2050-12-31 are given.

#include "common/DateTime.h"

#include <optional>
#include <string>
#include <vector>

namespace qj {

enum class ReminderCalendar { Lunar, Gregorian };
enum class LeapMonthRule { LeapWhenThere, Ordinary };
enum class ShortMonthRule { Day29, NextDay };
enum class LeapDayRule { Feb28, Mar1 };

struct Reminder {
    std::string id; // stable: it names the reminder's events in calendar exports
    std::string title;
    ReminderCalendar calendar = ReminderCalendar::Lunar;
    int month = 1;     // 1–12
    bool leap = false; // lunar only: the leap month of that number
    int day = 1;       // 1–30 (lunar) or 1–31 (Gregorian)
    LeapMonthRule leapRule = LeapMonthRule::LeapWhenThere;
    ShortMonthRule shortRule = ShortMonthRule::Day29;
    LeapDayRule leapDayRule = LeapDayRule::Feb28;
    int daysAhead = 0; // how many days before the day it is shown, 0–30
    std::string note;
    friend bool operator==(const Reminder&, const Reminder&) = default;
};

inline constexpr int kLongestReminderLead = 30;

// Whether the date itself can be: a lunar day 1–30 of month 1–12 (a leap month needs a year that
// has one, which is checked per year), a Gregorian day that some year has (29 February too).
bool IsValidReminderDate(const Reminder& reminder);

// The day number the reminder falls on in a year: the lunar year for a lunar date, the Gregorian
// year for a Gregorian one; nothing when that day lies outside 1901–2050.
std::optional<int> ReminderDayIn(const Reminder& reminder, int year);

struct ReminderDay {
    int day = 0;  // day number
    int year = 0; // the year of ReminderDayIn
    const Reminder* reminder = nullptr;
};

// Every day a reminder falls on between two days (inclusive), in date order (then list order).
std::vector<ReminderDay> ReminderDaysBetween(const std::vector<Reminder>& reminders, int firstDay,
                                             int lastDay);
// What to remind of on a day: the reminders falling that day or within their days ahead.
std::vector<ReminderDay> DueReminders(const std::vector<Reminder>& reminders, int today);

// 农历闰四月初八, 农历腊月三十, 公历2月29日.
std::string ReminderDateText(const Reminder& reminder);

} // namespace qj
