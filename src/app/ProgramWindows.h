#pragma once
// The windows that live as long as the program besides the main window, created once at start-up
// in a fixed order, and the command-line options that show them ("qingjian --calendar"). A copy
// started while another runs hands its options to the running one, which shows the windows.

#include "seams/Services.h"

#include <QList>
#include <QPair>
#include <QString>

#include <memory>

namespace qj {

class CalendarWindowLink;
class NotebookFiling;
class TFPaiGua;
class TFAlerting;
class TFabout;
class TFcnDate;
class TFmain;

class ProgramWindows {
public:
    // Creates the windows hidden and wires the main window's commands to them.
    ProgramWindows(TFmain& main, const Services& services);
    ~ProgramWindows();

    TFabout& about() const { return *about_; }
    TFcnDate& calendar() const { return *calendar_; }
    TFmain& main() const { return main_; }
    TFPaiGua& divination() const { return *divination_; }
    TFAlerting& alert() const { return *alert_; }

    // Shows the window a command-line option names ("calendar"); unknown names do nothing.
    void show(const QString& window);
    // Every accepted option with the window it shows.
    static QList<QPair<QString, QString>> launchOptions();
    // Every accepted option with the caption of the window it shows ("显示日历"), for --help.
    static QList<QPair<QString, QString>> launchHelp();

private:
    TFmain& main_;
    std::unique_ptr<TFabout> about_;
    std::unique_ptr<TFcnDate> calendar_;
    // The divination window reads the calendar window, so it comes after it.
    std::unique_ptr<CalendarWindowLink> calendarLink_;
    std::unique_ptr<NotebookFiling> filing_;
    std::unique_ptr<TFPaiGua> divination_;
    std::unique_ptr<TFAlerting> alert_;
};

} // namespace qj
