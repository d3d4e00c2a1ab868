#include "calendar/core/Captions.h"

#include "calendar/core/Almanac.h"
#include "calendar/core/CalendarNames.h"
#include "calendar/core/DateCn.h"
#include "calendar/core/HourList.h"
#include "calendar/core/Sexagenary.h"

namespace qj {

namespace {
constexpr const char* kHintBreak = "\r\r\n";

std::string_view BranchOf(int count) {
    return kBranchNames[((count % 12) + 12) % 12];
}
} // namespace

std::string GregorianCaption(DateTimeValue value, int /*hourIndex*/) {
    const YearMonthDay ymd = DecodeDate(value);
    return "公历: " + std::to_string(ymd.year) + "年 " + std::to_string(ymd.month) + "月 " +
           std::to_string(ymd.day) + "日";
}

std::string LunarCaption(DateTimeValue value, int hourIndex) {
    // The sexagenary year is that of the Gregorian year, also before the lunar new year.
    const YearMonthDay ymd = DecodeDate(value);
    return "农历: " + SexagenaryText(ymd.year - 1864) + " " + LunarDateText(value) + SolarTermOf(value) +
           "日" + HourName(hourIndex);
}

int HourPillarCount(DateTimeValue value, int hourIndex) {
    // With no hour chosen the 子 hour stands in. The 子 hour that starts at 23:00 (a value whose
    // time of day is 23:00 or later) already belongs to the next day's hours: 壬子 on a 丁巳 day,
    // not the 庚子 that began the day.
    const int dayCount = CyclicCountsOf(value).DayCount;
    const int hourBranch = HourListText(hourIndex).empty() ? 0 : hourIndex;
    const bool lateZi = hourBranch == 0 && DecodeTime(value).hour >= 23;
    return HourCount(dayCount + (lateZi ? 1 : 0), hourBranch);
}

std::string PillarCaption(DateTimeValue value, int hourIndex) {
    const CyclicCounts counts = CyclicCountsOf(value);
    const std::array<int, 2> voids = VoidBranches(counts.DayCount);
    std::string text = PillarText(counts.YearCount) + " " + PillarText(counts.MonthCount) + " " +
                       PillarText(counts.DayCount) + " " + PillarText(HourPillarCount(value, hourIndex));
    text += " (";
    text += kBranchNames[voids[0]];
    text += kBranchNames[voids[1]];
    text += " 空)";
    return text;
}

std::string DayMessage(DateTimeValue value) {
    const CyclicCounts counts = CyclicCountsOf(value);
    // The lunar caption without an hour name: the message is about the day.
    std::string text = GregorianCaption(value, -1) + "   " + LunarCaption(value, -1);
    text += kHintBreak;
    text += DayAlmanacText(PillarText(counts.DayCount));
    text += kHintBreak;
    text += DayOfficerText(BranchOf(counts.MonthCount), BranchOf(counts.DayCount));
    if (const std::string s = SolarFestivalOf(value); !s.empty())
        text += kHintBreak + std::string("[公历]") + s;
    if (const std::string s = LunarFestivalOf(value); !s.empty())
        text += kHintBreak + std::string("[农历]") + s;
    return text;
}

} // namespace qj
