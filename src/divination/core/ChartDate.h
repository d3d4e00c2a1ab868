#pragma once
// The chart's day and date texts, taken from the calendar window's date and captions.

#include "common/DateTime.h"
#include "divination/core/Chart.h"

#include <string>

namespace qj {

// The calendar window's three captions for a date-time and hour list index (−1 = none).
struct CalendarCaptions {
    std::string gregorian; // "公历: 2006年 5月 1日"
    std::string lunar;     // "农历: 丙戌(狗) 四月初四日午时"
    std::string pillar;    // "丙戌 壬辰 庚寅 壬午 (午未 空)"
};
CalendarCaptions CalendarCaptionsOf(DateTimeValue calendarDate, int hourIndex);

// Cut the date texts out of the captions by GBK byte positions and rebuild the shensha line.
void RefreshDatePanel(ChartState& chart, const CalendarCaptions& captions);
// Day stem and branch numbers of the calendar date (its day count mod 10 and mod 12, plus 1) and
// the branch number of its month pillar (month count mod 12, plus 1).
void SetChartDay(ChartState& chart, DateTimeValue calendarDate);

} // namespace qj
