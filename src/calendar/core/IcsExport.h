#pragma once
// Calendar files (iCalendar, RFC 5545) of the holiday arrangements and the 纪念日: one all-day
// event per day. Every event's UID is made from what it is (holiday-20240210@qingjian,
// reminder-<id>-<year>@qingjian), so that a second export imported again updates the events
// instead of doubling them.

#include "calendar/core/Holidays.h"
#include "calendar/core/Reminders.h"

#include <string>
#include <vector>

namespace qj {

struct IcsEvent {
    std::string uid;
    int day = 0; // day number of the all-day event
    std::string summary;
    std::string description;
    std::string category;
};

// Holiday days and reminder days whose dates lie in the Gregorian years given (inclusive).
std::vector<IcsEvent> HolidayEvents(const HolidayCalendar& holidays, int firstYear, int lastYear);
std::vector<IcsEvent> ReminderEvents(const std::vector<Reminder>& reminders, int firstYear, int lastYear);

// The whole file: CR LF line ends, lines folded at 75 octets (never inside a character), texts
// escaped. `stamp` is the DTSTAMP of every event, UTC as YYYYMMDDTHHMMSSZ.
std::string IcsText(const std::vector<IcsEvent>& events, const std::string& stamp);

} // namespace qj
