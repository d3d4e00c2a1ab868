#include "calendar/ui/QtDateTime.h"

#include <QLocale>
#include <QRegularExpression>

namespace qj {

DateTimeValue ToDateTimeValue(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return EncodeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

QDateTime ToQDateTime(DateTimeValue value) {
    const YearMonthDay ymd = DecodeDate(value);
    const TimeOfDay tod = DecodeTime(value);
    return QDateTime(QDate(ymd.year, ymd.month, ymd.day), QTime(tod.hour, tod.minute, tod.second, tod.msec));
}

QString ShortDateLongTime(const QDateTime& when) {
    const QLocale locale = QLocale::system();
    // Qt's long time format names the time zone; the clock line shows the time of day only.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), timeFormat.trimmed());
}

} // namespace qj
