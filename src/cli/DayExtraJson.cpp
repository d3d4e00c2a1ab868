#include "cli/DayExtraJson.h"

#include "calendar/core/CalendarNames.h"
#include "calendar/core/DayExtra.h"
#include "calendar/core/HolidayFiles.h"
#include "cli/ExecutableFolder.h"
#include "seams/DataFolder.h"

#include <cstdio>

namespace qj::cli {

HolidayCalendar LoadCliHolidays(const std::optional<std::string>& dataFolder) {
    const DataFolderChoice choice = ChooseDataFolder(
        DataFolderPlace::ofEnvironment(ExecutableFolder(), QString::fromStdString(dataFolder.value_or(""))));
    const ProgramFolder folder = choice.folder();
    HolidayLoad load =
        LoadHolidayFiles(folder.findFile(kShippedHolidayFile).toStdString(), choice.dataFolder.toStdString());
    for (const std::string& message : load.refused)
        std::fprintf(stderr, "qingjian-cli: %s\n", message.c_str());
    return std::move(load.calendar);
}

void WriteDayExtra(JsonWriter& json, DateTimeValue value, int hourCount, const HolidayCalendar& holidays) {
    const DayExtra e = DayExtraOf(value, hourCount);
    json.BeginObject();
    json.Key("na_yin").BeginObject();
    json.Field("year", e.naYin[0]).Field("month", e.naYin[1]).Field("day", e.naYin[2]);
    if (hourCount >= 0)
        json.Field("hour", e.naYin[3]);
    json.EndObject();
    json.Field("clash", ClashText(e.dayCount));
    json.Key("peng_zu").BeginArray().String(e.pengZuStem).String(e.pengZuBranch).EndArray();
    json.Field("mansion", kMansions[e.mansion].name)
        .Field("mansion_luck", kMansions[e.mansion].lucky ? "吉" : "凶");
    json.Field("duty_god", kDutyGods[e.dutyGod].name);
    json.Field("duty_god_path", kDutyGods[e.dutyGod].lucky ? "黄道" : "黑道");
    json.Key("nine_stars").BeginObject();
    json.Field("year", kNineStars[e.yearStar]).Field("month", kNineStars[e.monthStar]);
    json.Field("day", kNineStars[e.dayStar]).EndObject();
    json.Field("fetus_god", e.fetusGod);
    json.Field("fortune_god", e.fortuneGod).Field("yang_noble", e.yangNoble).Field("yin_noble", e.yinNoble);
    json.Field("dog_days", DogDaysText(e.dogDays)).Field("nine_nines", NineNinesText(e.nineNines));
    json.Key("exact_solar_term");
    if (e.exactTerm < 0) {
        json.Null();
    } else {
        json.BeginObject().Field("name", kSolarTermNames[e.exactTerm]);
        json.Field("time", TermTimeText(e.exactTermTime)).EndObject();
    }
    json.Key("holiday");
    if (const HolidayDay* day = holidays.find(DayNumber(value))) {
        json.BeginObject().Field("kind", DayOffText(day->kind)).Field("name", day->name).EndObject();
    } else {
        json.Null();
    }
    json.EndObject();
}

} // namespace qj::cli
