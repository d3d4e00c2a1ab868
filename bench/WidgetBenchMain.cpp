// The main of the benchmarks that need widgets: an application object, offscreen unless the
// caller chose a platform.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "BenchEnd.h"

#include <vector>

namespace qj::bench {

namespace {
std::vector<std::function<void()>>& EndWork() {
    static std::vector<std::function<void()>> work;
    return work;
}
} // namespace

void AtBenchEnd(std::function<void()> work) {
    EndWork().push_back(std::move(work));
}

} // namespace qj::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (auto& work : qj::bench::EndWork())
        work();
    return 0;
}
