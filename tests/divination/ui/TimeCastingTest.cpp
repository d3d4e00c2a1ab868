// Time casting from the calendar's day and hour, and what the toolbar and the calendar's
// 显示排卦 clear.

#include "DivinationFixture.h"

#include "common/DateTime.h"

#include <QLabel>
#include <QToolButton>

namespace qj::test {
namespace {

using TimeCastingTest = DivinationTest;

TEST_F(TimeCastingTest, CastsFromTheCalendarDayAndHourByYearStemOrBranch) {
    // 2006-05-01 is 丙戌 year (stem 丙 = 3, branch 戌 = 11), lunar 四月初四, a 庚 day.
    // Branch: 11 + 4 + 4 = 19 → 离 above; no hour: 19 → 离 below, 19 mod 6 = 1 (line 5);
    //         午时 (H = 7): 26 → 兑 below, 26 mod 6 = 2 (line 4).
    // Stem:   3 + 4 + 4 = 11 → 离 above; no hour: 11 → 离, 11 mod 6 = 5 (line 1);
    //         午时: 18 → 兑, 18 mod 6 = 0 (line 6).
    struct Case {
        const char* action;
        int hourIndex;
        const char* method;
        const char* hexagram;
        int movingRow;
        const char* movingMark;
    } cases[] = {
        {"actYearBranch", -1, "时间起卦[年支]", "离为火", 1, " X "},
        {"actYearStem", -1, "时间起卦[年干]", "离为火", 5, " O "},
        {"actYearBranch", 6, "时间起卦[年支]", "火泽睽", 2, " O "},
        {"actYearStem", 6, "时间起卦[年干]", "火泽睽", 0, " O "},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.action << " " << c.hourIndex);
        pickInCalendar(EncodeDate(2006, 5, 1), c.hourIndex);
        window->btnTimeClick();
        action(c.action)->trigger();
        EXPECT_EQ(methodText(), QString::fromUtf8(c.method));
        EXPECT_TRUE(child<QLabel>("lblPrimary")->text().startsWith(QString::fromUtf8(c.hexagram)));
        const std::vector<QString> lines = column("lstLines");
        for (int row = 0; row < kChartRows; ++row)
            EXPECT_EQ(lines[row] == QString::fromUtf8(c.movingMark), row == c.movingRow) << row;
        // The day's stem gives the spirits: a 庚 day starts line 1 with 白虎.
        EXPECT_EQ(column("lstSpirits")[5], QStringLiteral("白虎"));
        EXPECT_TRUE(child<QLabel>("lblGregorian")->text().contains(QStringLiteral("2006年 5月 1日")));
        EXPECT_TRUE(child<QLabel>("lblPillar")->text().startsWith(QStringLiteral("丙戌年 壬辰月 庚寅日")));
        EXPECT_EQ(child<QLabel>("lblLunar")->text().endsWith(QStringLiteral("午时")), c.hourIndex == 6);
    }
    EXPECT_TRUE(fake.dialogs.calls().empty());
}

TEST_F(TimeCastingTest, EveryColumnShowsItsPartOfTheChart) {
    open();
    window->btnTimeClick();
    action("actYearBranch")->trigger();
    const CastResult expected =
        CastByTime(ChartState{}, TimeVariant::YearBranch, EncodeDate(2006, 5, 1), /*hourIndex=*/-1);
    const struct {
        const char* name;
        const ChartColumn& rows;
    } columns[] = {
        {"lstHiddenRelatives", expected.chart.hiddenRelatives},
        {"lstHiddenNajia", expected.chart.hiddenNajia},
        {"lstRelatives", expected.chart.relatives},
        {"lstNajia", expected.chart.najia},
        {"lstLines", expected.chart.lines},
        {"lstShiYing", expected.chart.shiYing},
        {"lstChangedRelatives", expected.chart.changedRelatives},
        {"lstChangedNajia", expected.chart.changedNajia},
        {"lstChangedLines", expected.chart.changedLines},
        {"lstChangedShiYing", expected.chart.changedShiYing},
        {"lstSpirits", expected.chart.spirits},
    };
    for (const auto& c : columns) {
        SCOPED_TRACE(c.name);
        const std::vector<QString> shown = column(c.name);
        for (int row = 0; row < kChartRows; ++row)
            EXPECT_EQ(shown[row], QString::fromStdString(c.rows[row])) << row;
    }
    EXPECT_EQ(child<QLabel>("lblChanged")->text(),
              QString::fromStdString(expected.chart.changedLabel.caption));
    EXPECT_EQ(child<QLabel>("lblShensha")->text(), QString::fromStdString(expected.chart.shensha));
    EXPECT_EQ(child<QLabel>("lblLunar")->text(), QString::fromStdString(expected.chart.dates.lunar));
}

// The toolbar's time button starts afresh; the calendar's 显示排卦 keeps the chosen combos
// but, being a new chart, drops the report written for the old one.
TEST_F(TimeCastingTest, TheToolbarClearsTheChosenCombosAndTheReportTheCalendarOnlyTheReport) {
    open();
    auto fill = [&] {
        child<QComboBox>("cbbUpper")->setCurrentIndex(1);
        child<QPlainTextEdit>("mmoReport")->setPlainText(QStringLiteral("旧的断卦"));
    };
    fill();
    window->btnTimeClick();
    EXPECT_EQ(child<QComboBox>("cbbUpper")->currentText(), QString());
    EXPECT_EQ(memoText(), QString());

    fill();
    window->showFromCalendar();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(methodText(), QStringLiteral("时间起卦[年支]"));
    EXPECT_TRUE(child<QLabel>("lblPrimary")->text().startsWith(QStringLiteral("离为火")));
    EXPECT_EQ(child<QComboBox>("cbbUpper")->currentText(), QStringLiteral("2 兑泽"));
    EXPECT_EQ(memoText(), QString());
}

// Late at night the calendar opens on the 子 hour that began at 23:00, and the casting from it
// counts that hour: 2006-05-01 (a 庚 day) at 23:30 gives the 戊子 hour of the next day's stem and
// H = 1, not the chart of a day without an hour.
TEST_F(TimeCastingTest, ACastingAtHalfPastElevenUsesTheZiHour) {
    open();
    fake.clock.set(QDate(2006, 5, 1), QTime(23, 30));
    calendarWindow->findChild<QToolButton*>(QStringLiteral("SpeedButton5"))->click();
    ASSERT_EQ(calendarWindow->HourIndex(), 0);
    window->showFromCalendar();
    const CastResult withHour = CastByTime(ChartState{}, TimeVariant::YearBranch,
                                           EncodeDateTime(2006, 5, 1, 23, 30, 0), /*hourIndex=*/0);
    const CastResult withoutHour =
        CastByTime(ChartState{}, TimeVariant::YearBranch, EncodeDate(2006, 5, 1), /*hourIndex=*/-1);
    ASSERT_NE(withHour.chart.lines, withoutHour.chart.lines);
    const std::vector<QString> lines = column("lstLines");
    for (int row = 0; row < kChartRows; ++row)
        EXPECT_EQ(lines[row], QString::fromStdString(withHour.chart.lines[row])) << row;
    EXPECT_TRUE(child<QLabel>("lblPillar")->text().contains(QStringLiteral("庚寅日 戊子时")))
        << child<QLabel>("lblPillar")->text().toStdString();
    EXPECT_TRUE(child<QLabel>("lblLunar")->text().endsWith(QStringLiteral("子时")));
    EXPECT_TRUE(fake.dialogs.calls().empty());
}

} // namespace
} // namespace qj::test
