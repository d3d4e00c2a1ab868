// The search window on the large notebook (200,000 notes): from pressing Enter with an empty search
// box to the first rows drawn in the grid, and a rare word from Enter to the count in the caption.
#include "seams/QtDialogs.h"
#include "store/DataFile.h"
#include "store/windows/Findall.h"
#include "store/windows/SearchHost.h"
#include "store/windows/SearchResultModel.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>

#include <benchmark/benchmark.h>

#include "LargeNotebook.h"

#include <memory>

namespace {

// The main window's part, as far as searching goes: the data file and its categories.
class NotebookHost final : public qj::SearchHost {
public:
    explicit NotebookHost(const QString& path) : file_(path), names_(file_.Categories()) {}
    qj::DataFile* dataFile() override { return &file_; }
    QStringList categoryNames() override { return names_; }
    bool openNote(const QString&, qj::RecordId, const QString&) override { return false; }
    QString editorText() override { return {}; }
    void selectInEditor(int, int) override {}

private:
    qj::DataFile file_;
    QStringList names_;
};

struct Window {
    NotebookHost host{qj::bench::LargeNotebookPath()};
    qj::QtDialogs dialogs; // never asked: searches that succeed ask nothing
    qj::TFind_all* find = new qj::TFind_all(host, dialogs);
    Window() { find->show(); }
};

Window& Shared() {
    static Window w;
    return w;
}

void Search(Window& w, const QString& text) {
    w.find->findChild<QLineEdit*>(QStringLiteral("edt1"))->setText(text);
    w.find->btn1Click();
}

void BM_EmptySearchFirstRowsDrawn(benchmark::State& state) {
    Window& w = Shared();
    auto* grid = w.find->findChild<QTableView*>(QStringLiteral("DBGridEh1"));
    for (auto _ : state) {
        Search(w, QString());
        benchmark::DoNotOptimize(grid->viewport()->grab()); // the first rows drawn
    }
    state.counters["rows"] = w.find->result()->rowCount();
}
BENCHMARK(BM_EmptySearchFirstRowsDrawn)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_RareWordToCaption(benchmark::State& state) {
    Window& w = Shared();
    for (auto _ : state)
        Search(w, QString::fromLatin1(qj::bench::kRareWord));
    state.counters["rows"] = w.find->result()->rowCount();
}
BENCHMARK(BM_RareWordToCaption)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
