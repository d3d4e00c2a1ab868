#include "calendar/core/HourList.h"

namespace qj {

const std::array<std::string_view, 12> kHourListItems = {
    "子时: 23点 --凌晨1 点前", "丑时: 1 点 --凌晨3 点前", "寅时: 3 点 --凌晨5 点前",
    "卯时: 5 点 --凌晨7 点前", "辰时: 7 点 --上午9 点前", "巳时: 9 点 --上午11点前",
    "午时: 11点 --上午13点前", "未时: 13点 --上午15点前", "申时: 15点 --上午17点前",
    "酉时: 17点 --上午19点前", "戌时: 19点 --晚上21点前", "亥时: 21点 --晚上23点前",
};

std::string_view HourListText(int hourIndex) {
    if (hourIndex < 0 || hourIndex > 11)
        return {};
    return kHourListItems[hourIndex];
}

std::string HourName(int hourIndex) {
    // The first two characters of the item: two 3-byte UTF-8 characters.
    return std::string(HourListText(hourIndex).substr(0, 6));
}

int HourIndexForClockHour(int hour) {
    return (hour / 2 + (hour % 2)) % 12;
}

} // namespace qj
