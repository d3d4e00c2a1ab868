#pragma once
// The six spirits (六神) in their cycle order 青龙 朱雀 勾陈 螣蛇 白虎 玄武 (spirit number 1..6).
// The day stem decides the spirit of line 1; lines 2..6 follow in cycle order.

#include <string_view>

namespace qj {

inline constexpr int kSpiritCount = 6;

std::string_view SpiritName(int spiritNumber);
// Spirit number of a name, 0 when the text is none.
int SpiritNumberOf(std::string_view name);

// Spirit number of line 1 on a day with the given stem number (1..10).
int FirstSpiritOf(int dayStemNumber);
// Spirit number of line 1..6 on a day with the given stem number.
int SpiritOfLine(int dayStemNumber, int line);

} // namespace qj
