#pragma once
// A clock the test sets. It starts at 2024-02-10 08:30:00 local time unless told otherwise.

#include "seams/Clock.h"

namespace qj::test {

class FakeClock final : public Clock {
public:
    FakeClock() : now_(QDate(2024, 2, 10), QTime(8, 30, 0)) {}
    explicit FakeClock(QDateTime start) : now_(std::move(start)) {}

    QDateTime now() const override { return now_; }
    void set(const QDateTime& when) { now_ = when; }
    void set(QDate date, QTime time) { now_ = QDateTime(date, time); }
    void advanceSeconds(qint64 seconds) { now_ = now_.addSecs(seconds); }
    void advanceMilliseconds(qint64 ms) { now_ = now_.addMSecs(ms); }

private:
    QDateTime now_;
};

} // namespace qj::test
