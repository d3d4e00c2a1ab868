#include "app/DivinationLinks.h"

#include "app/Lymain.h"
#include "app/notebook/Notebook.h"
#include "app/shell/SingleInstance.h"
#include "calendar/ui/CnCalendar.h"
#include "calendar/ui/CnDate.h"
#include "divination/ui/PaiGua.h"
#include "divination/ui/bgmap.h"

#include <QAction>
#include <QApplication>

namespace qj {

QStringList NotebookFiling::topLevelTitles() const {
    return notebook_.topLevelTitles();
}

std::optional<QString> NotebookFiling::selectedTitle() const {
    if (!notebook_.selectedId())
        return std::nullopt;
    return notebook_.selectedTitle();
}

void NotebookFiling::selectTitled(const QString& title) {
    for (const RecordId record : notebook_.findRecordsByTitle(title))
        notebook_.selectRecord(record);
}

bool NotebookFiling::fileReport(const QString& category, const QString& question, const QString& report) {
    std::optional<NoteId> made;
    if (const std::optional<RecordId> parent = notebook_.findRecordByTitle(category)) {
        notebook_.selectRecord(*parent);
        made = notebook_.addChildNamed(question);
        if (made) {
            notebook_.expandRecord(*parent);
            notebook_.selectNote(*made);
        }
    } else {
        made = notebook_.addSiblingNamed(question);
    }
    return made && notebook_.fileTextIntoNote(*made, report);
}

DateTimeValue CalendarWindowLink::calendarDate() const {
    return calendar_.CnCalendar1()->CalendarDate();
}

int CalendarWindowLink::hourIndex() const {
    return calendar_.HourIndex();
}

void CalendarWindowLink::showCalendar() {
    RestoreAndActivate(&calendar_);
}

void WireDivinationCommands(TFmain& main, TFPaiGua& divination) {
    QObject::connect(main.actions().paiGua, &QAction::triggered, &divination, [&divination] {
        divination.show();
        divination.raise();
        divination.activateWindow();
    });
    QObject::connect(main.actions().guaMap, &QAction::triggered, &main, [&main] {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        auto* picture = new TBaGuaMap(&main);
        picture->move(main.frameGeometry().center() - picture->rect().center());
        picture->show();
        QApplication::restoreOverrideCursor();
    });
}

} // namespace qj
