#pragma once
// The 神煞 a chart's day (and, for 天医, its month) brings, as branch sets: which branches carry
// 驿马, 桃花, 天乙贵人, 禄神, 羊刃, 文昌, 将星, 华盖 and 天医 on a given day.

#include "divination/core/BranchRelations.h"

#include <string_view>

namespace qj {

enum class Shensha { Horse, Peach, Noble, Salary, Blade, Scholar, General, Canopy, Doctor };
inline constexpr int kShenshaCount = 9;

// "驿马", "桃花", "贵人", "禄神", "羊刃", "文昌", "将星", "华盖", "天医".
std::string_view ShenshaName(Shensha s);
// What the star is reckoned from, for tooltips: "日支", "日干" or "月支".
std::string_view ShenshaBasis(Shensha s);

// The branches that carry star `s` on a day with the given stem (1..10) and branch (1..12), in a
// month with the given branch (1..12).
BranchSet ShenshaBranches(Shensha s, int dayStem, int dayBranch, int monthBranch);

} // namespace qj
