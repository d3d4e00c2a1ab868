#pragma once
// The alert's alarm without its window: armed or not, and the moment it is due. The boxes of the
// window hold a delay (hours, minutes, seconds); arming adds it to the time of arming.
//
// The alarm is kept as a date and time, not only as a time of day, so a delay that ends after
// midnight fires the next day at the right time, a delay of a whole day or more (the hours box
// goes up to 24) fires a day later, and a tick that comes late (the computer was asleep) still
// fires instead of waiting for the same time on the following day.

#include <QDateTime>

namespace qj {

class AlarmClock {
public:
    // The delay of the three boxes in seconds.
    static qint64 DelaySeconds(int hours, int minutes, int seconds);

    // Arms the alarm `delaySeconds` after `now`; returns the moment it is due (whole seconds).
    QDateTime arm(const QDateTime& now, qint64 delaySeconds);
    void disarm();
    bool isArmed() const { return armed_; }
    // The moment the alarm is due; meaningful while armed.
    const QDateTime& due() const { return due_; }

    // Called on every tick of the clock: true exactly once, at the first tick at or after the due
    // moment while armed; the alarm is disarmed then.
    bool check(const QDateTime& now);

private:
    bool armed_ = false;
    QDateTime due_;
};

} // namespace qj
