#pragma once
// How the program lives on the desktop around its main window: the tray icon and the hot key that
// hide and show it, the status clock with the calendar's lunar caption, and a double click on the
// status bar that refreshes the calendar's texts. Made after the windows, destroyed before them.

#include "seams/Services.h"

#include <QEvent>
#include <QObject>

namespace qj {

class ProgramWindows;
class StatusClock;
class TFmain;
class TrayIcon;

class ProgramShell : public QObject {
    Q_OBJECT
public:
    ProgramShell(TFmain& main, const Services& services, ProgramWindows& windows);
    ~ProgramShell() override;

    TrayIcon* tray() const { return tray_; }
    StatusClock* clock() const { return clock_; }

    // Another start of the program asked this one to show itself.
    void showRequested();
    // Another start asked for what the hot key does ("qingjian --toggle", for a desktop's own key
    // binding where the program cannot hold the key itself).
    void toggleRequested();
    // Where the hot key could not be held on the window system `platform`, tells the user once
    // (the settings file remembers it) how to bind "qingjian --toggle". Run after start-up.
    void adviseToggle(const QString& platform);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followMainWindow(QObject* watched, QEvent::Type type);

    TFmain& main_;
    Dialogs& dialogs_;
    ProgramWindows& windows_;
    TrayIcon* tray_;
    StatusClock* clock_;
    bool aboutAway_ = false; // the about window went away with the main window
};

} // namespace qj
