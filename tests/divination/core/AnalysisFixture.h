#pragma once
// Charts for the analysis tests: cast from six line states and read against a day.

#include "divination/core/AnalysisText.h"
#include "divination/core/Casting.h"
#include "divination/core/ChartAnalysis.h"

#include <string_view>

namespace qj {

// A chart cast from six line states written as digits 0..3, line 6 first ("122301").
inline ChartState ChartOfLines(std::string_view states) {
    std::array<std::string_view, kChartRows> marks;
    for (int row = 0; row < kChartRows; ++row)
        marks[row] = LineMark(static_cast<LineState>(states[static_cast<size_t>(row)] - '0'));
    return CastByCoins(ChartState{}, marks).chart;
}

inline ChartAnalysis Analysed(std::string_view states, ChartDay day, AnalysisOptions options = {},
                              std::optional<UseGodRequest> useGod = std::nullopt) {
    return AnalyseChart(ChartOfLines(states), day, options, useGod);
}

// Branch numbers by name, for readable tables.
enum : int { Zi = 1, Chou, Yin, Mao, Chen, Si, Wu, Wei, Shen, You, Xu, Hai };
// Stem numbers.
enum : int { Jia = 1, Yi, Bing, Ding, Wu4, Ji, Geng, Xin, Ren, Gui };

} // namespace qj
