#include "calendar/core/Sexagenary.h"

#include "calendar/core/CalendarNames.h"

#include <cmath>
#include <cstdint>

namespace qj {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Minutes from the start of the cycle to each term, 小寒 first.
constexpr int kTermMinutes[24] = {
    0,      21208,  42467,  63836,  85337,  107014, 128867, 150921, 173149, 195551, 218072, 240693,
    263343, 285989, 308563, 331033, 353350, 375494, 397447, 419210, 440795, 462224, 483532, 504758,
};
// 1900-01-06 02:05:00.000, the start of the cycle, in milliseconds since 1899-12-30.
constexpr std::int64_t kCycleStartMs = 7 * kMsPerDay + (2 * 60 + 5) * 60000;
// 1900-01-01 is day 2 and 甲戌 (count 10).
constexpr int kDayCountBase = 10 - 2;

// The term instant in whole milliseconds since 1899-12-30 (ties round to even).
std::int64_t SolarTermMs(int year, int termIndex) {
    const double ms = (year - 1900) * 31556925974.7 + kTermMinutes[termIndex] * 60000.0;
    return kCycleStartMs + static_cast<std::int64_t>(std::nearbyint(ms));
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

std::string SexagenaryText(int count) {
    std::string text(kStemNames[FloorMod(count, 10)]);
    text += kBranchNames[FloorMod(count, 12)];
    text += "(";
    text += kAnimalNames[FloorMod(count, 12)];
    text += ")";
    return text;
}

std::string PillarText(int count) {
    std::string text(kStemNames[FloorMod(count, 10)]);
    text += kBranchNames[FloorMod(count, 12)];
    return text;
}

DateTimeValue SolarTermTime(int year, int termIndex) {
    return static_cast<double>(SolarTermMs(year, termIndex)) / kMsPerDay;
}

int SolarTermIndexOf(DateTimeValue date) {
    const YearMonthDay ymd = DecodeDate(date);
    for (int k = 2 * (ymd.month - 1); k <= 2 * (ymd.month - 1) + 1; ++k) {
        const auto termDay = static_cast<double>(FloorDiv(SolarTermMs(ymd.year, k), kMsPerDay));
        if (date == termDay)
            return k;
    }
    return -1;
}

std::string SolarTermOf(DateTimeValue date) {
    const int k = SolarTermIndexOf(date);
    return k < 0 ? std::string() : std::string(kSolarTermNames[k]);
}

CyclicCounts CyclicCountsOf(DateTimeValue dateTime) {
    CyclicCounts counts;
    const YearMonthDay ymd = DecodeDate(dateTime);
    if (ymd.year < 1900)
        return counts;
    const std::int64_t termMs = SolarTermMs(ymd.year, 2 * (ymd.month - 1));
    // Compare instants in whole milliseconds, as the clock and the term table count them.
    const auto xMs = static_cast<std::int64_t>(std::llround(dateTime * static_cast<double>(kMsPerDay)));
    const std::int64_t dayStartMs = static_cast<std::int64_t>(DayNumber(dateTime)) * kMsPerDay;
    const std::int64_t termDayStartMs = FloorDiv(termMs, kMsPerDay) * kMsPerDay;

    counts.YearCount = ymd.year - 1864;
    if (ymd.month == 1 || (ymd.month == 2 && xMs < termMs))
        counts.YearCount = ymd.year - 1865;
    counts.MonthCount = 12 * ymd.year + ymd.month - 22789;
    if (dayStartMs >= termDayStartMs)
        counts.MonthCount = 12 * ymd.year + ymd.month - 22788;
    counts.DayCount = DayCountOfDay(DayNumber(dateTime));
    return counts;
}

int HourCount(int dayCount, int hourBranch) {
    return FloorMod(dayCount, 60) * 12 + hourBranch;
}

std::array<int, 2> VoidBranches(int dayCount) {
    const int k = dayCount / 10;
    const int v = FloorMod(k, 12) * 10 + 10;
    return {v % 12, (v + 1) % 12};
}

int DayCountOfDay(int dayNumber) {
    return dayNumber + kDayCountBase;
}

int FloorMod(int n, int m) {
    return ((n % m) + m) % m;
}

} // namespace qj
