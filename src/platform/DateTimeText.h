#pragma once
// Dates and times written the way the desktop's locale writes them: the short date format and
// the long time format (hours, minutes and seconds, without the time zone).

#include <QDateTime>
#include <QString>

namespace qj {

QString ShortDateText(const QDate& date);
QString LongTimeText(const QTime& time);
// The short date, a blank and the long time; at exactly midnight the time is left out.
QString DateTimeText(const QDateTime& when);

} // namespace qj
