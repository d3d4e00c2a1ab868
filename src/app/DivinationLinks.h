#pragma once
// The divination window's links to the rest of the program: the notebook it files reports into,
// the calendar it casts from, and the main window's commands that open it and the trigram picture.

#include "divination/ui/CalendarLink.h"
#include "divination/ui/NoteFiling.h"

namespace qj {

class Clock;
class Notebook;
class TFPaiGua;
class TFmain;

// The notebook as the divination window sees it.
class NotebookFiling final : public NoteFiling {
public:
    explicit NotebookFiling(Notebook& notebook) : notebook_(notebook) {}

    QStringList topLevelTitles() const override;
    std::optional<QString> selectedTitle() const override;
    void selectTitled(const QString& title) override;
    bool fileReport(const QString& category, const QString& question, const QString& report) override;

private:
    Notebook& notebook_;
};

// A calendar of today without a chosen hour, for as long as no calendar window is there to ask.
class TodayCalendar final : public CalendarLink {
public:
    explicit TodayCalendar(const Clock& clock) : clock_(clock) {}

    DateTimeValue calendarDate() const override;
    int hourIndex() const override { return -1; }
    void showCalendar() override {}

private:
    const Clock& clock_;
};

// 排卦处理 shows the divination window; 八卦图 opens a new trigram picture each time.
void WireDivinationCommands(TFmain& main, TFPaiGua& divination);

} // namespace qj
