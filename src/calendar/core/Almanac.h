#pragma once
// The fixed texts the calendar shows about a day: festivals, the twelve day officers (建除十二神),
// the sixty-day almanac lines and the notes on the opening solar term of each lunar month.
// Line breaks inside these texts are CR LF.

#include "common/DateTime.h"

#include <string>
#include <string_view>

namespace qj {

// Gregorian festival of the day with its leading blank (" 国庆节"), or empty.
std::string SolarFestivalOf(DateTimeValue date);
// Lunar festival of the day with its leading blank (" 春节, 弥勒佛圣诞!"), or empty. Festivals
// fall only in ordinary months, never in a leap month. The last day of 蜡月 is 除夕.
std::string LunarFestivalOf(DateTimeValue date);

// Officer index 0–11 (建 … 闭) of a day: (day branch − month branch) mod 12, branch indexes.
int DayOfficerIndex(int monthBranch, int dayBranch);
// The officer text for a month branch and a day branch given as branch characters (子 … 亥);
// empty when either is not a branch character.
std::string DayOfficerText(std::string_view monthBranch, std::string_view dayBranch);
// The almanac line of a day pillar (two characters, e.g. 甲子); empty for an unknown pillar.
std::string DayAlmanacText(std::string_view dayPillar);
// The note on the solar term that opens a lunar month; a leap month uses its namesake's note.
// Empty for a month outside ±1..12.
std::string MonthTermNote(int signedLunarMonth);
// The opening words of that note: the month name and the term name, e.g. 正月立春.
std::string MonthTermNotePrefix(int signedLunarMonth);

} // namespace qj
