#include "calendar/core/Holidays.h"

#include "common/DateTime.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <set>
#include <sstream>

namespace qj {

namespace {

constexpr std::string_view kRestText = "休";
constexpr std::string_view kWorkText = "班";
constexpr std::string_view kYearWord = "year";
constexpr std::string_view kRangeMark = "..";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct Fault {
    std::string text;
};

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The next blank-separated word of `s`, taken off its front.
std::string_view NextWord(std::string_view& s) {
    s = Trim(s);
    std::size_t end = 0;
    while (end < s.size() && s[end] != ' ' && s[end] != '\t')
        ++end;
    const std::string_view word = s.substr(0, end);
    s.remove_prefix(end);
    s = Trim(s);
    return word;
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int length = c < 0x80           ? 1
                           : (c >> 5) == 0x6  ? 2
                           : (c >> 4) == 0xE  ? 3
                           : (c >> 3) == 0x1E ? 4
                                              : 0;
        if (length == 0 || i + length > s.size())
            return false;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2)
                return false;
        i += length;
    }
    return true;
}

std::optional<int> Number(std::string_view s) {
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || s.empty())
        return std::nullopt;
    return value;
}

// YYYY-MM-DD as a day number.
std::optional<int> ParseDay(std::string_view s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-')
        return std::nullopt;
    const auto y = Number(s.substr(0, 4)), m = Number(s.substr(5, 2)), d = Number(s.substr(8, 2));
    if (!y || !m || !d || !IsValidDate(*y, *m, *d))
        return std::nullopt;
    return DayNumber(EncodeDate(*y, *m, *d));
}

Fault At(int line, const std::string& what) {
    return {"第" + std::to_string(line) + "行：" + what};
}

std::string Quoted(std::string_view s) {
    return "“" + std::string(s) + "”";
}

class Reader {
public:
    HolidayYears read(std::string_view text) {
        if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            text.remove_prefix(kByteOrderMark.size());
        if (!IsValidUtf8(text))
            throw Fault{"文件不是 UTF-8 文本"};
        std::istringstream lines{std::string(text)};
        std::string line;
        for (int number = 1; std::getline(lines, line); ++number)
            readLine(number, Trim(line));
        if (years_.empty())
            throw Fault{"文件里没有任何年份的安排"};
        checkYearHasDays(lineOfYear_);
        return years_;
    }

private:
    HolidayYears years_;
    std::set<int> seenDays_;
    int year_ = 0;
    int lineOfYear_ = 0;

    void readLine(int number, std::string_view line) {
        if (line.empty() || line.front() == '#')
            return;
        std::string_view rest = line;
        const std::string_view first = NextWord(rest);
        if (first == kYearWord)
            return readYear(number, rest);
        if (year_ == 0)
            throw At(number, "日期之前缺少“year 年份”一行");
        const std::string_view kind = NextWord(rest);
        const std::string_view name = rest;
        const std::size_t mark = first.find(kRangeMark);
        const std::string_view firstText = first.substr(0, mark);
        const std::string_view lastText = mark == std::string_view::npos ? first : first.substr(mark + 2);
        const auto from = ParseDay(firstText);
        const auto to = ParseDay(lastText);
        if (!from)
            throw At(number, "日期" + Quoted(firstText) + "不对（应写作 YYYY-MM-DD，且确有这一天）");
        if (!to)
            throw At(number, "日期" + Quoted(lastText) + "不对（应写作 YYYY-MM-DD，且确有这一天）");
        if (*to < *from || *to - *from >= kLongestHolidayRun)
            throw At(number, "日期段" + Quoted(first) + "应从前往后，且不超过 " +
                                 std::to_string(kLongestHolidayRun) + " 天");
        if (kind != kRestText && kind != kWorkText)
            throw At(number, "日期后应为“休”或“班”，而不是" + Quoted(kind));
        if (name.empty())
            throw At(number, "缺少节日名称");
        const int firstAllowed = DayNumber(EncodeDate(year_ - 1, 12, 1));
        const int lastAllowed = DayNumber(EncodeDate(year_, 12, 31));
        if (*from < firstAllowed || *to > lastAllowed)
            throw At(number, "日期" + Quoted(first) + "不属于 " + std::to_string(year_) + " 年的安排");
        for (int day = *from; day <= *to; ++day) {
            if (!seenDays_.insert(day).second)
                throw At(number, "日期" + Quoted(first) + "中有一天前面已经安排过");
            years_[year_].push_back(
                {day, kind == kRestText ? DayOff::Rest : DayOff::Work, std::string(name)});
        }
    }

    void readYear(int number, std::string_view rest) {
        const auto year = Number(rest);
        if (!year)
            throw At(number, "年份" + Quoted(rest) + "不是一个数");
        if (*year < kFirstHolidayYear || *year > kLastHolidayYear)
            throw At(number, "年份 " + std::to_string(*year) + " 不在 " + std::to_string(kFirstHolidayYear) +
                                 "–" + std::to_string(kLastHolidayYear) + " 之内");
        if (years_.count(*year) != 0)
            throw At(number, "年份 " + std::to_string(*year) + " 前面已经出现过");
        checkYearHasDays(lineOfYear_);
        year_ = *year;
        lineOfYear_ = number;
        years_[year_];
    }

    void checkYearHasDays(int number) const {
        if (year_ != 0 && years_.at(year_).empty())
            throw At(number, "年份 " + std::to_string(year_) + " 没有任何日期");
    }
};

} // namespace

HolidayFile ParseHolidayFile(std::string_view text) {
    HolidayFile file;
    try {
        file.years = Reader().read(text);
        for (auto& [year, days] : file.years)
            std::sort(days.begin(), days.end(),
                      [](const HolidayDay& a, const HolidayDay& b) { return a.day < b.day; });
    } catch (const Fault& fault) {
        file.years.clear();
        file.error = fault.text;
    }
    return file;
}

std::string_view DayOffText(DayOff kind) {
    return kind == DayOff::Rest ? kRestText : kWorkText;
}

void HolidayCalendar::add(const HolidayYears& years) {
    for (const auto& [year, days] : years)
        years_[year] = days;
    index();
}

void HolidayCalendar::index() {
    byDay_.clear();
    // A later year's December days (元旦 beginning the year before) win over the earlier year's.
    for (const auto& [year, days] : years_)
        for (std::size_t i = 0; i < days.size(); ++i)
            byDay_[days[i].day] = {year, i};
}

const HolidayDay* HolidayCalendar::find(int dayNumber) const {
    const auto it = byDay_.find(dayNumber);
    return it == byDay_.end() ? nullptr : &years_.at(it->second.first)[it->second.second];
}

const std::vector<HolidayDay>* HolidayCalendar::year(int year) const {
    const auto it = years_.find(year);
    return it == years_.end() ? nullptr : &it->second;
}

std::vector<int> HolidayCalendar::years() const {
    std::vector<int> list;
    for (const auto& entry : years_)
        list.push_back(entry.first);
    return list;
}

} // namespace qj
