// Reading the settings at start and writing them at exit with a 3 MB settings file: one with
// 100,000 sections, one with a 3 MB font name. Target: under 0.5 s each.
#include "shell/Settings.h"
#include "shell/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

std::string BigFile(int kind) {
    std::string bytes = "[Settings]\r\nToolBar=1\r\n";
    if (kind == 0) {
        for (int i = 0; bytes.size() < 3'000'000; ++i)
            bytes += "[Section" + std::to_string(i) + "]\r\nKey=value\r\n";
        bytes += "[Font]\r\nName=宋体\r\nSize=12\r\n";
    } else {
        bytes += "[Font]\r\nName=" + std::string(3'000'000, 'F') + "\r\nSize=12\r\n";
    }
    return bytes;
}

void Put(const QString& path, const std::string& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

const char* const kNames[] = {"100000 sections", "3 MB font name"};

void BM_ReadAtStart(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Jotterly.ini"));
    Put(path, BigFile(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(qj::SettingsStore(path).read());
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_ReadAtStart)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void BM_WriteAtExit(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Jotterly.ini"));
    const std::string bytes = BigFile(static_cast<int>(state.range(0)));
    Put(path, bytes);
    qj::SettingsStore file(path);
    const qj::Settings settings = file.read();
    for (auto _ : state)
        file.saveAtExit(settings);
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_WriteAtExit)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
