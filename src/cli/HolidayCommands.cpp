#include "cli/HolidayCommands.h"

#include "cli/Args.h"
#include "cli/DayExtraJson.h"

namespace qj::cli {

namespace {

constexpr const char* kHolidaysUsage = "holidays YEAR [--data-folder DIR]";

// One line per day of the year's arrangement, in date order (days of the previous December that
// begin the year's 元旦 included).
void RunHolidays(const Arguments& args, Output& out) {
    const ParsedArgs parsed = ParseArguments(args, {"data-folder"}, 1, kHolidaysUsage);
    const int year = ParseInt(parsed.positional[0], "year", kFirstHolidayYear, kLastHolidayYear);
    const HolidayCalendar holidays = LoadCliHolidays(parsed.Option("data-folder"));
    const std::vector<HolidayDay>* days = holidays.year(year);
    if (days == nullptr) {
        const std::vector<int> years = holidays.years();
        throw UsageError("no holiday arrangement for " + std::to_string(year) +
                         (years.empty() ? std::string(" (no holiday file could be read)")
                                        : " (the files arrange " + std::to_string(years.front()) + "–" +
                                              std::to_string(years.back()) + ")"));
    }
    JsonWriter json;
    for (const HolidayDay& day : *days) {
        json.Clear();
        json.BeginObject()
            .Field("date", FormatDate(day.day))
            .Field("weekday", DayOfWeek(day.day))
            .Field("kind", DayOffText(day.kind))
            .Field("name", day.name)
            .EndObject();
        out.Line(json);
    }
}

} // namespace

CommandGroup HolidayCommands() {
    return {
        {"holidays", kHolidaysUsage,
         "the year's public holidays (休) and weekend days worked in their place (班), one line per day",
         RunHolidays},
    };
}

} // namespace qj::cli
