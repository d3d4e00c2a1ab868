// Speed of the notebook's widgets on a large category: opening a category of 100,000 notes (titles
// of ten Chinese characters) until its tree is shown, and saving a note text of 1 MB from the
// editor.
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/Notebook.h"
#include "seams/Dialogs.h"
#include "store/CategoryTable.h"
#include "store/DefaultCategory.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "LargeCategory.h"
#include "SilentDialogs.h"

#include <memory>

namespace {

constexpr int kNotes = 100000;
const QString kCategory = QStringLiteral("大目录");

qj::bench::LargeDataFile& Shared() {
    static qj::bench::LargeDataFile big(kCategory, kNotes);
    return big;
}

// Switching to the category again: the earlier tree of 100,000 nodes goes first.
void BM_OpenAndShowCategory100k(benchmark::State& state) {
    auto& big = Shared();
    qj::bench::SilentDialogs dialogs;
    qj::Notebook notebook(dialogs, nullptr);
    notebook.tree()->resize(217, 700);
    notebook.tree()->show();
    for (auto _ : state) {
        notebook.openCategory(*big.file, kCategory);
        notebook.tree()->viewport()->repaint();
        benchmark::DoNotOptimize(notebook.tree()->topLevelItemCount());
    }
}
BENCHMARK(BM_OpenAndShowCategory100k)->Unit(benchmark::kMillisecond)->Iterations(10);

// The first category shown after start: no earlier tree to take down.
void BM_FirstOpenAndShowCategory100k(benchmark::State& state) {
    auto& big = Shared();
    qj::bench::SilentDialogs dialogs;
    for (auto _ : state) {
        state.PauseTiming();
        auto notebook = std::make_unique<qj::Notebook>(dialogs, nullptr);
        notebook->tree()->resize(217, 700);
        notebook->tree()->show();
        state.ResumeTiming();
        notebook->openCategory(*big.file, kCategory);
        notebook->tree()->viewport()->repaint();
        benchmark::DoNotOptimize(notebook->tree()->topLevelItemCount());
        state.PauseTiming();
        notebook.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstOpenAndShowCategory100k)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SaveMegabyteNote(benchmark::State& state) {
    auto& big = Shared();
    qj::bench::SilentDialogs dialogs;
    qj::Notebook notebook(dialogs, nullptr);
    notebook.openCategory(*big.file, kCategory);
    notebook.setReadOnly(false);
    QString line = QString(38, QChar(0x5B57)) + QStringLiteral("\r\n"); // 40 characters, 116 bytes in UTF-8
    QString text;
    while (text.toUtf8().size() < (1 << 20))
        text += line.repeated(1000);
    notebook.editor()->setText(text); // typed in: the text is changed
    for (auto _ : state) {
        notebook.editor()->insert(QStringLiteral("x"));
        notebook.save();
        benchmark::DoNotOptimize(notebook.isDirty());
    }
}
BENCHMARK(BM_SaveMegabyteNote)->Unit(benchmark::kMillisecond);

} // namespace
