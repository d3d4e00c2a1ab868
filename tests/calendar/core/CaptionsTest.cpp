#include "calendar/core/Captions.h"
#include "calendar/core/HourList.h"
#include "common/Gbk.h"

#include <gtest/gtest.h>

#include <string>

using namespace qj;

TEST(Captions, KnownDatesAndHours) {
    struct Case {
        DateTimeValue value;
        int hour;
        const char* gregorian;
        const char* lunar;
        const char* pillar;
    };
    const Case cases[] = {
        {EncodeDate(2006, 5, 1), 6, "公历: 2006年 5月 1日", "农历: 丙戌(狗) 四月初四日午时",
         "丙戌 壬辰 庚寅 壬午 (午未 空)"},
        // No hour chosen: no hour name, and the 子 hour stands in for the pillar.
        {EncodeDate(2006, 5, 1), -1, "公历: 2006年 5月 1日", "农历: 丙戌(狗) 四月初四日",
         "丙戌 壬辰 庚寅 丙子 (午未 空)"},
        {EncodeDate(2006, 4, 26), 7, "公历: 2006年 4月 26日", "农历: 丙戌(狗) 三月廿九日未时",
         "丙戌 壬辰 乙酉 癸未 (午未 空)"},
        // A whole term day names its term; with a time of day it does not.
        {EncodeDate(2006, 5, 6), 0, "公历: 2006年 5月 6日", "农历: 丙戌(狗) 四月初九立夏日子时",
         "丙戌 癸巳 乙未 丙子 (辰巳 空)"},
        {EncodeDateTime(2006, 5, 6, 8, 0, 0), 4, "公历: 2006年 5月 6日", "农历: 丙戌(狗) 四月初九日辰时",
         "丙戌 癸巳 乙未 庚辰 (辰巳 空)"},
        // Before the lunar new year the caption still names the Gregorian year's animal.
        {EncodeDate(2006, 1, 15), 11, "公历: 2006年 1月 15日", "农历: 丙戌(狗) 蜡月十六日亥时",
         "乙酉 己丑 甲辰 乙亥 (寅卯 空)"},
        {EncodeDate(2004, 3, 21), 2, "公历: 2004年 3月 21日", "农历: 甲申(猴) 闰二月初一日寅时",
         "甲申 丁卯 己亥 丙寅 (辰巳 空)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lunar);
        EXPECT_EQ(GregorianCaption(c.value, c.hour), c.gregorian);
        EXPECT_EQ(LunarCaption(c.value, c.hour), c.lunar);
        EXPECT_EQ(PillarCaption(c.value, c.hour), c.pillar);
    }
}

// The 子 hour that starts at 23:00 is the next day's first hour: its pillar follows the next
// day's stem, while the date, the day pillar and the captions stay on the same day.
TEST(Captions, TheZiHourFromElevenAtNightTakesTheNextDaysHourPillar) {
    struct Case {
        DateTimeValue value;
        int hour;
        const char* lunar;
        const char* pillar;
    };
    const Case cases[] = {
        {EncodeDateTime(2006, 5, 1, 23, 30, 0), 0, "农历: 丙戌(狗) 四月初四日子时",
         "丙戌 壬辰 庚寅 戊子 (午未 空)"},
        {EncodeDateTime(2006, 5, 1, 23, 0, 0), 0, "农历: 丙戌(狗) 四月初四日子时",
         "丙戌 壬辰 庚寅 戊子 (午未 空)"},
        {EncodeDateTime(2006, 5, 1, 22, 59, 59), 0, "农历: 丙戌(狗) 四月初四日子时",
         "丙戌 壬辰 庚寅 丙子 (午未 空)"},
        {EncodeDateTime(2006, 5, 1, 0, 30, 0), 0, "农历: 丙戌(狗) 四月初四日子时",
         "丙戌 壬辰 庚寅 丙子 (午未 空)"},
        {EncodeDateTime(2006, 5, 1, 23, 30, 0), 11, "农历: 丙戌(狗) 四月初四日亥时",
         "丙戌 壬辰 庚寅 丁亥 (午未 空)"},
        {EncodeDateTime(2006, 5, 1, 23, 30, 0), -1, "农历: 丙戌(狗) 四月初四日",
         "丙戌 壬辰 庚寅 戊子 (午未 空)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pillar);
        EXPECT_EQ(GregorianCaption(c.value, c.hour), "公历: 2006年 5月 1日");
        EXPECT_EQ(LunarCaption(c.value, c.hour), c.lunar);
        EXPECT_EQ(PillarCaption(c.value, c.hour), c.pillar);
    }
}

TEST(Captions, PillarCaptionIsReadByBytePositions) {
    const std::string caption = PillarCaption(EncodeDate(2006, 4, 26), 7);
    EXPECT_EQ(GbkCopy(caption, 1, 4), "丙戌");
    EXPECT_EQ(GbkCopy(caption, 6, 4), "壬辰");
    EXPECT_EQ(GbkCopy(caption, 11, 4), "乙酉");
    EXPECT_EQ(GbkCopy(caption, 16, 4), "癸未");
    EXPECT_EQ(GbkCopy(caption, 21, 9), "(午未 空)");
    EXPECT_EQ(GbkByteLength(caption), 29);
}

TEST(Captions, DayMessageGathersTheDaysTexts) {
    EXPECT_EQ(DayMessage(EncodeDate(2006, 1, 29)),
              "公历: 2006年 1月 29日   农历: 丙戌(狗) 正月初一日\r\r\n"
              "戊午日： 喜神东南　鹤神正东　财神正北　空亡子丑　吉时：卯午未申\r\r\n"
              "执日：[凶日]破日之从神，曰小耗，天帝执行万物赐天福，较差的日子。\r\n"
              "　宜：造屋、装修、嫁娶、收购、立契、祭祀。\r\n"
              "　忌：开市、求财、出行、搬迁。\r\r\n"
              "[农历] 春节, 弥勒佛圣诞!");
    const std::string both = DayMessage(EncodeDate(2006, 5, 1));
    EXPECT_NE(both.find("\r\r\n[公历] 国际劳动节\r\r\n[农历] 文殊菩萨圣诞"), std::string::npos);
    const std::string none = DayMessage(EncodeDate(2006, 5, 2));
    EXPECT_EQ(none.find("[公历]"), std::string::npos);
    EXPECT_EQ(none.find("[农历]"), std::string::npos);
    EXPECT_EQ(none.rfind("公历: 2006年 5月 2日   农历: 丙戌(狗) 四月初五日\r\r\n", 0), 0u);
}

TEST(HourList, ClockHoursPickTheirItem) {
    // 23:00 starts the 子 hour again, as its item says ("子时: 23点 --凌晨1 点前").
    const int expected[24] = {0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 0};
    for (int h = 0; h < 24; ++h)
        EXPECT_EQ(HourIndexForClockHour(h), expected[h]) << h;
    EXPECT_EQ(HourName(6), "午时");
    EXPECT_EQ(HourName(11), "亥时");
    EXPECT_EQ(HourName(-1), "");
    EXPECT_EQ(HourName(12), "");
    EXPECT_EQ(HourListText(0), "子时: 23点 --凌晨1 点前");
}
