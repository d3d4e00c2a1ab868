// `qingjian-cli notes tree` on the big tree shapes: the million-note category and a chain 200,000
// notes deep. Each run is a fresh process, its output thrown away; time and peak memory are its
// own (wait4).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <benchmark/benchmark.h>

#include "TreeShapes.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

extern char** environ;

namespace {

void RunTree(benchmark::State& state, const QString& dataFile, const QString& category) {
    if (dataFile.isEmpty())
        return state.SkipWithError("cannot generate the data file");
    const std::string program = QJ_CLI_PATH;
    const std::string file = QFile::encodeName(dataFile).toStdString();
    const std::string name = category.toStdString();
    std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>("notes"),
                            const_cast<char*>("tree"),          const_cast<char*>(file.c_str()),
                            const_cast<char*>(name.c_str()),    nullptr};
    double peakMB = 0;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        QElapsedTimer clock;
        clock.start();
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            return state.SkipWithError("cannot start qingjian-cli");
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return state.SkipWithError("qingjian-cli failed");
        peakMB = std::max(peakMB, static_cast<double>(usage.ru_maxrss) / 1024.0);
        state.counters["cpu_s"] = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                                  static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    state.counters["peak_RSS_MB"] = peakMB;
}

void BM_CliTreeMillion(benchmark::State& state) {
    RunTree(state, qj::bench::MillionNoteDataFile(), qj::bench::kMillionCategory);
}
BENCHMARK(BM_CliTreeMillion)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CliTreeDeepChain(benchmark::State& state) {
    RunTree(state, qj::bench::DeepChainDataFile(static_cast<int>(state.range(0))), qj::bench::kChainCategory);
}
BENCHMARK(BM_CliTreeDeepChain)->Arg(200000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
