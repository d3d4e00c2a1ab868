#pragma once
// The day's extras as the calendar window's panel lists them: one line per subject, each with its
// caption, its text and a tooltip that says what the subject is.

#include "calendar/core/Holidays.h"
#include "common/DateTime.h"

#include <string>
#include <string_view>
#include <vector>

namespace qj {

struct ExtraLine {
    std::string_view caption; // 纳音, 冲煞 …
    std::string text;         // empty: nothing to say that day
    std::string_view tip;
};

// `hourCount`: the hour pillar's count, −1 without an hour; `holiday`: the day's arrangement or
// nullptr.
std::vector<ExtraLine> DayExtraLines(DateTimeValue date, int hourCount, const HolidayDay* holiday);

// The term line: the term the Sun reaches that day with its time, and where the calendar's own
// (mean-year) term day differs, both: 立夏 23:30（历表记在 5月6日）, 立夏（历表）；交节 5月5日 23:30.
std::string TermLine(DateTimeValue date);

} // namespace qj
