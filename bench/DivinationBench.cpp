// Arranging a chart and writing its reading report, the work of one casting plus 开始断卦.

#include "divination/core/Casting.h"
#include "divination/core/ChartDate.h"
#include "divination/core/Report.h"

#include <benchmark/benchmark.h>

namespace {

qj::ChartState DatedChart() {
    qj::ChartState c;
    const qj::DateTimeValue date = qj::EncodeDate(2006, 5, 1);
    qj::SetChartDay(c, date);
    qj::RefreshDatePanel(c, qj::CalendarCaptionsOf(date, 6));
    qj::ArrangeChart(c);
    return c;
}

void ArrangeChartAndBuildReport(benchmark::State& state) {
    qj::ChartState chart = DatedChart();
    const qj::ReportInputs inputs{"财运", "指定起卦", "张三", "男", "问财"};
    int i = 0;
    for (auto _ : state) {
        chart.upper = i % 8 + 1;
        chart.lower = (i / 8) % 8 + 1;
        chart.movingPosition = i % 7;
        qj::ArrangeChart(chart);
        auto report = qj::BuildReport(chart, inputs, i % 2 ? qj::ReportStyle::Old : qj::ReportStyle::New,
                                      "2006-05-01 12:00:00");
        benchmark::DoNotOptimize(report);
        ++i;
    }
}
BENCHMARK(ArrangeChartAndBuildReport);

void ArrangeChartOnly(benchmark::State& state) {
    qj::ChartState chart = DatedChart();
    int i = 0;
    for (auto _ : state) {
        chart.upper = i % 8 + 1;
        chart.lower = (i / 8) % 8 + 1;
        chart.movingPosition = i % 7;
        qj::ArrangeChart(chart);
        benchmark::DoNotOptimize(chart);
        ++i;
    }
}
BENCHMARK(ArrangeChartOnly);

void TimeCasting(benchmark::State& state) {
    const qj::ChartState chart = DatedChart();
    qj::DateTimeValue date = qj::EncodeDate(2006, 5, 1);
    for (auto _ : state) {
        auto r = qj::CastByTime(chart, qj::TimeVariant::YearBranch, date, 6);
        benchmark::DoNotOptimize(r);
        date += 1;
        if (date > qj::EncodeDate(2050, 12, 31))
            date = qj::EncodeDate(1901, 1, 1);
    }
}
BENCHMARK(TimeCasting);

} // namespace

BENCHMARK_MAIN();
