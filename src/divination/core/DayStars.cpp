#include "divination/core/DayStars.h"

#include <array>
#include <string_view>

namespace qj {
namespace {

constexpr std::array<std::string_view, 10> kByStem{
    "贵人[丑,未] 禄[寅] 羊刃[卯]", // 甲
    "贵人[子,申] 禄[卯] 羊刃[寅]", // 乙
    "贵人[亥,酉] 禄[巳] 羊刃[午]", // 丙
    "贵人[亥,酉] 禄[午] 羊刃[巳]", // 丁
    "贵人[丑,未] 禄[巳] 羊刃[午]", // 戊
    "贵人[子,申] 禄[午] 羊刃[巳]", // 己
    "贵人[寅,马] 禄[申] 羊刃[酉]", // 庚
    "贵人[寅,马] 禄[酉] 羊刃[申]", // 辛
    "贵人[卯,巳] 禄[亥] 羊刃[子]", // 壬
    "贵人[卯,巳] 禄[子] 羊刃[亥]", // 癸
};

// 24 one-character entries: 桃花 by branch number 1..12, then 驿马 by branch number 1..12.
constexpr std::array<std::string_view, 24> kByBranch{
    "酉", "午", "卯", "子", "酉", "午", "卯", "子", "酉", "午", "卯", "子",
    "寅", "亥", "申", "巳", "寅", "亥", "申", "巳", "寅", "亥", "申", "巳",
};

} // namespace

std::string ShenshaText(int dayStemNumber, int dayBranchNumber) {
    const std::string_view peach = kByBranch.at(dayBranchNumber - 1);
    const std::string_view horse = kByBranch.at(12 + dayBranchNumber - 1);
    std::string s = "驿马[";
    s += horse;
    s += "] 桃花[";
    s += peach;
    s += "] ";
    s += kByStem.at(dayStemNumber - 1);
    return s;
}

} // namespace qj
