#include "app/ProgramShell.h"

#include "alert/PAlert.h"
#include "app/About.h"
#include "app/CalendarTexts.h"
#include "app/Lymain.h"
#include "app/StatusClock.h"
#include "app/TrayIcon.h"
#include "app/notebook/Notebook.h"
#include "platform/GlobalHotKey.h"

#include <QAction>
#include <QEvent>
#include <QStatusBar>

namespace qj {

ProgramShell::ProgramShell(TFmain& main, const Services& services, CalendarTexts& calendar)
    : main_(main), calendar_(calendar) {
    about_ = new TFabout([&main] { return main.statusText(TFmain::kVersionPanel); }, &main);

    AlertHooks hooks;
    hooks.gregorianCaption = [&calendar] { return calendar.gregorianCaption(); };
    hooks.prepareSessionEnd = [&main] { return main.notebook().askSaveIfDirty(); };
    hooks.exitProgram = [&main] { main.actExitExecute(); };
    alert_ = std::make_unique<TFAlerting>(services, std::move(hooks));

    tray_ = new TrayIcon(main, calendar, this);
    connect(tray_, &TrayIcon::aboutRequested, this, &ProgramShell::showAbout);
    main.setCloseMinimises([] { return !TrayIcon::isAvailable(); });
    if (GlobalHotKey* key = main.hotKey())
        connect(key, &GlobalHotKey::pressed, tray_, &TrayIcon::hotKeyPressed);

    clock_ = new StatusClock(
        services.clock, [&calendar] { return calendar.lunarCaption(); },
        [&main](const QString& text) { main.setStatusText(TFmain::kClockPanel, text); }, this);
    clock_->Timer1Timer();
    main.statusBar()->installEventFilter(this);

    auto action = [&main](const char* name) {
        return main.findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    };
    connect(action("actAbout"), &QAction::triggered, this, &ProgramShell::showAbout);
    connect(action("actAlert"), &QAction::triggered, this, &ProgramShell::showAlert);
}

ProgramShell::~ProgramShell() = default;

void ProgramShell::showAbout() {
    about_->exec();
}

void ProgramShell::showAlert() {
    alert_->show();
    alert_->raise();
    alert_->activateWindow();
}

void ProgramShell::showRequested() {
    tray_->showRequested();
}

// A double click on the status bar refreshes the calendar's texts; the clock shows them at its
// next tick.
bool ProgramShell::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main_.statusBar() && event->type() == QEvent::MouseButtonDblClick)
        calendar_.refresh();
    return QObject::eventFilter(watched, event);
}

} // namespace qj
