#include "platform/DateTimeText.h"

#include <QLocale>

namespace qj {

namespace {

// The locale's long time format without its time-zone field ("t" … "tttt") and the blanks that
// set it off: a clock in a status bar or a caption has no use for the zone's name.
QString LongTimeFormat() {
    const QString format = QLocale().timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.simplified();
}

} // namespace

QString ShortDateText(const QDate& date) {
    return QLocale().toString(date, QLocale::ShortFormat);
}

QString LongTimeText(const QTime& time) {
    return QLocale().toString(time, LongTimeFormat());
}

QString DateTimeText(const QDateTime& when) {
    const QString date = ShortDateText(when.date());
    if (when.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + LongTimeText(when.time());
}

} // namespace qj
