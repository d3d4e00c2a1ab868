#pragma once
// TCnCalendar: the lunar month grid. Seven columns and seven rows: row 0 names the weekdays, rows
// 1–6 show the days of one Gregorian month, each with its lunar day, the lunar month's name on its
// first day or the solar term of the day, festival days marked with a backquote. The month number
// is drawn large behind the cells. The grid holds one date; clicking a day (or moving to it with
// the arrow keys) chooses it, and every change of the date emits OnChange.
//
// The arithmetic (cell layout, cell texts and colours, the date moves) lives in
// calendar/core/MonthGrid; this class draws it and takes the user's input.

#include "calendar/core/Holidays.h"
#include "calendar/core/MonthGrid.h"
#include "calendar/core/Reminders.h"

#include <QColor>
#include <QImage>
#include <QTableView>

namespace qj {

class Clock;
class CnCalendarCells;

class TCnCalendar : public QTableView {
    Q_OBJECT
    Q_PROPERTY(int Year READ Year WRITE setYear)
    Q_PROPERTY(int Month READ Month WRITE setMonth)
    Q_PROPERTY(int Day READ Day WRITE setDay)
    Q_PROPERTY(int cnYear READ cnYear WRITE setCnYear)
    Q_PROPERTY(int cnMonth READ cnMonth WRITE setCnMonth)
    Q_PROPERTY(int cnDay READ cnDay WRITE setCnDay)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool FirstRowimg READ FirstRowimg WRITE setFirstRowimg)
    Q_PROPERTY(bool ShowMonth READ ShowMonth WRITE setShowMonth)
    Q_PROPERTY(QColor MonthFontcolor READ MonthFontcolor WRITE setMonthFontcolor)
    Q_PROPERTY(int StartOfWeek READ StartOfWeek WRITE setStartOfWeek)
    Q_PROPERTY(QString ImgFile READ ImgFile WRITE setImgFile)
    Q_PROPERTY(bool UseCurrentDate READ UseCurrentDate WRITE setUseCurrentDate)

public:
    // The years the page keys keep to.
    static constexpr int kFirstGridYear = 1901;
    static constexpr int kLastGridYear = 2050;

    // `clock` says which day is today (drawn in its own colours); it outlives the grid.
    explicit TCnCalendar(const Clock& clock, QWidget* parent = nullptr);
    ~TCnCalendar() override;

    DateTimeValue CalendarDate() const { return date_.CalendarDate(); }
    int MonthOffset() const;
    bool Updating() const { return updating_; }

    int Year() const { return date_.Year(); }
    int Month() const { return date_.Month(); }
    int Day() const { return date_.Day(); }
    void setYear(int v) { date_.SetYear(v); }
    void setMonth(int v) { date_.SetMonth(v); }
    void setDay(int v) { date_.SetDay(v); }
    int cnYear() const { return date_.cnYear(); }
    int cnMonth() const { return date_.cnMonth(); }
    int cnDay() const { return date_.cnDay(); }
    void setCnYear(int v) { date_.SetCnYear(v); }
    void setCnMonth(int v) { date_.SetCnMonth(v); }
    void setCnDay(int v) { date_.SetCnDay(v); }

    bool ReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    bool FirstRowimg() const { return firstRowImg_; }
    void setFirstRowimg(bool on);
    bool ShowMonth() const { return showMonth_; }
    void setShowMonth(bool on);
    QColor MonthFontcolor() const { return monthFontColor_; }
    void setMonthFontcolor(const QColor& colour);
    int StartOfWeek() const { return startOfWeek_; }
    void setStartOfWeek(int weekday);
    // A picture file Qt can read, drawn behind the cells instead of the plain ground. A name that
    // is empty, missing or unreadable leaves the name empty (the picture already loaded stays).
    QString ImgFile() const { return imgFile_; }
    void setImgFile(const QString& path);
    bool UseCurrentDate() const { return date_.UseCurrentDate(); }
    void setUseCurrentDate(bool use);

    virtual int CurrentMonthDays() const { return date_.CurrentMonthDays(); }
    virtual bool IsLeap(int year) const { return qj::IsLeap(year); }
    virtual int MonthDays(int year, int month) const { return qj::MonthDays(year, month); }
    // Lays the grid out for the current date and repaints it.
    virtual void Rebuild();

    // The date as given, time of day kept; always emits OnChange.
    void MoveToDate(DateTimeValue date) { date_.MoveToDate(date); }
    void ShiftMonth(int delta) { date_.ShiftMonth(delta); }
    void MonthForward() { date_.MonthForward(); }
    void MonthBack() { date_.MonthBack(); }
    void YearForward() { date_.YearForward(); }
    void YearBack() { date_.YearBack(); }
    // The days the date properties and the steps may reach; a move beyond them does nothing.
    void setDateLimits(DateTimeValue first, DateTimeValue last) { date_.SetLimits(first, last); }
    bool CanShiftMonth(int delta) const { return date_.CanShiftMonth(delta); }
    bool CanShiftYear(int delta) const { return date_.CanShiftYear(delta); }

    // Row 0: the weekday's short name; other rows: the day number or "".
    QString CellDayText(int column, int row) const;
    // The text of a day cell exactly as drawn (festival mark, lunar day, month name or term).
    QString CellText(int column, int row) const;
    // The day the grid takes for today.
    DateTimeValue Today() const;

    // The holiday arrangements whose 休 and 班 days get a small mark in a cell's corner (none:
    // nullptr); the calendar outlives the grid.
    void setHolidays(const HolidayCalendar* holidays);
    // The arrangement of a day cell's day, or nullptr.
    const HolidayDay* CellHoliday(int column, int row) const;
    // The 纪念日 whose days get a small mark in the other corner (none: nullptr).
    void setReminders(const std::vector<Reminder>* reminders);
    bool CellHasReminder(int column, int row) const;

signals:
    void OnChange();
    void OnClick();
    void OnDblClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class CnCalendarCells;
    void paintBackground(QPainter& painter) const;
    void paintMonthNumber(QPainter& painter) const;

    const Clock& clock_;
    MonthGridDate date_;
    CnCalendarCells* cells_ = nullptr;
    bool updating_ = false;
    bool readOnly_ = false;
    bool firstRowImg_ = false;
    bool showMonth_ = true;
    QColor monthFontColor_{238, 247, 247};
    int startOfWeek_ = 0;
    QString imgFile_;
    QImage picture_;
    const HolidayCalendar* holidays_ = nullptr;
    const std::vector<Reminder>* reminders_ = nullptr;
};

} // namespace qj
