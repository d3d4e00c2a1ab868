#include "cli/GridCommands.h"

#include "calendar/core/MonthGrid.h"
#include "cli/Args.h"
#include "cli/Json.h"

#include <ctime>
#include <string>

namespace qj::cli {

namespace {

constexpr const char* kMonthUsage = "month YYYY-MM [--start-of-week N] [--today YYYY-MM-DD]";

struct ColourName {
    CellColour colour;
    const char* name;
};

constexpr ColourName kColourNames[] = {
    {CellColour::Plain, "plain"},   {CellColour::NewMoon, "new_moon"},  {CellColour::Term, "term"},
    {CellColour::Sunday, "sunday"}, {CellColour::Saturday, "saturday"}, {CellColour::Today, "today"},
};

const char* NameOf(CellColour colour) {
    for (const ColourName& c : kColourNames)
        if (c.colour == colour)
            return c.name;
    return "plain";
}

DateTimeValue LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void RunMonth(const Arguments& args, Output& out) {
    const ParsedArgs parsed = ParseArguments(args, {"start-of-week", "today"}, 1, kMonthUsage);
    const std::string& text = parsed.positional[0];
    if (text.size() != 7 || text[4] != '-')
        throw UsageError("month '" + text + "' is not written YYYY-MM");
    const int year = ParseInt(std::string_view(text).substr(0, 4), "year", 1, 9999);
    const int month = ParseInt(std::string_view(text).substr(5, 2), "month", 1, 12);
    int startOfWeek = 0;
    if (const auto start = parsed.Option("start-of-week"))
        startOfWeek = ParseInt(*start, "start of week", 0, 6);
    DateTimeValue today = 0;
    if (const auto given = parsed.Option("today"))
        today = ParseDate(*given, {1, 1, 1}, {9999, 12, 31});
    else
        today = LocalToday();

    JsonWriter json;
    for (int row = 1; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            const DayCellLook cell = DayCell(year, month, startOfWeek, column, row, today);
            json.Clear();
            json.BeginObject();
            json.Field("row", row);
            json.Field("col", column);
            json.Field("day", cell.day);
            json.Field("text", cell.text);
            json.Field("colour", cell.day == 0 ? "plain" : NameOf(cell.Winning(false)));
            json.Field("festival", cell.festival);
            json.EndObject();
            out.Line(json);
        }
    }
}

} // namespace

CommandGroup GridCommands() {
    return {
        {"month", kMonthUsage,
         "the month grid of a Gregorian month: one line per day cell (rows 1-6, columns 0-6) with its text "
         "and colour rule as painted",
         RunMonth},
    };
}

} // namespace qj::cli
