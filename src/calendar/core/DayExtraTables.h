#pragma once
// The almanac's constant knowledge about a day beyond the officers and the sixty-day lines: 纳音,
// 彭祖百忌, the 28 mansions, the twelve 值神, the nine stars, 胎神, the directions of 福神, 阳贵 and
// 阴贵 and of 煞. Indexes: pillars in cycle order (甲子 = 0), stems 甲 = 0, branches 子 = 0.

#include <array>
#include <string_view>

namespace qj {

struct LuckName {
    std::string_view name;
    bool lucky; // 吉 / 黄道
};

// 纳音 of each pair of pillars: pillar p has kNaYin[p / 2].
extern const std::array<std::string_view, 30> kNaYin;
extern const std::array<std::string_view, 10> kPengZuStemLines;
extern const std::array<std::string_view, 12> kPengZuBranchLines;
// 角 … 轸 with 吉 or 凶.
extern const std::array<LuckName, 28> kMansions;
// 青龙 … 勾陈; lucky = 黄道.
extern const std::array<LuckName, 12> kDutyGods;
// The 值神 index of a 子 day in the month of each branch: (day branch + this) mod 12.
extern const std::array<int, 12> kDutyGodOffsetOfMonthBranch;
// 一白水星 … 九紫火星.
extern const std::array<std::string_view, 9> kNineStars;
// 胎神占方 of each day pillar.
extern const std::array<std::string_view, 60> kFetusGods;
// Directions of 福神, 阳贵 and 阴贵 by the day's stem.
extern const std::array<std::string_view, 10> kFortuneGodDirections;
extern const std::array<std::string_view, 10> kYangNobleDirections;
extern const std::array<std::string_view, 10> kYinNobleDirections;
// 煞 of a day by its branch mod 4 (申子辰 南, 巳酉丑 东, 寅午戌 北, 亥卯未 西).
extern const std::array<std::string_view, 4> kShaDirections;
// 初伏 中伏 末伏 and 一九 … 九九.
extern const std::array<std::string_view, 3> kDogDayNames;
extern const std::array<std::string_view, 9> kNineNineNames;

} // namespace qj
