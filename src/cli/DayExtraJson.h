#pragma once
// The "extra" object of a day's JSON (more about the day than the window's captions), and the
// holiday arrangements the command line reads.

#include "calendar/core/Holidays.h"
#include "cli/Json.h"
#include "common/DateTime.h"

#include <optional>
#include <string>

namespace qj::cli {

// The shipped arrangements and the user's files of the data folder the program would use (or of
// `dataFolder`); each refused file's message goes to standard error.
HolidayCalendar LoadCliHolidays(const std::optional<std::string>& dataFolder);

// Writes the object as the value of the key written before. hourCount −1: no hour chosen.
void WriteDayExtra(JsonWriter& json, DateTimeValue value, int hourCount, const HolidayCalendar& holidays);

} // namespace qj::cli
