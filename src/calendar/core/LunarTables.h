#pragma once
// The two tables that drive the lunar calendar.
//
// Solar-year table, one row per Gregorian year 1901–2050 (index year − 1901), describing the run
// of lunar months that overlaps the year from the month in force on 1 January:
//   byte 0 bit 7: that month is 12 (set) or 11 (clear); bits 0–6: the lunar day of 1 January;
//   bytes 1–2: month lengths, high bit first = the month in force on 1 January (set = 30 days);
//   byte 3: the leap month occurring in this run, 0 if none.
//
// Lunar-year table, one word per lunar year 1900–2100 (index year − 1900):
//   bits 15–4: lengths of months 1–12 (bit 15 = month 1; set = 30 days);
//   bits 3–0: the leap month, 0 = none, 15 = none this year and the previous year's leap month
//   has 30 days.

#include <array>
#include <cstdint>

namespace qj {

extern const std::array<std::array<std::uint8_t, 4>, 150> kSolarYearTable;
extern const std::array<std::uint16_t, 201> kLunarYearTable;

} // namespace qj
