#pragma once
// The "analysis" object the chart commands add with --analysis: the reading of the chart against
// its day (hexagram facts, one entry per line, the day's 神煞, the 三合局, the 用神).

#include "cli/Args.h"
#include "cli/Json.h"
#include "divination/core/ChartAnalysis.h"

#include <optional>

namespace qj::cli {

// What --analysis, --yongshen, --changed-palace and --body ask for; nothing when --analysis is
// absent.
struct AnalysisChoice {
    AnalysisOptions options;
    std::optional<UseGodRequest> useGod;
};

// Reads the options; --yongshen, --changed-palace and --body without --analysis are refused.
std::optional<AnalysisChoice> ParseAnalysisChoice(const ParsedArgs& parsed);
// The 用神 named by --yongshen: 兄弟 子孙 妻财 官鬼 父母, 世 (世爻) or 应 (应爻).
UseGodRequest ParseUseGod(std::string_view text);

void WriteAnalysis(JsonWriter& json, const ChartState& chart, const AnalysisChoice& choice);

} // namespace qj::cli
