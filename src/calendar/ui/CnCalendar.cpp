#include "calendar/ui/CnCalendar.h"

#include "calendar/ui/CnCalendarCells.h"
#include "calendar/ui/CnCalendarPainter.h"
#include "calendar/ui/QtDateTime.h"
#include "seams/Clock.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>

namespace qj {

namespace {

// The watermark's face: a heavy italic one. "Arial Black" where installed, else the heaviest
// weight the default sans face offers.
QFont MonthNumberFont(int pointSize) {
    QFont font;
    if (QFontDatabase::families().contains(QStringLiteral("Arial Black")))
        font.setFamily(QStringLiteral("Arial Black"));
    else
        font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Black);
    font.setItalic(true);
    font.setPointSize(pointSize);
    return font;
}

} // namespace

TCnCalendar::TCnCalendar(const Clock& clock, QWidget* parent)
    : QTableView(parent), clock_(clock), date_(DayNumber(ToDateTimeValue(clock.now()))) {
    cells_ = new CnCalendarCells(*this);
    setModel(cells_);
    setItemDelegate(new CnCalendarPainter(*this));
    // The rows and columns share the grid's whole area.
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Stretch);
    }
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(true);
    date_.SetOnChange([this] {
        Rebuild();
        emit OnChange();
    });
    Rebuild();
}

TCnCalendar::~TCnCalendar() = default;

int TCnCalendar::MonthOffset() const {
    return qj::MonthOffset(Year(), Month(), startOfWeek_);
}

DateTimeValue TCnCalendar::Today() const {
    return DayNumber(ToDateTimeValue(clock_.now()));
}

void TCnCalendar::Rebuild() {
    updating_ = true;
    const auto done = qScopeGuard([this] { updating_ = false; });
    cells_->refresh();
    const int place = Day() - MonthOffset();
    setCurrentIndex(cells_->index(place / kGridColumns + 1, place % kGridColumns));
    viewport()->update();
}

QString TCnCalendar::CellDayText(int column, int row) const {
    if (row == 0) {
        // Qt counts weekdays from Monday = 1 to Sunday = 7.
        const int weekday = ColumnWeekday(column, startOfWeek_);
        return QLocale::system().dayName(weekday == 0 ? 7 : weekday, QLocale::ShortFormat);
    }
    const int day = CellDay(Year(), Month(), startOfWeek_, column, row);
    return day == 0 ? QString() : QString::number(day);
}

void TCnCalendar::setHolidays(const HolidayCalendar* holidays) {
    holidays_ = holidays;
    viewport()->update();
}

const HolidayDay* TCnCalendar::CellHoliday(int column, int row) const {
    const int day = row == 0 ? 0 : CellDay(Year(), Month(), startOfWeek_, column, row);
    if (holidays_ == nullptr || day == 0)
        return nullptr;
    return holidays_->find(DayNumber(EncodeDate(Year(), Month(), day)));
}

void TCnCalendar::setReminders(const std::vector<Reminder>* reminders) {
    reminders_ = reminders;
    viewport()->update();
}

bool TCnCalendar::CellHasReminder(int column, int row) const {
    const int day = row == 0 ? 0 : CellDay(Year(), Month(), startOfWeek_, column, row);
    if (reminders_ == nullptr || reminders_->empty() || day == 0)
        return false;
    const int number = DayNumber(EncodeDate(Year(), Month(), day));
    return !ReminderDaysBetween(*reminders_, number, number).empty();
}

QString TCnCalendar::CellText(int column, int row) const {
    if (row == 0)
        return CellDayText(column, row);
    return QString::fromStdString(DayCell(Year(), Month(), startOfWeek_, column, row, Today()).text);
}

void TCnCalendar::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    cells_->refresh();
}

void TCnCalendar::setFirstRowimg(bool on) {
    firstRowImg_ = on;
    Rebuild();
}

void TCnCalendar::setShowMonth(bool on) {
    showMonth_ = on;
    Rebuild();
}

void TCnCalendar::setMonthFontcolor(const QColor& colour) {
    monthFontColor_ = colour;
    Rebuild();
}

void TCnCalendar::setStartOfWeek(int weekday) {
    if (weekday < 0 || weekday > 6 || weekday == startOfWeek_)
        return;
    startOfWeek_ = weekday;
    Rebuild();
}

void TCnCalendar::setImgFile(const QString& path) {
    QImage image;
    if (!path.isEmpty() && QFileInfo::exists(path))
        image = QImageReader(path).read();
    if (image.isNull()) {
        imgFile_.clear();
    } else {
        imgFile_ = path;
        picture_ = image;
    }
    Rebuild();
}

void TCnCalendar::setUseCurrentDate(bool use) {
    if (date_.SetUseCurrentDate(use, Today()))
        Rebuild();
}

void TCnCalendar::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (updating_ || !current.isValid())
        return;
    // The user moved to a day (mouse or arrow keys): it becomes the grid's date.
    const QString day = CellDayText(current.column(), current.row());
    if (!day.isEmpty())
        setDay(day.toInt());
}

void TCnCalendar::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit OnClick();
}

void TCnCalendar::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit OnDblClick();
}

void TCnCalendar::keyPressEvent(QKeyEvent* event) {
    // Page keys turn months, with Ctrl years, within the calendar's years 1901–2050 (a step that
    // would leave them does nothing); the arrow keys move between days.
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int months = 12 * Year() + Month() - 1;
    if (!readOnly_ && event->key() == Qt::Key_PageUp) {
        if (months - (ctrl ? 12 : 1) >= 12 * kFirstGridYear)
            ctrl ? YearBack() : MonthBack();
        return;
    }
    if (!readOnly_ && event->key() == Qt::Key_PageDown) {
        if (months + (ctrl ? 12 : 1) <= 12 * kLastGridYear + 11)
            ctrl ? YearForward() : MonthForward();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TCnCalendar::paintBackground(QPainter& painter) const {
    const QRect area = viewport()->rect();
    painter.fillRect(area, palette().color(QPalette::Base));
    if (imgFile_.isEmpty())
        painter.fillRect(QRect(0, 0, area.width(), rowHeight(0)), palette().color(QPalette::Button));
    else
        painter.drawImage(QPoint(0, 0), picture_);
}

void TCnCalendar::paintMonthNumber(QPainter& painter) const {
    const int h = viewport()->height();
    const int w = viewport()->width();
    const int pointSize = h - h / kGridRows - 12;
    if (pointSize < 1)
        return;
    const QFont font = MonthNumberFont(pointSize);
    const QFontMetrics metrics(font);
    const QString text = QString::number(Month());
    const int x = (w - metrics.horizontalAdvance(text)) / 2 - 10;
    const int y = 10 - 2 * (h / kGridRows);
    painter.setFont(font);
    painter.setPen(monthFontColor_);
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

void TCnCalendar::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(viewport());
        paintBackground(painter);
        if (showMonth_)
            paintMonthNumber(painter);
        // The weekday row keeps the button-face ground unless the picture is wanted behind it too.
        if (!firstRowImg_)
            painter.fillRect(QRect(0, 0, viewport()->width(), rowHeight(0)),
                             palette().color(QPalette::Button));
    }
    QTableView::paintEvent(event);
}

} // namespace qj
