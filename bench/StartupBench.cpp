// Start-up time of the desktop program: from starting the process to its main window shown, with
// a 500 MB data file of 50 categories (the target is under one second) and, for comparison, with
// the empty data file of a first run.
//
// The big data file is generated once and kept in /tmp/qj-bench-startup; every run starts the
// built program from a copy in a fresh program folder (the data file hard-linked in), offscreen,
// and waits for its "shown" line (QJ_REPORT_SHOWN=1).

#include "common/Gbk.h"

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

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

namespace {

constexpr int kCategories = 50;
constexpr int kNotesPerCategory = 1150;
// Three UTF-8 bytes each plus line breaks: 8.5 kB per note, which SQLite keeps in 8.7 kB of pages;
// 57,500 notes make a file of 500 MB.
constexpr int kInfoCharacters = 2800;
constexpr char kCacheFolder[] = "/tmp/qj-bench-startup";
constexpr char kCompleteMark[] = "complete-v2";

QString ProgramPath() {
    return QString::fromUtf8(QJ_PROGRAM_PATH);
}
QString BuildBinFolder() {
    return QFileInfo(ProgramPath()).absolutePath();
}

std::string CategoryName(int index) {
    if (index == 0)
        return "帮助";
    char name[32];
    std::snprintf(name, sizeof name, "类别%02d", index);
    return name;
}

bool Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "startup bench: %s: %s\n", sql.c_str(), error ? error : "?");
        sqlite3_free(error);
        return false;
    }
    return true;
}

std::string Quote(const std::string& identifier) {
    return "\"" + identifier + "\"";
}

// A note text of Chinese characters in lines of 40, varied so that no two notes are alike.
std::string NoteText(std::mt19937& random) {
    static const char32_t kPool[] =
        U"天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏闰余成岁律吕调阳云腾致雨露结为霜"
        U"金生丽水玉出昆冈剑号巨阙珠称夜光果珍李柰菜重芥姜海咸河淡鳞潜羽翔龙师火帝鸟官人皇";
    constexpr size_t kPoolSize = sizeof(kPool) / sizeof(kPool[0]) - 1;
    std::string text;
    text.reserve(kInfoCharacters * 3 + kInfoCharacters / 20);
    for (int i = 0; i < kInfoCharacters; ++i) {
        const char32_t c = kPool[random() % kPoolSize];
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
        if (i % 40 == 39)
            text += "\r\n";
    }
    return text;
}

bool FillCategory(sqlite3* db, const std::string& name, std::mt19937& random) {
    const std::string table = Quote(name);
    if (!Exec(db, "CREATE TABLE " + table +
                      " (ID INTEGER, Parent INTEGER, Name VARCHAR(50) NOT NULL CHECK(length(Name) <= 50), "
                      "Info TEXT)") ||
        !Exec(db, "CREATE INDEX " + Quote(name + ".ID") + " ON " + table + " (ID)"))
        return false;
    sqlite3_stmt* insert = nullptr;
    const std::string sql = "INSERT INTO " + table + " (ID, Parent, Name, Info) VALUES (?, ?, ?, ?)";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr) != SQLITE_OK)
        return false;
    bool ok = true;
    int root = 0;
    for (int id = 0; id < kNotesPerCategory && ok; ++id) {
        // Roots of fifty notes each, the notes under a root one or two levels deep.
        int parent = id;
        if (id % 50 == 0)
            root = id;
        else
            parent = (id % 5 == 0) ? root : id - (id % 5);
        char title[32];
        std::snprintf(title, sizeof title, "笔记%04d", id);
        const std::string info = NoteText(random);
        sqlite3_bind_int(insert, 1, id);
        sqlite3_bind_int(insert, 2, parent);
        sqlite3_bind_text(insert, 3, title, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, info.data(), static_cast<int>(info.size()), SQLITE_TRANSIENT);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    return ok;
}

// The cached big data file, generated on first use. Empty on failure.
QString BigDataFile() {
    const QDir cache(QString::fromUtf8(kCacheFolder));
    const QString path = cache.filePath(QStringLiteral("dataly.dat"));
    if (QFileInfo::exists(cache.filePath(QString::fromUtf8(kCompleteMark))) && QFileInfo::exists(path))
        return path;
    QDir().mkpath(cache.path());
    QFile::remove(path); // a file of an earlier layout
    const QString partial = cache.filePath(QStringLiteral("dataly.partial"));
    QFile::remove(partial);
    std::fprintf(stderr, "startup bench: generating %s (once)...\n", qPrintable(path));
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(partial).constData(), &db) == SQLITE_OK &&
              Exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF");
    std::mt19937 random(20240210);
    for (int c = 0; c < kCategories && ok; ++c)
        ok = Exec(db, "BEGIN") && FillCategory(db, CategoryName(c), random) && Exec(db, "COMMIT");
    sqlite3_close(db);
    if (!ok || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return {};
    }
    QFile mark(cache.filePath(QString::fromUtf8(kCompleteMark)));
    mark.open(QIODevice::WriteOnly);
    return path;
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

// Starts the program and returns the seconds until it reported its main window shown (<0: never);
// `peakMB` receives its peak resident memory at that moment.
double TimeOneStart(const Folder& folder, double* peakMB = nullptr) {
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
            if (peakMB)
                *peakMB = PeakResidentMB(process.processId());
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
        double peakMB = 0;
        const double seconds = TimeOneStart(*folder, &peakMB);
        state.counters["peak_RSS_MB"] = std::max(state.counters["peak_RSS_MB"].value, peakMB);
        if (seconds < 0) {
            state.SkipWithError("the program did not report its main window shown");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void BM_StartupBigDataFile50Categories(benchmark::State& state) {
    const QString data = BigDataFile();
    if (data.isEmpty()) {
        state.SkipWithError("cannot generate the big data file");
        return;
    }
    state.counters["file_MB"] = static_cast<double>(QFileInfo(data).size()) / 1e6;
    RunStarts(state, data, QStringLiteral("类别25"), false);
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
