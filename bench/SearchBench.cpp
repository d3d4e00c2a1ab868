// Speed of the search across all categories on a large notebook (50 categories, 200,000 notes,
// about 250 MB): the program's text search side by side with a plain LIKE scan of the same file,
// the empty search that lists every note, and memory after many searches; the search over the
// search cache beside the data file against LIKE in one run, what making the cache costs, and what
// keeping it current adds to a save.
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/DefaultCategory.h"
#include "store/NoteSearch.h"
#include "store/SearchCache.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "LargeNotebook.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Notebook {
    std::unique_ptr<qj::DataFile> file;
    QStringList categories;
};

Notebook& Shared() {
    static Notebook nb = [] {
        Notebook n;
        n.file = std::make_unique<qj::DataFile>(qj::bench::LargeNotebookPath());
        n.categories = n.file->Categories();
        return n;
    }();
    return nb;
}

// The same statement a straightforward search would send: Info LIKE '%text%' per category, the
// text bound (escaping aside), rows read the same way.
size_t LikeScan(qj::Database& db, const QStringList& categories, const QString& text) {
    size_t hits = 0;
    for (const QString& category : categories) {
        qj::Statement st(db, QStringLiteral("SELECT rowid, ID, Name FROM %1 WHERE Info LIKE ?1")
                                 .arg(qj::QuoteIdentifier(category)));
        st.Bind(1, QLatin1Char('%') + text + QLatin1Char('%'));
        while (st.Step()) {
            benchmark::DoNotOptimize(st.Text(2));
            ++hits;
        }
    }
    return hits;
}

QString Query(int which) {
    return QString::fromUtf8(which == 0 ? qj::bench::kRareWord : qj::bench::kRareChineseWord);
}

void Label(benchmark::State& state, size_t hits, bool mapped) {
    state.counters["hits"] = static_cast<double>(hits);
    state.SetLabel(std::string(state.range(0) == 0 ? "rare ASCII word" : "two Chinese characters") +
                   (mapped ? ", file mapped" : ""));
}

// Arg 2: with the file mapped into memory (PRAGMA mmap_size) instead of read page by page.
void Mapped(benchmark::State& state, qj::Database& db) {
    db.Exec(state.range(1) ? "PRAGMA mmap_size = 1073741824" : "PRAGMA mmap_size = 0");
}

void BM_SearchContent(benchmark::State& state) {
    auto& nb = Shared();
    nb.file->db().Exec("PRAGMA mmap_size = 0"); // the search maps the file itself
    const QString text = Query(static_cast<int>(state.range(0)));
    size_t hits = 0;
    for (auto _ : state)
        hits = qj::SearchNotes(nb.file->db(), nb.categories, text, qj::SearchField::Content).size();
    Label(state, hits, false);
}
BENCHMARK(BM_SearchContent)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LikeScan(benchmark::State& state) {
    auto& nb = Shared();
    Mapped(state, nb.file->db());
    const QString text = Query(static_cast<int>(state.range(0)));
    size_t hits = 0;
    for (auto _ : state)
        hits = LikeScan(nb.file->db(), nb.categories, text);
    Label(state, hits, state.range(1) > 0);
}
BENCHMARK(BM_LikeScan)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The empty search: every note of every category (titles only).
void BM_SearchEmpty(benchmark::State& state) {
    auto& nb = Shared();
    size_t hits = 0;
    for (auto _ : state)
        hits = qj::SearchNotes(nb.file->db(), nb.categories, QString(), qj::SearchField::Content).size();
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_SearchEmpty)->Unit(benchmark::kMillisecond)->MinTime(2.0);

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The search over the cache and the plain LIKE over every table, one after the other on the same
// file and query, in processor time of the whole process; the hits must be the same (the run stops
// when they are not).
void BM_CachedVsLike(benchmark::State& state) {
    auto& nb = Shared();
    nb.file->db().Exec("PRAGMA mmap_size = 0");
    const QString text = Query(static_cast<int>(state.range(0)));
    const size_t expected = LikeScan(nb.file->db(), nb.categories, text);
    qj::SearchNotes(*nb.file, nb.categories, text, qj::SearchField::Content); // cache made or opened
    double fast = 0, like = 0;
    size_t hits = 0;
    for (auto _ : state) {
        const double t0 = ProcessCpuSeconds();
        hits = qj::SearchNotes(*nb.file, nb.categories, text, qj::SearchField::Content).size();
        const double t1 = ProcessCpuSeconds();
        if (hits != LikeScan(nb.file->db(), nb.categories, text)) {
            state.SkipWithError("the cached search and LIKE differ");
            break;
        }
        const double t2 = ProcessCpuSeconds();
        fast += t1 - t0;
        like += t2 - t1;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["cached_cpu_ms"] = fast / n * 1e3;
    state.counters["like_cpu_ms"] = like / n * 1e3;
    state.counters["like_per_cached"] = fast > 0 ? like / fast : 0;
    state.counters["hits_equal"] = hits == expected;
    Label(state, hits, false);
}
BENCHMARK(BM_CachedVsLike)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3.0);

std::vector<std::tuple<QString, std::int64_t, QString>>
LikeHits(qj::Database& db, const QStringList& categories, const QString& text) {
    std::vector<std::tuple<QString, std::int64_t, QString>> hits;
    for (const QString& category : categories) {
        qj::Statement st(db, QStringLiteral("SELECT rowid, Name FROM %1 WHERE Info LIKE '%' || "
                                            "replace(replace(replace(?1, '\\', '\\\\'), '%', '\\%'), '_', "
                                            "'\\_') || '%' ESCAPE '\\'")
                                 .arg(qj::QuoteIdentifier(category)));
        st.Bind(1, text);
        while (st.Step())
            hits.emplace_back(category, st.Int64(0), st.Text(1));
    }
    return hits;
}

// The cached search's hits equal LIKE's on the large file for queries of every kind (Chinese of
// 1–4 characters, Latin in every case, mixed, wildcards, quotes), also after a save by the program
// and a write by another connection; on a copy of the file. Reports how many queries agreed.
void BM_EqualityOnLargeFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dataly.dat"));
    QFile::copy(qj::bench::LargeNotebookPath(), path);
    qj::DataFile file(path);
    const QStringList categories = file.Categories();
    const QStringList queries{
        QStringLiteral("青简"),     QStringLiteral("青"),        QStringLiteral("的一是"),
        QStringLiteral("中文笔记"), QStringLiteral("xylograph"), QStringLiteral("XYLOGRAPH"),
        QStringLiteral("Note"),     QStringLiteral("HTTP 1"),    QStringLiteral("12:30"),
        QStringLiteral("%"),        QStringLiteral("_"),         QStringLiteral("'"),
        QStringLiteral("\""),       QStringLiteral("Qt，"),      QStringLiteral("。\r\n"),
        QStringLiteral("GBK 没")};
    int equal = 0, asked = 0;
    for (auto _ : state) {
        for (int round = 0; round < 3; ++round) {
            if (round == 1) { // a save by the program: a note's text rewritten
                qj::CategoryTable table(file, categories[3]);
                table.WriteInfo(qj::RecordRef{qj::RecordId{5}, qj::NoteId{4}},
                                QStringLiteral("新写的青简 xylograph"));
            } else if (round == 2) { // another program
                qj::Database other(path, qj::Database::Mode::OpenExisting);
                other.Exec(QStringLiteral("UPDATE %1 SET Info = 'note 青简 %' WHERE rowid < 50")
                               .arg(qj::QuoteIdentifier(categories[7])));
            }
            for (const QString& q : queries) {
                std::vector<std::tuple<QString, std::int64_t, QString>> cached;
                for (const qj::SearchHit& h : qj::SearchNotes(file, categories, q, qj::SearchField::Content))
                    cached.emplace_back(h.category, h.rowid.value(), h.name);
                equal += cached == LikeHits(file.db(), categories, q);
                ++asked;
            }
        }
    }
    state.counters["queries"] = asked;
    state.counters["queries_equal"] = equal;
    if (equal != asked)
        state.SkipWithError("the cached search and LIKE differ");
}
BENCHMARK(BM_EqualityOnLargeFile)->Unit(benchmark::kSecond)->Iterations(1);

// Making the cache from nothing (the first search after another program changed the file), and its
// size beside the data file's.
void BM_CacheBuild(benchmark::State& state) {
    auto& nb = Shared();
    qj::SearchCache& cache = nb.file->searchCache();
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(cache.path());
        qj::DataFile fresh(nb.file->path()); // a new run: nothing held in memory
        state.ResumeTiming();
        benchmark::DoNotOptimize(fresh.searchCache().Sync(fresh.db()));
    }
    state.counters["cache_MB"] = static_cast<double>(QFileInfo(cache.path()).size()) / 1e6;
    state.counters["data_file_MB"] = static_cast<double>(QFileInfo(nb.file->path()).size()) / 1e6;
}
BENCHMARK(BM_CacheBuild)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// What keeping the cache current adds to saving a 1 MB note: the save itself (one write, as the
// editor's save does) and then the cache made current before the next search.
void BM_SaveKeepsCacheCurrent(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dataly.dat"));
    qj::CreateEmptyDataFile(path);
    qj::DataFile file(path);
    const QString category = QStringLiteral("目录");
    qj::CreateCategory(file, category);
    qj::CategoryTable table(file, category);
    const qj::RecordId rowid = table.Append(qj::NoteId{1}, qj::NoteId{0}, QStringLiteral("长文"));
    const QString big = QString(340000, QChar(0x4E2D)) + QStringLiteral("Xylograph"); // 1 MB of UTF-8
    qj::SearchCache& cache = file.searchCache();
    cache.Sync(file.db());
    double saving = 0, keeping = 0;
    int round = 0;
    for (auto _ : state) {
        const QString text = big + QString::number(round++);
        const double t0 = ProcessCpuSeconds();
        table.WriteInfo(qj::RecordRef{rowid, qj::NoteId{1}}, text);
        const double t1 = ProcessCpuSeconds();
        if (!cache.Sync(file.db()) || cache.filesWritten() != 1) {
            state.SkipWithError("the cache was made anew instead of kept current");
            break;
        }
        keeping += ProcessCpuSeconds() - t1;
        saving += t1 - t0;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["save_cpu_ms"] = saving / n * 1e3;
    state.counters["cache_extra_cpu_ms"] = keeping / n * 1e3;
}
BENCHMARK(BM_SaveKeepsCacheCurrent)->Unit(benchmark::kMillisecond)->Iterations(30);

long ResidentKilobytes() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * 4;
}

// Memory after repeated searches of every kind: the resident size must level off.
void BM_RepeatedSearchMemory(benchmark::State& state) {
    auto& nb = Shared();
    const long before = ResidentKilobytes();
    for (auto _ : state) {
        for (int which : {0, 1})
            benchmark::DoNotOptimize(
                qj::SearchNotes(nb.file->db(), nb.categories, Query(which), qj::SearchField::Content));
        benchmark::DoNotOptimize(
            qj::SearchNotes(nb.file->db(), nb.categories, QString(), qj::SearchField::Title));
    }
    state.counters["rss_growth_kB"] = static_cast<double>(ResidentKilobytes() - before);
    state.counters["rss_kB"] = static_cast<double>(ResidentKilobytes());
}
BENCHMARK(BM_RepeatedSearchMemory)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
