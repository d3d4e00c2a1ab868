#pragma once
// The file of 纪念日 in the data folder (reminders.txt): UTF-8, one reminder a line, fields
// separated by tabs:
//   id  历法  月  日  闰月规则  小月三十  二月廿九  提前天数  名称  备注
// 历法 农历 or 公历; 月 1–12, 闰4 for a leap month; 闰月规则 闰月 (the leap month in years that
// have it) or 本月 (always the ordinary month); 小月三十 廿九 or 次日; 二月廿九 2月28日 or 3月1日;
// 提前天数 0–30. A tab, a line break or a backslash inside 名称 and 备注 is written \t, \n, \\.
// Lines starting with # are comments. A file with a fault is refused whole.

#include "calendar/core/Reminders.h"

#include <string>
#include <string_view>
#include <vector>

namespace qj {

inline constexpr const char* kReminderFileName = "reminders.txt";

struct ReminderFile {
    std::vector<Reminder> reminders;
    std::string error; // empty: sound; else why it was refused (Chinese, naming the line)
};

ReminderFile ParseReminderFile(std::string_view text);
std::string FormatReminderFile(const std::vector<Reminder>& reminders);

} // namespace qj
