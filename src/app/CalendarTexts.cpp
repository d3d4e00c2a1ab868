#include "app/CalendarTexts.h"

#include "calendar/core/Captions.h"
#include "calendar/core/HourList.h"
#include "common/DateTime.h"
#include "seams/Clock.h"

namespace qj {

TodayCalendarTexts::TodayCalendarTexts(const Clock& clock) : clock_(clock) {
    refresh();
}

void TodayCalendarTexts::refresh() {
    const QDateTime now = clock_.now();
    const QDate d = now.date();
    const QTime t = now.time();
    const DateTimeValue value =
        EncodeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
    const int hour = HourIndexForClockHour(t.hour());
    lunar_ = QString::fromStdString(LunarCaption(value, hour));
    gregorian_ = QString::fromStdString(GregorianCaption(value, hour));
}

} // namespace qj
