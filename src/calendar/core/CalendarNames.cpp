#include "calendar/core/CalendarNames.h"

namespace qj {

const std::array<std::string_view, 13> kLunarMonthNames = {
    "", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "冬", "蜡",
};

const std::array<std::string_view, 31> kLunarDayNames = {
    "",     "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十", "廿一",
    "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十",
};

const std::array<std::string_view, 10> kStemNames = {"甲", "乙", "丙", "丁", "戊",
                                                     "己", "庚", "辛", "壬", "癸"};

const std::array<std::string_view, 12> kBranchNames = {"子", "丑", "寅", "卯", "辰", "巳",
                                                       "午", "未", "申", "酉", "戌", "亥"};

const std::array<std::string_view, 12> kAnimalNames = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                                       "马", "羊", "猴", "鸡", "狗", "猪"};

const std::array<std::string_view, 24> kSolarTermNames = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至",
};

int BranchIndexOf(std::string_view branch) {
    for (int i = 0; i < 12; ++i)
        if (kBranchNames[i] == branch)
            return i;
    return -1;
}

int StemIndexOf(std::string_view stem) {
    for (int i = 0; i < 10; ++i)
        if (kStemNames[i] == stem)
            return i;
    return -1;
}

} // namespace qj
