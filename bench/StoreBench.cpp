// Speed of the note store on a large category: 100,000 notes in a random tree, titles of ten
// Chinese characters.
#include "store/CurrentCategory.h"
#include "store/DefaultCategory.h"
#include "store/NoteEditState.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "LargeCategory.h"
#include "TreeShapes.h"

#include <memory>
#include <random>

namespace {

constexpr int kNotes = 100000;
const QString kCategory = QStringLiteral("大目录");

qj::bench::LargeDataFile& Shared() {
    static qj::bench::LargeDataFile big(kCategory, kNotes);
    return big;
}

void BM_OpenCategory100k(benchmark::State& state) {
    auto& big = Shared();
    for (auto _ : state) {
        qj::CurrentCategory cat(*big.file, kCategory);
        benchmark::DoNotOptimize(cat.tree().NodeCount());
    }
}
BENCHMARK(BM_OpenCategory100k)->Unit(benchmark::kMillisecond);

void BM_BuildTree100k(benchmark::State& state) {
    auto& big = Shared();
    qj::CategoryTable table(*big.file, kCategory);
    const auto headers = table.LoadHeaders();
    for (auto _ : state) {
        qj::NoteTree tree(headers);
        benchmark::DoNotOptimize(tree.NodeCount());
    }
}
BENCHMARK(BM_BuildTree100k)->Unit(benchmark::kMillisecond);

// The stored order that once took quadratic time: `half` leaves stored before a chain `half` notes
// deep, every leaf naming the chain's deepest note as its parent.
void BM_BuildTreeLeavesBeforeDeepChain(benchmark::State& state) {
    const int half = static_cast<int>(state.range(0));
    std::vector<qj::NoteHeader> headers;
    for (int i = 0; i < half; ++i)
        headers.push_back(
            {qj::RecordId{i + 1}, qj::NoteId{half + i}, qj::NoteId{half - 1}, QStringLiteral("叶")});
    for (int i = 0; i < half; ++i)
        headers.push_back({qj::RecordId{half + i + 1}, qj::NoteId{i}, qj::NoteId{i == 0 ? 0 : i - 1},
                           QStringLiteral("链")});
    for (auto _ : state) {
        qj::NoteTree tree(headers);
        benchmark::DoNotOptimize(tree.NodeCount());
    }
}
BENCHMARK(BM_BuildTreeLeavesBeforeDeepChain)
    ->Arg(10000)
    ->Arg(30000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond);

// The million-note shape (1,000 roots × 10 children × 99 grandchildren) read and built.
void BM_OpenCategoryMillion(benchmark::State& state) {
    const QString path = qj::bench::MillionNoteDataFile();
    if (path.isEmpty())
        return state.SkipWithError("cannot generate the data file");
    qj::DataFile file(path);
    for (auto _ : state) {
        qj::CurrentCategory cat(file, qj::bench::kMillionCategory);
        benchmark::DoNotOptimize(cat.tree().NodeCount());
    }
}
BENCHMARK(BM_OpenCategoryMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

// A chain of notes each under the one before, stored from the top down: built, listed with its
// levels and taken down.
void BM_DeepChainBuildListRemove(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    std::vector<qj::NoteHeader> headers;
    for (int i = 0; i < depth; ++i)
        headers.push_back(
            {qj::RecordId{i + 1}, qj::NoteId{i}, qj::NoteId{i == 0 ? 0 : i - 1}, QStringLiteral("链")});
    for (auto _ : state) {
        qj::NoteTree tree(headers);
        benchmark::DoNotOptimize(tree.PreOrderWithLevels().back().level);
        tree.Remove(tree.Roots()[0]);
    }
}
BENCHMARK(BM_DeepChainBuildListRemove)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_AddNoteTo100k(benchmark::State& state) {
    auto& big = Shared();
    qj::CurrentCategory cat(*big.file, kCategory);
    std::mt19937 rng(7);
    for (auto _ : state) {
        const qj::NodeRef parent = cat.tree().Find(qj::NoteId{static_cast<int>(rng() % kNotes)});
        benchmark::DoNotOptimize(cat.AddChild(parent, QStringLiteral("新添加的笔记标题十字")));
    }
}
BENCHMARK(BM_AddNoteTo100k)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_SaveOneMegabyteNote(benchmark::State& state) {
    auto& big = Shared();
    QString text;
    while (text.size() < 350000) // three UTF-8 bytes each: about 1 MB
        text += QStringLiteral("青简札记的一行笔记内容。\r\n");
    qj::NoteEditState edit;
    const qj::NoteHeader note = qj::CategoryTable(*big.file, kCategory).LoadHeaders().at(500);
    edit.Loaded(kCategory, note.record(), note.name);
    int round = 0;
    for (auto _ : state) {
        text[0] = QChar(0x4E00 + (++round % 100)); // the engine skips rewriting an unchanged text
        edit.Changed();
        if (qj::SaveNoteText(*big.file, edit, text) != qj::SaveResult::Saved)
            state.SkipWithError("note not saved");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.toUtf8().size()));
}
BENCHMARK(BM_SaveOneMegabyteNote)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace

BENCHMARK_MAIN();
