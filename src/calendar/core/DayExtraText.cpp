#include "calendar/core/DayExtraText.h"

#include "calendar/core/CalendarNames.h"
#include "calendar/core/DayExtra.h"
#include "calendar/core/ExactSolarTerms.h"
#include "calendar/core/Sexagenary.h"

namespace qj {

namespace {

constexpr std::string_view kGap = "　"; // an ideographic space between the parts of a line

std::string MonthDay(DateTimeValue date) {
    const YearMonthDay ymd = DecodeDate(date);
    return std::to_string(ymd.month) + "月" + std::to_string(ymd.day) + "日";
}

// "HH:MM" of a term time (the minute cut as TermTimeText cuts it).
std::string ClockOf(DateTimeValue time) {
    return TermTimeText(time).substr(11);
}

std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        if (part.empty())
            continue;
        if (!text.empty())
            text += kGap;
        text += part;
    }
    return text;
}

std::string Lucky(std::string_view name, std::string_view word) {
    return std::string(name) + "（" + std::string(word) + "）";
}

} // namespace

std::string TermLine(DateTimeValue date) {
    const DayExtra e = DayExtraOf(static_cast<double>(DayNumber(date)));
    const int year = DecodeDate(date).year;
    std::string line;
    if (e.exactTerm >= 0) {
        line = std::string(kSolarTermNames[e.exactTerm]) + " " + ClockOf(e.exactTermTime);
        if (e.meanTerm != e.exactTerm)
            line += "（历表记在 " + MonthDay(SolarTermTime(year, e.exactTerm)) + "）";
    }
    if (e.meanTerm >= 0 && e.meanTerm != e.exactTerm) {
        const DateTimeValue sun = ExactSolarTermTime(year, e.meanTerm);
        if (!line.empty())
            line += "；";
        line +=
            std::string(kSolarTermNames[e.meanTerm]) + "（历表）；交节 " + MonthDay(sun) + " " + ClockOf(sun);
    }
    return line;
}

std::vector<ExtraLine> DayExtraLines(DateTimeValue date, int hourCount, const HolidayDay* holiday) {
    const DayExtra e = DayExtraOf(date, hourCount);
    std::vector<ExtraLine> lines;
    std::string holidayText;
    if (holiday != nullptr)
        holidayText = std::string(DayOffText(holiday->kind)) + " " + holiday->name +
                      (holiday->kind == DayOff::Work ? "（调休上班）" : "（放假）");
    lines.push_back({"假日", holidayText, "国务院公布的法定节假日安排：休为放假，班为调休上班的周末"});
    lines.push_back(
        {"节气", TermLine(date), "太阳到达该节气的北京时间；历表按平气定节气日，两者不同时都列出"});
    lines.push_back(
        {"纳音",
         Joined({"年" + std::string(e.naYin[0]), "月" + std::string(e.naYin[1]),
                 "日" + std::string(e.naYin[2]), e.naYin[3].empty() ? "" : "时" + std::string(e.naYin[3])}),
         "年、月、日、时柱的六十甲子纳音五行"});
    lines.push_back({"冲煞", ClashText(e.dayCount), "日支所冲的生肖与干支，及当日煞神所在方位"});
    lines.push_back({"彭祖", Joined({e.pengZuStem, e.pengZuBranch}), "彭祖百忌：日干与日支各一句禁忌"});
    lines.push_back(
        {"星宿",
         Lucky(std::string(kMansions[e.mansion].name) + "宿", kMansions[e.mansion].lucky ? "吉" : "凶"),
         "二十八宿值日，及其吉凶"});
    lines.push_back({"值神", Lucky(kDutyGods[e.dutyGod].name, kDutyGods[e.dutyGod].lucky ? "黄道" : "黑道"),
                     "十二值神：青龙、明堂、金匮、天德、玉堂、司命为黄道吉日，余为黑道"});
    lines.push_back(
        {"九星",
         Joined({"年" + std::string(kNineStars[e.yearStar]), "月" + std::string(kNineStars[e.monthStar]),
                 "日" + std::string(kNineStars[e.dayStar])}),
         "紫白九星：年、月随节气（立春换年），日星冬至后顺行、夏至后逆行"});
    lines.push_back({"胎神", std::string(e.fetusGod), "胎神每日所占的位置与方位"});
    lines.push_back({"吉神",
                     Joined({"福神" + std::string(e.fortuneGod), "阳贵" + std::string(e.yangNoble),
                             "阴贵" + std::string(e.yinNoble)}),
                     "福神、阳贵人、阴贵人按日干所在的方位"});
    lines.push_back({"伏九", Joined({DogDaysText(e.dogDays), NineNinesText(e.nineNines)}),
                     "三伏：夏至后第三个庚日起初伏，立秋后第一个庚日起末伏；数九：冬至起每九天一九"});
    return lines;
}

} // namespace qj
