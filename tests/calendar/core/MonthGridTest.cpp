#include "calendar/core/MonthGrid.h"
#include "calendar/core/DateCn.h"

#include <gtest/gtest.h>

#include <vector>

namespace qj {
namespace {

struct Place {
    int column;
    int row;
};

// Where a day of the month sits, found by scanning the grid.
Place PlaceOf(int year, int month, int startOfWeek, int day) {
    for (int row = 1; row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column)
            if (CellDay(year, month, startOfWeek, column, row) == day)
                return {column, row};
    return {-1, -1};
}

TEST(MonthGrid, FirstOfMonthSitsInRowOneUnderItsWeekday) {
    struct Case {
        int year, month, startOfWeek;
        int offset;
        Place first, last;
    };
    const Case cases[] = {
        {2006, 1, 0, 1, {0, 1}, {2, 5}},  // 1st a Sunday
        {2006, 4, 0, -5, {6, 1}, {0, 6}}, // 1st a Saturday, 30 days
        {2006, 7, 0, -5, {6, 1}, {1, 6}}, // 1st a Saturday, 31 days: ends in row 6, column 1
        {2006, 1, 1, -5, {6, 1}, {1, 6}}, // Monday first: a Sunday 1st goes to column 6
        {2006, 5, 1, 1, {0, 1}, {2, 5}},  // Monday first, 1st a Monday
        {2008, 1, 6, -2, {3, 1}, {5, 5}}, // Saturday first, 1st a Tuesday
        {2009, 2, 0, 1, {0, 1}, {6, 4}},  // 28 days from a Sunday: four full rows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << " start " << c.startOfWeek);
        EXPECT_EQ(MonthOffset(c.year, c.month, c.startOfWeek), c.offset);
        const Place first = PlaceOf(c.year, c.month, c.startOfWeek, 1);
        EXPECT_EQ(first.column, c.first.column);
        EXPECT_EQ(first.row, c.first.row);
        const Place last = PlaceOf(c.year, c.month, c.startOfWeek, MonthDays(c.year, c.month));
        EXPECT_EQ(last.column, c.last.column);
        EXPECT_EQ(last.row, c.last.row);
        // The header above the 1st names the 1st's weekday.
        EXPECT_EQ(ColumnWeekday(first.column, c.startOfWeek), DayOfWeek(EncodeDate(c.year, c.month, 1)));
    }
}

TEST(MonthGrid, EveryDayOfEveryMonthAppearsOnceUnderItsWeekday) {
    for (int year : {1900, 1901, 2000, 2006, 2050, 2100})
        for (int month = 1; month <= 12; ++month)
            for (int start = 0; start < 7; ++start) {
                std::vector<int> seen(32, 0);
                for (int row = 1; row < kGridRows; ++row)
                    for (int column = 0; column < kGridColumns; ++column)
                        if (const int day = CellDay(year, month, start, column, row)) {
                            ++seen[day];
                            ASSERT_EQ(ColumnWeekday(column, start), DayOfWeek(EncodeDate(year, month, day)));
                        }
                for (int day = 1; day <= MonthDays(year, month); ++day)
                    ASSERT_EQ(seen[day], 1) << year << "-" << month << "-" << day << " start " << start;
            }
}

TEST(MonthGrid, DayCellTextsAndColourRules) {
    struct Case {
        int year, month, day;
        const char* text;
        CellColour unselected;
        CellColour selected;
        bool festival;
    };
    const DateTimeValue today = EncodeDate(2006, 5, 6);
    const Case cases[] = {
        // 四月初七 with the 青年节 mark; a festival adds no colour.
        {2006, 5, 4, "`4 初七", CellColour::Plain, CellColour::Plain, true},
        // 蜡月初一: the month's name in the new-moon colour; its festival entry adds the mark.
        {2008, 1, 8, "`8 蜡月", CellColour::NewMoon, CellColour::NewMoon, true},
        // 国庆节 on a Sunday: the Sunday colours win unless the cell is selected.
        {2006, 10, 1, "`1 初十", CellColour::Sunday, CellColour::Plain, true},
        // A one-digit day without a mark gets two blanks before the lunar text's own.
        {2006, 5, 2, "2   初五", CellColour::Plain, CellColour::Plain, false},
        // A solar term on a Sunday.
        {2008, 1, 6, "6   小寒", CellColour::Sunday, CellColour::Term, false},
        // Today wins, selected or not: 立夏 on a Saturday.
        {2006, 5, 6, "6   立夏", CellColour::Today, CellColour::Today, false},
        // A Saturday without anything else.
        {2006, 5, 13, "13 十六", CellColour::Saturday, CellColour::Plain, false},
        // A leap month's first day reads 闰七月.
        {2006, 8, 24, "24 闰七月", CellColour::NewMoon, CellColour::NewMoon, false},
        // Outside 1901–2050: the bare number, no weekend colour, not even today's.
        {1900, 12, 30, "30", CellColour::Plain, CellColour::Plain, false},
        {2051, 1, 1, "1", CellColour::Plain, CellColour::Plain, false},
        // The first and the last day of the tables are decorated: 元旦 1901 (冬月十一) and
        // 2050-12-31 (冬月十八, a Saturday).
        {1901, 1, 1, "`1 十一", CellColour::Plain, CellColour::Plain, true},
        {2050, 12, 31, "31 十八", CellColour::Saturday, CellColour::Plain, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        const Place p = PlaceOf(c.year, c.month, 0, c.day);
        const DateTimeValue t = c.year == 1900 ? EncodeDate(1900, 12, 30) : today;
        const DayCellLook look = DayCell(c.year, c.month, 0, p.column, p.row, t);
        EXPECT_EQ(look.day, c.day);
        EXPECT_EQ(look.text, c.text);
        EXPECT_EQ(look.festival, c.festival);
        EXPECT_EQ(look.Winning(false), c.unselected);
        EXPECT_EQ(look.Winning(true), c.selected);
    }
}

TEST(MonthGrid, CellsOutsideTheMonthAreEmpty) {
    // April 2006 starts on a Saturday: row 1 holds only the 1st.
    for (int column = 0; column < 6; ++column) {
        const DayCellLook look = DayCell(2006, 4, 0, column, 1, 0.0);
        EXPECT_EQ(look.day, 0);
        EXPECT_EQ(look.text, "");
        EXPECT_EQ(look.Winning(false), CellColour::Plain);
    }
    EXPECT_EQ(CellDay(2006, 4, 0, 0, 0), 0); // the weekday row holds no day
}

// A grid date that counts its change notifications; limited to 1901-01-01 … 2050-12-31 when asked.
struct Counted {
    explicit Counted(DateTimeValue start, bool limited = false) : grid(start) {
        grid.SetOnChange([this] { ++changes; });
        if (limited)
            grid.SetLimits(EncodeDate(1901, 1, 1), EncodeDate(2050, 12, 31));
    }
    MonthGridDate grid;
    int changes = 0;
};

// A move from a start day: where the grid ends and how many change notifications it sent.
struct MoveCase {
    const char* what;
    YearMonthDay start;
    void (*move)(MonthGridDate&);
    YearMonthDay end;
    int changes;
};

template <size_t N> void CheckMoves(const MoveCase (&cases)[N], bool limited = false) {
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.what);
        Counted counted(EncodeDate(c.start.year, c.start.month, c.start.day), limited);
        c.move(counted.grid);
        EXPECT_EQ(DecodeDate(counted.grid.CalendarDate()), c.end);
        EXPECT_EQ(counted.changes, c.changes);
    }
}

TEST(MonthGridDate, GregorianSettersAndMoves) {
    const MoveCase cases[] = {
        {"Month 2 on 31 January", {2006, 1, 31}, [](MonthGridDate& g) { g.SetMonth(2); }, {2006, 2, 28}, 1},
        {"Month 13", {2006, 1, 31}, [](MonthGridDate& g) { g.SetMonth(13); }, {2006, 1, 31}, 0},
        {"Month unchanged", {2006, 1, 31}, [](MonthGridDate& g) { g.SetMonth(1); }, {2006, 1, 31}, 0},
        {"Day 31 in a 30-day month", {2006, 4, 10}, [](MonthGridDate& g) { g.SetDay(31); }, {2006, 4, 10}, 0},
        {"Day 0", {2006, 4, 10}, [](MonthGridDate& g) { g.SetDay(0); }, {2006, 4, 10}, 0},
        {"Day 30", {2006, 4, 10}, [](MonthGridDate& g) { g.SetDay(30); }, {2006, 4, 30}, 1},
        {"Year on 29 February", {2004, 2, 29}, [](MonthGridDate& g) { g.SetYear(2005); }, {2005, 2, 28}, 1},
        {"Year 0", {2004, 2, 29}, [](MonthGridDate& g) { g.SetYear(0); }, {2004, 2, 29}, 0},
        {"Year 10000", {2004, 2, 29}, [](MonthGridDate& g) { g.SetYear(10000); }, {2004, 2, 29}, 0},
        {"ShiftMonth +1 from 31 January",
         {2006, 1, 31},
         [](MonthGridDate& g) { g.ShiftMonth(1); },
         {2006, 2, 28},
         1},
        {"ShiftMonth -1 from 31 March",
         {2006, 3, 31},
         [](MonthGridDate& g) { g.ShiftMonth(-1); },
         {2006, 2, 28},
         1},
        {"ShiftMonth -1 from 15 March",
         {2006, 3, 15},
         [](MonthGridDate& g) { g.ShiftMonth(-1); },
         {2006, 2, 15},
         1},
        {"ShiftMonth +1 across the year",
         {2006, 12, 31},
         [](MonthGridDate& g) { g.ShiftMonth(1); },
         {2007, 1, 31},
         1},
        {"YearForward from 29 February",
         {2004, 2, 29},
         [](MonthGridDate& g) { g.YearForward(); },
         {2005, 2, 28},
         2},
        {"YearBack from 29 February",
         {2004, 2, 29},
         [](MonthGridDate& g) { g.YearBack(); },
         {2003, 2, 28},
         2},
        {"ShiftMonth past year 9999",
         {9999, 12, 5},
         [](MonthGridDate& g) { g.ShiftMonth(1); },
         {9999, 12, 5},
         0},
        {"ShiftMonth before year 1", {1, 1, 5}, [](MonthGridDate& g) { g.ShiftMonth(-1); }, {1, 1, 5}, 0},
        {"YearForward from 9999", {9999, 3, 1}, [](MonthGridDate& g) { g.YearForward(); }, {9999, 3, 1}, 0},
        {"YearForward on an ordinary day",
         {2006, 5, 6},
         [](MonthGridDate& g) { g.YearForward(); },
         {2007, 5, 6},
         1},
    };
    CheckMoves(cases);
}

TEST(MonthGridDate, LunarSetters) {
    const MoveCase cases[] = {
        // 2006 七月初十 → 闰七月初十 and back.
        {"cnMonth -7", {2006, 8, 3}, [](MonthGridDate& g) { g.SetCnMonth(-7); }, {2006, 9, 2}, 1},
        {"cnMonth 7 from the leap month",
         {2006, 9, 2},
         [](MonthGridDate& g) { g.SetCnMonth(7); },
         {2006, 8, 3},
         1},
        {"cnMonth 13", {2006, 8, 3}, [](MonthGridDate& g) { g.SetCnMonth(13); }, {2006, 8, 3}, 0},
        // 2006 has no 闰三月: no such day, nothing moves.
        {"cnMonth -3 in 2006", {2006, 8, 3}, [](MonthGridDate& g) { g.SetCnMonth(-3); }, {2006, 8, 3}, 0},
        // 2006 四月 has 29 days.
        {"cnDay 30 in a 29-day month",
         {2006, 5, 6},
         [](MonthGridDate& g) { g.SetCnDay(30); },
         {2006, 5, 6},
         0},
        {"cnDay 0", {2006, 4, 27}, [](MonthGridDate& g) { g.SetCnDay(0); }, {2006, 4, 27}, 0},
        {"cnDay 1", {2006, 4, 27}, [](MonthGridDate& g) { g.SetCnDay(1); }, {2006, 3, 29}, 1},
        // 2006 三月三十 → 2008 三月廿九: 2008 三月 has 29 days.
        {"cnYear 2008 from 三月三十",
         {2006, 4, 27},
         [](MonthGridDate& g) { g.SetCnYear(2008); },
         {2008, 5, 4},
         1},
        // 2006 闰七月初十 → 2007: 2007 has no 闰七月, the change is refused.
        {"cnYear from a leap month",
         {2006, 9, 2},
         [](MonthGridDate& g) { g.SetCnYear(2007); },
         {2006, 9, 2},
         0},
        {"cnYear beyond the tables",
         {2006, 8, 3},
         [](MonthGridDate& g) { g.SetCnYear(2200); },
         {2006, 8, 3},
         0},
    };
    CheckMoves(cases);
}

// Within limits every move that would leave them does nothing and notifies nothing, and the same
// move from a day earlier is taken. 2050-01-10 is 2049 蜡月十七; 2050 冬月 runs from 2050-12-14
// into 2051 (2050-12-20 is its 初七, its 十九 is 2051-01-01).
TEST(MonthGridDate, MovesKeepToTheLimits) {
    const MoveCase cases[] = {
        {"YearForward past 2050", {2050, 1, 10}, [](MonthGridDate& g) { g.YearForward(); }, {2050, 1, 10}, 0},
        {"YearForward into 2050",
         {2049, 12, 31},
         [](MonthGridDate& g) { g.YearForward(); },
         {2050, 12, 31},
         1},
        {"YearBack before 1901", {1901, 12, 31}, [](MonthGridDate& g) { g.YearBack(); }, {1901, 12, 31}, 0},
        {"YearBack into 1901", {1902, 1, 1}, [](MonthGridDate& g) { g.YearBack(); }, {1901, 1, 1}, 1},
        {"YearForward from 29 February",
         {2048, 2, 29},
         [](MonthGridDate& g) { g.YearForward(); },
         {2049, 2, 28},
         2},
        {"ShiftMonth past 2050",
         {2050, 12, 15},
         [](MonthGridDate& g) { g.ShiftMonth(1); },
         {2050, 12, 15},
         0},
        {"ShiftMonth into December 2050",
         {2050, 11, 30},
         [](MonthGridDate& g) { g.ShiftMonth(1); },
         {2050, 12, 30},
         1},
        {"ShiftMonth before 1901",
         {1901, 1, 31},
         [](MonthGridDate& g) { g.ShiftMonth(-1); },
         {1901, 1, 31},
         0},
        {"ShiftMonth into January 1901",
         {1901, 2, 28},
         [](MonthGridDate& g) { g.ShiftMonth(-1); },
         {1901, 1, 28},
         1},
        {"Year 2051", {2050, 1, 10}, [](MonthGridDate& g) { g.SetYear(2051); }, {2050, 1, 10}, 0},
        {"Year 1900", {1901, 1, 10}, [](MonthGridDate& g) { g.SetYear(1900); }, {1901, 1, 10}, 0},
        {"cnYear 2050 from 2049 蜡月",
         {2050, 1, 10},
         [](MonthGridDate& g) { g.SetCnYear(2050); },
         {2050, 1, 10},
         0},
        {"cnMonth 蜡月 from 2050 冬月",
         {2050, 12, 20},
         [](MonthGridDate& g) { g.SetCnMonth(12); },
         {2050, 12, 20},
         0},
        {"cnMonth 十月 from 2050 冬月",
         {2050, 12, 20},
         [](MonthGridDate& g) { g.SetCnMonth(10); },
         {2050, 11, 20},
         1},
        {"cnDay 十九 of 2050 冬月",
         {2050, 12, 20},
         [](MonthGridDate& g) { g.SetCnDay(19); },
         {2050, 12, 20},
         0},
        {"cnDay 十八 of 2050 冬月",
         {2050, 12, 20},
         [](MonthGridDate& g) { g.SetCnDay(18); },
         {2050, 12, 31},
         1},
        // MoveToDate is the program's own and is not held to them.
        {"MoveToDate",
         {2050, 12, 20},
         [](MonthGridDate& g) { g.MoveToDate(EncodeDate(2051, 1, 5)); },
         {2051, 1, 5},
         1},
    };
    CheckMoves(cases, true);
    // Without limits the grid goes on past 2050.
    const MoveCase unlimited[] = {
        {"YearForward past 2050", {2050, 1, 10}, [](MonthGridDate& g) { g.YearForward(); }, {2051, 1, 10}, 1},
        {"cnMonth 蜡月 from 2050 冬月",
         {2050, 12, 20},
         [](MonthGridDate& g) { g.SetCnMonth(12); },
         {2051, 1, 19},
         1},
    };
    CheckMoves(unlimited);
}

// The steps it would refuse are the ones it says it cannot take.
TEST(MonthGridDate, CanShiftSaysWhetherAStepWouldMove) {
    const struct {
        YearMonthDay date;
        bool yearBack, monthBack, monthOn, yearOn;
    } cases[] = {
        {{2050, 1, 10}, true, true, true, false},  {{2049, 12, 31}, true, true, true, true},
        {{2050, 12, 1}, true, true, false, false}, {{1901, 1, 31}, false, false, true, true},
        {{1901, 2, 1}, false, true, true, true},   {{1902, 1, 1}, true, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.date.year << "-" << c.date.month << "-" << c.date.day);
        Counted counted(EncodeDate(c.date.year, c.date.month, c.date.day), true);
        EXPECT_EQ(counted.grid.CanShiftYear(-1), c.yearBack);
        EXPECT_EQ(counted.grid.CanShiftMonth(-1), c.monthBack);
        EXPECT_EQ(counted.grid.CanShiftMonth(1), c.monthOn);
        EXPECT_EQ(counted.grid.CanShiftYear(1), c.yearOn);
        EXPECT_EQ(counted.changes, 0);
    }
    // A year step the limits refuse does not first turn 29 February into the 28th.
    Counted leap(EncodeDate(2048, 2, 29));
    leap.grid.SetLimits(EncodeDate(1901, 1, 1), EncodeDate(2048, 12, 31));
    EXPECT_FALSE(leap.grid.CanShiftYear(1));
    leap.grid.YearForward();
    EXPECT_EQ(leap.grid.CalendarDate(), EncodeDate(2048, 2, 29));
    EXPECT_EQ(leap.changes, 0);
}

TEST(MonthGridDate, SettersStoreAWholeDayAndMoveToDateKeepsTheTime) {
    Counted counted(EncodeDateTime(2006, 5, 6, 10, 30, 0));
    counted.grid.MoveToDate(EncodeDateTime(2006, 5, 7, 23, 15, 0));
    EXPECT_EQ(counted.grid.CalendarDate(), EncodeDateTime(2006, 5, 7, 23, 15, 0));
    EXPECT_TRUE(counted.grid.UseCurrentDate()); // MoveToDate leaves it alone
    counted.grid.SetDay(6);
    EXPECT_EQ(counted.grid.CalendarDate(), EncodeDate(2006, 5, 6));
    EXPECT_FALSE(counted.grid.UseCurrentDate());
    EXPECT_EQ(counted.changes, 2);

    // Back to today: the date moves, without a change notification.
    EXPECT_TRUE(counted.grid.SetUseCurrentDate(true, EncodeDateTime(2024, 2, 10, 8, 30, 0)));
    EXPECT_EQ(counted.grid.CalendarDate(), EncodeDate(2024, 2, 10));
    EXPECT_EQ(counted.changes, 2);
    EXPECT_FALSE(counted.grid.SetUseCurrentDate(true, EncodeDate(2030, 1, 1)));
}

} // namespace
} // namespace qj
