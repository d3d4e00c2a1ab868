#pragma once
// The divination window's links to the rest of the program: the notebook it files reports into,
// the calendar it casts from, and the main window's commands that open it and the trigram picture.

#include "divination/ui/CalendarLink.h"
#include "divination/ui/NoteFiling.h"

namespace qj {

class Notebook;
class TFPaiGua;
class TFcnDate;
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

// The calendar window as the divination window reads it: the grid's date and the chosen hour.
class CalendarWindowLink final : public CalendarLink {
public:
    explicit CalendarWindowLink(TFcnDate& calendar) : calendar_(calendar) {}

    DateTimeValue calendarDate() const override;
    int hourIndex() const override;
    void showCalendar() override;

private:
    TFcnDate& calendar_;
};

// 排卦处理 shows the divination window; 八卦图 opens a new trigram picture each time.
void WireDivinationCommands(TFmain& main, TFPaiGua& divination);

} // namespace qj
