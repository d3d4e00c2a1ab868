#pragma once
// The twelve two-hour periods as the calendar window's hour list offers them, index 0–11 =
// hour branch 子 … 亥.

#include <array>
#include <string>
#include <string_view>

namespace qj {

extern const std::array<std::string_view, 12> kHourListItems;

// The text the hour list shows for a selected index, or empty when nothing (−1) or an index
// outside 0–11 is selected.
std::string_view HourListText(int hourIndex);
// The hour name of a selected item (its first two characters, e.g. 午时), or empty.
std::string HourName(int hourIndex);
// The hour item for a clock hour 0–23: hour div 2, then one more when the hour is odd; 23:00
// is the start of the 子 hour (item 0), as the item's text says.
int HourIndexForClockHour(int hour);

} // namespace qj
