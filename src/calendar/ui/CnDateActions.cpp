// What the calendar window does: the refresh, the two mode refreshes, the navigation bar, "Now",
// the double-clicks, 显示排卦, closing and translucency.

#include "calendar/ui/CnDate.h"

#include "calendar/core/Almanac.h"
#include "calendar/core/CalendarNames.h"
#include "calendar/core/Captions.h"
#include "calendar/core/DateCn.h"
#include "calendar/core/HourList.h"
#include "calendar/ui/CaptionPanel.h"
#include "calendar/ui/CnCalendar.h"
#include "calendar/ui/QtDateTime.h"
#include "seams/StandardBoxes.h"
#include "shell/ErrorHandler.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace qj {

namespace {

// The festival bar on a day without festivals.
constexpr char kNoFestivalNotice[] = "青简札记 万年历 · 1901—2050";
constexpr double kTranslucentOpacity = 125.0 / 255.0;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

void TFcnDate::connectControls() {
    connect(cnCalendar1_, &TCnCalendar::OnChange, this, &TFcnDate::CnCalendar1Change);
    connect(cnCalendar1_, &TCnCalendar::OnDblClick, this, &TFcnDate::CnCalendar1DblClick);
    connect(pnlGanZi_, &CaptionPanel::doubleClicked, this, &TFcnDate::pnlGanZiDblClick);
    connect(rbGL_, &QRadioButton::clicked, this, [this] { rbGLClick(); });
    connect(rbNL_, &QRadioButton::clicked, this, [this] { rbNLClick(); });

    connect(speedButtons_[0], &QToolButton::clicked, this,
            [this] { navigate(false, [this] { cnCalendar1_->YearBack(); }); });
    connect(speedButtons_[1], &QToolButton::clicked, this,
            [this] { navigate(false, [this] { cnCalendar1_->MonthBack(); }); });
    connect(speedButtons_[2], &QToolButton::clicked, this,
            [this] { navigate(true, [this] { cnCalendar1_->MonthForward(); }); });
    connect(speedButtons_[3], &QToolButton::clicked, this,
            [this] { navigate(true, [this] { cnCalendar1_->YearForward(); }); });
    connect(speedButtons_[4], &QToolButton::clicked, this, &TFcnDate::SpeedButton5Click);

    connectBoxes();
    connect(comboBox3_, &QComboBox::activated, this, [this] { CnCalendar1Change(); });

    connect(btn1_, &QToolButton::clicked, this, &TFcnDate::btn1Click);
    connect(btn2_, &QToolButton::clicked, this, &QWidget::hide);
    connect(chk2_, &QCheckBox::toggled, this,
            [this](bool on) { setWindowOpacity(on ? kTranslucentOpacity : 1.0); });
}

int TFcnDate::HourIndex() const {
    return comboBox3_->currentIndex();
}

QString TFcnDate::GregorianCaption() const {
    return rbGL_->text();
}

QString TFcnDate::LunarCaption() const {
    return rbNL_->text();
}

QString TFcnDate::PillarCaption() const {
    return pnlGanZi_->caption();
}

QString TFcnDate::FestivalBar() const {
    return pnl1_->caption();
}

QString TFcnDate::ClockLine() const {
    return pnlNowTime_->caption();
}

bool TFcnDate::lunarMode() const {
    return rbNL_->isChecked();
}

void TFcnDate::setHint(const QString& hint) {
    hint_ = hint;
    // The tooltip breaks lines where the message has CR CR LF.
    QString shown = hint;
    shown.replace(QStringLiteral("\r\r\n"), QStringLiteral("\n"));
    cnCalendar1_->setToolTip(shown);
}

void TFcnDate::setFestivalBar(const QString& text) {
    pnl1_->setCaption(text);
}

void TFcnDate::CnCalendar1Change() {
    const DateTimeValue date = cnCalendar1_->CalendarDate();
    const int hour = HourIndex();
    setHint({});
    setFestivalBar({});
    fillBoxLists();
    showDateInBoxes();
    rbGL_->setText(Q(qj::GregorianCaption(date, hour)));
    rbNL_->setText(Q(qj::LunarCaption(date, hour)));
    pnlGanZi_->setCaption(Q(qj::PillarCaption(date, hour)));
    setHint(Q(qj::DayMessage(date)));
    cnCalendar1_->Rebuild();
    pnlNowTime_->setCaption(QStringLiteral("现在时间: ") + ShortDateLongTime(services_.clock.now()));

    QString festivals;
    if (const std::string s = SolarFestivalOf(date); !s.empty())
        festivals = Q(s);
    if (const std::string s = LunarFestivalOf(date); !s.empty())
        festivals += QLatin1Char(' ') + Q(s);
    setFestivalBar(festivals.isEmpty() ? QString::fromUtf8(kNoFestivalNotice) : festivals);
    refreshDayExtra();
}

void TFcnDate::rbGLClick() {
    if (!rbGL_->isChecked())
        return;
    setHint({});
    setFestivalBar({});
    fillBoxLists();
    showDateInBoxes();
}

void TFcnDate::rbNLClick() {
    if (!rbNL_->isChecked())
        return;
    setHint({});
    setFestivalBar({});
    // A leap month gives way to the ordinary month of its number: the lists below offer the leap
    // month only after its namesake, and the year steps keep to ordinary months.
    const QString leap = QStringLiteral("闰");
    const QString monthText = comboBox2_->currentText();
    if (monthText.startsWith(leap)) {
        comboBox2_->setEditText(monthText.mid(1, 1) + QStringLiteral("月"));
        if (cnCalendar1_->cnMonth() < 0)
            cnCalendar1_->setCnMonth(-cnCalendar1_->cnMonth());
    }
    setHint(QStringLiteral("[农历]") + Q(MonthTermNote(LunarMonthOf(cnCalendar1_->CalendarDate()))));

    fillBoxLists();
    showDateInBoxes();
}

void TFcnDate::navigate(bool forward, const std::function<void()>& step) {
    // The limits are the years shown in the box: the lunar year in lunar mode.
    const std::optional<int> year = yearBoxNumber();
    if (!year || (forward ? *year >= kLastYear : *year <= kFirstYear))
        return;
    step();
    rbNLClick();
}

void TFcnDate::moveToNow() {
    const QDateTime now = services_.clock.now();
    cnCalendar1_->MoveToDate(ToDateTimeValue(now));
    // 23:00–23:59 is the 子 hour that starts the next day's hours; the date stays today.
    const int item = HourIndexForClockHour(now.time().hour());
    comboBox3_->setCurrentIndex(item < comboBox3_->count() ? item : -1);
}

void TFcnDate::SpeedButton5Click() {
    moveToNow();
    CnCalendar1Change();
}

void TFcnDate::btn1Click() {
    if (divinationHook_)
        divinationHook_();
    hide();
}

void TFcnDate::CnCalendar1DblClick() {
    if (!hint_.isEmpty())
        InformationBox(services_.dialogs, this, hint_);
}

void TFcnDate::pnlGanZiDblClick() {
    QApplication::clipboard()->setText(PillarCaption());
}

void TFcnDate::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void TFcnDate::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace qj
