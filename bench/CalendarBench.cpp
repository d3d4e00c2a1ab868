// How long the calendar takes to describe every day it covers (1901-01-01 … 2050-12-31): the
// lunar code, the cyclic counts, the solar term and both festivals of each day.
#include "calendar/core/Almanac.h"
#include "calendar/core/Captions.h"
#include "calendar/core/DateCn.h"
#include "calendar/core/DayExtra.h"
#include "calendar/core/Sexagenary.h"

#include <benchmark/benchmark.h>

namespace {

const double kFirst = qj::EncodeDate(1901, 1, 1);
const double kLast = qj::EncodeDate(2050, 12, 31);

void EveryDayOfTheCalendar(benchmark::State& state) {
    for (auto _ : state) {
        for (double v = kFirst; v <= kLast; v += 1) {
            benchmark::DoNotOptimize(qj::LunarCodeOf(v));
            benchmark::DoNotOptimize(qj::CyclicCountsOf(v));
            benchmark::DoNotOptimize(qj::SolarTermOf(v));
            benchmark::DoNotOptimize(qj::SolarFestivalOf(v));
            benchmark::DoNotOptimize(qj::LunarFestivalOf(v));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kLast - kFirst + 1));
}
BENCHMARK(EveryDayOfTheCalendar)->Unit(benchmark::kMillisecond);

void EveryDaysCaptions(benchmark::State& state) {
    for (auto _ : state) {
        for (double v = kFirst; v <= kLast; v += 1) {
            benchmark::DoNotOptimize(qj::GregorianCaption(v, 6));
            benchmark::DoNotOptimize(qj::LunarCaption(v, 6));
            benchmark::DoNotOptimize(qj::PillarCaption(v, 6));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kLast - kFirst + 1));
}
BENCHMARK(EveryDaysCaptions)->Unit(benchmark::kMillisecond);

// Everything the day's extra panel shows, for every day of the calendar (the exact terms of a
// year are computed on the first call that needs them and kept).
void EveryDaysExtra(benchmark::State& state) {
    for (auto _ : state) {
        for (double v = kFirst; v <= kLast; v += 1)
            benchmark::DoNotOptimize(qj::DayExtraOf(v, 6));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kLast - kFirst + 1));
}
BENCHMARK(EveryDaysExtra)->Unit(benchmark::kMillisecond);

void EveryLunarDateToSolar(benchmark::State& state) {
    for (auto _ : state) {
        for (int y = 1901; y <= 2099; ++y)
            for (int m = 1; m <= 12; ++m)
                for (int d = 1; d <= qj::LunarMonthDays(y, m); ++d)
                    benchmark::DoNotOptimize(qj::LunarToSolar(qj::MakeLunarDate(y, m, d)));
    }
}
BENCHMARK(EveryLunarDateToSolar)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
