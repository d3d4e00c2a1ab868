#pragma once
// The month grid of the perpetual calendar as plain arithmetic: which day sits in which cell, what
// each day cell reads and which colour rule paints it, and how the grid's one date moves.
//
// The grid has 7 columns and 7 rows: row 0 names the weekdays, rows 1–6 hold the days of one
// Gregorian month. Column 0 shows weekday `startOfWeek` (0 = Sunday … 6 = Saturday).

#include "common/DateTime.h"

#include <functional>
#include <optional>
#include <string>

namespace qj {

inline constexpr int kGridColumns = 7;
inline constexpr int kGridRows = 7;

bool IsLeap(int year);
// 28–31; February gets its 29th day in a leap year.
int MonthDays(int year, int month);

// The day number the cell in column 0 of row 1 would show: 1 or less. The 1st of the month sits in
// row 1 under its own weekday; a month whose 1st falls in column 0 starts a week later (−5), so
// that row 1 always shows the end of the previous week.
int MonthOffset(int year, int month, int startOfWeek);
// Day number of a body cell (row 1–6), or 0 when the cell lies outside the month.
int CellDay(int year, int month, int startOfWeek, int column, int row);
// Weekday (0 = Sunday) named by the header cell of a column.
int ColumnWeekday(int column, int startOfWeek);

// The colour rule that paints a day cell; later rules in this list win over earlier ones.
enum class CellColour { Plain, NewMoon, Term, Sunday, Saturday, Today };

struct DayCellLook {
    int day = 0;                         // 0: empty cell
    std::string text;                    // the text as painted, "" for an empty cell
    bool festival = false;               // text begins with the backquote mark
    CellColour base = CellColour::Plain; // Plain, NewMoon or Term: the colour of the text itself
    bool sunday = false;                 // weekend fills apply to unselected cells only
    bool saturday = false;
    bool today = false; // today's fill applies selected or not

    // The rule that wins for a cell drawn selected or not.
    CellColour Winning(bool selected) const;
};

// The text and colours of body cell (column, row 1–6) for the month of (year, month). `today` is
// the day the program takes for today (its time of day is ignored). Outside 1901–2050 a day cell
// reads its bare day number, plain.
DayCellLook DayCell(int year, int month, int startOfWeek, int column, int row, DateTimeValue today);

// The one date of a month grid and every way it moves. Each move that changes the date calls the
// change notification once; a refused move changes nothing and notifies nothing.
class MonthGridDate {
public:
    explicit MonthGridDate(DateTimeValue date = 0.0) : date_(date) {}

    DateTimeValue CalendarDate() const { return date_; }
    // Set by every date setter; only UseCurrentDate(true) sets it again.
    bool UseCurrentDate() const { return useCurrentDate_; }
    // Becoming true moves to `today` (whole day) without a change notification. Returns whether
    // the date was moved.
    bool SetUseCurrentDate(bool use, DateTimeValue today);

    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
    // The days the setters and the month and year steps may reach (whole days, both included); a
    // move that would leave them changes nothing. MoveToDate is not held to them. Without limits
    // every encodable day is allowed.
    void SetLimits(DateTimeValue first, DateTimeValue last);

    int Year() const;
    int Month() const;
    int Day() const;
    int CurrentMonthDays() const;
    int cnYear() const;
    int cnMonth() const; // negative in a leap month
    int cnDay() const;

    // The date as given, time of day kept; always notifies.
    void MoveToDate(DateTimeValue date);
    // Gregorian setters: a value below 1, a month above 12, a day beyond the month, a year beyond
    // 9999 or the present value changes nothing. A day that the new month lacks becomes its last.
    void SetYear(int year);
    void SetMonth(int month);
    void SetDay(int day);
    // Lunar setters (a negative month is the leap month of that number). The present value, a month
    // above 12, a day below 1 or beyond the current lunar month change nothing; a day the target
    // month lacks becomes its last. A target that is no lunar date at all (a leap month the year
    // lacks, a year outside the tables) is refused rather than landing on a meaningless date.
    void SetCnYear(int year);
    void SetCnMonth(int signedMonth);
    void SetCnDay(int day);
    // Whole months; the day is kept where the new month has it, else its last day. Nothing happens
    // at the ends of the years a date can have (1–9999).
    void ShiftMonth(int delta);
    void MonthForward() { ShiftMonth(1); }
    void MonthBack() { ShiftMonth(-1); }
    // One year on or back; 29 February first becomes the 28th (a notification of its own).
    void YearForward();
    void YearBack();
    // Whether ShiftMonth(delta) or a year step (+1 forward, −1 back) would move the date.
    bool CanShiftMonth(int delta) const { return MonthStepTarget(delta).has_value(); }
    bool CanShiftYear(int delta) const { return YearStepTarget(delta).has_value(); }

private:
    bool Within(DateTimeValue date) const;
    // Where a step lands; nothing when the step is refused.
    std::optional<DateTimeValue> MonthStepTarget(int delta) const;
    std::optional<DateTimeValue> YearStepTarget(int delta) const;
    void YearStep(int delta);
    void SetWholeDay(int year, int month, int day);
    void SetLunar(int year, int signedMonth, int day);
    void Notify();

    DateTimeValue date_;
    DateTimeValue first_ = EncodeDate(1, 1, 1);
    DateTimeValue last_ = EncodeDate(9999, 12, 31);
    bool useCurrentDate_ = true;
    std::function<void()> onChange_;
};

} // namespace qj
