#include "calendar/core/Almanac.h"
#include "calendar/core/CalendarNames.h"
#include "calendar/core/DateCn.h"
#include "calendar/core/Sexagenary.h"

#include <gtest/gtest.h>

#include <string>

using namespace qj;

namespace {
bool StartsWith(const std::string& s, std::string_view p) {
    return s.compare(0, p.size(), p) == 0;
}
bool EndsWith(const std::string& s, std::string_view p) {
    return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}
} // namespace

TEST(Festivals, GregorianFestivals) {
    struct Case {
        int m, d;
        const char* text;
    };
    const Case cases[] = {
        {10, 1, " 国庆节"},       {10, 2, ""}, {1, 1, " 元旦"}, {12, 25, " 圣诞节"},
        {7, 1, " 建党,香港回归"}, {2, 29, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SolarFestivalOf(EncodeDate(2004, c.m, c.d)), c.text) << c.m << '/' << c.d;
}

TEST(Festivals, LunarFestivals) {
    struct Case {
        int y, m, d;
        const char* text;
    };
    const Case cases[] = {
        {2006, 1, 29, " 春节, 弥勒佛圣诞!"},       // 正月初一
        {2006, 7, 31, " 七夕情人节"},              // 七月初七
        {2006, 8, 30, ""},                         // 闰七月初七: no festival in a leap month
        {2006, 7, 26, " 净宗八祖莲池法师圆寂日 "}, // the entry's trailing blank is kept
        {2006, 10, 6, " 中秋节"},                  // 八月十五
        {2006, 5, 2, ""},                          // 四月初五
        // 除夕, the last day of 蜡月: 蜡月 2005 has 29 days, so 除夕 falls on 蜡月廿九 and, being the
        // later entry, takes the place of its festival.
        {2006, 1, 28, " 除夕"},
        {2007, 2, 16, " 华严菩萨圣诞"}, // 蜡月 2006 has 30 days
        {2007, 2, 17, " 除夕"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LunarFestivalOf(EncodeDate(c.y, c.m, c.d)), c.text) << c.y << '-' << c.m << '-' << c.d;
}

TEST(Festivals, NewYearsEveOnceAYearAndNothingInLeapMonths) {
    int eves = 0;
    for (DateTimeValue v = EncodeDate(1901, 1, 1); v <= EncodeDate(2050, 12, 31); v += 1) {
        const std::string text = LunarFestivalOf(v);
        if (LunarCodeOf(v) < 0) {
            ASSERT_EQ(text, "") << v;
        }
        const bool eve = EndsWith(text, " 除夕");
        ASSERT_EQ(eve, LunarCodeOf(v + 1) == 101) << v;
        eves += eve ? 1 : 0;
    }
    EXPECT_EQ(eves, 150); // 除夕 1901 (1901-02-18) … 除夕 2050 (2050-01-22)
}

TEST(DayOfficers, OfficerFollowsTheMonthBranch) {
    EXPECT_TRUE(StartsWith(DayOfficerText("寅", "寅"), "建日：[次吉]"));
    EXPECT_TRUE(StartsWith(DayOfficerText("寅", "卯"), "除日："));
    EXPECT_TRUE(StartsWith(DayOfficerText("寅", "丑"), "闭日："));
    EXPECT_TRUE(StartsWith(DayOfficerText("子", "午"), "破日："));
    EXPECT_EQ(DayOfficerText("寅", "甲"), "");
    const char* officers = "建除满平定执破危成收开闭";
    for (int month = 0; month < 12; ++month)
        for (int day = 0; day < 12; ++day) {
            const int index = DayOfficerIndex(month, day);
            ASSERT_EQ((month + index) % 12, day);
            const std::string text = DayOfficerText(kBranchNames[month], kBranchNames[day]);
            ASSERT_EQ(text.substr(0, 3), std::string(officers + 3 * index, 3));
            ASSERT_NE(text.find("\r\n　宜："), std::string::npos);
            ASSERT_NE(text.find("\r\n　忌："), std::string::npos);
        }
}

TEST(DayAlmanac, LinesInCycleOrder) {
    EXPECT_EQ(DayAlmanacText("甲子"), "甲子日： 喜神东北　鹤神东南　财神东南　空亡午亥　吉时：子丑寅未");
    EXPECT_EQ(DayAlmanacText("癸亥"), "癸亥日： 喜神东南　鹤神东南　财神正南　空亡子巳　吉时：卯辰午未");
    EXPECT_EQ(DayAlmanacText("甲丑"), "");
    EXPECT_EQ(DayAlmanacText("甲"), "");
    for (int n = 0; n < 60; ++n) {
        const std::string line = DayAlmanacText(PillarText(n));
        ASSERT_TRUE(StartsWith(line, PillarText(n) + "日： 喜神")) << n;
        for (const char* part : {"　鹤神", "　财神", "　空亡", "　吉时："})
            ASSERT_NE(line.find(part), std::string::npos) << n << part;
    }
}

TEST(MonthTermNotes, OpeningWordsAndClosingSentence) {
    struct Case {
        const char* opening;
        const char* closing;
    };
    const Case cases[12] = {
        {"正月立春\"立\"", "立春是公历的2月4日或5日."}, {"二月惊蛰: ", "惊蛰是公历的3月6日或7日."},
        {"三月清明: ", "清明是公历的4月5日或6日."},     {"四月立夏: ", "立夏是公历的5月6日或7日."},
        {"五月芒种: ", "芒种是公历的6月6日或7日."},     {"六月小暑: ", "小暑是公历的7月7日或8日."},
        {"七月立秋: ", "立秋是公历的8月8日或9日."},     {"八月白露: ", "白露是公历的9月8日或9日."},
        {"九月寒露: ", "寒露是公历的10月8日或9日."},    {"十月立冬: ", "立冬是公历的11月7日或8日."},
        {"十一月大雪: ", "大雪是公历的12月7日或8日."},  {"十二月小寒: ", "小寒是公历的1月5日或6日."},
    };
    for (int m = 1; m <= 12; ++m) {
        const std::string note = MonthTermNote(m);
        SCOPED_TRACE(m);
        EXPECT_TRUE(StartsWith(note, cases[m - 1].opening));
        EXPECT_TRUE(EndsWith(note, std::string("\r\n") + cases[m - 1].closing));
        EXPECT_TRUE(StartsWith(note, MonthTermNotePrefix(m)));
        // A leap month reads its namesake's note.
        EXPECT_EQ(MonthTermNote(-m), note);
        // Two or three lines, each with a descriptive text.
        size_t lines = 1;
        for (size_t pos = note.find("\r\n"); pos != std::string::npos; pos = note.find("\r\n", pos + 2))
            ++lines;
        EXPECT_TRUE(lines == 2 || lines == 3) << lines;
        EXPECT_GT(note.size(), 120u);
    }
    EXPECT_EQ(MonthTermNotePrefix(1), "正月立春");
    EXPECT_EQ(MonthTermNote(0), "");
    EXPECT_EQ(MonthTermNote(13), "");
}
