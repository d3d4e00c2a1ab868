#include "app/StatusClock.h"

#include "platform/DateTimeText.h"
#include "seams/Clock.h"

#include <QTimer>

#include <exception>

namespace qj {

QString ClockPanelText(const QString& lunarCaption, const QDateTime& now) {
    return lunarCaption + QLatin1Char(' ') + DateTimeText(now) + QStringLiteral("  ");
}

StatusClock::StatusClock(const Clock& clock, std::function<QString()> lunarCaption,
                         std::function<void(const QString&)> show, QObject* parent)
    : QObject(parent), clock_(clock), lunarCaption_(std::move(lunarCaption)), show_(std::move(show)),
      timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(kIntervalMs);
    connect(timer_, &QTimer::timeout, this, &StatusClock::Timer1Timer);
    timer_->start();
}

void StatusClock::Timer1Timer() {
    try {
        show_(ClockPanelText(lunarCaption_(), clock_.now()));
    } catch (const std::exception&) {
        timer_->stop();
    }
}

bool StatusClock::isRunning() const {
    return timer_->isActive();
}

} // namespace qj
