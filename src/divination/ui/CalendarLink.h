#pragma once
// What the divination window reads from the calendar window: the date of its grid, the chosen
// hour, and a way to bring it up (选择日期). The captions follow from the date and the hour
// through the calendar core, so only these two values cross between the windows.

#include "common/DateTime.h"

namespace qj {

class CalendarLink {
public:
    virtual ~CalendarLink() = default;
    // The date of the calendar grid.
    virtual DateTimeValue calendarDate() const = 0;
    // The hour list's index: 0..11 (子 … 亥), or −1 when no hour is chosen.
    virtual int hourIndex() const = 0;
    // Shows the calendar window, modeless.
    virtual void showCalendar() = 0;
};

} // namespace qj
