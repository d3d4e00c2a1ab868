#include "divination/core/Report.h"
#include "divination/core/ChartDate.h"

#include <gtest/gtest.h>

#include <string>

namespace qj {
namespace {

// The chart the window shows for 2006-05-01 (a 庚寅 day) with no hour chosen.
ChartState ChartOnMayDay(int upper, int lower, int moving) {
    ChartState c;
    const DateTimeValue date = EncodeDate(2006, 5, 1);
    SetChartDay(c, date);
    RefreshDatePanel(c, CalendarCaptionsOf(date, -1));
    c.upper = upper;
    c.lower = lower;
    c.movingPosition = moving;
    ArrangeChart(c);
    return c;
}

const ReportInputs kInputs{"财运", "指定起卦", "张三", "男", "问财"};

TEST(Report, NewStyleReportOfAMovingTopLine) {
    const std::vector<std::string> lines =
        BuildReport(ChartOnMayDay(1, 1, 0), kInputs, ReportStyle::New, "2006-05-01 12:00:00");
    const std::vector<std::string> expected{
        "断卦时间: 2006-05-01 12:00:00",
        "起卦类别: 财运   方式:指定起卦   姓名:张三   性别:男",
        "占卦内容: 问财",
        "公历时间: 2006年 5月 1日  丙戌(狗) 四月初四日",
        "日上神煞: 驿马[申] 桃花[卯] 贵人[寅,马] 禄[申] 羊刃[酉]",
        "干支农历: 丙戌年 壬辰月 庚寅日 丙子时 (午未 空)",
        std::string(72, '='),
        "           乾为天 [乾宫卦属金]   变     泽天夬 [坤宫卦属土]",
        "",
        "           父母壬戌土 ▅▅▅▅▅ 世 O-> 父母丁未土 ▅▅　▅▅    螣蛇",
        "           兄弟壬申金 ▅▅▅▅▅        兄弟丁酉金 ▅▅▅▅▅ 世 勾陈",
        "           官鬼壬午火 ▅▅▅▅▅        子孙丁亥水 ▅▅▅▅▅    朱雀",
        "           父母甲辰土 ▅▅▅▅▅ 应     父母甲辰土 ▅▅▅▅▅    青龙",
        "           妻财甲寅木 ▅▅▅▅▅        妻财甲寅木 ▅▅▅▅▅ 应 玄武",
        "           子孙甲子水 ▅▅▅▅▅        子孙甲子水 ▅▅▅▅▅    白虎",
        std::string(72, '-'),
        "断卦： 乾西北 父亲 乾为君兮首与马，[老阳]体至刚；",
        "[六冲卦]乾为天：乾者，健也，六龙御天之卦，广大包容之象。",
        "",
    };
    EXPECT_EQ(lines, expected);
}

TEST(Report, LineRowsInBothStyles) {
    struct Case {
        int upper, lower, moving, row;
        ReportStyle style;
        const char* text;
    };
    const Case cases[] = {
        {1, 1, 0, 0, ReportStyle::Old, "           父母壬戌土  O  世 父母丁未土 / /    螣蛇"},
        {1, 1, 0, 1, ReportStyle::Old, "           兄弟壬申金  /     兄弟丁酉金  /  世 勾陈"},
        // 天风姤 line 2 carries the hidden 妻财.
        {1, 5, 6, 4, ReportStyle::New, "妻财甲寅木 子孙辛亥水 ▅▅▅▅▅        子孙辛亥水 ▅▅▅▅▅    玄武"},
        {1, 5, 6, 4, ReportStyle::Old, "妻财甲寅木 子孙辛亥水  /     子孙辛亥水  /     玄武"},
        // An old yin line: yin bar, "X->", then the yang bar of the changed line.
        {8, 8, 5, 5, ReportStyle::New, "           兄弟乙未土 ▅▅　▅▅    X-> 妻财庚子水 ▅▅▅▅▅ 世 白虎"},
        {8, 8, 5, 5, ReportStyle::Old, "           兄弟乙未土  X     妻财庚子水  /  世 白虎"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReportLineRow(ChartOnMayDay(c.upper, c.lower, c.moving), c.row, c.style), c.text);
    }
}

TEST(Report, MemoTextAndLineBreaksInsideTexts) {
    ReportInputs inputs = kInputs;
    inputs.category.clear();
    inputs.question = "一\r\n二";
    const std::vector<std::string> lines =
        BuildReport(ChartOnMayDay(4, 8, 6), inputs, ReportStyle::Old, "2006-05-01 08:00:00");
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[1], "起卦类别:    方式:指定起卦   姓名:张三   性别:男");
    EXPECT_EQ(lines[2], "占卦内容: 一");
    EXPECT_EQ(lines[3], "二");
    EXPECT_EQ(lines[8], "           雷地予 [震宫卦属木]   变     雷地予 [震宫卦属木]");
    EXPECT_EQ(lines[17], "断卦： 震正东 长男 震卦但为龙与足，[少阳]；");
    EXPECT_EQ(lines[18], "[六合卦]雷地豫：豫者，悦也，鸾凤生雏之卦，万物发荣之象。");

    const std::string text = ReportText({"a", "", "b"});
    EXPECT_EQ(text, "a\r\n\r\nb\r\n");
}

} // namespace
} // namespace qj
