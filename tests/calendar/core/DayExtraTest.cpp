#include "calendar/core/DayExtra.h"
#include "calendar/core/ExactSolarTerms.h"
#include "calendar/core/Sexagenary.h"
#include "calendar/core/SunPosition.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qj;

namespace {

std::string StarsOf(const DayExtra& e) {
    std::string text;
    for (const int star : {e.yearStar, e.monthStar, e.dayStar})
        text += kNineStars[star];
    return text;
}

} // namespace

// Days an almanac shows (values as lunar-javascript gives them), with both ends of the
// 三伏 and 数九 and the first and last day of the calendar.
TEST(DayExtra, DaysAsTheAlmanacShowsThem) {
    struct Case {
        int y, m, d;
        const char* naYinOfDay;
        const char* mansion; // with 吉/凶
        const char* dutyGod; // with 黄道/黑道
        const char* stars;   // year, month, day
        const char* dogDays;
        const char* nineNines;
        const char* fetusGod;
    };
    const Case cases[] = {
        {1901, 1, 1, "城头土", "尾吉", "玉堂黄道", "一白水星七赤金星七赤金星", "", "二九第2天",
         "占大门 外正西"},
        {2050, 12, 31, "泉中水", "柳凶", "明堂黄道", "四绿木星七赤金星四绿木星", "", "二九第1天",
         "碓磨门 外西北"},
        {2006, 5, 1, "松柏木", "心凶", "司命黄道", "三碧木星三碧木星三碧木星", "", "", "碓磨炉 外正北"},
        {2024, 2, 10, "覆灯火", "氐凶", "金匮黄道", "三碧木星五黄土星五黄土星", "", "六九第6天",
         "占门栖 房内东"},
        {2024, 7, 14, "城头土", "昴凶", "天德黄道", "三碧木星九紫火星三碧木星", "", "", "占大门 外正西"},
        {2024, 7, 15, "白蜡金", "毕吉", "白虎黑道", "三碧木星九紫火星二黑土星", "初伏第1天(共10天)", "",
         "碓磨栖 外正西"},
        {2024, 8, 13, "大驿土", "觜凶", "玄武黑道", "三碧木星八白土星九紫火星", "中伏第20天(共20天)", "",
         "占大门 外东北"},
        {2024, 8, 14, "钗钏金", "参吉", "司命黄道", "三碧木星八白土星八白土星", "末伏第1天(共10天)", "",
         "碓磨栖 外东北"},
        {2024, 8, 23, "天上火", "亢凶", "玉堂黄道", "三碧木星八白土星八白土星", "末伏第10天(共10天)", "",
         "占门厕 外正东"},
        {2024, 8, 24, "石榴木", "氐凶", "天牢黑道", "三碧木星八白土星七赤金星", "", "", "碓磨炉 外东南"},
        {2025, 3, 11, "城头土", "尾吉", "明堂黄道", "二黑土星一白水星四绿木星", "", "九九第9天",
         "占大门 外正西"},
        {2025, 3, 12, "白蜡金", "箕吉", "天刑黑道", "二黑土星一白水星五黄土星", "", "", "碓磨栖 外正西"},
    };
    for (const Case& c : cases) {
        const DayExtra e = DayExtraOf(EncodeDate(c.y, c.m, c.d));
        SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
        EXPECT_EQ(e.naYin[2], c.naYinOfDay);
        EXPECT_EQ(std::string(kMansions[e.mansion].name) + (kMansions[e.mansion].lucky ? "吉" : "凶"),
                  c.mansion);
        EXPECT_EQ(std::string(kDutyGods[e.dutyGod].name) + (kDutyGods[e.dutyGod].lucky ? "黄道" : "黑道"),
                  c.dutyGod);
        EXPECT_EQ(StarsOf(e), c.stars);
        EXPECT_EQ(DogDaysText(e.dogDays), c.dogDays);
        EXPECT_EQ(NineNinesText(e.nineNines), c.nineNines);
        EXPECT_EQ(e.fetusGod, c.fetusGod);
        EXPECT_TRUE(e.naYin[3].empty()); // no hour given
    }
}

TEST(DayExtra, PillarsClashAndDirectionsOfOneDay) {
    // 2006-05-01 庚寅 day in the 壬辰 month of 丙戌, with the 午 hour 壬午.
    const DayExtra e = DayExtraOf(EncodeDate(2006, 5, 1), HourCount(38846, 6));
    EXPECT_EQ(e.naYin[0], "屋上土");
    EXPECT_EQ(e.naYin[1], "长流水");
    EXPECT_EQ(e.naYin[2], "松柏木");
    EXPECT_EQ(e.naYin[3], "杨柳木");
    EXPECT_EQ(ClashText(e.dayCount), "冲猴(甲申)煞北");
    EXPECT_EQ(e.pengZuStem, "庚不经络织机虚张");
    EXPECT_EQ(e.pengZuBranch, "寅不祭祀神鬼不尝");
    EXPECT_EQ(e.fortuneGod, "西南");
    EXPECT_EQ(e.yangNoble, "正南");
    EXPECT_EQ(e.yinNoble, "东北");
    EXPECT_EQ(e.exactTerm, -1);
    EXPECT_EQ(e.meanTerm, -1);
    EXPECT_EQ(ClashCount(0), 54); // 甲子 clashes with 戊午
    EXPECT_EQ(ClashCount(59), 53);
}

// The term of a day by the Sun and by the mean-year formula: both, one or the other.
TEST(DayExtra, TermOfTheDayBySunAndByFormula) {
    struct Case {
        int y, m, d;
        int exact, mean;
        const char* time;
    };
    const Case cases[] = {
        {2024, 2, 4, 2, 2, "2024-02-04 16:26"},     {2024, 12, 21, 23, 23, "2024-12-21 17:20"},
        {2006, 5, 5, 8, -1, "2006-05-05 23:30"},    {2006, 5, 6, -1, 8, ""},
        {1951, 12, 22, 23, 23, "1951-12-22 23:59"},
    };
    for (const Case& c : cases) {
        const DayExtra e = DayExtraOf(EncodeDate(c.y, c.m, c.d));
        EXPECT_EQ(e.exactTerm, c.exact) << c.y << c.m << c.d;
        EXPECT_EQ(e.meanTerm, c.mean) << c.y << c.m << c.d;
        EXPECT_EQ(e.exactTerm < 0 ? "" : TermTimeText(e.exactTermTime), c.time) << c.y << c.m << c.d;
    }
}

// Years on both sides of those kept once computed agree with the oracle too.
TEST(DayExtra, TermsOutsideTheKeptYears) {
    struct Case {
        int year, term;
        DateTimeValue oracle;
    };
    const Case cases[] = {
        {kFirstExactTermYear - 1, 23, EncodeDateTime(1898, 12, 22, 2, 59, 10)},
        {kFirstExactTermYear, 23, EncodeDateTime(1899, 12, 22, 8, 56, 12)},
        {kLastExactTermYear, 23, EncodeDateTime(2051, 12, 22, 6, 34, 14)},
        {kLastExactTermYear + 1, 0, EncodeDateTime(2052, 1, 5, 23, 48, 40)},
        {kLastExactTermYear + 1, 5, EncodeDateTime(2052, 3, 20, 5, 56, 13)},
    };
    for (const Case& c : cases)
        EXPECT_LE(std::abs(ExactSolarTermTime(c.year, c.term) - c.oracle) * 1440, 1.0)
            << c.year << " " << c.term;
}

// ΔT between its table's values and constant beyond both ends.
TEST(DayExtra, DeltaTWithinAndBeyondItsTable) {
    EXPECT_DOUBLE_EQ(DeltaTSeconds(1850), -2.72);
    EXPECT_DOUBLE_EQ(DeltaTSeconds(1900), -2.72);
    EXPECT_DOUBLE_EQ(DeltaTSeconds(1902.5), (-2.72 + 3.86) / 2);
    EXPECT_DOUBLE_EQ(DeltaTSeconds(2050), 71.6);
    EXPECT_DOUBLE_EQ(DeltaTSeconds(2055), 72.4);
    EXPECT_DOUBLE_EQ(DeltaTSeconds(2057.5), 72.4);
    EXPECT_DOUBLE_EQ(DeltaTSeconds(2100), 72.4);
}
