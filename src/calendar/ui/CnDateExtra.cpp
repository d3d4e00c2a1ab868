// The calendar window's side panel of the day's extras, and the holiday arrangements its grid marks.

#include "calendar/core/HolidayFiles.h"
#include "calendar/ui/CnCalendar.h"
#include "calendar/ui/CnDate.h"
#include "calendar/ui/DayExtraPanel.h"
#include "calendar/ui/DueReminders.h"
#include "calendar/ui/QtDateTime.h"
#include "calendar/ui/ReminderWindow.h"

#include "calendar/core/Sexagenary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace qj {

namespace {

constexpr char kOpenerClosed[] = "详情▸";
constexpr char kOpenerOpen[] = "详情◂";
constexpr char kOpenerHint[] = "显示或隐藏当日详情（纳音、冲煞、彭祖、星宿、值神、九星、胎神、节假日……）";
constexpr char kRefusedCaption[] = "节假日文件";
// The panel's width against the body's: room for a line of about fourteen characters.
constexpr double kPanelShare = 0.55;

} // namespace

void TFcnDate::buildDayExtra() {
    btnDayExtra_ = new QToolButton(this);
    btnDayExtra_->setObjectName(QStringLiteral("btnDayExtra"));
    btnDayExtra_->setCheckable(true);
    btnDayExtra_->setText(QString::fromUtf8(kOpenerClosed));
    btnDayExtra_->setToolTip(QString::fromUtf8(kOpenerHint));
    btnDayExtra_->setAutoRaise(true);
    btnDayExtra_->setFocusPolicy(Qt::TabFocus);
    // The opener sits at the right end of the navigation bar, in room the bar leaves empty, so the
    // closed window is the body alone.
    static_cast<QHBoxLayout*>(pnl2_->layout())->addWidget(btnDayExtra_);
    pnlDayExtra_ = new DayExtraPanel(this);
    pnlDayExtra_->hide();
    static_cast<QHBoxLayout*>(layout())->addWidget(pnlDayExtra_);
    connect(btnDayExtra_, &QToolButton::toggled, this, &TFcnDate::showDayExtra);
    setTabOrder(comboBox3_, btnDayExtra_);
}

void TFcnDate::loadHolidays() {
    HolidayLoad load =
        LoadHolidayFiles(services_.folder.findFile(QString::fromUtf8(kShippedHolidayFile)).toStdString(),
                         services_.folder.path().toStdString());
    holidays_ = std::move(load.calendar);
    for (const std::string& message : load.refused)
        refusedHolidayFiles_ << QString::fromStdString(message);
    cnCalendar1_->setHolidays(&holidays_);
    reminders_.load(services_.folder.path());
    if (!reminders_.loadError().isEmpty())
        refusedHolidayFiles_ << reminders_.loadError();
    cnCalendar1_->setReminders(&reminders_.reminders());
    connect(pnlDayExtra_, &DayExtraPanel::remindersRequested, this, &TFcnDate::showReminders);
    midnight_ = new QTimer(this);
    midnight_->setObjectName(QStringLiteral("tmrMidnight"));
    midnight_->setSingleShot(true);
    connect(midnight_, &QTimer::timeout, this, [this] {
        showDueReminders();
        scheduleMidnight();
    });
    scheduleMidnight();
}

void TFcnDate::scheduleMidnight() {
    const QDateTime now = services_.clock.now();
    const QDateTime next(now.date().addDays(1), QTime(0, 0, 1));
    midnight_->start(int(std::clamp<qint64>(now.msecsTo(next), 1000, 86'400'000)));
}

void TFcnDate::showReminders() {
    if (remindersWindow_ == nullptr)
        remindersWindow_ = new TFReminders(
            services_, reminders_, holidays_, [this] { remindersChanged(); }, this);
    remindersWindow_->refresh();
    remindersWindow_->show();
    remindersWindow_->raise();
}

void TFcnDate::remindersChanged() {
    cnCalendar1_->viewport()->update();
    refreshDayExtra();
}

bool TFcnDate::showDueReminders() {
    if (dueWindow_ == nullptr)
        dueWindow_ = new TFDueReminders(this);
    if (!dueWindow_->showFor(reminders_.reminders(), DayNumber(ToDateTimeValue(services_.clock.now()))))
        return false;
    emit remindersDue(dueWindow_->text());
    return true;
}

void TFcnDate::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The panel is as high as the body and about half as wide.
    const QSize body = body_->size();
    pnlDayExtra_->setFixedSize(int(body.width() * kPanelShare), body.height());
    if (refusedHolidayFiles_.isEmpty())
        return;
    const QString text = refusedHolidayFiles_.join(QStringLiteral("\n"));
    refusedHolidayFiles_.clear();
    services_.dialogs.message(this, {QString::fromUtf8(kRefusedCaption), text, MessageIcon::Warning});
}

void TFcnDate::showDayExtra(bool shown) {
    if (btnDayExtra_->isChecked() != shown)
        btnDayExtra_->setChecked(shown); // comes back here through toggled
    btnDayExtra_->setText(QString::fromUtf8(shown ? kOpenerOpen : kOpenerClosed));
    pnlDayExtra_->setVisible(shown);
    refreshDayExtra();
}

bool TFcnDate::dayExtraShown() const {
    return !pnlDayExtra_->isHidden();
}

void TFcnDate::refreshDayExtra() {
    if (pnlDayExtra_ == nullptr || pnlDayExtra_->isHidden())
        return;
    const DateTimeValue date = cnCalendar1_->CalendarDate();
    const int hour = HourIndex();
    const int hourCount = hour < 0 ? -1 : HourCount(CyclicCountsOf(date).DayCount, hour);
    QStringList due;
    for (const ReminderDay& d : ReminderDaysBetween(reminders_.reminders(), DayNumber(date), DayNumber(date)))
        due << QString::fromStdString(d.reminder->title + "（" + ReminderDateText(*d.reminder) + "）");
    pnlDayExtra_->showDay(date, hourCount, holidays_.find(DayNumber(date)), due.join(QStringLiteral("；")));
}

} // namespace qj
