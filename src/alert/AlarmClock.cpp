#include "alert/AlarmClock.h"

namespace qj {

qint64 AlarmClock::DelaySeconds(int hours, int minutes, int seconds) {
    return qint64(hours) * 3600 + qint64(minutes) * 60 + seconds;
}

QDateTime AlarmClock::arm(const QDateTime& now, qint64 delaySeconds) {
    QDateTime due = now.addSecs(delaySeconds);
    // The alarm names a whole second: it is due when the clock reaches that second.
    due.setTime(QTime(due.time().hour(), due.time().minute(), due.time().second()));
    due_ = due;
    armed_ = true;
    return due_;
}

void AlarmClock::disarm() {
    armed_ = false;
}

bool AlarmClock::check(const QDateTime& now) {
    if (!armed_ || now < due_)
        return false;
    armed_ = false;
    return true;
}

} // namespace qj
