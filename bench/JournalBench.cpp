// The recovery journal of a 1 MB note: what a write costs the interface thread (taking the editor's
// text and handing it to the writer; target below 5 ms) and what the writer's thread spends on it
// (encoding, writing, syncing and renaming the file).
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "app/notebook/RecoveryJournalKeeper.h"
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/DefaultCategory.h"
#include "store/RecoveryJournal.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "SilentDialogs.h"

namespace {

const QString kCategory = QStringLiteral("日记");

QString MegabyteText() {
    const QString line = QString(38, QChar(0x5B57)) + QStringLiteral("\r\n"); // 116 bytes in UTF-8
    QString text;
    while (text.toUtf8().size() < (1 << 20))
        text += line.repeated(1000);
    return text;
}

struct JournalBench {
    JournalBench() {
        const QString path = dir.filePath(QStringLiteral("dataly.dat"));
        qj::CreateEmptyDataFile(path);
        file = std::make_unique<qj::DataFile>(path);
        file->CreateCategoryTable(kCategory);
        qj::CategoryTable(*file, kCategory)
            .Append(qj::NoteId{1}, qj::NoteId{0}, QStringLiteral("大"), QString());
        notebook.openCategory(*file, kCategory);
        notebook.setReadOnly(false);
        notebook.editor()->setText(MegabyteText()); // typed in: the text is changed
    }
    QTemporaryDir dir;
    std::unique_ptr<qj::DataFile> file;
    qj::bench::SilentDialogs dialogs;
    qj::Notebook notebook{dialogs, nullptr};
};

void BM_JournalWriteMegabyteNoteInterfaceThread(benchmark::State& state) {
    JournalBench bench;
    qj::RecoveryJournalKeeper keeper(bench.notebook, qj::JournalPathOf(bench.file->path()));
    keeper.start();
    for (auto _ : state) {
        state.PauseTiming();
        keeper.writer().waitIdle();
        bench.notebook.editor()->insert(QStringLiteral("x"));
        state.ResumeTiming();
        keeper.flush();
    }
    keeper.writer().waitIdle();
    state.counters["written"] = keeper.writer().done();
}
BENCHMARK(BM_JournalWriteMegabyteNoteInterfaceThread)->Unit(benchmark::kMillisecond);

void BM_JournalWriteMegabyteNoteWriterThread(benchmark::State& state) {
    QTemporaryDir dir;
    qj::JournalEntry entry;
    entry.category = kCategory;
    entry.text = MegabyteText().toUtf8();
    const QString path = dir.filePath(QStringLiteral("dataly.recovery"));
    for (auto _ : state)
        benchmark::DoNotOptimize(qj::WriteJournal(path, entry));
}
BENCHMARK(BM_JournalWriteMegabyteNoteWriterThread)->Unit(benchmark::kMillisecond);

} // namespace
