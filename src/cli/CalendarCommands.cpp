#include "cli/CalendarCommands.h"

#include "calendar/core/Almanac.h"
#include "calendar/core/CalendarNames.h"
#include "calendar/core/Captions.h"
#include "calendar/core/DateCn.h"
#include "calendar/core/Sexagenary.h"
#include "cli/Args.h"
#include "cli/DayExtraJson.h"
#include "cli/Json.h"

namespace qj::cli {

namespace {

constexpr YearMonthDay kFirstDay{1901, 1, 1};
constexpr YearMonthDay kLastDay{2050, 12, 31};
constexpr int kFirstLunarYear = 1901;
constexpr int kLastLunarYear = 2099;

constexpr const char* kDayUsage = "day YYYY-MM-DD [--time HH:MM:SS] [--hour-index I] [--data-folder DIR]";
constexpr const char* kDaysUsage = "days YYYY-MM-DD YYYY-MM-DD [--data-folder DIR]";
constexpr const char* kLunarToSolarUsage = "lunar-to-solar YEAR MONTH DAY";
constexpr const char* kLunarDaysUsage = "lunar-days YEAR_FROM YEAR_TO";

std::string_view Branch(int count) {
    return kBranchNames[((count % 12) + 12) % 12];
}

// Everything the calendar shows about one date-time value and hour choice, and more in "extra".
void WriteDay(JsonWriter& json, DateTimeValue value, int hourIndex, const HolidayCalendar& holidays) {
    const CyclicCounts counts = CyclicCountsOf(value);
    const int lunarMonth = LunarMonthOf(value);
    // The hour pillar of the pillar caption: 23:00 and later is the 子 hour of the next day's cycle.
    const int hour = HourPillarCount(value, hourIndex);
    const std::array<int, 2> voids = VoidBranches(counts.DayCount);
    const std::string dayPillar = PillarText(counts.DayCount);

    json.BeginObject();
    json.Field("date", FormatDate(value));
    json.Field("weekday", DayOfWeek(value));
    json.Field("lunar_code", LunarCodeOf(value));
    json.Field("lunar_year", LunarYearOf(value));
    json.Field("lunar_month", lunarMonth);
    json.Field("lunar_day", LunarDayOf(value));
    json.Field("lunar_text", LunarDateText(value));
    json.Field("year_count", counts.YearCount);
    json.Field("month_count", counts.MonthCount);
    json.Field("day_count", counts.DayCount);
    json.Field("pillars", PillarText(counts.YearCount) + " " + PillarText(counts.MonthCount) + " " +
                              dayPillar + " " + PillarText(hour));
    json.Field("void", std::string(kBranchNames[voids[0]]) + std::string(kBranchNames[voids[1]]));
    json.Field("solar_term", SolarTermOf(value));
    json.Field("solar_festival", SolarFestivalOf(value));
    json.Field("lunar_festival", LunarFestivalOf(value));
    const std::string_view monthBranch = Branch(counts.MonthCount);
    const std::string_view dayBranch = Branch(counts.DayCount);
    json.Field("officer_index", DayOfficerIndex(BranchIndexOf(monthBranch), BranchIndexOf(dayBranch)));
    json.Field("officer", DayOfficerText(monthBranch, dayBranch));
    json.Field("almanac", DayAlmanacText(dayPillar));
    json.Field("month_term_note_prefix", MonthTermNotePrefix(lunarMonth));
    json.Key("captions").BeginObject();
    json.Field("gregorian", GregorianCaption(value, hourIndex));
    json.Field("lunar", LunarCaption(value, hourIndex));
    json.Field("pillar", PillarCaption(value, hourIndex));
    json.EndObject();
    WriteDayExtra(json.Key("extra"), value, hourIndex < 0 ? -1 : hour, holidays);
    json.EndObject();
}

void WriteLunarDate(JsonWriter& json, int year, int signedMonth, int day, DateTimeValue solar) {
    json.BeginObject();
    json.Field("year", year);
    json.Field("month", signedMonth);
    json.Field("day", day);
    json.Field("date", FormatDate(solar));
    json.EndObject();
}

void RunDay(const Arguments& args, Output& out) {
    const ParsedArgs parsed = ParseArguments(args, {"time", "hour-index", "data-folder"}, 1, kDayUsage);
    DateTimeValue value = ParseDate(parsed.positional[0], kFirstDay, kLastDay);
    if (const auto time = parsed.Option("time"))
        value += ParseTimeOfDay(*time);
    int hourIndex = -1;
    if (const auto hour = parsed.Option("hour-index"))
        hourIndex = ParseInt(*hour, "hour index", -1, 11);
    const HolidayCalendar holidays = LoadCliHolidays(parsed.Option("data-folder"));
    JsonWriter json;
    WriteDay(json, value, hourIndex, holidays);
    out.Line(json);
}

void RunDays(const Arguments& args, Output& out) {
    const ParsedArgs parsed = ParseArguments(args, {"data-folder"}, 2, kDaysUsage);
    const DateTimeValue first = ParseDate(parsed.positional[0], kFirstDay, kLastDay);
    const DateTimeValue last = ParseDate(parsed.positional[1], kFirstDay, kLastDay);
    if (first > last)
        throw UsageError("the first date " + parsed.positional[0] + " comes after the last date " +
                         parsed.positional[1]);
    const HolidayCalendar holidays = LoadCliHolidays(parsed.Option("data-folder"));
    JsonWriter json;
    for (DateTimeValue value = first; value <= last; value += 1) {
        json.Clear();
        WriteDay(json, value, -1, holidays);
        out.Line(json);
    }
}

void RunLunarToSolar(const Arguments& args, Output& out) {
    const ParsedArgs parsed = ParseArguments(args, {}, 3, kLunarToSolarUsage);
    const int year = ParseInt(parsed.positional[0], "lunar year", kFirstLunarYear, kLastLunarYear);
    const int month = ParseInt(parsed.positional[1], "lunar month", -12, 12);
    const int day = ParseInt(parsed.positional[2], "lunar day", 1, 30);
    const LunarDate date = MakeLunarDate(year, month, day);
    if (!IsValidLunarDate(date))
        throw UsageError("lunar date " + std::to_string(year) + " " + std::to_string(month) + " " +
                         std::to_string(day) + " does not exist");
    JsonWriter json;
    WriteLunarDate(json, year, month, day, LunarToSolar(date));
    out.Line(json);
}

void RunLunarDays(const Arguments& args, Output& out) {
    const ParsedArgs parsed = ParseArguments(args, {}, 2, kLunarDaysUsage);
    const int from = ParseInt(parsed.positional[0], "lunar year", kFirstLunarYear, kLastLunarYear);
    const int to = ParseInt(parsed.positional[1], "lunar year", kFirstLunarYear, kLastLunarYear);
    if (from > to)
        throw UsageError("the first year " + parsed.positional[0] + " comes after the last year " +
                         parsed.positional[1]);
    JsonWriter json;
    const auto writeMonth = [&](int year, int signedMonth, int days) {
        // The days of one month follow each other.
        const DateTimeValue start = LunarToSolar(MakeLunarDate(year, signedMonth, 1));
        for (int day = 1; day <= days; ++day) {
            json.Clear();
            WriteLunarDate(json, year, signedMonth, day, start + (day - 1));
            out.Line(json);
        }
    };
    for (int year = from; year <= to; ++year) {
        const int leap = LeapMonthOf(year);
        for (int month = 1; month <= 12; ++month) {
            writeMonth(year, month, LunarMonthDays(year, month));
            if (month == leap)
                writeMonth(year, -month, LeapMonthDays(year));
        }
    }
}

} // namespace

CommandGroup CalendarCommands() {
    return {
        {"day", kDayUsage, "everything the calendar shows about one day (and hour)", RunDay},
        {"days", kDaysUsage, "one line per day of an inclusive date range, whole days, no hour chosen",
         RunDays},
        {"lunar-to-solar", kLunarToSolarUsage,
         "the Gregorian date of a lunar date (negative month = leap month)", RunLunarToSolar},
        {"lunar-days", kLunarDaysUsage, "every lunar date of the lunar years given, in lunar order",
         RunLunarDays},
    };
}

} // namespace qj::cli
