// Start-up of the main window inside this process, offscreen: from nothing to the main window
// shown maximized and drawn, with every window that start-up makes, on the 500 MB data file (50
// categories, the start-up category one of 1,150 notes) and with the million-note category as the
// start-up category. The pieces are timed on their own too: the main window's making (data file,
// settings, selector, start-up category), the other windows' making, and the first show.
// bench_startup times the same from a process start.
#include "app/Lymain.h"
#include "app/ProgramWindows.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/Notebook.h"

#include <benchmark/benchmark.h>

#include "BenchProgram.h"
#include "BigDataFile.h"
#include "TreeShapes.h"

#include <QApplication>

#include <memory>

namespace {

using qj::bench::BenchProgram;

std::unique_ptr<BenchProgram> Prepared(benchmark::State& state, const QString& dataFile,
                                       const QString& category) {
    auto program = std::make_unique<BenchProgram>(dataFile, category);
    if (!program->ready()) {
        state.SkipWithError("cannot prepare the program folder with its data file");
        return nullptr;
    }
    return program;
}

std::unique_ptr<BenchProgram> Prepared500MB(benchmark::State& state) {
    return Prepared(state, qj::bench::BigDataFile(), qj::bench::kBigStartupCategory);
}

void Startups(benchmark::State& state, BenchProgram& program) {
    qj::bench::PaintCounter paints;
    for (auto _ : state) {
        const bool started = program.start();
        if (!started)
            return state.SkipWithError("the start-up category was not the one shown");
        state.PauseTiming();
        state.counters["top_items"] = program.main().notebook().tree()->topLevelItemCount();
        program.stop();
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(paints.count(), benchmark::Counter::kAvgIterations);
}

void BM_MainWindowStartup500MB(benchmark::State& state) {
    if (auto program = Prepared500MB(state))
        Startups(state, *program);
}
BENCHMARK(BM_MainWindowStartup500MB)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_MainWindowStartupMillionNotes(benchmark::State& state) {
    if (auto program = Prepared(state, qj::bench::MillionNoteDataFile(), qj::bench::kMillionCategory))
        Startups(state, *program);
}
BENCHMARK(BM_MainWindowStartupMillionNotes)->Unit(benchmark::kMillisecond)->Iterations(5);

// The main window made (FormCreate), not shown.
void BM_MainWindowMake500MB(benchmark::State& state) {
    auto program = Prepared500MB(state);
    if (!program)
        return;
    for (auto _ : state) {
        auto main = std::make_unique<qj::TFmain>(program->services());
        state.PauseTiming();
        main.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowMake500MB)->Unit(benchmark::kMillisecond)->Iterations(10);

// The about, calendar, divination and alert windows made after the main window, hidden.
void BM_StartupWindowsMake(benchmark::State& state) {
    auto program = Prepared500MB(state);
    if (!program)
        return;
    qj::TFmain main(program->services());
    for (auto _ : state) {
        auto windows = std::make_unique<qj::ProgramWindows>(main, program->services());
        state.PauseTiming();
        windows.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupWindowsMake)->Unit(benchmark::kMillisecond)->Iterations(10);

// The made main window shown maximized, laid out and drawn.
void BM_MainWindowFirstShow500MB(benchmark::State& state) {
    auto program = Prepared500MB(state);
    if (!program)
        return;
    qj::bench::PaintCounter paints;
    for (auto _ : state) {
        state.PauseTiming();
        auto main = std::make_unique<qj::TFmain>(program->services());
        QApplication::processEvents();
        state.ResumeTiming();
        main->showMaximized();
        qj::bench::ShowAndDraw(main.get());
        state.PauseTiming();
        main.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(paints.count(), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MainWindowFirstShow500MB)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
