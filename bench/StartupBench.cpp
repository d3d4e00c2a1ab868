// Start-up time of the desktop program: from starting the process to its main window shown, with
// a 500 MB data file of 50 categories (the target is under one second) and, for comparison, with
// the empty data file of a first run.
//
// The big data file is generated once and kept in the build folder; every run starts the built
// program from a copy in a fresh program folder (the data file hard-linked in), offscreen, and
// waits for its "shown" line (QJ_REPORT_SHOWN=1).

#include "common/Gbk.h"

#include "BigDataFile.h"
#include "TreeShapes.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

QString ProgramPath() {
    return QString::fromUtf8(QJ_PROGRAM_PATH);
}
QString BuildBinFolder() {
    return QFileInfo(ProgramPath()).absolutePath();
}

struct Folder {
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/qj-bench-run-XXXXXX")};
    QTemporaryDir runtime{QDir::tempPath() + QStringLiteral("/qj-bench-rt-XXXXXX")};
    QString program;
};

// A program folder with the program, the guide and the given data file; CurTb names `category`.
// `linkData`: the data file is hard-linked (or symlinked) instead of copied, for a file that
// start-up only reads.
bool PrepareFolder(Folder& folder, const QString& dataFile, const QString& category, bool linkData) {
    if (!folder.dir.isValid() || !folder.runtime.isValid())
        return false;
    const QString dir = folder.dir.path() + QLatin1Char('/');
    folder.program = dir + QStringLiteral("qingjian");
    if (!QFile::copy(ProgramPath(), folder.program) ||
        !QFile::copy(BuildBinFolder() + QStringLiteral("/readme.txt"), dir + QStringLiteral("readme.txt")))
        return false;
    const QString target = dir + QStringLiteral("dataly.dat");
    const bool linked = linkData && (::link(QFile::encodeName(dataFile).constData(),
                                            QFile::encodeName(target).constData()) == 0 ||
                                     QFile::link(dataFile, target));
    if (!linked && !QFile::copy(dataFile, target))
        return false;
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    if (!category.isEmpty()) {
        QFile ini(dir + QStringLiteral("Jotterly.ini"));
        if (!ini.open(QIODevice::WriteOnly))
            return false;
        // The settings file in GBK, as the program writes it.
        const std::string text = qj::Utf8ToGbk("[Info]\r\nCurTb=" + category.toStdString() + "\r\n");
        ini.write(text.data(), static_cast<qint64>(text.size()));
    }
    return true;
}

// The peak resident memory of a running process in MB (VmHWM), 0 when unknown.
double PeakResidentMB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// The processor time a running process has used so far in ms (user and system), 0 when unknown:
// on a busy machine the wall time says more about the others than about the start.
double ProcessorMs(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    // The fields after the command name in parentheses (which may hold blanks): utime and stime
    // are the 14th and 15th of the line, the 12th and 13th after the name.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    const double ticks = fields[11].toDouble() + fields[12].toDouble();
    return ticks * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

struct StartFigures {
    double peakMB = 0;
    double processorMs = 0;
};

// Starts the program and returns the seconds until it reported its main window shown (<0: never);
// `figures` receives its peak resident memory and processor time at that moment.
double TimeOneStart(const Folder& folder, StartFigures* figures = nullptr) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QJ_REPORT_SHOWN"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.runtime.path());
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder.dir.path());

    QElapsedTimer clock;
    clock.start();
    process.start(folder.program, {});
    QByteArray output;
    double seconds = -1;
    QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired() && process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(5);
        output += process.readAllStandardOutput();
        if (output.contains("shown\n")) {
            seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            if (figures) {
                figures->peakMB = PeakResidentMB(process.processId());
                figures->processorMs = ProcessorMs(process.processId());
            }
            break;
        }
    }
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
    return seconds;
}

void RunStarts(benchmark::State& state, const QString& dataFile, const QString& category,
               bool freshFolderEachTime) {
    // A first run writes its data file, so it gets a copy and a fresh folder each time; a big
    // file is only read.
    const bool link = !freshFolderEachTime;
    auto folder = std::make_unique<Folder>();
    if (!PrepareFolder(*folder, dataFile, category, link)) {
        state.SkipWithError("cannot prepare a program folder");
        return;
    }
    double processorMs = 0;
    for (auto _ : state) {
        if (freshFolderEachTime) {
            state.PauseTiming();
            folder = std::make_unique<Folder>();
            const bool ok = PrepareFolder(*folder, dataFile, category, link);
            state.ResumeTiming();
            if (!ok) {
                state.SkipWithError("cannot prepare a program folder");
                return;
            }
        }
        StartFigures figures;
        const double seconds = TimeOneStart(*folder, &figures);
        state.counters["peak_RSS_MB"] = std::max(state.counters["peak_RSS_MB"].value, figures.peakMB);
        processorMs += figures.processorMs;
        if (seconds < 0) {
            state.SkipWithError("the program did not report its main window shown");
            return;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["program_CPU_ms"] = benchmark::Counter(processorMs, benchmark::Counter::kAvgIterations);
}

void BM_StartupBigDataFile50Categories(benchmark::State& state) {
    const QString data = qj::bench::BigDataFile();
    if (data.isEmpty()) {
        state.SkipWithError("cannot generate the big data file");
        return;
    }
    state.counters["file_MB"] = static_cast<double>(QFileInfo(data).size()) / 1e6;
    RunStarts(state, data, qj::bench::kBigStartupCategory, false);
}
BENCHMARK(BM_StartupBigDataFile50Categories)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The million-note category (1,000 roots × 10 children × 99 grandchildren) as the start-up category.
void BM_StartupMillionNoteCategory(benchmark::State& state) {
    const QString data = qj::bench::MillionNoteDataFile();
    if (data.isEmpty()) {
        state.SkipWithError("cannot generate the million-note data file");
        return;
    }
    RunStarts(state, data, qj::bench::kMillionCategory, false);
}
BENCHMARK(BM_StartupMillionNoteCategory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_StartupFirstRunEmptyDataFile(benchmark::State& state) {
    // A first run writes the data file: every start gets a fresh folder with a fresh copy.
    RunStarts(state, BuildBinFolder() + QStringLiteral("/dataly.dat"), QString(), true);
}
BENCHMARK(BM_StartupFirstRunEmptyDataFile)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

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
