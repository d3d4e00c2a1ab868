#pragma once
// The status bar's clock (Timer1): every second the last panel shows the calendar's lunar caption
// and the date and time. If the text cannot be made the clock stops for the rest of the run,
// quietly, and the panel keeps its last text.

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class QTimer;

namespace qj {

class Clock;

// The panel's text: the lunar caption, a blank, the date and time (the time left out at exactly
// midnight) and two blanks.
QString ClockPanelText(const QString& lunarCaption, const QDateTime& now);

class StatusClock : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 1000;

    // `lunarCaption` reads the calendar's caption; `show` writes the panel.
    StatusClock(const Clock& clock, std::function<QString()> lunarCaption,
                std::function<void(const QString&)> show, QObject* parent = nullptr);

    // One tick (Timer1Timer); the timer calls it every second.
    void Timer1Timer();
    bool isRunning() const;

private:
    const Clock& clock_;
    std::function<QString()> lunarCaption_;
    std::function<void(const QString&)> show_;
    QTimer* timer_;
};

} // namespace qj
