#pragma once
// The auxiliary stars of a day (日上神煞): 驿马 and 桃花 by the day branch, 贵人, 禄 and 羊刃 by
// the day stem.

#include <string>

namespace qj {

// "驿马[寅] 桃花[酉] 贵人[丑,未] 禄[寅] 羊刃[卯]" for a 甲子 day. Stem number 1..10, branch
// number 1..12.
std::string ShenshaText(int dayStemNumber, int dayBranchNumber);

} // namespace qj
