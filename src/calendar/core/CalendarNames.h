#pragma once
// The names the Chinese calendar is written with: lunar months and days, stems, branches, animals
// and the 24 solar terms. Index 0 of the lunar month and day tables is unused (empty).

#include <array>
#include <string_view>

namespace qj {

// Lunar month names 1–12 without "月": 正, 二, …, 冬, 蜡.
extern const std::array<std::string_view, 13> kLunarMonthNames;
// Lunar day names 1–30: 初一 … 三十.
extern const std::array<std::string_view, 31> kLunarDayNames;
// Heavenly stems 0–9: 甲 … 癸.
extern const std::array<std::string_view, 10> kStemNames;
// Earthly branches 0–11: 子 … 亥.
extern const std::array<std::string_view, 12> kBranchNames;
// The animal of each branch: 鼠 … 猪.
extern const std::array<std::string_view, 12> kAnimalNames;
// Solar terms 0–23, 小寒 first.
extern const std::array<std::string_view, 24> kSolarTermNames;

// Index of a branch character (子 = 0), or -1 when the text is not one of the twelve.
int BranchIndexOf(std::string_view branch);
// Index of a stem character (甲 = 0), or -1.
int StemIndexOf(std::string_view stem);

} // namespace qj
