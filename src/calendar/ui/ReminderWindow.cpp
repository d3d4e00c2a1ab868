#include "calendar/ui/ReminderWindow.h"

#include "calendar/core/IcsExport.h"
#include "calendar/ui/QtDateTime.h"
#include "common/DurableFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace qj {

namespace {

constexpr char kCaption[] = "纪念日";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QComboBox* Choices(const char* name, QStringList items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    return box;
}

QSpinBox* Number(const char* name, int low, int high, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    return box;
}

QPushButton* Button(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// "外婆生日　农历闰四月初八　下次 2028-05-02（提前 3 天提醒）".
QString ListLine(const Reminder& r, int today) {
    QString line = Q(r.title) + QStringLiteral("　") + Q(ReminderDateText(r));
    const std::vector<ReminderDay> next = ReminderDaysBetween({r}, today, today + 800);
    if (!next.empty()) {
        const YearMonthDay d = DecodeDate(next.front().day);
        line += QStringLiteral("　下次 %1-%2-%3")
                    .arg(d.year)
                    .arg(d.month, 2, 10, QLatin1Char('0'))
                    .arg(d.day, 2, 10, QLatin1Char('0'));
    }
    if (r.daysAhead > 0)
        line += QStringLiteral("（提前 %1 天提醒）").arg(r.daysAhead);
    return line;
}

} // namespace

TFReminders::TFReminders(const Services& services, ReminderStore& store, const HolidayCalendar& holidays,
                         std::function<void()> changed, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), store_(store), holidays_(holidays),
      changed_(std::move(changed)) {
    setObjectName(QStringLiteral("FReminders"));
    setWindowTitle(QString::fromUtf8(kCaption));
    auto* column = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstReminders"));
    column->addWidget(list_, 1);

    auto* form = new QFormLayout;
    title_ = new QLineEdit(this);
    title_->setObjectName(QStringLiteral("edtTitle"));
    form->addRow(QStringLiteral("名称"), title_);
    auto* date = new QHBoxLayout;
    calendar_ = Choices("cbbCalendar", {QStringLiteral("农历"), QStringLiteral("公历")}, this);
    month_ = Number("spnMonth", 1, 12, this);
    leap_ = new QCheckBox(QStringLiteral("闰月"), this);
    leap_->setObjectName(QStringLiteral("chkLeap"));
    day_ = Number("spnDay", 1, 30, this);
    date->addWidget(calendar_);
    date->addWidget(month_);
    date->addWidget(new QLabel(QStringLiteral("月"), this));
    date->addWidget(leap_);
    date->addWidget(day_);
    date->addWidget(new QLabel(QStringLiteral("日"), this));
    form->addRow(QStringLiteral("日期"), date);
    leapRule_ = Choices("cbbLeapRule",
                        {QStringLiteral("有闰月之年过闰月，否则过本月"), QStringLiteral("总过本月")}, this);
    form->addRow(QStringLiteral("闰月生日"), leapRule_);
    shortRule_ = Choices("cbbShortRule",
                         {QStringLiteral("小月无三十，过廿九"), QStringLiteral("小月无三十，过次日")}, this);
    form->addRow(QStringLiteral("三十"), shortRule_);
    leapDayRule_ =
        Choices("cbbLeapDayRule", {QStringLiteral("平年过 2月28日"), QStringLiteral("平年过 3月1日")}, this);
    form->addRow(QStringLiteral("二月廿九"), leapDayRule_);
    ahead_ = Number("spnAhead", 0, kLongestReminderLead, this);
    form->addRow(QStringLiteral("提前提醒（天）"), ahead_);
    note_ = new QLineEdit(this);
    note_->setObjectName(QStringLiteral("edtNote"));
    form->addRow(QStringLiteral("备注"), note_);
    column->addLayout(form);

    auto* buttons = new QHBoxLayout;
    auto* add = Button("btnAdd", QStringLiteral("新增"), this);
    auto* change = Button("btnChange", QStringLiteral("修改"), this);
    auto* remove = Button("btnDelete", QStringLiteral("删除"), this);
    buttons->addWidget(add);
    buttons->addWidget(change);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    column->addLayout(buttons);

    auto* exportRow = new QHBoxLayout;
    const int thisYear = DecodeDate(ToDateTimeValue(services_.clock.now())).year;
    fromYear_ = Number("spnFromYear", 1901, 2050, this);
    toYear_ = Number("spnToYear", 1901, 2050, this);
    fromYear_->setValue(thisYear);
    toYear_->setValue(std::min(2050, thisYear + 10));
    withHolidays_ = new QCheckBox(QStringLiteral("含节假日"), this);
    withHolidays_->setObjectName(QStringLiteral("chkHolidays"));
    withHolidays_->setChecked(true);
    auto* exportButton = Button("btnExport", QStringLiteral("导出日历(.ics)…"), this);
    exportRow->addWidget(new QLabel(QStringLiteral("年份"), this));
    exportRow->addWidget(fromYear_);
    exportRow->addWidget(new QLabel(QStringLiteral("至"), this));
    exportRow->addWidget(toYear_);
    exportRow->addWidget(withHolidays_);
    exportRow->addWidget(exportButton);
    exportRow->addStretch(1);
    column->addLayout(exportRow);

    connect(list_, &QListWidget::currentRowChanged, this, &TFReminders::showInForm);
    connect(calendar_, &QComboBox::currentIndexChanged, this, &TFReminders::updateForm);
    connect(add, &QPushButton::clicked, this, &TFReminders::addClick);
    connect(change, &QPushButton::clicked, this, &TFReminders::changeClick);
    connect(remove, &QPushButton::clicked, this, &TFReminders::deleteClick);
    connect(exportButton, &QPushButton::clicked, this, &TFReminders::exportClick);
    refresh();
}

void TFReminders::refresh() {
    const QSignalBlocker block(list_);
    list_->clear();
    const int today = DayNumber(ToDateTimeValue(services_.clock.now()));
    for (const Reminder& r : store_.reminders())
        list_->addItem(ListLine(r, today));
    list_->setCurrentRow(-1);
    title_->clear();
    note_->clear();
    updateForm();
}

void TFReminders::updateForm() {
    const bool lunar = calendar_->currentIndex() == 0;
    leap_->setEnabled(lunar);
    leapRule_->setEnabled(lunar);
    shortRule_->setEnabled(lunar);
    leapDayRule_->setEnabled(!lunar);
    day_->setMaximum(lunar ? 30 : 31);
}

void TFReminders::showInForm(int row) {
    if (row < 0 || row >= int(store_.reminders().size()))
        return;
    const Reminder& r = store_.reminders()[size_t(row)];
    title_->setText(Q(r.title));
    calendar_->setCurrentIndex(r.calendar == ReminderCalendar::Lunar ? 0 : 1);
    month_->setValue(r.month);
    leap_->setChecked(r.leap);
    day_->setValue(r.day);
    leapRule_->setCurrentIndex(r.leapRule == LeapMonthRule::LeapWhenThere ? 0 : 1);
    shortRule_->setCurrentIndex(r.shortRule == ShortMonthRule::Day29 ? 0 : 1);
    leapDayRule_->setCurrentIndex(r.leapDayRule == LeapDayRule::Feb28 ? 0 : 1);
    ahead_->setValue(r.daysAhead);
    note_->setText(Q(r.note));
}

Reminder TFReminders::formReminder() const {
    Reminder r;
    const int row = list_->currentRow();
    r.id = row >= 0 && row < int(store_.reminders().size()) ? store_.reminders()[size_t(row)].id
                                                            : store_.newId();
    r.title = title_->text().trimmed().toStdString();
    r.calendar = calendar_->currentIndex() == 0 ? ReminderCalendar::Lunar : ReminderCalendar::Gregorian;
    r.month = month_->value();
    r.leap = r.calendar == ReminderCalendar::Lunar && leap_->isChecked();
    r.day = day_->value();
    r.leapRule = leapRule_->currentIndex() == 0 ? LeapMonthRule::LeapWhenThere : LeapMonthRule::Ordinary;
    r.shortRule = shortRule_->currentIndex() == 0 ? ShortMonthRule::Day29 : ShortMonthRule::NextDay;
    r.leapDayRule = leapDayRule_->currentIndex() == 0 ? LeapDayRule::Feb28 : LeapDayRule::Mar1;
    r.daysAhead = ahead_->value();
    r.note = note_->text().toStdString();
    return r;
}

void TFReminders::store(const std::vector<Reminder>& list) {
    const QString error = store_.save(list);
    if (!error.isEmpty()) {
        services_.dialogs.message(this, {QString::fromUtf8(kCaption), error, MessageIcon::Warning});
        return;
    }
    refresh();
    if (changed_)
        changed_();
}

void TFReminders::addClick() {
    list_->setCurrentRow(-1);
    const Reminder r = formReminder();
    if (r.title.empty() || !IsValidReminderDate(r)) {
        services_.dialogs.message(this,
                                  {QString::fromUtf8(kCaption),
                                   QStringLiteral("请填写名称和一个存在的日期。"), MessageIcon::Warning});
        return;
    }
    std::vector<Reminder> list = store_.reminders();
    list.push_back(r);
    store(list);
}

void TFReminders::changeClick() {
    const int row = list_->currentRow();
    const Reminder r = formReminder();
    if (row < 0 || r.title.empty() || !IsValidReminderDate(r))
        return;
    std::vector<Reminder> list = store_.reminders();
    list[size_t(row)] = r;
    store(list);
}

void TFReminders::deleteClick() {
    const int row = list_->currentRow();
    if (row < 0)
        return;
    std::vector<Reminder> list = store_.reminders();
    list.erase(list.begin() + row);
    store(list);
}

void TFReminders::exportClick() {
    const int first = fromYear_->value(), last = toYear_->value();
    if (first > last)
        return;
    const auto path = services_.dialogs.saveFileName(
        this, {QStringLiteral("导出日历"), QString(), QStringLiteral("青简札记.ics"),
               QStringLiteral("日历文件 (*.ics);;所有文件 (*)"), QStringLiteral("ics")});
    if (!path)
        return;
    std::vector<IcsEvent> events = ReminderEvents(store_.reminders(), first, last);
    if (withHolidays_->isChecked()) {
        std::vector<IcsEvent> more = HolidayEvents(holidays_, first, last);
        events.insert(events.begin(), more.begin(), more.end());
    }
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    const int error = WriteFileDurably(path->toStdString(), IcsText(events, stamp.toStdString()));
    if (error != 0)
        services_.dialogs.message(this, {QStringLiteral("导出日历"),
                                         QStringLiteral("写不进 %1：%2").arg(*path, Q(FileErrorText(error))),
                                         MessageIcon::Warning});
}

} // namespace qj
