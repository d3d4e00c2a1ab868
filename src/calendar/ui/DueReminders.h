#pragma once
// TFDueReminders: the small window that names today's and the coming days' 纪念日 (each within
// the days ahead its reminder asks for). It never blocks: the program goes on behind it.

#include "calendar/core/Reminders.h"

#include <QWidget>

class QLabel;

namespace qj {

class TFDueReminders : public QWidget {
    Q_OBJECT
public:
    explicit TFDueReminders(QWidget* parent = nullptr);
    // Shows what is due on `today` and returns true, or hides and returns false when nothing is.
    bool showFor(const std::vector<Reminder>& reminders, int today);
    QString text() const;

private:
    QLabel* lines_ = nullptr;
};

// "今天　外婆生日（农历闰四月初八）" / "3 天后（5月2日）　…", one line per day due.
QString DueReminderLines(const std::vector<ReminderDay>& due, int today);

} // namespace qj
