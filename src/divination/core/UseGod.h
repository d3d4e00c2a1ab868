#pragma once
// Help with the 用神: where the chosen relative (or the 世 or 应 line) stands, and which lines
// are its 原神 (generating it), 忌神 (controlling it) and 仇神 (controlling its 原神).

#include "divination/core/ChartAnalysis.h"

namespace qj {

// Reads the 用神 in an analysis whose lines, day and primary facts are filled. Throws
// std::out_of_range for a relative rank outside 1..5.
UseGodReading ReadUseGod(const ChartAnalysis& analysis, const UseGodRequest& request);

} // namespace qj
