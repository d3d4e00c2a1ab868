#pragma once
// What surrounds the main window: the tray icon and the hot key that hide and show it, the status
// clock, the about window and the alert window, wired to the main window's commands. Made after
// the main window and destroyed before it.

#include "seams/Services.h"

#include <QObject>

#include <memory>

namespace qj {

class CalendarTexts;
class StatusClock;
class TFAlerting;
class TFabout;
class TFmain;
class TrayIcon;

class ProgramShell : public QObject {
    Q_OBJECT
public:
    ProgramShell(TFmain& main, const Services& services, CalendarTexts& calendar);
    ~ProgramShell() override;

    TFabout* about() const { return about_; }
    TFAlerting* alert() const { return alert_.get(); }
    TrayIcon* tray() const { return tray_; }
    StatusClock* clock() const { return clock_; }

    // "关于" and "关于...": the about window, modally.
    void showAbout();
    // "定时报警": the alert window, as it was left (an armed alarm stays armed).
    void showAlert();
    // Another start of the program asked this one to show itself.
    void showRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TFmain& main_;
    CalendarTexts& calendar_;
    TFabout* about_;
    std::unique_ptr<TFAlerting> alert_;
    TrayIcon* tray_;
    StatusClock* clock_;
};

} // namespace qj
