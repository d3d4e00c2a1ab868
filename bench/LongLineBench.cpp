// Address finding on lines without blanks: a 5 MB line of one letter, of digits and of "a@"
// repeated (the old backtracking mail pattern froze on them), highlighted (the runs the editor
// underlines) and exported as HTML. Target: under 200 ms each.
#include "store/TextFiles.h"
#include "text/Addresses.h"

#include <benchmark/benchmark.h>

namespace {

constexpr qsizetype kLineLength = 5 * 1000 * 1000;

QString Line(int kind) {
    switch (kind) {
    case 0:
        return QString(kLineLength, QLatin1Char('a'));
    case 1: {
        QString digits;
        digits.reserve(kLineLength);
        while (digits.size() < kLineLength)
            digits += QStringLiteral("0123456789");
        return digits;
    }
    default:
        return QStringLiteral("a@").repeated(kLineLength / 2);
    }
}

const char* const kNames[] = {"letters", "digits", "a@"};

void BM_Highlight(benchmark::State& state) {
    const QString line = Line(static_cast<int>(state.range(0)));
    size_t runs = 0;
    for (auto _ : state) {
        runs = qj::HighlightRuns(line).size();
        benchmark::DoNotOptimize(runs);
    }
    state.SetLabel(kNames[state.range(0)]);
    state.counters["runs"] = static_cast<double>(runs);
}
BENCHMARK(BM_Highlight)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_ExportHtml(benchmark::State& state) {
    const QString text = Line(static_cast<int>(state.range(0))) + QStringLiteral("\r\n");
    for (auto _ : state)
        benchmark::DoNotOptimize(qj::ExportHtmlBytes(text));
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_ExportHtml)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
