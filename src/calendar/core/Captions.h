#pragma once
// The texts the calendar window shows for a chosen date-time and hour, as pure functions: other
// windows (status bar, alert, divination) read the same texts.
//
// hourIndex is the hour list's selection: 0–11 (子 … 亥), or −1 when no hour is chosen.

#include "common/DateTime.h"

#include <string>

namespace qj {

// "公历: 2006年 5月 1日".
std::string GregorianCaption(DateTimeValue value, int hourIndex);
// "农历: 丙戌(狗) 四月初四日午时": the sexagenary year of the Gregorian year, the lunar date, the
// solar term of the value (empty when the value carries a time of day), "日" and the hour name
// (empty when no hour is chosen).
std::string LunarCaption(DateTimeValue value, int hourIndex);
// "丙戌 壬辰 庚寅 壬午 (午未 空)": year, month, day and hour pillars, then the day's void branches.
// With no hour chosen the 子 hour is used; the 子 hour of a value at 23:00 or later is the one that
// starts at 23:00 (the next day's first hour), the date staying the same day.
std::string PillarCaption(DateTimeValue value, int hourIndex);
// The cycle count of the hour pillar that PillarCaption shows: the chosen hour's branch (子 with no
// hour chosen) in the day's cycle, or in the next day's for the 子 hour of a value at 23:00 or later.
int HourPillarCount(DateTimeValue value, int hourIndex);
// The day's message (the calendar grid's hint): the Gregorian and lunar captions without the hour
// name, the almanac line, the day officer text and the festivals, separated by CR CR LF.
std::string DayMessage(DateTimeValue value);

} // namespace qj
