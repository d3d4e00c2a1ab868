#include "calendar/core/Reminders.h"
#include "calendar/core/IcsExport.h"
#include "calendar/core/ReminderFile.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace qj;

namespace {

int Day(int y, int m, int d) {
    return DayNumber(EncodeDate(y, m, d));
}

Reminder Lunar(int month, bool leap, int day, LeapMonthRule leapRule = LeapMonthRule::LeapWhenThere,
               ShortMonthRule shortRule = ShortMonthRule::Day29) {
    Reminder r;
    r.id = "r";
    r.title = "生日";
    r.month = month;
    r.leap = leap;
    r.day = day;
    r.leapRule = leapRule;
    r.shortRule = shortRule;
    return r;
}

Reminder Gregorian(int month, int day, LeapDayRule rule = LeapDayRule::Feb28) {
    Reminder r = Lunar(month, false, day);
    r.calendar = ReminderCalendar::Gregorian;
    r.leapDayRule = rule;
    return r;
}

// YYMMDD of the days of 20 years from `firstYear`, as the independent expansion (lunar-javascript
// 1.7.7, tests/calendar/core/oracle/reminder-oracle.js) lists them.
std::string Expanded(const Reminder& r, int firstYear) {
    std::string text;
    for (int year = firstYear; year < firstYear + 20; ++year) {
        const YearMonthDay ymd = DecodeDate(*ReminderDayIn(r, year));
        char day[8];
        std::snprintf(day, sizeof day, "%02d%02d%02d", ymd.year % 100, ymd.month, ymd.day);
        text += (text.empty() ? "" : " ") + std::string(day);
    }
    return text;
}

} // namespace

// Birthdays in a leap month (2020 has 闰四月, 2023 闰二月, 2028 and 2039 闰五月), on 腊月三十 in
// years whose 腊月 has 29 days, on 29 February: 20 years of each against the independent expansion.
TEST(Reminders, TwentyYearsOfEachRule) {
    struct Case {
        Reminder reminder;
        int firstYear;
        const char* days;
    };
    const Case cases[] = {
        {Lunar(4, true, 8), 2020,
         "200530 210519 220508 230526 240515 250505 260524 270513 280502 290520 300509 310528 320516 330506 "
         "340525 "
         "350515 360503 370522 380511 390430"},
        {Lunar(4, true, 8, LeapMonthRule::Ordinary), 2020,
         "200430 210519 220508 230526 240515 250505 260524 270513 280502 290520 300509 310528 320516 330506 "
         "340525 "
         "350515 360503 370522 380511 390430"},
        {Lunar(5, true, 1), 2020,
         "200621 210610 220530 230618 240606 250527 260615 270605 280623 290612 300601 310620 320608 330528 "
         "340616 "
         "350606 360526 370614 380603 390622"},
        {Lunar(5, true, 1, LeapMonthRule::Ordinary), 2020,
         "200621 210610 220530 230618 240606 250527 260615 270605 280524 290612 300601 310620 320608 330528 "
         "340616 "
         "350606 360526 370614 380603 390523"},
        // 闰六月 has 29 days in 2025 and 30 in 2036, the ordinary 六月 the other way round.
        {Lunar(6, true, 30), 2020,
         "200818 210807 220728 230815 240803 250822 260812 270801 280819 290809 300729 310817 320805 330725 "
         "340813 350803 360821 370810 380731 390819"},
        {Lunar(6, true, 30, LeapMonthRule::LeapWhenThere, ShortMonthRule::NextDay), 2020,
         "200819 210808 220728 230816 240804 250823 260812 270802 280820 290809 300730 310817 320805 330726 "
         "340814 350803 360821 370811 380731 390819"},
        {Lunar(12, false, 30), 2020,
         "210211 220131 230121 240209 250128 260216 270205 280125 290212 300202 310122 320210 330130 340218 "
         "350207 "
         "360127 370214 380203 390123 400211"},
        {Lunar(12, false, 30, LeapMonthRule::LeapWhenThere, ShortMonthRule::NextDay), 2020,
         "210211 220201 230121 240209 250129 260217 270206 280126 290213 300202 310123 320211 330130 340218 "
         "350207 "
         "360127 370214 380203 390124 400212"},
        {Gregorian(2, 29), 2020,
         "200229 210228 220228 230228 240229 250228 260228 270228 280229 290228 300228 310228 320229 330228 "
         "340228 "
         "350228 360229 370228 380228 390228"},
        {Gregorian(2, 29, LeapDayRule::Mar1), 2020,
         "200229 210301 220301 230301 240229 250301 260301 270301 280229 290301 300301 310301 320229 330301 "
         "340301 "
         "350301 360229 370301 380301 390301"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Expanded(c.reminder, c.firstYear), c.days) << ReminderDateText(c.reminder);
}

// Both ends of 1901–2050: a lunar year's days that fall outside are not given.
TEST(Reminders, TheCalendarsYearsHold) {
    EXPECT_EQ(ReminderDayIn(Lunar(12, false, 15), 1900), std::nullopt); // lunar 1900 is not in the tables
    EXPECT_EQ(ReminderDayIn(Lunar(1, false, 1), 1901), std::optional<int>(Day(1901, 2, 19)));
    EXPECT_EQ(ReminderDayIn(Lunar(11, false, 18), 2050), std::optional<int>(Day(2050, 12, 31)));
    EXPECT_EQ(ReminderDayIn(Lunar(11, false, 19), 2050), std::nullopt);
    EXPECT_EQ(ReminderDayIn(Lunar(1, false, 1), 2051), std::nullopt);
    EXPECT_EQ(ReminderDayIn(Gregorian(1, 1), 1901), std::optional<int>(Day(1901, 1, 1)));
    EXPECT_EQ(ReminderDayIn(Gregorian(12, 31), 1900), std::nullopt);
    EXPECT_EQ(ReminderDayIn(Gregorian(12, 31), 2050), std::optional<int>(Day(2050, 12, 31)));
    EXPECT_EQ(ReminderDayIn(Gregorian(1, 1), 2051), std::nullopt);
    struct Case {
        Reminder r;
        bool valid;
    };
    Reminder leapGregorian = Gregorian(3, 1);
    leapGregorian.leap = true;
    for (const Case& c :
         {Case{Lunar(1, false, 30), true}, Case{Lunar(1, false, 31), false}, Case{Lunar(0, false, 1), false},
          Case{Lunar(13, false, 1), false}, Case{Lunar(12, true, 1), true}, Case{Lunar(1, false, 0), false},
          Case{Gregorian(2, 29), true}, Case{Gregorian(2, 30), false}, Case{Gregorian(4, 31), false},
          Case{Gregorian(12, 31), true}, Case{leapGregorian, false}}) {
        EXPECT_EQ(IsValidReminderDate(c.r), c.valid) << c.r.month << " " << c.r.day;
        EXPECT_EQ(ReminderDayIn(c.r, 2024).has_value(), c.valid) << c.r.month << " " << c.r.day;
    }
}

// Reminded from `daysAhead` days before to the day itself, in date order.
TEST(Reminders, DueFromTheirDaysAhead) {
    Reminder mother = Lunar(8, false, 15); // 2024-09-17
    mother.id = "mother";
    mother.daysAhead = 3;
    Reminder leap = Gregorian(2, 29);
    leap.id = "leap";
    Reminder moon = Gregorian(9, 15);
    moon.id = "moon";
    const std::vector<Reminder> list = {mother, leap, moon};
    const auto ids = [&](int today) {
        std::string text;
        for (const ReminderDay& d : DueReminders(list, today))
            text += d.reminder->id + " ";
        return text;
    };
    EXPECT_EQ(ids(Day(2024, 9, 13)), "");
    EXPECT_EQ(ids(Day(2024, 9, 14)), "mother ");
    EXPECT_EQ(ids(Day(2024, 9, 15)), "moon mother "); // by date, not by the list
    EXPECT_EQ(ids(Day(2024, 9, 17)), "mother ");
    EXPECT_EQ(ids(Day(2024, 9, 18)), "");
    EXPECT_EQ(ids(Day(2024, 2, 28)), "");
    EXPECT_EQ(ids(Day(2024, 2, 29)), "leap ");
    EXPECT_EQ(ReminderDateText(Lunar(4, true, 8)), "农历闰四月初八");
    EXPECT_EQ(ReminderDateText(Lunar(12, false, 30)), "农历蜡月三十");
    EXPECT_EQ(ReminderDateText(Gregorian(2, 29)), "公历2月29日");
    EXPECT_EQ(ReminderDateText(Gregorian(2, 30)), "");
}

// The file keeps every field through a write and a read; a fault refuses the file whole.
TEST(Reminders, TheFileRoundTripAndItsFaults) {
    Reminder a = Lunar(4, true, 8, LeapMonthRule::Ordinary, ShortMonthRule::NextDay);
    a.id = "a-1";
    a.title = "外婆\t生日\\";
    a.note = "两行\n备注";
    a.daysAhead = 30;
    Reminder b = Gregorian(2, 29, LeapDayRule::Mar1);
    b.id = "b";
    const ReminderFile back = ParseReminderFile(FormatReminderFile({a, b}));
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(back.reminders, (std::vector<Reminder>{a, b}));
    const std::string good = "x\t农历\t闰4\t8\t闰月\t廿九\t2月28日\t0\t生日\t\n";
    struct Case {
        std::string text;
        const char* error;
    };
    const Case cases[] = {
        {"# 注释\r\n\r\n" + good, ""},
        {"x\t农历\t4\t30\t本月\t次日\t3月1日\t30\t生日\t备注\\\\\n", ""},
        {"x\t农历\t4\t30\t本月\t次日\t3月1日\t31\t生日\t\n", "第1行：提前天数应为 0–30"},
        {"x\t农历\t4\t30\t本月\t次日\t3月1日\t-1\t生日\t\n", "第1行：提前天数应为 0–30"},
        {"x\t农历\t4\t31\t闰月\t廿九\t2月28日\t0\t生日\t\n", "第1行：没有“农历4月31日”这个日子"},
        {"x\t公历\t2\t30\t闰月\t廿九\t2月28日\t0\t生日\t\n", "第1行：没有“公历2月30日”这个日子"},
        {"x\t公历\t闰2\t1\t闰月\t廿九\t2月28日\t0\t生日\t\n", "第1行：没有“公历闰2月1日”这个日子"},
        {"x\t农历\t13\t1\t闰月\t廿九\t2月28日\t0\t生日\t\n", "第1行：没有“农历13月1日”这个日子"},
        {"x\t农历\t四\t1\t闰月\t廿九\t2月28日\t0\t生日\t\n", "第1行：月、日应为数字"},
        {"x\t阴历\t4\t1\t闰月\t廿九\t2月28日\t0\t生日\t\n", "第1行：历法应为“农历”或“公历”，而不是“阴历”"},
        {"x\t农历\t4\t1\t润月\t廿九\t2月28日\t0\t生日\t\n", "第1行：闰月规则应为“闰月”或“本月”"},
        {"x\t农历\t4\t1\t闰月\t三十\t2月28日\t0\t生日\t\n", "第1行：小月三十应为“廿九”或“次日”"},
        {"x\t农历\t4\t1\t闰月\t廿九\t2月29日\t0\t生日\t\n", "第1行：二月廿九应为“2月28日”或“3月1日”"},
        {"x\t农历\t4\t1\t闰月\t廿九\t2月28日\t0\t\t\n", "第1行：缺少名称"},
        {"x\t农历\t4\t1\t闰月\t廿九\t2月28日\t0\t生日\\x\t\n", "第1行：名称或备注里的"},
        {"x\t农历\t4\t1\t闰月\t廿九\t2月28日\t0\t生日\\\t\n", "第1行：名称或备注里的"},
        {"x\t农历\t4\t1\t闰月\t廿九\t2月28日\t0\t生日\n", "第1行：应有 10 栏（以 Tab 分隔），这里有 9 栏"},
        {"X\t农历\t4\t1\t闰月\t廿九\t2月28日\t0\t生日\t\n", "第1行：id 只能由小写字母"},
        {"\t农历\t4\t1\t闰月\t廿九\t2月28日\t0\t生日\t\n", "第1行：id 只能由小写字母"},
        {good + good, "第2行：id “x”前面已经用过"},
        {good + "x\t农历\t4\t1\t闰月\t廿九\t2月28日\t0\t\xC9\xFA\xC8\xD5\t\n", "文件不是 UTF-8 文本"},
    };
    for (const Case& c : cases) {
        const ReminderFile file = ParseReminderFile(c.text);
        SCOPED_TRACE(c.text);
        if (*c.error == '\0') {
            EXPECT_EQ(file.error, "");
            EXPECT_EQ(file.reminders.size(), 1u);
        } else {
            EXPECT_EQ(file.error.substr(0, std::string(c.error).size()), c.error);
            EXPECT_TRUE(file.reminders.empty());
        }
    }
}

// Calendar files: one event a day with a UID made from what it is; long lines folded at 75
// octets without splitting a character; ; , \ and line breaks escaped.
TEST(Reminders, CalendarFileEvents) {
    HolidayCalendar holidays;
    holidays.add(ParseHolidayFile("year 2023\n2023-12-31 班 旧安排\n").years);
    holidays.add(
        ParseHolidayFile("year 2024\n2023-12-31 休 元旦\n2024-02-10..2024-02-11 休 春节\n2024-02-04 班 春节\n"
                         "year 2025\n2025-01-01 休 元旦\n")
            .years);
    std::string uids;
    for (const IcsEvent& e : HolidayEvents(holidays, 2024, 2024))
        uids += e.uid + " " + e.summary + "|";
    EXPECT_EQ(uids, "holiday-20240204@qingjian 春节（班）|holiday-20240210@qingjian 春节（休）|"
                    "holiday-20240211@qingjian 春节（休）|");
    // 2023-12-31 of the 2024 arrangement wins over the 2023 one's: one event.
    ASSERT_EQ(HolidayEvents(holidays, 2023, 2023).size(), 1u);
    EXPECT_EQ(HolidayEvents(holidays, 2023, 2023)[0].summary, "元旦（休）");
    Reminder r = Lunar(12, false, 30, LeapMonthRule::LeapWhenThere, ShortMonthRule::NextDay);
    r.id = "grandma";
    r.title = "外婆生日; 家宴, 在老家\\";
    // 41 ASCII letters put the first fold inside a character.
    r.note = std::string(41, 'x') +
             "备注第一行很长很长很长很长很长很长很长很长很长很长很长很长很长很长很长\n第二行";
    const std::vector<IcsEvent> events = ReminderEvents({r}, 2024, 2025);
    ASSERT_EQ(events.size(), 2u); // lunar 2023 and 2024 (2024-02-09, 2025-01-29)
    EXPECT_EQ(events[0].uid, "reminder-grandma-2023@qingjian");
    EXPECT_EQ(events[0].day, Day(2024, 2, 9));
    EXPECT_EQ(events[1].uid, "reminder-grandma-2024@qingjian");
    EXPECT_EQ(events[1].day, Day(2025, 1, 29));
    const std::string text = IcsText(events, "20261210T120000Z");
    std::istringstream lines(text);
    std::string unfolded;
    for (std::string line; std::getline(lines, line, '\n');) {
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        EXPECT_LE(line.size(), 75u);
        EXPECT_NE(static_cast<unsigned char>(line[line[0] == ' ' ? 1 : 0]) & 0xC0, 0x80u) << line;
        unfolded += line[0] == ' ' ? line.substr(1) : "\n" + line;
    }
    EXPECT_NE(unfolded.find("\nSUMMARY:外婆生日\\; 家宴\\, 在老家\\\\\n"), std::string::npos) << unfolded;
    EXPECT_NE(
        unfolded.find("\nDESCRIPTION:农历蜡月三十\\n" + std::string(41, 'x') +
                      "备注第一行很长很长很长很长很长很长很长很长很长很长很长很长很长很长很长\\n第二行\n"),
        std::string::npos);
    EXPECT_NE(unfolded.find("\nDTSTART;VALUE=DATE:20240209\nDTEND;VALUE=DATE:20240210\n"), std::string::npos);
    EXPECT_EQ(text.substr(0, 17), "BEGIN:VCALENDAR\r\n");
    EXPECT_EQ(text.substr(text.size() - 15), "END:VCALENDAR\r\n");
}
