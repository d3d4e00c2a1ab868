#pragma once
// Between Qt's date-time and the calendar's day count (days since 1899-12-30).

#include "common/DateTime.h"

#include <QDateTime>
#include <QString>

namespace qj {

DateTimeValue ToDateTimeValue(const QDateTime& when);
QDateTime ToQDateTime(DateTimeValue value);
// The system's short date and long time, as the clock line writes "now".
QString ShortDateLongTime(const QDateTime& when);

} // namespace qj
