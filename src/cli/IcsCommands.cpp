#include "cli/IcsCommands.h"

#include "calendar/core/IcsExport.h"
#include "calendar/core/ReminderFile.h"
#include "cli/Args.h"
#include "cli/DayExtraJson.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qj::cli {

namespace {

constexpr const char* kUsage =
    "calendar ics --from YEAR --to YEAR [--holidays] [--reminders DATAFOLDER] [--data-folder DIR]";

std::string UtcStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[20];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

std::vector<Reminder> ReadReminders(const std::string& folder) {
    const std::filesystem::path path = std::filesystem::path(folder) / kReminderFileName;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw UsageError("cannot read " + path.string());
    std::stringstream text;
    text << in.rdbuf();
    ReminderFile file = ParseReminderFile(text.str());
    if (!file.error.empty())
        throw UsageError(path.string() + ": " + file.error);
    return std::move(file.reminders);
}

// The holiday days and the 纪念日 of the years given as one iCalendar file on standard output.
void RunIcs(const Arguments& args, Output& out) {
    if (args.empty() || args[0] != "ics")
        throw UsageError(std::string("usage: ") + kUsage);
    const ParsedArgs a = ParseArguments(Arguments(args.begin() + 1, args.end()),
                                        {"from", "to", "reminders", "data-folder"}, 0, kUsage, {"holidays"});
    const auto from = a.Option("from"), to = a.Option("to");
    if (!from || !to)
        throw UsageError(std::string("usage: ") + kUsage);
    const int first = ParseInt(*from, "year", 1901, 2050), last = ParseInt(*to, "year", 1901, 2050);
    if (first > last)
        throw UsageError("the first year " + *from + " comes after the last year " + *to);
    const bool holidays = a.Option("holidays").has_value();
    const auto remindersFolder = a.Option("reminders");
    if (!holidays && !remindersFolder)
        throw UsageError("nothing to export: give --holidays, --reminders DATAFOLDER or both");
    std::vector<IcsEvent> events;
    if (holidays) {
        const HolidayCalendar calendar = LoadCliHolidays(a.Option("data-folder"));
        events = HolidayEvents(calendar, first, last);
    }
    if (remindersFolder) {
        const std::vector<Reminder> reminders = ReadReminders(*remindersFolder);
        const std::vector<IcsEvent> more = ReminderEvents(reminders, first, last);
        events.insert(events.end(), more.begin(), more.end());
    }
    out.Raw(IcsText(events, UtcStamp()));
}

} // namespace

CommandGroup IcsCommands() {
    return {
        {"calendar", kUsage,
         "an iCalendar file (RFC 5545) of the holidays and the 纪念日 of the years given, one all-day event "
         "a "
         "day, with UIDs that stay the same from export to export",
         RunIcs},
    };
}

} // namespace qj::cli
