#include "app/ProgramWindows.h"

#include "app/Lymain.h"
#include "app/shell/SingleInstance.h"
#include "calendar/ui/CnDate.h"

#include <QAction>

namespace qj {

namespace {

// One line per window that a command-line option can show.
struct WindowOption {
    const char* option;
    const char* window;
    void (*show)(ProgramWindows& windows);
};

constexpr WindowOption kWindowOptions[] = {
    {"--calendar", "calendar", [](ProgramWindows& w) { RestoreAndActivate(&w.calendar()); }},
};

QAction* Command(TFmain& main, const char* name) {
    return main.findChild<QAction*>(QString::fromLatin1(name));
}

} // namespace

ProgramWindows::ProgramWindows(TFmain& main, const Services& services)
    : main_(main), calendar_(std::make_unique<TFcnDate>(services)) {
    if (QAction* showCalendar = Command(main, "actCnDate")) {
        showCalendar->setEnabled(true);
        QObject::connect(showCalendar, &QAction::triggered, calendar_.get(),
                         [this] { RestoreAndActivate(calendar_.get()); });
    }
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

} // namespace qj
