// The note editor on a 1 MB note (20,000 lines of mixed Chinese and ASCII): loading it with the
// wrap at column 80 on, scrolling through it, and "排版-添加回车符" on all of it.

#include "editor/ColumnWrap.h"
#include "editor/EditorLook.h"
#include "editor/EditorText.h"
#include "editor/TextTools.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

using qj::ColumnWrap;

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

struct Editor {
    Editor() {
        editor.setUtf8(true);
        editor.setEolMode(QsciScintilla::EolWindows);
        qj::ConfigureNoteEditor(editor);
        QFont font(QStringLiteral("AR PL SungtiL GB"));
        font.setPointSize(12);
        editor.setFont(font);
        wrap = new ColumnWrap(&editor);
        wrap->setEnabled(true);
        editor.resize(1400, 900);
        editor.show();
        QApplication::processEvents();
    }
    void load(const QString& text) {
        editor.setText(text);
        editor.SendScintilla(QsciScintilla::SCI_EMPTYUNDOBUFFER);
        editor.setModified(false);
        // Until the first screen is laid out and drawn.
        editor.viewport()->repaint();
        QApplication::processEvents();
    }
    QsciScintilla editor;
    ColumnWrap* wrap = nullptr;
};

void BM_LoadLargeNoteWrappedAt80(benchmark::State& state) {
    const QString text = LargeNote();
    Editor e;
    for (auto _ : state) {
        e.load(text);
        benchmark::DoNotOptimize(e.editor.lines());
        state.PauseTiming();
        e.load(QString());
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(text.toUtf8().size());
    state.counters["lines"] = 20000;
}
BENCHMARK(BM_LoadLargeNoteWrappedAt80)->Unit(benchmark::kMillisecond)->Iterations(5);

// Jumping to the end and back: every line between is wrapped for the scroll bar.
void BM_ScrollLargeNoteToEndAndBack(benchmark::State& state) {
    Editor e;
    e.load(LargeNote());
    for (auto _ : state) {
        e.editor.SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
        e.editor.viewport()->repaint();
        QApplication::processEvents();
        e.editor.SendScintilla(QsciScintilla::SCI_DOCUMENTSTART);
        e.editor.viewport()->repaint();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ScrollLargeNoteToEndAndBack)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AddReturnsOnTheWholeLargeNote(benchmark::State& state) {
    Editor e;
    for (auto _ : state) {
        state.PauseTiming();
        e.load(LargeNote());
        e.editor.setReadOnly(false);
        e.editor.selectAll();
        state.ResumeTiming();
        qj::ReflowAddReturns(e.editor);
        e.editor.viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(e.editor.lines());
    }
}
BENCHMARK(BM_AddReturnsOnTheWholeLargeNote)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
