#pragma once
// The calendar window's side panel: the chosen day's extras (holiday, exact solar term, 纳音,
// 冲煞, 彭祖百忌, mansion, 值神, nine stars, 胎神, directions, 三伏 and 数九), one line each, with
// a tooltip on each line saying what it is.

#include "calendar/core/Holidays.h"
#include "common/DateTime.h"

#include <QFrame>

#include <vector>

class QLabel;

namespace qj {

class DayExtraPanel : public QFrame {
    Q_OBJECT
public:
    explicit DayExtraPanel(QWidget* parent = nullptr);

    // Shows a day (hourCount −1: no hour chosen) and its arrangement (nullptr: none).
    // `reminders`: the 纪念日 falling that day, as one line (empty: none).
    void showDay(DateTimeValue date, int hourCount, const HolidayDay* holiday, const QString& reminders = {});
    // The text of a line by its caption (纳音, 冲煞 …), as shown; empty for an unknown caption.
    QString lineText(const QString& caption) const;

signals:
    // The button 纪念日… was pressed.
    void remindersRequested();

private:
    QLabel* title_ = nullptr;
    QLabel* reminders_ = nullptr;
    std::vector<QLabel*> captions_;
    std::vector<QLabel*> texts_;
};

} // namespace qj
