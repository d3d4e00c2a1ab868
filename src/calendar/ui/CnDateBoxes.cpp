// The calendar window's year, month and day boxes: what they offer, what typing and choosing in
// them does, and how a rejected entry is undone.

#include "calendar/ui/CnDate.h"

#include "calendar/core/CalendarNames.h"
#include "calendar/core/DateCn.h"
#include "calendar/ui/CnCalendar.h"
#include "shell/ErrorHandler.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace qj {

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList BoxItems(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// Replaces the box's items when they differ (the edit text is set again by the caller).
void FillBox(QComboBox* box, const QStringList& items) {
    if (BoxItems(box) == items)
        return;
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(items);
}

// Shows `text` in the box; an item with that text becomes the box's selection.
void ShowInBox(QComboBox* box, const QString& text) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(box->findText(text));
    if (box->isEditable()) {
        box->setEditText(text);
        box->lineEdit()->setModified(false);
    }
}

// The i (1–12) whose month name is `name`, or 0.
int LunarMonthNumber(const QString& name) {
    for (int i = 1; i <= 12; ++i)
        if (Q(kLunarMonthNames[i]) == name)
            return i;
    return 0;
}

// Every day a month of the mode can have ("1" … "31", 初一 … 三十): what a typed day may still
// become, whether or not the shown month has it.
QStringList AllDayTexts(bool lunar) {
    QStringList texts;
    for (int day = 1; day <= (lunar ? 30 : 31); ++day)
        texts << (lunar ? Q(kLunarDayNames[day]) : QString::number(day));
    return texts;
}

// The item a typed text names for certain: the item equal to it when nothing the box could
// hold starts with it ("1" could still become "12", "3" in February "30"), else −1.
int CertainItem(const QComboBox* box, const QString& text, const QStringList& couldHold) {
    for (const QString& other : couldHold)
        if (other != text && other.startsWith(text))
            return -1;
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i) == text)
            return i;
    return -1;
}

} // namespace

void TFcnDate::connectBoxes() {
    // Only the user's changes count: the refresh fills the boxes without setting a date.
    connect(comboBox1_, &QComboBox::activated, this, [this] { ComboBox1Change(false); });
    connect(comboBox1_->lineEdit(), &QLineEdit::textEdited, this, [this] { ComboBox1Change(false); });
    connect(comboBox1_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (comboBox1_->lineEdit()->isModified()) {
            comboBox1_->lineEdit()->setModified(false);
            ComboBox1Change(true);
        }
    });
    for (QComboBox* box : {comboBox2_, comboBox4_}) {
        connect(box, &QComboBox::activated, this, [this, box](int index) {
            box == comboBox2_ ? ComboBox2Change(index) : ComboBox4Change(index);
        });
        connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, box] { boxTextEdited(box); });
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, box] { boxEditingFinished(box); });
    }
}

void TFcnDate::fillBoxLists() {
    const DateTimeValue date = cnCalendar1_->CalendarDate();
    QStringList months;
    QStringList days;
    if (lunarMode()) {
        const int year = LunarYearOf(date);
        const int leapMonth = LeapMonthOf(year);
        for (int i = 1; i <= 12; ++i) {
            months << Q(kLunarMonthNames[i]) + QStringLiteral("月");
            if (i == leapMonth)
                months << QStringLiteral("闰") + Q(kLunarMonthNames[i]);
        }
        const int month = LunarMonthOf(date);
        const int count = month < 0 ? LeapMonthDays(year) : LunarMonthDays(year, month);
        for (int i = 1; i <= count; ++i)
            days << Q(kLunarDayNames[i]);
    } else {
        const YearMonthDay ymd = DecodeDate(date);
        for (int i = 1; i <= 12; ++i)
            months << QString::number(i);
        for (int i = 1; i <= cnCalendar1_->MonthDays(ymd.year, ymd.month); ++i)
            days << QString::number(i);
    }
    FillBox(comboBox2_, months);
    FillBox(comboBox4_, days);
}

void TFcnDate::showDateInBoxes() {
    const DateTimeValue date = cnCalendar1_->CalendarDate();
    if (lunarMode()) {
        ShowInBox(comboBox1_, QString::number(LunarYearOf(date)));
        ShowInBox(comboBox2_, Q(LunarMonthName(date)));
        ShowInBox(comboBox4_, Q(LunarDayName(date)));
    } else {
        const YearMonthDay ymd = DecodeDate(date);
        ShowInBox(comboBox1_, QString::number(ymd.year));
        ShowInBox(comboBox2_, QString::number(ymd.month));
        ShowInBox(comboBox4_, QString::number(ymd.day));
    }
    updateNavigationButtons();
}

void TFcnDate::updateNavigationButtons() {
    bool ok = false;
    const int year = comboBox1_->currentText().trimmed().toInt(&ok);
    const TCnCalendar* grid = cnCalendar1_;
    speedButtons_[0]->setEnabled(!ok || (year > kFirstYear && grid->CanShiftYear(-1)));
    speedButtons_[1]->setEnabled(!ok || (year > kFirstYear && grid->CanShiftMonth(-1)));
    speedButtons_[2]->setEnabled(!ok || (year < kLastYear && grid->CanShiftMonth(1)));
    speedButtons_[3]->setEnabled(!ok || (year < kLastYear && grid->CanShiftYear(1)));
}

std::optional<int> TFcnDate::yearBoxNumber() {
    const QString text = comboBox1_->currentText();
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok) {
        ShowGeneralError(services_.dialogs, this,
                         QStringLiteral("“%1”不是年份：请输入 %2 到 %3 之间的年份数字 !")
                             .arg(text)
                             .arg(kFirstYear)
                             .arg(kLastYear));
        showDateInBoxes();
        return std::nullopt;
    }
    return n;
}

void TFcnDate::ComboBox1Change(bool reportBadText) {
    std::optional<int> n;
    if (reportBadText) {
        n = yearBoxNumber();
        if (!n)
            return;
    } else {
        // While the user types, a half-written year is no error yet.
        bool ok = false;
        const int value = comboBox1_->currentText().trimmed().toInt(&ok);
        if (ok)
            n = value;
    }
    if (!n || *n < kFirstYear || *n > kLastYear) {
        // A finished entry outside the calendar's years gives the box back the shown date.
        if (reportBadText)
            showDateInBoxes();
        return;
    }
    rbNLClick();
    if (lunarMode())
        cnCalendar1_->setCnYear(*n);
    else
        cnCalendar1_->setYear(*n);
    updateNavigationButtons();
}

void TFcnDate::ComboBox2Change(int index) {
    if (index < 0 || index >= comboBox2_->count()) {
        showDateInBoxes();
        return;
    }
    if (!lunarMode()) {
        cnCalendar1_->setMonth(index + 1);
    } else {
        const QString text = comboBox2_->itemText(index);
        if (text.startsWith(QStringLiteral("闰"))) {
            if (const int i = LunarMonthNumber(text.mid(1, 1)))
                cnCalendar1_->setCnMonth(-i);
        } else if (const int i = LunarMonthNumber(text.left(1))) {
            cnCalendar1_->setCnMonth(i);
        }
    }
    // A choice the calendar could not take leaves the box showing the date it kept.
    fillBoxLists();
    showDateInBoxes();
}

void TFcnDate::ComboBox4Change(int index) {
    if (index < 0 || index >= comboBox4_->count()) {
        showDateInBoxes();
        return;
    }
    if (lunarMode())
        cnCalendar1_->setCnDay(index + 1);
    else
        cnCalendar1_->setDay(index + 1);
    showDateInBoxes();
}

void TFcnDate::boxTextEdited(QComboBox* box) {
    const QStringList couldHold = box == comboBox4_ ? AllDayTexts(lunarMode()) : BoxItems(box);
    const int index = CertainItem(box, box->currentText(), couldHold);
    if (index < 0)
        return; // not (yet) an item: the date stays; leaving the box settles it
    const int cursor = box->lineEdit()->cursorPosition();
    box == comboBox2_ ? ComboBox2Change(index) : ComboBox4Change(index);
    box->lineEdit()->setCursorPosition(cursor);
}

void TFcnDate::boxEditingFinished(QComboBox* box) {
    const int index = box->findText(box->currentText());
    if (index < 0 || index == box->currentIndex()) {
        showDateInBoxes();
        return;
    }
    box == comboBox2_ ? ComboBox2Change(index) : ComboBox4Change(index);
}

} // namespace qj
