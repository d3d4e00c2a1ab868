#include "calendar/core/DayExtra.h"

#include "calendar/core/CalendarNames.h"
#include "calendar/core/ExactSolarTerms.h"
#include "calendar/core/Sexagenary.h"

#include <cmath>
#include <cstdio>

namespace qj {

namespace {

// Mansion of day number 0 (2024-02-10, day 45332 = 28 × 1619, is 氐, 2).
constexpr int kMansionOfDayZero = 2;
constexpr int kSummerSolstice = 11;
constexpr int kStartOfAutumn = 14;
constexpr int kWinterSolstice = 23;
constexpr int kGengStem = 6;
constexpr int kDogDayLength = 10;
constexpr int kNineDays = 9;

int StemOfDay(int dayNumber) {
    return FloorMod(DayCountOfDay(dayNumber), 10);
}

// The 甲子 day nearest a solstice: the one before it or on it when the solstice's pillar is in
// the first half of the cycle, else the one after it.
int JiaziNear(int solsticeDay) {
    const int pillar = FloorMod(DayCountOfDay(solsticeDay), 60);
    return pillar > 29 ? solsticeDay + 60 - pillar : solsticeDay - pillar;
}

// The first 庚 day on or after a day.
int GengFrom(int dayNumber) {
    return dayNumber + FloorMod(kGengStem - StemOfDay(dayNumber), 10);
}

// The year of a month count: the year whose 立春 opened the month's year.
int YearCountOfMonth(int monthCount) {
    // Month count 12y + 2 − 22788 is the 寅 month of year y, whose year count is y − 1864.
    const int firstMonthOfYear = monthCount - 2 + 22788;
    return (firstMonthOfYear - FloorMod(firstMonthOfYear, 12)) / 12 - 1864;
}

std::string PeriodText(std::string_view name, const PeriodDay& day, bool withLength) {
    std::string text(name);
    text += "第" + std::to_string(day.day) + "天";
    if (withLength)
        text += "(共" + std::to_string(day.length) + "天)";
    return text;
}

int DayStarOf(int day, int year) {
    struct Start {
        int day;
        bool rising;
    };
    const Start starts[] = {
        {JiaziNear(ExactSolarTermDay(year - 1, kSummerSolstice)), false},
        {JiaziNear(ExactSolarTermDay(year - 1, kWinterSolstice)), true},
        {JiaziNear(ExactSolarTermDay(year, kSummerSolstice)), false},
        {JiaziNear(ExactSolarTermDay(year, kWinterSolstice)), true},
    };
    Start current = starts[0];
    for (const Start& start : starts)
        if (start.day <= day)
            current = start;
    const int step = FloorMod(day - current.day, 9);
    return current.rising ? step : 8 - step;
}

PeriodDay DogDaysOf(int day, int year) {
    const int third = GengFrom(ExactSolarTermDay(year, kSummerSolstice)) + 2 * kDogDayLength;
    const int last = GengFrom(ExactSolarTermDay(year, kStartOfAutumn));
    const std::array<int, 4> bounds = {third, third + kDogDayLength, last, last + kDogDayLength};
    for (int period = 2; period >= 0; --period)
        if (day >= bounds[period] && day < bounds[period + 1])
            return {period, day - bounds[period] + 1, bounds[period + 1] - bounds[period]};
    return {};
}

PeriodDay NineNinesOf(int day, int year) {
    int start = ExactSolarTermDay(year, kWinterSolstice);
    if (day < start)
        start = ExactSolarTermDay(year - 1, kWinterSolstice);
    const int offset = day - start;
    if (offset >= kNineDays * kNineDays)
        return {};
    return {offset / kNineDays, offset % kNineDays + 1, kNineDays};
}

int ExactTermOn(int day, const YearMonthDay& ymd) {
    for (int k = 2 * (ymd.month - 1); k <= 2 * (ymd.month - 1) + 1; ++k)
        if (ExactSolarTermDay(ymd.year, k) == day)
            return k;
    return -1;
}

} // namespace

std::string_view NaYinOf(int count) {
    return kNaYin[FloorMod(count, 60) / 2];
}

int ClashCount(int count) {
    return FloorMod(count + 54, 60);
}

std::string ClashText(int dayCount) {
    const int clash = ClashCount(dayCount);
    std::string text = "冲";
    text += kAnimalNames[clash % 12];
    text += "(" + PillarText(clash) + ")煞";
    text += kShaDirections[FloorMod(dayCount, 12) % 4];
    return text;
}

int MansionIndexOf(DateTimeValue date) {
    return FloorMod(DayNumber(date) + kMansionOfDayZero, 28);
}

int DutyGodIndex(int monthBranch, int dayBranch) {
    return FloorMod(dayBranch + kDutyGodOffsetOfMonthBranch[FloorMod(monthBranch, 12)], 12);
}

int YearStarIndex(int yearCount) {
    return FloorMod(-yearCount, 9);
}

int MonthStarIndex(int yearBranch, int monthBranch) {
    const int first = 7 - 3 * FloorMod(yearBranch, 3);
    return FloorMod(first - FloorMod(monthBranch - 2, 12), 9);
}

int DayStarIndex(DateTimeValue date) {
    return DayStarOf(DayNumber(date), DecodeDate(date).year);
}

PeriodDay DogDaysOf(DateTimeValue date) {
    return DogDaysOf(DayNumber(date), DecodeDate(date).year);
}

PeriodDay NineNinesOf(DateTimeValue date) {
    return NineNinesOf(DayNumber(date), DecodeDate(date).year);
}

int ExactSolarTermIndexOn(DateTimeValue date) {
    return ExactTermOn(DayNumber(date), DecodeDate(date));
}

DayExtra DayExtraOf(DateTimeValue date, int hourCount) {
    DayExtra extra;
    const CyclicCounts counts = CyclicCountsOf(date);
    extra.yearCount = counts.YearCount;
    extra.monthCount = counts.MonthCount;
    extra.dayCount = counts.DayCount;
    extra.hourCount = hourCount;
    extra.naYin = {NaYinOf(counts.YearCount), NaYinOf(counts.MonthCount), NaYinOf(counts.DayCount),
                   hourCount < 0 ? std::string_view() : NaYinOf(hourCount)};
    const int stem = FloorMod(counts.DayCount, 10);
    const int branch = FloorMod(counts.DayCount, 12);
    const int monthBranch = FloorMod(counts.MonthCount, 12);
    extra.pengZuStem = kPengZuStemLines[stem];
    extra.pengZuBranch = kPengZuBranchLines[branch];
    extra.mansion = MansionIndexOf(date);
    extra.dutyGod = DutyGodIndex(monthBranch, branch);
    const int starYear = YearCountOfMonth(counts.MonthCount);
    extra.yearStar = YearStarIndex(starYear);
    extra.monthStar = MonthStarIndex(FloorMod(starYear, 12), monthBranch);
    const int day = DayNumber(date);
    const YearMonthDay ymd = DecodeDate(date);
    extra.dayStar = DayStarOf(day, ymd.year);
    extra.fetusGod = kFetusGods[FloorMod(counts.DayCount, 60)];
    extra.fortuneGod = kFortuneGodDirections[stem];
    extra.yangNoble = kYangNobleDirections[stem];
    extra.yinNoble = kYinNobleDirections[stem];
    extra.dogDays = DogDaysOf(day, ymd.year);
    extra.nineNines = NineNinesOf(day, ymd.year);
    extra.exactTerm = ExactTermOn(day, ymd);
    if (extra.exactTerm >= 0)
        extra.exactTermTime = ExactSolarTermTime(ymd.year, extra.exactTerm);
    extra.meanTerm = SolarTermIndexOf(static_cast<double>(day));
    return extra;
}

std::string DogDaysText(const PeriodDay& day) {
    if (day.period < 0)
        return {};
    return PeriodText(kDogDayNames[day.period], day, true);
}

std::string NineNinesText(const PeriodDay& day) {
    if (day.period < 0)
        return {};
    return PeriodText(kNineNineNames[day.period], day, false);
}

std::string TermTimeText(DateTimeValue time) {
    // Cut to the minute (half a millisecond up, against the binary fraction), so that a term at
    // 23:59:53 stays on the day it falls on.
    const DateTimeValue minute = std::floor(time * 1440.0 + 1.0 / 120000.0) / 1440.0;
    const YearMonthDay ymd = DecodeDate(minute);
    const TimeOfDay t = DecodeTime(minute);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", ymd.year, ymd.month, ymd.day, t.hour,
                  t.minute);
    return text;
}

} // namespace qj
