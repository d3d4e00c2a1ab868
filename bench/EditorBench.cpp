// The note editor on a 1 MB note (20,000 lines of mixed Chinese and ASCII), built as the main
// window builds it: the notebook's editor "mmo1" with its text binding, the wrap at column 80, the
// editor's commands (address links, trailing blanks, the last change) and the display font of the
// tests. The note is read from a data file and shown the way a click on it in the tree shows it.
//
// - Load: from loadSelected() until the editor is usable, its first screen laid out (wrapped) and
//   drawn. Scintilla wraps the lines in view first and the rest when idle.
// - Load until all wrapped: from loadSelected() until the idle wrapping has wrapped every line.
// - Scroll: to the end and back, drawing each, right after the load (the jump to the end waits for
//   the wrap of every line not yet wrapped) and once the idle wrapping is done.
// - "排版-添加回车符" and "排版-取消回车符" on all of it, through the menu commands, until drawn.

#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "editor/ColumnWrap.h"
#include "editor/EditorCommands.h"
#include "editor/EditorPane.h"
#include "editor/EditorSearch.h"
#include "seams/Clock.h"
#include "seams/Dialogs.h"
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/DefaultCategory.h"
#include "store/TextFiles.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "SilentDialogs.h"
#include "SilentSeams.h"

#include <memory>

namespace {

using Sci = QsciScintilla;

const QString kCategory = QStringLiteral("笔记");
constexpr qj::NoteId kSmallNote{1};
constexpr qj::NoteId kLargeNote{2};
constexpr qj::NoteId kFoxNote{3};
constexpr qj::NoteId kOneLineNote{4};
constexpr int kFoxes = 5000;

// 20,000 lines, about 1 MB in UTF-8: Chinese phrases, Latin words, numbers and blanks.
QString LargeNote() {
    static const QString text = [] {
        const QStringList chinese = {QStringLiteral("今天天气晴朗"), QStringLiteral("读书笔记"),
                                     QStringLiteral("会议记录："),   QStringLiteral("明日计划，"),
                                     QStringLiteral("重要事项。"),   QStringLiteral("农历十月初九")};
        const QStringList latin = {QStringLiteral("note"), QStringLiteral("http://example.com/a"),
                                   QStringLiteral("Qingjian"), QStringLiteral("2026-12-09"),
                                   QStringLiteral("x = 42;")};
        QRandomGenerator random(20261209);
        QString out;
        out.reserve(600000);
        for (int line = 0; line < 20000; ++line) {
            const int words = 2 + random.bounded(5);
            for (int w = 0; w < words; ++w) {
                out += random.bounded(3) == 0 ? latin[random.bounded(latin.size())]
                                              : chinese[random.bounded(chinese.size())];
                if (random.bounded(2) == 0)
                    out += QLatin1Char(' ');
            }
            out += QStringLiteral("\r\n");
        }
        return out;
    }();
    return text;
}

// About 1 MB in 2,500 lines of Chinese and Latin text, with `fox` exactly twice on every line.
QString FoxNote() {
    static const QString text = [] {
        const QString half =
            QStringLiteral("春眠不觉晓，处处闻啼鸟。the quick brown fox 夜来风雨声，花落知多少。"
                           "读书笔记 2026-12-09 会议记录：明日计划，重要事项。");
        const QString filler = QStringLiteral("花落知多少，读书笔记。");
        QString line = half;
        while (line.size() < 200)
            line += filler;
        QString out;
        for (int i = 0; i < kFoxes / 2; ++i)
            out += line + line + QStringLiteral("\r\n");
        return out;
    }();
    return text;
}

// The large note's text as one line of about 1 MB (what "排版-取消回车符" on all of it leaves).
QString OneLineNote() {
    static const QString text = [] {
        QString joined = LargeNote();
        joined.remove(QStringLiteral("\r\n"));
        return joined;
    }();
    return text;
}

// A data file with a one-line note and the large note, shown in the notebook's editor.
struct NoteWindow {
    NoteWindow() {
        const QString path = dir.filePath(QStringLiteral("dataly.dat"));
        qj::CreateEmptyDataFile(path);
        file = std::make_unique<qj::DataFile>(path);
        qj::CreateCategory(*file, kCategory);
        qj::CategoryTable table(*file, kCategory);
        table.Append(kSmallNote, kSmallNote, QStringLiteral("短"), QStringLiteral("一行。"));
        table.Append(kLargeNote, kLargeNote, QStringLiteral("长"), LargeNote());
        table.Append(kFoxNote, kFoxNote, QStringLiteral("狐"), FoxNote());
        table.Append(kOneLineNote, kOneLineNote, QStringLiteral("一行"), OneLineNote());

        notebook = std::make_unique<qj::Notebook>(dialogs, nullptr);
        editor = notebook->editor();
        qj::EditorHooks hooks{dialogs, clock, launcher};
        hooks.setReadOnly = [this](bool readOnly) { notebook->setReadOnly(readOnly); };
        pane = std::make_unique<qj::EditorPane>(editor, std::move(hooks), [] { return qj::PrintTexts{}; });
        wrap = pane->columnWrap();
        commands = pane->commands();
        // The look the window applies (its default colours) and the wrap switch ticked.
        QFont font(QStringLiteral("AR PL SungtiL GB"));
        font.setPointSize(12);
        qj::PaneLook look;
        look.font = font;
        pane->applyLook(look);
        pane->setWrapSwitch(true);
        pane->resize(1400, 900);
        pane->show();
        notebook->openCategory(*file, kCategory); // shows the one-line note
        settle();
    }
    ~NoteWindow() {
        notebook.reset();
        pane.reset();
        file.reset();
    }
    // Until the first screen is laid out and drawn: what the user waits for.
    void show(qj::NoteId id) {
        notebook->selectNote(id);
        notebook->loadSelected();
        editor->viewport()->repaint();
        QApplication::processEvents();
    }
    void select(qj::NoteId id) { notebook->selectNote(id); }
    void load() {
        notebook->loadSelected();
        editor->viewport()->repaint();
        QApplication::processEvents();
    }
    // Wraps every line not yet wrapped, at once (Scintilla does so before making a line visible).
    void wrapAll() {
        editor->SendScintilla(Sci::SCI_ENSUREVISIBLE, editor->SendScintilla(Sci::SCI_GETLINECOUNT) - 1);
    }
    // Lets the event loop run for a while, then finishes what the idle wrapping left.
    // Untimed: the small note shown again and settled, ready for the next run. With `dropChanges`
    // the changed large note is made read-only first, so its changes are dropped, not saved.
    void backToSmallNote(benchmark::State& state, bool dropChanges = false) {
        state.PauseTiming();
        if (dropChanges)
            notebook->setReadOnly(true);
        show(kSmallNote);
        settle();
        state.ResumeTiming();
    }
    void settle() {
        QElapsedTimer running;
        running.start();
        while (running.elapsed() < 50)
            QApplication::processEvents();
        wrapAll();
        editor->viewport()->repaint();
        QApplication::processEvents();
    }
    // Display lines: every document line with its wrapped continuation lines.
    long displayLines() const {
        const long last = editor->SendScintilla(Sci::SCI_GETLINECOUNT) - 1;
        return editor->SendScintilla(Sci::SCI_VISIBLEFROMDOCLINE, last) +
               editor->SendScintilla(Sci::SCI_WRAPCOUNT, last);
    }

    qj::bench::SilentDialogs dialogs;
    qj::SystemClock clock;
    qj::bench::SilentLauncher launcher;
    QTemporaryDir dir;
    std::unique_ptr<qj::DataFile> file;
    std::unique_ptr<qj::Notebook> notebook;
    qj::NoteEditor* editor = nullptr;
    std::unique_ptr<qj::EditorPane> pane;
    qj::ColumnWrap* wrap = nullptr;
    qj::EditorCommands* commands = nullptr;
};

void BM_LoadLargeNoteWrappedAt80(benchmark::State& state) {
    NoteWindow w;
    for (auto _ : state) {
        state.PauseTiming();
        w.select(kLargeNote);
        state.ResumeTiming();
        w.load();
        benchmark::DoNotOptimize(w.editor->lines());
        w.backToSmallNote(state);
    }
    state.counters["bytes"] = static_cast<double>(LargeNote().toUtf8().size());
    state.counters["lines"] = 20000;
}
BENCHMARK(BM_LoadLargeNoteWrappedAt80)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same load, until the idle wrapping has wrapped the last line (the event loop running
// between the pieces as it does in the program).
void BM_LoadLargeNoteUntilAllWrapped(benchmark::State& state) {
    NoteWindow w;
    w.show(kLargeNote);
    w.wrapAll();
    const long wrapped = w.displayLines();
    w.show(kSmallNote);
    w.settle();
    for (auto _ : state) {
        state.PauseTiming();
        w.select(kLargeNote);
        state.ResumeTiming();
        w.load();
        while (w.displayLines() != wrapped)
            QApplication::processEvents();
        w.backToSmallNote(state);
    }
    state.counters["display_lines"] = static_cast<double>(wrapped);
}
BENCHMARK(BM_LoadLargeNoteUntilAllWrapped)->Unit(benchmark::kMillisecond)->Iterations(5);

// Jumping to the end and back right after the load: the jump waits for every line's wrap.
void BM_ScrollLargeNoteToEndAndBack(benchmark::State& state) {
    NoteWindow w;
    for (auto _ : state) {
        state.PauseTiming();
        w.show(kLargeNote);
        state.ResumeTiming();
        w.editor->SendScintilla(Sci::SCI_DOCUMENTEND);
        w.editor->viewport()->repaint();
        QApplication::processEvents();
        w.editor->SendScintilla(Sci::SCI_DOCUMENTSTART);
        w.editor->viewport()->repaint();
        QApplication::processEvents();
        w.backToSmallNote(state);
    }
}
BENCHMARK(BM_ScrollLargeNoteToEndAndBack)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same jumps once the idle wrapping is done: the scroll bar knows every line.
void BM_ScrollWrappedLargeNoteToEndAndBack(benchmark::State& state) {
    NoteWindow w;
    w.show(kLargeNote);
    w.settle();
    for (auto _ : state) {
        w.editor->SendScintilla(Sci::SCI_DOCUMENTEND);
        w.editor->viewport()->repaint();
        QApplication::processEvents();
        w.editor->SendScintilla(Sci::SCI_DOCUMENTSTART);
        w.editor->viewport()->repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ScrollWrappedLargeNoteToEndAndBack)->Unit(benchmark::kMillisecond)->Iterations(5);

// A re-flow command of the edit-tools menu on the whole note: select all, the command, the
// repaint and one event pass (the note is shown afresh before each run).
void RunReflowOnTheWholeLargeNote(benchmark::State& state, const char* actionName) {
    NoteWindow w;
    QAction* reflow = w.commands->action(QString::fromLatin1(actionName));
    for (auto _ : state) {
        state.PauseTiming();
        w.show(kLargeNote);
        w.settle();
        w.editor->selectAll();
        state.ResumeTiming();
        reflow->trigger();
        w.editor->viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.editor->lines());
        w.backToSmallNote(state, /*dropChanges=*/true);
    }
}

// "排版-添加回车符": every line re-flowed to 468 pixels.
void BM_AddReturnsOnTheWholeLargeNote(benchmark::State& state) {
    RunReflowOnTheWholeLargeNote(state, "N107");
}
BENCHMARK(BM_AddReturnsOnTheWholeLargeNote)->Unit(benchmark::kMillisecond)->Iterations(3);

// "排版-取消回车符" on all of it: the whole megabyte becomes one line, wrapped and underlined in view.
void BM_RemoveReturnsOnTheWholeLargeNote(benchmark::State& state) {
    RunReflowOnTheWholeLargeNote(state, "N108");
}
BENCHMARK(BM_RemoveReturnsOnTheWholeLargeNote)->Unit(benchmark::kMillisecond)->Iterations(3);

// "全部替换" of `fox` by `狐狸` on the 1 MB note (5,000 matches) until drawn, then its undo (one
// step) until drawn. The note is shown afresh and writable before each run.
void BM_ReplaceAllFiveThousandMatches(benchmark::State& state) {
    NoteWindow w;
    const qj::SearchOptions fox{QStringLiteral("fox")};
    int replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.show(kFoxNote);
        w.settle();
        w.notebook->setReadOnly(false);
        state.ResumeTiming();
        replaced = qj::ReplaceAll(*w.editor, fox, QStringLiteral("狐狸"));
        w.editor->viewport()->repaint();
        QApplication::processEvents();
        w.backToSmallNote(state, /*dropChanges=*/true);
    }
    if (replaced != kFoxes)
        state.SkipWithError("not every match was replaced");
    state.counters["matches"] = replaced;
}
BENCHMARK(BM_ReplaceAllFiveThousandMatches)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoReplaceAllOfFiveThousandMatches(benchmark::State& state) {
    NoteWindow w;
    const qj::SearchOptions fox{QStringLiteral("fox")};
    bool restored = true;
    for (auto _ : state) {
        state.PauseTiming();
        w.show(kFoxNote);
        w.settle();
        w.notebook->setReadOnly(false);
        qj::ReplaceAll(*w.editor, fox, QStringLiteral("狐狸"));
        w.editor->viewport()->repaint();
        QApplication::processEvents();
        state.ResumeTiming();
        w.editor->undo();
        w.editor->viewport()->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        restored = restored && w.editor->text() == FoxNote() && !w.editor->isUndoAvailable();
        state.ResumeTiming();
        w.backToSmallNote(state, /*dropChanges=*/true);
    }
    if (!restored)
        state.SkipWithError("one undo did not restore the note");
}
BENCHMARK(BM_UndoReplaceAllOfFiveThousandMatches)->Unit(benchmark::kMillisecond)->Iterations(3);

// One key typed into a note of one 1 MB line, at the line's start and at its end, each until
// drawn (the time per key is the mean of the two).
void BM_TypeAKeyInAOneMegabyteLine(benchmark::State& state) {
    NoteWindow w;
    w.show(kOneLineNote);
    w.settle();
    w.notebook->setReadOnly(false);
    w.editor->setFocus();
    const auto typeAt = [&w](long position) {
        w.editor->SendScintilla(Sci::SCI_GOTOPOS, position);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(w.editor, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(w.editor, &release);
        w.editor->viewport()->repaint();
        QApplication::processEvents();
    };
    long keys = 0;
    double atStart = 0;
    double atEnd = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        typeAt(0);
        atStart += static_cast<double>(clock.nsecsElapsed()) / 1e9;
        clock.start();
        typeAt(w.editor->SendScintilla(Sci::SCI_GETLINEENDPOSITION, 0L));
        atEnd += static_cast<double>(clock.nsecsElapsed()) / 1e9;
        keys += 2;
    }
    state.counters["seconds_per_key"] = benchmark::Counter(
        static_cast<double>(keys), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    // Wall time of each kind of key: at the start every row after it may move, at the end none.
    state.counters["at_start_s"] = atStart / static_cast<double>(keys / 2);
    state.counters["at_end_s"] = atEnd / static_cast<double>(keys / 2);
    state.counters["bytes"] = static_cast<double>(OneLineNote().toUtf8().size());
}
BENCHMARK(BM_TypeAKeyInAOneMegabyteLine)->Unit(benchmark::kMillisecond)->Iterations(5);

// 导入文件 of a large file: the note text replaced by the file's text (range(0) MiB, in lines of
// about 95 bytes; as one line broken into rows of kLongestQuickLine, as the import offers, when
// range(1) is 1; as one line kept whole when it is 2) until the first screen is drawn, then a key
// typed at the start and drawn. QJ_IMPORT_MIB overrides the size (100 for the largest import).
void BM_ImportLargeFile(benchmark::State& state) {
    const qsizetype mib = qEnvironmentVariableIsSet("QJ_IMPORT_MIB")
                              ? qEnvironmentVariableIntValue("QJ_IMPORT_MIB")
                              : state.range(0);
    const bool oneLine = state.range(1) != 0;
    const QString line =
        QStringLiteral("青简札记导入的一行文字，mixed with ASCII words 0123456789 and more text here.");
    QString text;
    const qsizetype bytes = mib << 20;
    text.reserve(bytes / 2);
    qsizetype utf8 = 0;
    const qsizetype lineBytes = line.toUtf8().size() + (oneLine ? 0 : 2);
    while (utf8 + lineBytes <= bytes) {
        text += line;
        if (!oneLine)
            text += QStringLiteral("\r\n");
        utf8 += lineBytes;
    }
    if (state.range(1) == 1)
        text = qj::EditorTextOf(qj::BrokenLongLines({text}));
    NoteWindow w;
    w.show(kSmallNote);
    double firstScreen = 0;
    double key = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        w.notebook->replaceText(text);
        w.editor->viewport()->repaint();
        QApplication::processEvents();
        firstScreen += static_cast<double>(clock.nsecsElapsed()) / 1e9;
        w.notebook->setReadOnly(false);
        w.editor->setFocus();
        clock.start();
        w.editor->SendScintilla(Sci::SCI_GOTOPOS, 0L);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(w.editor, &press);
        w.editor->viewport()->repaint();
        QApplication::processEvents();
        key += static_cast<double>(clock.nsecsElapsed()) / 1e9;
        w.backToSmallNote(state, /*dropChanges=*/true);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["first_screen_s"] = firstScreen / runs;
    state.counters["key_s"] = key / runs;
    state.counters["mib"] = static_cast<double>(mib);
}
BENCHMARK(BM_ImportLargeFile)
    ->Args({4, 0})
    ->Args({8, 0})
    ->Args({4, 1})
    ->Args({8, 1})
    ->Args({8, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
