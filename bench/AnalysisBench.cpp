// Reading one chart against its day (分析): the core analysis, with a 用神, and the report section.

#include "divination/core/AnalysisText.h"
#include "divination/core/Casting.h"
#include "divination/core/ChartAnalysis.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Charts of 64 line-state sets with moving lines, cast once.
std::vector<qj::ChartState> Charts() {
    std::vector<qj::ChartState> charts;
    for (int set = 0; set < 4096; set += 64) {
        std::array<std::string_view, qj::kChartRows> marks;
        for (int row = 0; row < qj::kChartRows; ++row)
            marks[row] = qj::LineMark(static_cast<qj::LineState>((set >> (2 * row)) & 3));
        charts.push_back(qj::CastByCoins(qj::ChartState{}, marks).chart);
    }
    return charts;
}

qj::ChartDay DayOf(int i) {
    const int pillar = i % 60;
    return {i % 12 + 1, pillar % 10 + 1, pillar % 12 + 1};
}

void AnalyseOneChart(benchmark::State& state) {
    const std::vector<qj::ChartState> charts = Charts();
    int i = 0;
    for (auto _ : state) {
        auto a = qj::AnalyseChart(charts[static_cast<size_t>(i % 64)], DayOf(i));
        benchmark::DoNotOptimize(a);
        ++i;
    }
}
BENCHMARK(AnalyseOneChart);

void AnalyseOneChartWithUseGod(benchmark::State& state) {
    const std::vector<qj::ChartState> charts = Charts();
    int i = 0;
    for (auto _ : state) {
        auto a = qj::AnalyseChart(charts[static_cast<size_t>(i % 64)], DayOf(i), {},
                                  qj::UseGodRequest{qj::UseGodChoice::Relative, i % 5 + 1});
        benchmark::DoNotOptimize(a);
        ++i;
    }
}
BENCHMARK(AnalyseOneChartWithUseGod);

void AnalyseAndWriteTheSection(benchmark::State& state) {
    const std::vector<qj::ChartState> charts = Charts();
    int i = 0;
    for (auto _ : state) {
        const qj::UseGodRequest useGod{qj::UseGodChoice::Relative, i % 5 + 1};
        auto lines = qj::AnalysisSection(
            qj::AnalyseChart(charts[static_cast<size_t>(i % 64)], DayOf(i), {}, useGod), useGod);
        benchmark::DoNotOptimize(lines);
        ++i;
    }
}
BENCHMARK(AnalyseAndWriteTheSection);

} // namespace

BENCHMARK_MAIN();
