#include "calendar/core/IcsExport.h"

#include <cstdio>

namespace qj {

namespace {

constexpr std::size_t kLineOctets = 75;
constexpr const char* kUidDomain = "@qingjian";

std::string DateText(int day) {
    const YearMonthDay ymd = DecodeDate(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", ymd.year, ymd.month, ymd.day);
    return text;
}

// TEXT values: backslash, semicolon, comma and line breaks escaped.
std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

// A content line folded into lines of at most 75 octets, the continuation lines starting with a
// blank; a UTF-8 character is never split.
void AddLine(std::string& out, std::string_view line) {
    std::size_t limit = kLineOctets;
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        limit = kLineOctets - 1; // the blank counts
    }
    out.append(line);
    out += "\r\n";
}

} // namespace

std::vector<IcsEvent> HolidayEvents(const HolidayCalendar& holidays, int firstYear, int lastYear) {
    std::vector<IcsEvent> events;
    const int first = DayNumber(EncodeDate(firstYear, 1, 1)), last = DayNumber(EncodeDate(lastYear, 12, 31));
    for (const int year : holidays.years())
        for (const HolidayDay& day : *holidays.year(year))
            if (day.day >= first && day.day <= last && holidays.find(day.day) == &day)
                events.push_back({"holiday-" + DateText(day.day) + kUidDomain, day.day,
                                  day.name + "（" + std::string(DayOffText(day.kind)) + "）",
                                  day.kind == DayOff::Rest ? "法定节假日，放假" : "调休，上班", "节假日"});
    return events;
}

std::vector<IcsEvent> ReminderEvents(const std::vector<Reminder>& reminders, int firstYear, int lastYear) {
    std::vector<IcsEvent> events;
    const int first = DayNumber(EncodeDate(firstYear, 1, 1)), last = DayNumber(EncodeDate(lastYear, 12, 31));
    for (const ReminderDay& d : ReminderDaysBetween(reminders, first, last)) {
        const Reminder& r = *d.reminder;
        std::string description = ReminderDateText(r);
        if (!r.note.empty())
            description += "\n" + r.note;
        events.push_back({"reminder-" + r.id + "-" + std::to_string(d.year) + kUidDomain, d.day, r.title,
                          description, "纪念日"});
    }
    return events;
}

std::string IcsText(const std::vector<IcsEvent>& events, const std::string& stamp) {
    std::string out;
    AddLine(out, "BEGIN:VCALENDAR");
    AddLine(out, "VERSION:2.0");
    AddLine(out, "PRODID:-//qingjian//calendar//ZH");
    AddLine(out, "CALSCALE:GREGORIAN");
    AddLine(out, "X-WR-CALNAME:青简札记");
    for (const IcsEvent& e : events) {
        AddLine(out, "BEGIN:VEVENT");
        AddLine(out, "UID:" + e.uid);
        AddLine(out, "DTSTAMP:" + stamp);
        AddLine(out, "DTSTART;VALUE=DATE:" + DateText(e.day));
        AddLine(out, "DTEND;VALUE=DATE:" + DateText(e.day + 1));
        AddLine(out, "SUMMARY:" + Escaped(e.summary));
        if (!e.description.empty())
            AddLine(out, "DESCRIPTION:" + Escaped(e.description));
        AddLine(out, "CATEGORIES:" + Escaped(e.category));
        AddLine(out, "TRANSP:TRANSPARENT");
        AddLine(out, "END:VEVENT");
    }
    AddLine(out, "END:VCALENDAR");
    return out;
}

} // namespace qj
