// Speed of the search across all categories on a large notebook (50 categories, 200,000 notes,
// about 250 MB): the program's text search side by side with a plain LIKE scan of the same file,
// the empty search that lists every note, and memory after many searches.
#include "store/DataFile.h"
#include "store/NoteSearch.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include "LargeNotebook.h"

#include <cstdio>
#include <memory>
#include <string>

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
