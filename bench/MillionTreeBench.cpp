// The note tree at scale, in the notebook's widgets: a category of 1,001,000 notes (1,000 roots ×
// 10 children × 99 grandchildren) opened and drawn, switched to, and edited; a chain of 200,000
// notes each under the one before opened, drawn, switched away from and taken down.
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/Notebook.h"
#include "store/DataFile.h"

#include <benchmark/benchmark.h>

#include "SilentDialogs.h"
#include "TreeShapes.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

using qj::bench::kMillionCategory;
using qj::bench::kSmallCategory;

// Answers every question Yes and every input box with `answer`.
class AnsweringDialogs final : public qj::Dialogs {
public:
    qj::DialogButton message(QWidget*, const qj::MessageRequest& r) override {
        const bool yes =
            std::find(r.buttons.begin(), r.buttons.end(), qj::DialogButton::Yes) != r.buttons.end();
        return yes ? qj::DialogButton::Yes : qj::DialogButton::Ok;
    }
    std::optional<QString> inputText(QWidget*, const qj::InputRequest&) override { return answer; }
    std::optional<QString> openFileName(QWidget*, const qj::FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(QWidget*, const qj::FileRequest&) override { return std::nullopt; }
    std::optional<int> inputNumber(QWidget*, const qj::NumberRequest&) override { return std::nullopt; }
    std::optional<qj::FontChoice> font(QWidget*, const qj::FontChoice&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QColor> color(QWidget*, const QColor&, const QString&) override { return std::nullopt; }
    bool print(QWidget*, QPrinter&) override { return false; }
    bool pageSetup(QWidget*, QPrinter&) override { return false; }
    QString answer = QStringLiteral("新笔记");
};

// IDs of the million-note shape, stored root by root, each child followed by its grandchildren.
constexpr int RootId(int r) {
    return r * (1 + qj::bench::kMillionChildren * (1 + qj::bench::kMillionGrandchildren));
}
constexpr int ChildId(int r, int c) {
    return RootId(r) + 1 + c * (1 + qj::bench::kMillionGrandchildren);
}

// A private copy of the data file for benchmarks that write.
struct WritableCopy {
    QTemporaryDir dir;
    std::unique_ptr<qj::DataFile> file;
    explicit WritableCopy(const QString& source) {
        const QString path = dir.filePath(QStringLiteral("dataly.dat"));
        if (!source.isEmpty() && QFile::copy(source, path))
            file = std::make_unique<qj::DataFile>(path);
    }
};

std::unique_ptr<qj::DataFile> OpenShared(const QString& path) {
    return path.isEmpty() ? nullptr : std::make_unique<qj::DataFile>(path);
}

void ShowTree(qj::Notebook& notebook) {
    notebook.tree()->resize(217, 700);
    notebook.tree()->show();
}

void Draw(qj::Notebook& notebook) {
    notebook.tree()->viewport()->repaint();
    benchmark::DoNotOptimize(notebook.tree()->topLevelItemCount());
}

// The first category shown after start.
void BM_FirstOpenAndShowMillion(benchmark::State& state) {
    auto file = OpenShared(qj::bench::MillionNoteDataFile());
    if (!file)
        return state.SkipWithError("cannot generate the data file");
    qj::bench::SilentDialogs dialogs;
    for (auto _ : state) {
        state.PauseTiming();
        auto notebook = std::make_unique<qj::Notebook>(dialogs, nullptr);
        ShowTree(*notebook);
        state.ResumeTiming();
        notebook->openCategory(*file, kMillionCategory);
        Draw(*notebook);
        state.PauseTiming();
        notebook.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstOpenAndShowMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

// One category shown, then the timed switch to the other one and its drawing.
void SwitchBetween(benchmark::State& state, const QString& from, const QString& to) {
    auto file = OpenShared(qj::bench::MillionNoteDataFile());
    if (!file)
        return state.SkipWithError("cannot generate the data file");
    qj::bench::SilentDialogs dialogs;
    qj::Notebook notebook(dialogs, nullptr);
    ShowTree(notebook);
    for (auto _ : state) {
        state.PauseTiming();
        notebook.openCategory(*file, from);
        Draw(notebook);
        state.ResumeTiming();
        notebook.openCategory(*file, to);
        Draw(notebook);
    }
}

// From the small category to the million notes, and back (the million notes taken down).
void BM_SwitchToMillion(benchmark::State& state) {
    SwitchBetween(state, kSmallCategory, kMillionCategory);
}
BENCHMARK(BM_SwitchToMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SwitchAwayFromMillion(benchmark::State& state) {
    SwitchBetween(state, kMillionCategory, kSmallCategory);
}
BENCHMARK(BM_SwitchAwayFromMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

// Edits in the open million-note category, each with its durable commit.
struct MillionEdits {
    WritableCopy copy{qj::bench::MillionNoteDataFile()};
    AnsweringDialogs dialogs;
    qj::Notebook notebook{dialogs, nullptr};
    bool ok = false;
    MillionEdits() {
        if (!copy.file)
            return;
        ShowTree(notebook);
        notebook.openCategory(*copy.file, kMillionCategory);
        Draw(notebook);
        ok = true;
    }
};

void BM_MillionAddNote(benchmark::State& state) {
    MillionEdits m;
    if (!m.ok)
        return state.SkipWithError("cannot copy the data file");
    m.notebook.selectNote(qj::NoteId{ChildId(500, 5)});
    for (auto _ : state) {
        m.notebook.addSibling();
        Draw(m.notebook);
    }
}
BENCHMARK(BM_MillionAddNote)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_MillionRename(benchmark::State& state) {
    MillionEdits m;
    if (!m.ok)
        return state.SkipWithError("cannot copy the data file");
    m.notebook.selectNote(qj::NoteId{ChildId(500, 5) + 50});
    int round = 0;
    for (auto _ : state) {
        m.dialogs.answer = QStringLiteral("改名%1").arg(++round);
        m.notebook.rename();
        Draw(m.notebook);
    }
}
BENCHMARK(BM_MillionRename)->Unit(benchmark::kMillisecond)->Iterations(20);

// A child with its 99 grandchildren: a subtree of 100 notes. Each round copies one under root 10
// first (not timed) and deletes it.
void BM_MillionDeleteSubtree100(benchmark::State& state) {
    MillionEdits m;
    if (!m.ok)
        return state.SkipWithError("cannot copy the data file");
    for (auto _ : state) {
        state.PauseTiming();
        m.notebook.dropNote(qj::NoteId{ChildId(10, 3)}, qj::NoteId{RootId(10)}, true); // the copy is selected
        state.ResumeTiming();
        m.notebook.deleteSelected();
        Draw(m.notebook);
    }
}
BENCHMARK(BM_MillionDeleteSubtree100)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_MillionDragMove(benchmark::State& state) {
    MillionEdits m;
    if (!m.ok)
        return state.SkipWithError("cannot copy the data file");
    int round = 0;
    for (auto _ : state) {
        m.notebook.dropNote(qj::NoteId{ChildId(20, 4)}, qj::NoteId{++round % 2 ? RootId(21) : RootId(20)},
                            false);
        Draw(m.notebook);
    }
}
BENCHMARK(BM_MillionDragMove)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_MillionDragCopySubtree100(benchmark::State& state) {
    MillionEdits m;
    if (!m.ok)
        return state.SkipWithError("cannot copy the data file");
    for (auto _ : state) {
        m.notebook.dropNote(qj::NoteId{ChildId(30, 1)}, qj::NoteId{RootId(31)}, true);
        Draw(m.notebook);
        state.PauseTiming();
        m.notebook.deleteSelected();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MillionDragCopySubtree100)->Unit(benchmark::kMillisecond)->Iterations(10);

// A chain 200,000 notes deep: opened and drawn, the small category shown instead, the notebook
// taken down. None of it may recurse once per level.
void BM_DeepChainOpenSwitchDestroy(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    auto file = OpenShared(qj::bench::DeepChainDataFile(depth));
    if (!file)
        return state.SkipWithError("cannot generate the data file");
    qj::bench::SilentDialogs dialogs;
    for (auto _ : state) {
        auto notebook = std::make_unique<qj::Notebook>(dialogs, nullptr);
        ShowTree(*notebook);
        notebook->openCategory(*file, qj::bench::kChainCategory);
        Draw(*notebook);
        notebook->openCategory(*file, kSmallCategory);
        Draw(*notebook);
        notebook->openCategory(*file, qj::bench::kChainCategory);
        notebook.reset();
    }
}
BENCHMARK(BM_DeepChainOpenSwitchDestroy)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
