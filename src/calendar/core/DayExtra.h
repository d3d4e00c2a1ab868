#pragma once
// More about a day than the officer and the sixty-day line: 纳音 of the pillars, 冲煞, 彭祖百忌,
// the mansion (二十八宿), the 值神 with 黄道/黑道, the nine stars of year, month and day, 胎神,
// the directions of 福神, 阳贵 and 阴贵, 三伏 and 数九, and the solar term the Sun reaches that
// day. Month and year follow the pillars the calendar shows (mean-year terms); 三伏, 数九 and the
// day's star follow the Sun (ExactSolarTerms).

#include "calendar/core/DayExtraTables.h"
#include "common/DateTime.h"

#include <array>
#include <string>
#include <string_view>

namespace qj {

// A day's place in a run of named periods (三伏, 数九): period −1 = outside every period.
struct PeriodDay {
    int period = -1; // 0-based index of the period
    int day = 0;     // 1-based day within it
    int length = 0;  // days of the period
    friend bool operator==(const PeriodDay&, const PeriodDay&) = default;
};

// 纳音 of a cyclic count.
std::string_view NaYinOf(int count);
// The count whose pillar clashes with the given one: stem + 4, branch + 6 (甲子 → 戊午).
int ClashCount(int count);
// 冲 and 煞 of a day count: 冲鼠(甲子)煞北.
std::string ClashText(int dayCount);
// Mansion 0–27 (角 … 轸) of a day: a 28-day cycle; 2024-02-10 is 氐.
int MansionIndexOf(DateTimeValue date);
// 值神 0–11 (青龙 … 勾陈) of a day branch in the month of a branch.
int DutyGodIndex(int monthBranch, int dayBranch);
// Nine stars 0–8 (一白 … 九紫). The year's star falls by one each year (2024 三碧); the
// month's starts the 寅 month at 八白, 五黄 or 二黑 (years 子午卯酉, 辰戌丑未, 寅申巳亥) and falls
// by one each month; the day's rises from 一白 from the 甲子 day nearest 冬至 and falls from
// 九紫 from the 甲子 day nearest 夏至.
int YearStarIndex(int yearCount);
int MonthStarIndex(int yearBranch, int monthBranch);
int DayStarIndex(DateTimeValue date);
// 初伏 from the third 庚 day from 夏至, 中伏 from the fourth (10 or 20 days), 末伏 from the first
// 庚 day from 立秋 (10 days).
PeriodDay DogDaysOf(DateTimeValue date);
// 一九 … 九九: nine days each from the day of 冬至.
PeriodDay NineNinesOf(DateTimeValue date);
// The term (0–23) the Sun reaches on the day, or −1.
int ExactSolarTermIndexOn(DateTimeValue date);

struct DayExtra {
    int yearCount = 0; // the pillars shown
    int monthCount = 0;
    int dayCount = 0;
    int hourCount = -1; // −1: no hour
    // year, month, day, hour (empty without an hour)
    std::array<std::string_view, 4> naYin;
    std::string_view pengZuStem;
    std::string_view pengZuBranch;
    int mansion = 0;
    int dutyGod = 0;
    int yearStar = 0;
    int monthStar = 0;
    int dayStar = 0;
    std::string_view fetusGod;
    std::string_view fortuneGod;
    std::string_view yangNoble;
    std::string_view yinNoble;
    PeriodDay dogDays;
    PeriodDay nineNines;
    int exactTerm = -1; // the term the Sun reaches this day
    DateTimeValue exactTermTime = 0;
    int meanTerm = -1; // the term the grid names this day (mean-year formula)
};

// Everything above for a date(-time) as the calendar shows it and an hour pillar count (−1: none).
DayExtra DayExtraOf(DateTimeValue date, int hourCount = -1);

// Texts of a period day: 初伏第3天 (共10天), 三九第9天; empty outside.
std::string DogDaysText(const PeriodDay& day);
std::string NineNinesText(const PeriodDay& day);
// Beijing time of a term to the minute, seconds cut off: 2024-02-04 16:27.
std::string TermTimeText(DateTimeValue time);

} // namespace qj
