#include "app/ProgramShell.h"

#include "app/About.h"
#include "app/Lymain.h"
#include "app/ProgramWindows.h"
#include "app/StatusClock.h"
#include "app/TrayIcon.h"
#include "app/shell/SingleInstance.h"
#include "calendar/ui/CnDate.h"
#include "calendar/ui/DueReminders.h"
#include "platform/GlobalHotKey.h"
#include "seams/StandardBoxes.h"
#include "shell/SettingsStore.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace qj {

ProgramShell::ProgramShell(TFmain& main, const Services& services, ProgramWindows& windows)
    : main_(main), dialogs_(services.dialogs), windows_(windows) {
    TFcnDate& calendar = windows.calendar();
    tray_ = new TrayIcon(
        main, [&calendar] { calendar.CnCalendar1Change(); }, this);
    connect(tray_, &TrayIcon::aboutRequested, this, [&windows] { windows.about().exec(); });
    // Due 纪念日 also go to the desktop's notifications; a click on one brings their window up.
    connect(&calendar, &TFcnDate::remindersDue, tray_,
            [this](const QString& lines) { tray_->notify(QStringLiteral("纪念日提醒"), lines); });
    connect(tray_->a1(), &QSystemTrayIcon::messageClicked, this, [&calendar] {
        if (QWidget* due = calendar.dueRemindersWindow())
            RestoreAndActivate(due);
    });
    main.setCloseMinimises([] { return !TrayIcon::isAvailable(); });
    GlobalHotKey* key = main.hotKey();
    if (key)
        connect(key, &GlobalHotKey::pressed, tray_, &TrayIcon::hotKeyPressed);
    // The tooltip names the key only where the program holds it; where it cannot, the user is told
    // once how to bind "qingjian --toggle" (after the desktop's answer, where one is awaited).
    tray_->setHotKeyHeld(key && key->isRegistered());
    if (key && key->isPending()) {
        connect(key, &GlobalHotKey::settled, this, [this](bool held) {
            tray_->setHotKeyHeld(held);
            adviseToggle(QGuiApplication::platformName());
        });
    } else {
        QTimer::singleShot(0, this, [this] { adviseToggle(QGuiApplication::platformName()); });
    }

    // The clock's panel takes the rest of the status bar; it widens to its text rather than cut
    // the lunar caption off on a narrow window.
    auto* panel =
        main.statusBar()->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(TFmain::kClockPanel));
    clock_ = new StatusClock(
        services.clock, [&calendar] { return calendar.LunarCaption(); },
        [&main, panel](const QString& text) {
            main.setStatusText(TFmain::kClockPanel, text);
            if (!panel)
                return;
            const int needed = panel->fontMetrics().horizontalAdvance(text) + 2 * panel->frameWidth() + 8;
            if (needed > panel->minimumWidth())
                panel->setMinimumWidth(needed);
        },
        this);
    clock_->Timer1Timer();
    main.statusBar()->installEventFilter(this);
    // The modal about window goes away and comes back with the main window.
    main.installEventFilter(this);
    windows.about().installEventFilter(this);
}

ProgramShell::~ProgramShell() {
    windows_.about().removeEventFilter(this);
    main_.removeEventFilter(this);
    main_.statusBar()->removeEventFilter(this);
    main_.setCloseMinimises({});
}

void ProgramShell::showRequested() {
    tray_->showRequested();
}

void ProgramShell::toggleRequested() {
    tray_->toggleRequested();
}

void ProgramShell::adviseToggle(const QString& platform) {
    const GlobalHotKey* key = main_.hotKey();
    SettingsStore& settings = main_.settingsStore();
    const QString advice = ToggleAdvice(key && key->isRegistered(), platform, settings.toggleAdviceGiven());
    if (advice.isEmpty())
        return;
    settings.saveToggleAdviceGiven();
    InformationBox(dialogs_, &main_, advice);
}

// A double click on the status bar refreshes the calendar's texts; the clock shows them at its
// next tick.
bool ProgramShell::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main_.statusBar() && event->type() == QEvent::MouseButtonDblClick)
        windows_.calendar().CnCalendar1Change();
    else if (watched == &main_ || watched == &windows_.about())
        followMainWindow(watched, event->type());
    return QObject::eventFilter(watched, event);
}

// The about window is modal: alone on the screen it would block a main window the user cannot
// find. Minimised, it takes the main window along to the taskbar; when the main window is put away
// (the hot key, the tray) the about window goes too, and it comes back with the main window.
void ProgramShell::followMainWindow(QObject* watched, QEvent::Type type) {
    TFabout& about = windows_.about();
    if (watched == &about) {
        if (type == QEvent::WindowStateChange && about.isMinimized() && !main_.isMinimized())
            main_.showMinimized();
        return;
    }
    const bool away = type == QEvent::Hide || (type == QEvent::WindowStateChange && main_.isMinimized());
    if (away && about.isVisible()) {
        aboutAway_ = true;
        about.hide();
        return;
    }
    const bool back = type == QEvent::Show || (type == QEvent::WindowStateChange && !main_.isMinimized());
    if (back && main_.isVisible() && (aboutAway_ || (about.isVisible() && about.isMinimized()))) {
        aboutAway_ = false;
        QTimer::singleShot(0, &about, [&about] { RestoreAndActivate(&about); });
    }
}

} // namespace qj
