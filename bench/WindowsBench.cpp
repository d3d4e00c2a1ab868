// The program's windows offscreen, on the 500 MB data file: the first show of every window (laid
// out and drawn whole), the calendar's steps by month (PageDown) and by year (Ctrl+PageDown), the
// divination window's recast from the calendar, and a search in the search window. Each window
// measured fresh is made before the timed part, as the program makes it at start-up; the search
// window is made by 全目录查找 itself, so its making is timed.
#include "alert/PAlert.h"
#include "app/About.h"
#include "app/DivinationLinks.h"
#include "app/Lymain.h"
#include "app/ProgramWindows.h"
#include "app/StoreWindows.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "calendar/ui/CnCalendar.h"
#include "calendar/ui/CnDate.h"
#include "divination/ui/PaiGua.h"

#include "store/windows/Findall.h"
#include "store/windows/SearchResultModel.h"
#include "store/windows/addTable.h"
#include <QComboBox>

#include <benchmark/benchmark.h>

#include "BenchEnd.h"
#include "BenchProgram.h"
#include "BigDataFile.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>

namespace {

using qj::bench::BenchProgram;
using qj::bench::Draw;
using qj::bench::ShowAndDraw;

// One program for every benchmark here, started on first use.
BenchProgram* Program() {
    static BenchProgram* program = [] {
        auto* p = new BenchProgram(qj::bench::BigDataFile(), qj::bench::kBigStartupCategory);
        qj::bench::AtBenchEnd([p] { delete p; });
        if (p->ready() && !p->start())
            p->stop();
        return p;
    }();
    return program->running() ? program : nullptr;
}

#define NEED_PROGRAM(p)                                                                                      \
    BenchProgram* p = Program();                                                                             \
    if (!p)                                                                                                  \
        return state.SkipWithError("cannot prepare the program folder with the 500 MB data file");

// Makes a window before each timed round, times its first show and takes it down after.
template <typename Make> void FirstShows(benchmark::State& state, Make make) {
    qj::bench::PaintCounter paints;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<QWidget> window = make();
        QApplication::processEvents();
        state.ResumeTiming();
        ShowAndDraw(window.get());
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(paints.count(), benchmark::Counter::kAvgIterations);
}

void BM_CalendarFirstShow(benchmark::State& state) {
    NEED_PROGRAM(p);
    FirstShows(state, [p] { return std::make_unique<qj::TFcnDate>(p->services()); });
}
BENCHMARK(BM_CalendarFirstShow)->Unit(benchmark::kMillisecond)->Iterations(20);

// The calendar window shown, its grid in `year`, for the steps.
qj::TFcnDate& ShownCalendar(BenchProgram& p, int year) {
    qj::TFcnDate& calendar = p.windows().calendar();
    ShowAndDraw(&calendar);
    calendar.CnCalendar1()->setYear(year);
    Draw(&calendar);
    return calendar;
}

void PressOnGrid(qj::TCnCalendar* grid, int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(grid, &press);
}

// Steps forward from 1901 and starts there again (untimed) before the last year is reached; with
// the day's extras open or closed.
void CalendarSteps(benchmark::State& state, Qt::KeyboardModifiers modifiers, bool extras = false) {
    NEED_PROGRAM(p);
    qj::TFcnDate& calendar = ShownCalendar(*p, 1901);
    calendar.showDayExtra(extras);
    Draw(&calendar);
    qj::TCnCalendar* grid = calendar.CnCalendar1();
    for (auto _ : state) {
        PressOnGrid(grid, Qt::Key_PageDown, modifiers);
        Draw(&calendar);
        if (grid->Year() >= 2049) {
            state.PauseTiming();
            grid->setYear(1901);
            Draw(&calendar);
            state.ResumeTiming();
        }
    }
    state.counters["year"] = grid->Year();
    calendar.showDayExtra(false);
    calendar.hide();
}

void BM_CalendarPageDownMonth(benchmark::State& state) {
    CalendarSteps(state, Qt::NoModifier);
}
BENCHMARK(BM_CalendarPageDownMonth)->Unit(benchmark::kMillisecond)->Iterations(300);

void BM_CalendarPageDownMonthWithDayExtras(benchmark::State& state) {
    CalendarSteps(state, Qt::NoModifier, true);
}
BENCHMARK(BM_CalendarPageDownMonthWithDayExtras)->Unit(benchmark::kMillisecond)->Iterations(300);

void BM_CalendarCtrlPageDownYear(benchmark::State& state) {
    CalendarSteps(state, Qt::ControlModifier);
}
BENCHMARK(BM_CalendarCtrlPageDownYear)->Unit(benchmark::kMillisecond)->Iterations(300);

// A divination window of its own, linked to the program's calendar and notebook as at start-up.
struct DivinationParts {
    qj::CalendarWindowLink calendar;
    qj::NotebookFiling filing;
    explicit DivinationParts(BenchProgram& p)
        : calendar(p.windows().calendar()), filing(p.main().notebook()) {}
    std::unique_ptr<QWidget> make(BenchProgram& p) {
        auto window = std::make_unique<qj::TFPaiGua>(p.services(), calendar, filing);
        window->setReportFont(p.main().notebook().editor()->font());
        return window;
    }
};

// 排卦处理: the window shown as it was left.
void BM_DivinationFirstShow(benchmark::State& state) {
    NEED_PROGRAM(p);
    DivinationParts parts(*p);
    FirstShows(state, [&] { return parts.make(*p); });
}
BENCHMARK(BM_DivinationFirstShow)->Unit(benchmark::kMillisecond)->Iterations(20);

// 显示排卦 in the calendar window: shown and cast by the calendar's date and hour.
void BM_DivinationFirstShowFromCalendar(benchmark::State& state) {
    NEED_PROGRAM(p);
    DivinationParts parts(*p);
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<QWidget> window = parts.make(*p);
        QApplication::processEvents();
        state.ResumeTiming();
        static_cast<qj::TFPaiGua*>(window.get())->showFromCalendar();
        Draw(window.get());
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DivinationFirstShowFromCalendar)->Unit(benchmark::kMillisecond)->Iterations(20);

// Each iteration: the calendar steps to the next day (untimed), the divination window casts from it
// and is drawn (timed).
void RecastDayByDay(benchmark::State& state, qj::TFcnDate& calendar, qj::TFPaiGua& divination) {
    for (auto _ : state) {
        state.PauseTiming();
        PressOnGrid(calendar.CnCalendar1(), Qt::Key_Right, Qt::NoModifier);
        QApplication::processEvents();
        state.ResumeTiming();
        divination.showFromCalendar();
        Draw(&divination);
    }
}

// The shown window cast again from the calendar, a day later each round.
void BM_DivinationRecastFromCalendar(benchmark::State& state) {
    NEED_PROGRAM(p);
    qj::TFcnDate& calendar = ShownCalendar(*p, 2006);
    qj::TFPaiGua& divination = p->windows().divination();
    divination.showFromCalendar();
    Draw(&divination);
    RecastDayByDay(state, calendar, divination);
    divination.hide();
    calendar.hide();
}
BENCHMARK(BM_DivinationRecastFromCalendar)->Unit(benchmark::kMillisecond)->Iterations(50);

// The same with the 分析 panel open and a 用神 chosen: the chart is read and the panel refilled.
void BM_DivinationRecastWithAnalysisOpen(benchmark::State& state) {
    NEED_PROGRAM(p);
    qj::TFcnDate& calendar = ShownCalendar(*p, 2006);
    qj::TFPaiGua& divination = p->windows().divination();
    divination.showFromCalendar();
    divination.showAnalysisPanel(true);
    if (auto* useGod = divination.findChild<QComboBox*>(QStringLiteral("cbbUseGod")))
        useGod->setCurrentIndex(3);
    Draw(&divination);
    RecastDayByDay(state, calendar, divination);
    divination.showAnalysisPanel(false);
    divination.hide();
    calendar.hide();
}
BENCHMARK(BM_DivinationRecastWithAnalysisOpen)->Unit(benchmark::kMillisecond)->Iterations(50);

// 全目录查找: the window made, shown and drawn; closing frees it.
void BM_SearchWindowFirstShow(benchmark::State& state) {
    NEED_PROGRAM(p);
    for (auto _ : state) {
        qj::TFind_all* window = p->main().storeWindows().openSearch();
        Draw(window);
        state.PauseTiming();
        window->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SearchWindowFirstShow)->Unit(benchmark::kMillisecond)->Iterations(20);

// A search from Enter to the hits listed and drawn, in the titles or in the texts of all 57,500
// notes. `text` is looked for; the texts hold no Latin letters, so a Latin word reads them all.
void Searches(benchmark::State& state, const QString& text, bool titles) {
    NEED_PROGRAM(p);
    qj::TFind_all* window = p->main().storeWindows().openSearch();
    window->findChild<QRadioButton*>(QString::fromLatin1(titles ? "rb1" : "rb2"))->setChecked(true);
    window->findChild<QLineEdit*>(QStringLiteral("edt1"))->setText(text);
    Draw(window);
    for (auto _ : state) {
        window->btn1Click();
        Draw(window);
    }
    state.counters["hits"] = window->result()->rowCount();
    window->close();
    QApplication::processEvents();
}

void BM_SearchTitles(benchmark::State& state) {
    Searches(state, QStringLiteral("笔记0025"), true);
}
BENCHMARK(BM_SearchTitles)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SearchTextsNoHit(benchmark::State& state) {
    Searches(state, QStringLiteral("Xylograph"), false);
}
BENCHMARK(BM_SearchTextsNoHit)->Unit(benchmark::kMillisecond)->Iterations(3);

// 目录分类管理: every showing lists the data file's categories again. Shown modeless here, so
// that the benchmark goes on; the showing is the same.
void BM_CategoryManagerShow(benchmark::State& state) {
    NEED_PROGRAM(p);
    qj::TFaddTable* manager = p->main().storeWindows().categoryManager();
    for (auto _ : state) {
        ShowAndDraw(manager);
        state.counters["categories"] = manager->names().size();
        state.PauseTiming();
        manager->hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CategoryManagerShow)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_AlertFirstShow(benchmark::State& state) {
    NEED_PROGRAM(p);
    qj::TFcnDate& calendar = p->windows().calendar();
    FirstShows(state, [&] {
        qj::AlertHooks hooks;
        hooks.gregorianCaption = [&calendar] { return calendar.GregorianCaption(); };
        return std::make_unique<qj::TFAlerting>(p->services(), std::move(hooks));
    });
}
BENCHMARK(BM_AlertFirstShow)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_AboutFirstShow(benchmark::State& state) {
    NEED_PROGRAM(p);
    qj::TFmain& main = p->main();
    FirstShows(state, [&] {
        return std::make_unique<qj::TFabout>([&main] { return main.statusText(qj::TFmain::kVersionPanel); },
                                             &main, p->services().folder.path());
    });
}
BENCHMARK(BM_AboutFirstShow)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
