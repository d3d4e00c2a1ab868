#pragma once
// Where the holiday arrangements come from: the file shipped with the program (holidays.txt in
// its files folder) and the user's own files of the data folder (holidays-*.txt, e.g.
// holidays-2027.txt), read in name order, each replacing the years it arranges. A faulty file is
// left out whole and named in a message; the others still count.

#include "calendar/core/Holidays.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qj {

inline constexpr const char* kShippedHolidayFile = "holidays.txt";
inline constexpr const char* kUserHolidayFilePrefix = "holidays-";
inline constexpr const char* kUserHolidayFileSuffix = ".txt";
// Larger files are refused unread.
inline constexpr std::uintmax_t kLargestHolidayFile = 1 << 20;

struct HolidayLoad {
    HolidayCalendar calendar;
    std::vector<std::string> refused; // one message per faulty file (Chinese)
};

// `shipped`: the shipped file (none when it is missing); `dataFolder`: where the user's
// files are looked for (none when it is empty or missing).
HolidayLoad LoadHolidayFiles(const std::filesystem::path& shipped, const std::filesystem::path& dataFolder);

} // namespace qj
