#pragma once
// China's public holidays and the weekend days worked in their place (调休), as the State
// Council's yearly notices arrange them, read from text files (resources/holidays.txt describes
// the format). A file is taken whole or not at all: the first fault refuses it with a message
// that names its line.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qj {

enum class DayOff { Rest, Work }; // 休, 班

struct HolidayDay {
    int day = 0; // day number (days since 1899-12-30)
    DayOff kind = DayOff::Rest;
    std::string name; // 春节, 国庆节、中秋节 …
    friend bool operator==(const HolidayDay&, const HolidayDay&) = default;
};

// One file's arrangements: the days of each year, in date order.
using HolidayYears = std::map<int, std::vector<HolidayDay>>;

struct HolidayFile {
    HolidayYears years;
    std::string error; // empty: the file is sound; else why it was refused (Chinese)
};

// The years a file may arrange, and the longest run of days one line may give.
inline constexpr int kFirstHolidayYear = 1901;
inline constexpr int kLastHolidayYear = 2050;
inline constexpr int kLongestHolidayRun = 31;

HolidayFile ParseHolidayFile(std::string_view text);

// 休 or 班.
std::string_view DayOffText(DayOff kind);

// The arrangements in force: each added file's years replace the same years added before.
class HolidayCalendar {
public:
    void add(const HolidayYears& years);
    // The day's arrangement, or nullptr.
    const HolidayDay* find(int dayNumber) const;
    // The days of a year's arrangement (those of the previous December included), or none.
    const std::vector<HolidayDay>* year(int year) const;
    // The years arranged, in order.
    std::vector<int> years() const;
    bool empty() const { return years_.empty(); }

private:
    HolidayYears years_;
    std::map<int, std::pair<int, std::size_t>> byDay_; // day → year and place in it
    void index();
};

} // namespace qj
