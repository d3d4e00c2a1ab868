#pragma once
// The time of day as the program sees it. The program passes a SystemClock; tests pass the
// settable FakeClock of tests/support.

#include <QDateTime>

namespace qj {

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time now.
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace qj
