#include "calendar/ui/DueReminders.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace qj {

QString DueReminderLines(const std::vector<ReminderDay>& due, int today) {
    QStringList lines;
    for (const ReminderDay& d : due) {
        const YearMonthDay ymd = DecodeDate(d.day);
        const QString when =
            d.day == today
                ? QStringLiteral("今天")
                : QStringLiteral("%1 天后（%2月%3日）").arg(d.day - today).arg(ymd.month).arg(ymd.day);
        QString line = when + QStringLiteral("　") + QString::fromStdString(d.reminder->title) +
                       QStringLiteral("（") + QString::fromStdString(ReminderDateText(*d.reminder)) +
                       QStringLiteral("）");
        if (!d.reminder->note.empty())
            line += QStringLiteral("　") + QString::fromStdString(d.reminder->note);
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

TFDueReminders::TFDueReminders(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FDueReminders"));
    setWindowTitle(QStringLiteral("纪念日提醒"));
    auto* column = new QVBoxLayout(this);
    lines_ = new QLabel(this);
    lines_->setObjectName(QStringLiteral("lblDueReminders"));
    lines_->setTextFormat(Qt::PlainText);
    column->addWidget(lines_);
    auto* ok = new QPushButton(QStringLiteral("知道了"), this);
    ok->setObjectName(QStringLiteral("btnDueOk"));
    column->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
}

bool TFDueReminders::showFor(const std::vector<Reminder>& reminders, int today) {
    const std::vector<ReminderDay> due = DueReminders(reminders, today);
    if (due.empty()) {
        hide();
        return false;
    }
    lines_->setText(DueReminderLines(due, today));
    adjustSize();
    // Where the user looks first: the middle of the screen (its parent, the calendar window, is
    // usually hidden and would leave it in a corner).
    if (!isVisible())
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    return true;
}

QString TFDueReminders::text() const {
    return lines_->text();
}

} // namespace qj
