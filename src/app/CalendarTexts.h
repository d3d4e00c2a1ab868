#pragma once
// What the status clock, the tray and the alert window read of the calendar window: its lunar
// caption ("农历: 丙戌(狗) 四月初四日午时"), its Gregorian caption ("公历: 2006年 5月 1日") and
// the refresh that recomputes them for the day the calendar shows.

#include <QString>

namespace qj {

class Clock;

class CalendarTexts {
public:
    virtual ~CalendarTexts() = default;
    virtual QString lunarCaption() const = 0;
    virtual QString gregorianCaption() const = 0;
    virtual void refresh() = 0;
};

// The captions of today and the current hour, computed from the clock at each refresh (and once
// when created). "农历" and "公历" stand before the first refresh.
class TodayCalendarTexts final : public CalendarTexts {
public:
    explicit TodayCalendarTexts(const Clock& clock);
    QString lunarCaption() const override { return lunar_; }
    QString gregorianCaption() const override { return gregorian_; }
    void refresh() override;

private:
    const Clock& clock_;
    QString lunar_ = QStringLiteral("农历");
    QString gregorian_ = QStringLiteral("公历");
};

} // namespace qj
