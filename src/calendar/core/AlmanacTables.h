#pragma once
// The almanac's constant texts, in the order the look-ups scan them.
//
// Festival entries are a four-digit key MMDD (Gregorian or lunar month and day), one blank and the
// text; the lunar entry keyed 0100 is New Year's Eve. Officer texts are indexed 建 … 闭, almanac
// lines in cycle order (甲子 … 癸亥), month term notes by lunar month 1–12 (index 0 unused).

#include <array>
#include <string_view>

namespace qj {

extern const std::array<std::string_view, 41> kSolarFestivals;
extern const std::array<std::string_view, 50> kLunarFestivals;
extern const std::array<std::string_view, 12> kDayOfficerTexts;
extern const std::array<std::string_view, 60> kDayAlmanacLines;
extern const std::array<std::string_view, 13> kMonthTermNotes;
extern const std::array<std::string_view, 13> kMonthTermNotePrefixes;

} // namespace qj
