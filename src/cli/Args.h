#pragma once
// Argument helpers for qingjian-cli commands. Every helper throws UsageError with a one-line
// message naming what was wrong.

#include "cli/Command.h"
#include "common/DateTime.h"

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qj::cli {

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> options; // name without "--" → value

    std::optional<std::string> Option(std::string_view name) const;
};

// Every argument must be UTF-8 text: it is copied into the JSON output, which must parse.
void RequireUtf8Arguments(const Arguments& args);

// Splits the arguments into positional ones and options given as "--name value" or
// "--name=value". Every option must be one of `optionNames` (without "--"). An argument that
// starts with "-" and is not a number is an option. `positionalCount` is the exact number of
// positional arguments the command takes. Arguments that are not UTF-8 are refused. A name in
// `flagNames` is a switch that takes no value ("--analysis"); it reads as an empty value.
ParsedArgs ParseArguments(const Arguments& args, std::initializer_list<std::string_view> optionNames,
                          size_t positionalCount, std::string_view usage,
                          std::initializer_list<std::string_view> flagNames = {});

// A decimal integer (optional minus sign) within [min, max].
int ParseInt(std::string_view text, std::string_view what, int min, int max);
// A date written YYYY-MM-DD between the two dates given (inclusive).
DateTimeValue ParseDate(std::string_view text, YearMonthDay first, YearMonthDay last);
// A time of day written HH:MM:SS, as a fraction of a day.
DateTimeValue ParseTimeOfDay(std::string_view text);

// YYYY-MM-DD of a value's calendar day.
std::string FormatDate(DateTimeValue value);

} // namespace qj::cli
