// The encoding rule measured: how often it takes GBK text for UTF-8 and UTF-8 text for GBK, on the
// 3,755 level-1 hanzi alone, on a fixed sample of 100,000 pairs of them, and (for information) on
// pairs of the rarer hanzi only GBK holds; and how fast it guesses a large file. The error counts
// are reported as counters ("gbk_as_utf8", "utf8_as_gbk", and their rates in percent).
#include "HanziSample.h"
#include "common/Gbk.h"
#include "common/TextDecode.h"

#include <benchmark/benchmark.h>

namespace {

using qj::GuessTextForm;
using qj::TextEncoding;

struct Errors {
    int64_t texts = 0;
    int64_t gbkAsUtf8 = 0;
    int64_t utf8AsGbk = 0;
};

template <typename Texts> Errors Measure(const Texts& texts) {
    Errors e;
    for (const std::string& text : texts) {
        ++e.texts;
        if (GuessTextForm(qj::Utf8ToGbk(text)).encoding != TextEncoding::Gbk)
            ++e.gbkAsUtf8;
        if (GuessTextForm(text).encoding != TextEncoding::Utf8)
            ++e.utf8AsGbk;
    }
    return e;
}

std::vector<std::string> Pairs(const std::vector<std::string>& hanzi, int count) {
    std::vector<std::string> out;
    for (const auto& [a, b] : qj::test::SamplePairs(count, static_cast<int>(hanzi.size())))
        out.push_back(hanzi[a] + hanzi[b]);
    return out;
}

void Report(benchmark::State& state, const Errors& e) {
    state.counters["texts"] = static_cast<double>(e.texts);
    state.counters["gbk_as_utf8"] = static_cast<double>(e.gbkAsUtf8);
    state.counters["utf8_as_gbk"] = static_cast<double>(e.utf8AsGbk);
    state.counters["gbk_as_utf8_%"] = 100.0 * static_cast<double>(e.gbkAsUtf8) / static_cast<double>(e.texts);
    state.counters["utf8_as_gbk_%"] = 100.0 * static_cast<double>(e.utf8AsGbk) / static_cast<double>(e.texts);
    state.SetItemsProcessed(state.iterations() * e.texts * 2);
}

void Level1Singles(benchmark::State& state) {
    Errors e;
    for (auto _ : state)
        e = Measure(qj::test::Level1Hanzi());
    Report(state, e);
}
BENCHMARK(Level1Singles)->Unit(benchmark::kMillisecond);

void Level1Pairs(benchmark::State& state) {
    const std::vector<std::string> pairs = Pairs(qj::test::Level1Hanzi(), 100000);
    Errors e;
    for (auto _ : state)
        e = Measure(pairs);
    Report(state, e);
}
BENCHMARK(Level1Pairs)->Unit(benchmark::kMillisecond);

void RareHanziSingles(benchmark::State& state) {
    Errors e;
    for (auto _ : state)
        e = Measure(qj::test::GbkOnlyHanzi());
    Report(state, e);
}
BENCHMARK(RareHanziSingles)->Unit(benchmark::kMillisecond);

void RareHanziPairs(benchmark::State& state) {
    const std::vector<std::string> pairs = Pairs(qj::test::GbkOnlyHanzi(), 100000);
    Errors e;
    for (auto _ : state)
        e = Measure(pairs);
    Report(state, e);
}
BENCHMARK(RareHanziPairs)->Unit(benchmark::kMillisecond);

// A 1 MB note of common hanzi, punctuation and ASCII, guessed in UTF-8 and in GBK.
void GuessOneMegabyte(benchmark::State& state) {
    const std::vector<std::string>& hanzi = qj::test::Level1Hanzi();
    std::string utf8;
    size_t i = 0;
    for (const auto& [a, b] : qj::test::SamplePairs(200000, static_cast<int>(hanzi.size()))) {
        utf8 += hanzi[a] + hanzi[b];
        utf8 += ++i % 10 == 0 ? "。\r\n" : (i % 3 == 0 ? "，" : " ok ");
        if (utf8.size() >= 1 << 20)
            break;
    }
    const std::string texts[] = {utf8, qj::Utf8ToGbk(utf8)};
    const std::string& text = texts[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(GuessTextForm(text));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
    state.SetLabel(state.range(0) == 0 ? "UTF-8" : "GBK");
}
BENCHMARK(GuessOneMegabyte)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
