#pragma once
// The 24 solar terms as the Sun reaches them: the instant its apparent longitude is a multiple of
// 15° (小寒 285°, 立春 315°, 春分 0°, … 冬至 270°), in Beijing time (UT + 8 h), to within a
// minute. These are extra information only: the pillars and the term names of the grid follow
// the mean-year formula of SolarTermTime.

#include "common/DateTime.h"

namespace qj {

// The years whose terms are kept once computed; others are computed on every call.
inline constexpr int kFirstExactTermYear = 1899;
inline constexpr int kLastExactTermYear = 2051;

// Beijing date-time of term `termIndex` (0 = 小寒 … 23 = 冬至) of a Gregorian year.
DateTimeValue ExactSolarTermTime(int year, int termIndex);
// Its calendar day.
int ExactSolarTermDay(int year, int termIndex);

} // namespace qj
