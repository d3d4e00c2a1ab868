#include "divination/core/Casting.h"

#include "calendar/core/DateCn.h"
#include "calendar/core/Sexagenary.h"
#include "divination/core/ChartDate.h"

#include <climits>
#include <cstdlib>
#include <string>

namespace qj {
namespace {

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

int CheckedTrigram(int number) {
    if (number < 0 || number > kTrigramCount)
        throw CastingError("trigram number " + std::to_string(number) + " is outside 0..8");
    return number;
}

// The number formed by the first character of a combo text.
int FirstCharacterNumber(std::string_view text) {
    const std::string_view first = CharacterAt(text, 0);
    if (first.size() != 1 || first[0] < '0' || first[0] > '9')
        throw CastingError(Quoted(first) + " is not a valid integer value");
    return first[0] - '0';
}

// The hour number of a clock hour: 0 h → 1, 1–2 h → 2, 3–4 h → 3, …, 23 h → 13.
int HourNumber(int clockHour) {
    return clockHour / 2 + 1 + clockHour % 2;
}

} // namespace

int ParseNumberField(std::string_view field, std::string_view text) {
    const std::string named = std::string(field) + " " + Quoted(text);
    const bool negative = !text.empty() && text[0] == '-';
    const size_t start = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (start == text.size())
        throw CastingError(named + " is not a valid integer value");
    long long value = 0;
    bool large = false;
    for (size_t i = start; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw CastingError(named + " is not a valid integer value");
        if (!large)
            value = value * 10 + (text[i] - '0');
        large = large || value > INT_MAX;
    }
    // A minus sign says what is wrong whatever the size: the numbers are counts.
    if (negative && (large || value != 0))
        throw CastingError(named + " is negative");
    if (large)
        throw CastingError(named + " is larger than 2147483647");
    return static_cast<int>(value);
}

std::vector<std::string> TrigramComboItems() {
    std::vector<std::string> items;
    for (int n = 1; n <= kTrigramCount; ++n)
        items.push_back(std::to_string(n) + " " + std::string(TrigramOf(n).name) +
                        std::string(TrigramOf(n).image));
    items.emplace_back();
    return items;
}

CastResult CastByTime(const ChartState& chart, TimeVariant variant, DateTimeValue calendarDate,
                      int hourIndex) {
    if (hourIndex < -1 || hourIndex > 11)
        throw CastingError("hour index " + std::to_string(hourIndex) + " is outside -1..11");
    const int lunarCode = LunarCodeOf(calendarDate);
    if (lunarCode == 0)
        throw CastingError("the date lies outside 1901-01-01 .. 2050-12-31");
    CastResult r{chart, std::string(kTimeMethod), true};
    r.method += variant == TimeVariant::YearStem ? kYearStemSuffix : kYearBranchSuffix;
    ChartState& c = r.chart;
    RefreshDatePanel(c, CalendarCaptionsOf(calendarDate, hourIndex));
    const CyclicCounts counts = CyclicCountsOf(calendarDate);
    const int year = variant == TimeVariant::YearStem ? counts.YearCount % 10 + 1 : counts.YearCount % 12 + 1;
    const int month = std::abs(lunarCode) / 100; // a leap month counts as its month number
    const int day = std::abs(lunarCode) % 100;
    const int s1 = year + month + day;
    const int s2 = s1 + hourIndex + 1;
    c.upper = s1 % 8;
    c.lower = s2 % 8;
    c.movingPosition = s2 % 6;
    SetChartDay(c, calendarDate);
    ArrangeChart(c);
    return r;
}

CastResult CastByNumbers(const ChartState& chart, std::string_view first, std::string_view second,
                         bool addHour, int clockHour, std::string_view currentMethod) {
    if (clockHour < 0 || clockHour > 23)
        throw CastingError("clock hour " + std::to_string(clockHour) + " is outside 0..23");
    const int upper = ParseNumberField("first number", first) % 8;
    const int lower = ParseNumberField("second number", second) % 8;
    int m = upper + lower;
    if (addHour)
        m += HourNumber(clockHour);
    CastResult r{chart, std::string(currentMethod), true};
    r.chart.upper = upper;
    r.chart.lower = lower;
    r.chart.movingPosition = m % 6;
    ArrangeChart(r.chart);
    r.method += "[";
    r.method += first;
    r.method += "/";
    r.method += second;
    r.method += "]";
    return r;
}

CastResult CastByCoins(const ChartState& chart, const std::array<std::string_view, kChartRows>& marks) {
    CastResult r{chart, std::string(kCoinMethod), true};
    std::string digits(kChartRows, '0');
    for (int row = 0; row < kChartRows; ++row) {
        LineState s{};
        if (!LineStateOfMark(marks[row], s))
            throw CastingError(Quoted(marks[row]) + " is not a line mark");
        r.chart.lines[row] = marks[row];
        digits[row] = IsYangInPrimary(s) ? '1' : '0';
    }
    r.chart.upper = TrigramOfCode(std::string_view(digits).substr(0, 3));
    r.chart.lower = TrigramOfCode(std::string_view(digits).substr(3, 3));
    ArrangeAroundLines(r.chart);
    return r;
}

CastResult CastSpecified(const ChartState& chart, std::string_view upperText, std::string_view lowerText,
                         std::string_view movingText, std::string_view currentMethod) {
    CastResult r{chart, std::string(currentMethod), false};
    ChartState& c = r.chart;
    if (!upperText.empty())
        c.upper = CheckedTrigram(FirstCharacterNumber(upperText));
    if (!lowerText.empty())
        c.lower = CheckedTrigram(FirstCharacterNumber(lowerText));
    if (movingText.empty()) {
        c.movingPosition = kNoMovingLine;
    } else {
        const int line = FirstCharacterNumber(movingText);
        if (line > 6)
            throw CastingError("moving line " + std::to_string(line) + " is outside 0..6");
        c.movingPosition = 6 - line;
    }
    if (!upperText.empty() && !lowerText.empty()) {
        ArrangeChart(c);
        r.method = kSpecifiedMethod;
        r.arranged = true;
    }
    return r;
}

} // namespace qj
