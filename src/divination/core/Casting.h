#pragma once
// The four ways of casting a chart. Each takes the chart as it stands and the casting's inputs,
// and returns the new chart and the text the method combo shows afterwards. Invalid inputs are
// refused with CastingError and change nothing.

#include "common/DateTime.h"
#include "divination/core/Chart.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qj {

inline constexpr std::string_view kTimeMethod = "时间起卦";
inline constexpr std::string_view kYearStemSuffix = "[年干]";
inline constexpr std::string_view kYearBranchSuffix = "[年支]";
inline constexpr std::string_view kCoinMethod = "手摇起卦";
inline constexpr std::string_view kNumberMethod = "数字起卦";
inline constexpr std::string_view kSpecifiedMethod = "指定起卦";

class CastingError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

struct CastResult {
    ChartState chart;
    std::string method;
    bool arranged = true; // false when a specified casting only stored a trigram
};

enum class TimeVariant { YearStem, YearBranch };

// Time casting from the calendar window's date-time and hour list index (−1 = no hour, else
// 0..11). Takes the chart day and the date texts from that date.
CastResult CastByTime(const ChartState& chart, TimeVariant variant, DateTimeValue calendarDate,
                      int hourIndex);

// Number casting from the two fields as typed (see ParseNumberField). With `addHour` (the box
// "动爻加时间") the hour number of `clockHour` (0..23) is added to the moving-line sum. The method
// text becomes `currentMethod` + "[" + first + "/" + second + "]".
CastResult CastByNumbers(const ChartState& chart, std::string_view first, std::string_view second,
                         bool addHour, int clockHour, std::string_view currentMethod = kNumberMethod);

// Coin casting from six line marks, row 0 (sixth toss, line 6) first.
CastResult CastByCoins(const ChartState& chart, const std::array<std::string_view, kChartRows>& marks);

// Specified casting from the texts of the upper, lower and moving combos ("1 乾天", "6爻", or
// empty). The first character of a text is its number. The chart is arranged, and the method
// becomes "指定起卦", only when both trigram texts are present; otherwise the trigram given is
// stored and the method stays `currentMethod`.
CastResult CastSpecified(const ChartState& chart, std::string_view upperText, std::string_view lowerText,
                         std::string_view movingText, std::string_view currentMethod);

// Items of the upper and lower trigram combos of the specified casting: "1 乾天" … "8 坤地", then an empty item.
std::vector<std::string> TrigramComboItems();
// Items of the moving-line combo: "6爻" … "1爻", then an empty item.
inline constexpr std::array<std::string_view, 7> kMovingComboItems{"6爻", "5爻", "4爻", "3爻",
                                                                   "2爻", "1爻", ""};

// A number field's text (`field` names it: "first number"): decimal digits with an optional "+",
// 0 … 2147483647. Throws CastingError "first number 'x' is not a valid integer value", "… is
// negative" or "… is larger than 2147483647".
int ParseNumberField(std::string_view field, std::string_view text);

} // namespace qj
