#include "calendar/core/ReminderFile.h"

#include "common/Gbk.h"

#include <charconv>
#include <optional>
#include <set>
#include <sstream>

namespace qj {

namespace {

constexpr const char* kHeader =
    "# 青简札记 纪念日：id 历法 月 日 闰月规则 小月三十 二月廿九 提前天数 名称 备注（以 Tab 分隔）\n";
constexpr std::size_t kFieldCount = 10;

struct Fault {
    std::string text;
};

std::optional<int> Number(std::string_view s) {
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

std::vector<std::string_view> Split(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(
            line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

std::string Escape(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        const char c = text[i];
        if (c != '\\' && c != 't' && c != 'n')
            return std::nullopt;
        out += c == 't' ? '\t' : c == 'n' ? '\n' : '\\';
    }
    return out;
}

template <class T>
T Choice(std::string_view word, std::string_view first, std::string_view second, T a, T b,
         const std::string& what) {
    if (word == first)
        return a;
    if (word == second)
        return b;
    throw Fault{what + "应为“" + std::string(first) + "”或“" + std::string(second) + "”，而不是“" +
                std::string(word) + "”"};
}

Reminder ReadLine(std::string_view line) {
    const std::vector<std::string_view> f = Split(line);
    if (f.size() != kFieldCount)
        throw Fault{"应有 " + std::to_string(kFieldCount) + " 栏（以 Tab 分隔），这里有 " +
                    std::to_string(f.size()) + " 栏"};
    Reminder r;
    r.id = std::string(f[0]);
    if (r.id.empty() || r.id.find_first_not_of("0123456789abcdefghijklmnopqrstuvwxyz-") != std::string::npos)
        throw Fault{"id 只能由小写字母、数字和“-”组成"};
    r.calendar = Choice(f[1], "农历", "公历", ReminderCalendar::Lunar, ReminderCalendar::Gregorian, "历法");
    std::string_view month = f[2];
    r.leap = month.starts_with("闰");
    if (r.leap)
        month.remove_prefix(std::string_view("闰").size());
    const auto m = Number(month), d = Number(f[3]), ahead = Number(f[7]);
    if (!m || !d)
        throw Fault{"月、日应为数字"};
    r.month = *m;
    r.day = *d;
    if (!IsValidReminderDate(r))
        throw Fault{"没有“" + std::string(f[1]) + std::string(f[2]) + "月" + std::string(f[3]) +
                    "日”这个日子"};
    r.leapRule =
        Choice(f[4], "闰月", "本月", LeapMonthRule::LeapWhenThere, LeapMonthRule::Ordinary, "闰月规则");
    r.shortRule = Choice(f[5], "廿九", "次日", ShortMonthRule::Day29, ShortMonthRule::NextDay, "小月三十");
    r.leapDayRule = Choice(f[6], "2月28日", "3月1日", LeapDayRule::Feb28, LeapDayRule::Mar1, "二月廿九");
    if (!ahead || *ahead < 0 || *ahead > kLongestReminderLead)
        throw Fault{"提前天数应为 0–" + std::to_string(kLongestReminderLead)};
    r.daysAhead = *ahead;
    const auto title = Unescape(f[8]), note = Unescape(f[9]);
    if (!title || !note)
        throw Fault{"名称或备注里的“\\”后只能是 t、n 或 \\"};
    if (title->empty())
        throw Fault{"缺少名称"};
    r.title = *title;
    r.note = *note;
    return r;
}

} // namespace

ReminderFile ParseReminderFile(std::string_view text) {
    ReminderFile file;
    std::istringstream lines{std::string(text)};
    std::set<std::string> ids;
    std::string line;
    try {
        if (!IsValidUtf8(text))
            throw Fault{"文件不是 UTF-8 文本"};
        for (int number = 1; std::getline(lines, line); ++number) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty() || line.front() == '#')
                continue;
            try {
                file.reminders.push_back(ReadLine(line));
            } catch (const Fault& fault) {
                throw Fault{"第" + std::to_string(number) + "行：" + fault.text};
            }
            if (!ids.insert(file.reminders.back().id).second)
                throw Fault{"第" + std::to_string(number) + "行：id “" + file.reminders.back().id +
                            "”前面已经用过"};
        }
    } catch (const Fault& fault) {
        file.reminders.clear();
        file.error = fault.text;
    }
    return file;
}

std::string FormatReminderFile(const std::vector<Reminder>& reminders) {
    std::string text = kHeader;
    for (const Reminder& r : reminders) {
        const bool lunar = r.calendar == ReminderCalendar::Lunar;
        text += r.id + "\t" + (lunar ? "农历" : "公历") + "\t" + (r.leap ? "闰" : "") +
                std::to_string(r.month) + "\t" + std::to_string(r.day) + "\t" +
                (r.leapRule == LeapMonthRule::LeapWhenThere ? "闰月" : "本月") + "\t" +
                (r.shortRule == ShortMonthRule::Day29 ? "廿九" : "次日") + "\t" +
                (r.leapDayRule == LeapDayRule::Feb28 ? "2月28日" : "3月1日") + "\t" +
                std::to_string(r.daysAhead) + "\t" + Escape(r.title) + "\t" + Escape(r.note) + "\n";
    }
    return text;
}

} // namespace qj
