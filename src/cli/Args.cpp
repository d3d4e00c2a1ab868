#include "cli/Args.h"

#include "common/Gbk.h"

#include <algorithm>
#include <cstdio>

namespace qj::cli {

namespace {

bool IsDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool LooksLikeNumber(std::string_view s) {
    return s.size() > 1 && s[0] == '-' && IsDigits(s.substr(1));
}

int Digits(std::string_view s) {
    int n = 0;
    for (char c : s)
        n = n * 10 + (c - '0');
    return n;
}

std::string Quoted(std::string_view s) {
    return "'" + std::string(s) + "'";
}

} // namespace

std::optional<std::string> ParsedArgs::Option(std::string_view name) const {
    const auto it = options.find(name);
    if (it == options.end())
        return std::nullopt;
    return it->second;
}

void RequireUtf8Arguments(const Arguments& args) {
    for (size_t i = 0; i < args.size(); ++i)
        if (!IsValidUtf8(args[i]))
            throw UsageError("argument " + std::to_string(i + 1) + " is not UTF-8 text");
}

ParsedArgs ParseArguments(const Arguments& args, std::initializer_list<std::string_view> optionNames,
                          size_t positionalCount, std::string_view usage,
                          std::initializer_list<std::string_view> flagNames) {
    RequireUtf8Arguments(args);
    ParsedArgs parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.empty() || arg[0] != '-' || LooksLikeNumber(arg)) {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg.rfind("--", 0) != 0)
            throw UsageError("unknown option " + Quoted(arg) + "; usage: " + std::string(usage));
        std::string name = arg.substr(2);
        std::optional<std::string> value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const bool flag = std::find(flagNames.begin(), flagNames.end(), name) != flagNames.end();
        if (!flag && std::find(optionNames.begin(), optionNames.end(), name) == optionNames.end())
            throw UsageError("unknown option " + Quoted("--" + name) + "; usage: " + std::string(usage));
        if (flag && value)
            throw UsageError("option --" + name + " takes no value");
        if (flag)
            value = "";
        if (!value) {
            if (i + 1 >= args.size())
                throw UsageError("option --" + name + " needs a value; usage: " + std::string(usage));
            value = args[++i];
        }
        if (parsed.options.count(name))
            throw UsageError("option --" + name + " given twice");
        parsed.options.emplace(name, *value);
    }
    if (parsed.positional.size() != positionalCount)
        throw UsageError("expected " + std::to_string(positionalCount) + " argument" +
                         (positionalCount == 1 ? "" : "s") + ", got " +
                         std::to_string(parsed.positional.size()) + "; usage: " + std::string(usage));
    return parsed;
}

int ParseInt(std::string_view text, std::string_view what, int min, int max) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (!IsDigits(digits) || digits.size() > 9)
        throw UsageError(std::string(what) + " " + Quoted(text) + " is not a whole number");
    const int value = negative ? -Digits(digits) : Digits(digits);
    if (value < min || value > max)
        throw UsageError(std::string(what) + " " + Quoted(text) + " is out of range " + std::to_string(min) +
                         ".." + std::to_string(max));
    return value;
}

DateTimeValue ParseDate(std::string_view text, YearMonthDay first, YearMonthDay last) {
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                        IsDigits(text.substr(0, 4)) && IsDigits(text.substr(5, 2)) &&
                        IsDigits(text.substr(8, 2));
    if (!shaped)
        throw UsageError("date " + Quoted(text) + " is not written YYYY-MM-DD");
    const int y = Digits(text.substr(0, 4));
    const int m = Digits(text.substr(5, 2));
    const int d = Digits(text.substr(8, 2));
    if (!IsValidDate(y, m, d))
        throw UsageError("date " + Quoted(text) + " does not exist");
    const DateTimeValue value = EncodeDate(y, m, d);
    if (value < EncodeDate(first.year, first.month, first.day) ||
        value > EncodeDate(last.year, last.month, last.day))
        throw UsageError("date " + Quoted(text) + " is outside " +
                         FormatDate(EncodeDate(first.year, first.month, first.day)) + ".." +
                         FormatDate(EncodeDate(last.year, last.month, last.day)));
    return value;
}

DateTimeValue ParseTimeOfDay(std::string_view text) {
    const bool shaped = text.size() == 8 && text[2] == ':' && text[5] == ':' && IsDigits(text.substr(0, 2)) &&
                        IsDigits(text.substr(3, 2)) && IsDigits(text.substr(6, 2));
    if (!shaped)
        throw UsageError("time " + Quoted(text) + " is not written HH:MM:SS");
    const int h = Digits(text.substr(0, 2));
    const int m = Digits(text.substr(3, 2));
    const int s = Digits(text.substr(6, 2));
    if (h > 23 || m > 59 || s > 59)
        throw UsageError("time " + Quoted(text) + " does not exist");
    return EncodeTime(h, m, s);
}

std::string FormatDate(DateTimeValue value) {
    const YearMonthDay ymd = DecodeDate(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", ymd.year, ymd.month, ymd.day);
    return buf;
}

} // namespace qj::cli
