// What keeping every saved version costs: a save of a 1 MB note that keeps the text it replaces
// (target below 50 ms) beside the same save with no history file to write, the 历史版本 window
// opened on a note of 500 revisions (target below 200 ms), and the daily checked backup of the
// large notebook (copy, integrity check and row counts).
#include "store/CategoryTable.h"
#include "store/CheckedBackup.h"
#include "store/DataFile.h"
#include "store/DefaultCategory.h"
#include "store/NoteEditState.h"
#include "store/NoteHistory.h"
#include "store/windows/HistoryWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include "LargeNotebook.h"

namespace {

const QString kCategory = QStringLiteral("日记");

QString MegabyteText(QChar mark) {
    const QString line = QString(38, QChar(0x5B57)) + QStringLiteral("\r\n"); // 116 bytes in UTF-8
    QString text = mark;
    while (text.toUtf8().size() < (1 << 20))
        text += line.repeated(1000);
    return text;
}

struct Notebook {
    explicit Notebook(bool history) {
        const QString path = dir.filePath(QStringLiteral("dataly.dat"));
        if (!history) // a folder in its place: no history file can be written
            QDir(dir.path()).mkdir(QStringLiteral("dataly.history"));
        qj::CreateEmptyDataFile(path);
        file = std::make_unique<qj::DataFile>(path);
        file->setClock([this] { return now; });
        file->CreateCategoryTable(kCategory);
        note = {
            qj::CategoryTable(*file, kCategory).Append(qj::NoteId{1}, qj::NoteId{1}, QStringLiteral("大")),
            qj::NoteId{1}};
    }
    void save(const QString& text) {
        now = now.addSecs(11 * 60); // every save keeps a revision
        qj::NoteEditState state;
        state.Loaded(kCategory, note, QStringLiteral("大"));
        state.Changed();
        qj::SaveNoteText(*file, state, text);
    }
    QTemporaryDir dir;
    QDateTime now{QDate(2026, 1, 1), QTime(8, 0)};
    std::unique_ptr<qj::DataFile> file;
    qj::RecordRef note{qj::RecordId{0}, qj::NoteId{0}};
};

void SaveMegabyteNote(benchmark::State& state, bool history) {
    Notebook nb(history);
    const QString texts[] = {MegabyteText(QLatin1Char('a')), MegabyteText(QLatin1Char('b'))};
    nb.save(texts[1]);
    int i = 0;
    for (auto _ : state)
        nb.save(texts[i++ % 2]);
    state.counters["revisions"] =
        history ? static_cast<double>(
                      qj::RevisionsOf(nb.file->db(), QStringLiteral("history"), kCategory, 1).size())
                : 0;
}

void BM_SaveMegabyteNoteWithItsRevision(benchmark::State& state) {
    SaveMegabyteNote(state, true);
}
BENCHMARK(BM_SaveMegabyteNoteWithItsRevision)->Unit(benchmark::kMillisecond)->Iterations(40);

void BM_SaveMegabyteNoteWithoutHistory(benchmark::State& state) {
    SaveMegabyteNote(state, false);
}
BENCHMARK(BM_SaveMegabyteNoteWithoutHistory)->Unit(benchmark::kMillisecond)->Iterations(40);

// 500 revisions of a 20 kB note; the window lists them and shows the newest one's difference.
void BM_HistoryWindowOfFiveHundredRevisions(benchmark::State& state) {
    Notebook nb(true);
    QString text = QStringLiteral("第一行\r\n").repeated(2000);
    for (int i = 0; i < 501; ++i) {
        text.replace(i * 5 % 8000, 1, QChar(0x4E00 + i));
        nb.save(text);
    }
    for (auto _ : state) {
        qj::HistoryWindow window(*nb.file, kCategory, 1, QStringLiteral("大"), text, [](const QString&) {});
        benchmark::DoNotOptimize(window.difference()->document());
    }
    state.counters["revisions"] = 500;
}
BENCHMARK(BM_HistoryWindowOfFiveHundredRevisions)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DailyBackupOfTheLargeNotebook(benchmark::State& state) {
    const QString source = qj::bench::LargeNotebookPath();
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("dataly.dat"));
    QFile::copy(source, data);
    int day = 0;
    for (auto _ : state) {
        const qj::DailyBackupResult result = qj::RunDailyBackup(data, QDate(2026, 1, 1).addDays(day++));
        if (result.outcome != qj::DailyBackupResult::Outcome::Made)
            state.SkipWithError(result.problem.toStdString().c_str());
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(data).size()) / (1 << 20);
}
BENCHMARK(BM_DailyBackupOfTheLargeNotebook)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
