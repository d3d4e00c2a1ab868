#include "app/ProgramWindows.h"

#include "alert/PAlert.h"
#include "app/About.h"
#include "app/DivinationLinks.h"
#include "app/Lymain.h"
#include "app/StoreWindows.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "app/shell/SingleInstance.h"
#include "calendar/ui/CnDate.h"
#include "divination/ui/PaiGua.h"

#include <QAction>

namespace qj {

namespace {

// One line per window that a command-line option can show.
// The caption is the one of the desktop entry's action that passes the option.
struct WindowOption {
    const char* option;
    const char* window;
    const char* caption;
    void (*show)(ProgramWindows& windows);
};

constexpr WindowOption kWindowOptions[] = {
    {"--calendar", "calendar", "显示日历", [](ProgramWindows& w) { RestoreAndActivate(&w.calendar()); }},
    {"--divination", "divination", "六爻排卦",
     [](ProgramWindows& w) { RestoreAndActivate(&w.divination()); }},
    {"--search", "search", "全目录查找", [](ProgramWindows& w) { w.main().storeWindows().openSearch(); }},
    {"--alert", "alert", "定时报警", [](ProgramWindows& w) { RestoreAndActivate(&w.alert()); }},
};

} // namespace

ProgramWindows::ProgramWindows(TFmain& main, const Services& services)
    : main_(main),
      about_(std::make_unique<TFabout>([&main] { return main.statusText(TFmain::kVersionPanel); }, &main,
                                       services.folder.path())),
      calendar_(std::make_unique<TFcnDate>(services)) {
    // The divination window reads the calendar window's date and hour; its 显示排卦 casts into it.
    calendarLink_ = std::make_unique<CalendarWindowLink>(*calendar_);
    filing_ = std::make_unique<NotebookFiling>(main.notebook());
    divination_ = std::make_unique<TFPaiGua>(services, *calendarLink_, *filing_);
    divination_->setReportFont(main.notebook().editor()->font());
    WireDivinationCommands(main, *divination_);
    calendar_->setDivinationHook([this] { divination_->showFromCalendar(); });
    // The alert shows the calendar's Gregorian caption; its session actions save the note text
    // (without a question: nobody may be there) and end the program through the main window.
    AlertHooks hooks;
    hooks.gregorianCaption = [this] { return calendar_->GregorianCaption(); };
    hooks.prepareSessionEnd = [&main] { return main.notebook().saveIfDirtyWithoutAsking(); };
    hooks.exitProgram = [&main] { main.actExitExecute(); };
    alert_ = std::make_unique<TFAlerting>(services, std::move(hooks));

    const MainActions& actions = main.actions();
    QObject::connect(actions.about, &QAction::triggered, about_.get(), [this] { about_->exec(); });
    QObject::connect(actions.alert, &QAction::triggered, alert_.get(),
                     [this] { RestoreAndActivate(alert_.get()); });
    QObject::connect(actions.cnDate, &QAction::triggered, calendar_.get(),
                     [this] { RestoreAndActivate(calendar_.get()); });
}

ProgramWindows::~ProgramWindows() = default;

void ProgramWindows::show(const QString& window) {
    for (const WindowOption& o : kWindowOptions)
        if (window == QLatin1String(o.window))
            o.show(*this);
}

QList<QPair<QString, QString>> ProgramWindows::launchOptions() {
    QList<QPair<QString, QString>> options;
    for (const WindowOption& o : kWindowOptions)
        options.append({QString::fromLatin1(o.option), QString::fromLatin1(o.window)});
    return options;
}

QList<QPair<QString, QString>> ProgramWindows::launchHelp() {
    QList<QPair<QString, QString>> help;
    for (const WindowOption& o : kWindowOptions)
        help.append({QString::fromLatin1(o.option), QString::fromUtf8(o.caption)});
    return help;
}

} // namespace qj
