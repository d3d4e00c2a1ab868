// The calendar window with real widgets; the clock and the dialogs are the test's.

#include "calendar/ui/CnDate.h"
#include "calendar/core/DateCn.h"
#include "calendar/ui/CnCalendar.h"
#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace qj {
namespace {

using test::FakeServices;

const QString kBreak = QStringLiteral("\r\r\n");

class CnDateTest : public ::testing::Test {
protected:
    TFcnDate& open(QDate date, QTime time) {
        fake.clock.set(date, time);
        window = std::make_unique<TFcnDate>(fake.services());
        return *window;
    }
    TCnCalendar& grid() { return *window->CnCalendar1(); }
    template <class T> T* child(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void press(const char* button) { child<QToolButton>(button)->click(); }
    QComboBox* box(const char* name) { return child<QComboBox>(name); }
    QStringList items(const char* name) {
        QStringList list;
        for (int i = 0; i < box(name)->count(); ++i)
            list << box(name)->itemText(i);
        return list;
    }
    // Clicks the day's cell as the user does.
    void clickDay(int day) {
        const int place = day - grid().MonthOffset();
        const QRect cell = grid().visualRect(grid().model()->index(place / 7 + 1, place % 7));
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cell.center());
    }
    void chooseHour(int index) {
        box("ComboBox3")->setCurrentIndex(index);
        emit box("ComboBox3")->activated(index);
    }
    void lunarMode() { child<QRadioButton>("rbNL")->click(); }
    YearMonthDay shownDay() { return DecodeDate(grid().CalendarDate()); }

    test::TempProgramFolder dir;
    FakeServices fake{dir.folder()};
    std::unique_ptr<TFcnDate> window;
};

TEST_F(CnDateTest, TermDayCaptionsAfterAClickWithTheRatHour) {
    TFcnDate& w = open(QDate(2006, 5, 6), QTime(10, 15));
    // Opened on the clock's time of day: no term name yet.
    EXPECT_EQ(w.HourIndex(), 5);
    EXPECT_EQ(w.LunarCaption(), QStringLiteral("农历: 丙戌(狗) 四月初九日巳时"));
    chooseHour(0);
    clickDay(5);
    clickDay(6);
    EXPECT_EQ(shownDay(), (YearMonthDay{2006, 5, 6}));
    EXPECT_EQ(w.GregorianCaption(), QStringLiteral("公历: 2006年 5月 6日"));
    EXPECT_EQ(w.LunarCaption(), QStringLiteral("农历: 丙戌(狗) 四月初九立夏日子时"));
    EXPECT_EQ(w.PillarCaption(), QStringLiteral("丙戌 癸巳 乙未 丙子 (辰巳 空)"));
    EXPECT_TRUE(w.DayMessage().startsWith(
        QStringLiteral("公历: 2006年 5月 6日   农历: 丙戌(狗) 四月初九立夏日") + kBreak));
    EXPECT_TRUE(w.ClockLine().startsWith(QStringLiteral("现在时间: ")));
}

TEST_F(CnDateTest, BeforeTheLunarNewYearTheCaptionKeepsTheGregorianYear) {
    TFcnDate& w = open(QDate(2006, 1, 15), QTime(9, 0));
    EXPECT_TRUE(w.LunarCaption().startsWith(QStringLiteral("农历: 丙戌(狗) 蜡月十六日")));
    EXPECT_TRUE(w.PillarCaption().startsWith(QStringLiteral("乙酉 ")));
    lunarMode();
    EXPECT_EQ(box("ComboBox1")->currentText(), QStringLiteral("2005"));
    EXPECT_EQ(box("ComboBox2")->currentText(), QStringLiteral("蜡月"));
    EXPECT_EQ(box("ComboBox4")->currentText(), QStringLiteral("十六"));
}

TEST_F(CnDateTest, FestivalBarAndHint) {
    struct Case {
        QDate date;
        QString bar;
        QString hintEnd;
    };
    const Case cases[] = {
        {QDate(2006, 1, 29), QStringLiteral("  春节, 弥勒佛圣诞!"),
         kBreak + QStringLiteral("[农历] 春节, 弥勒佛圣诞!")},
        {QDate(2006, 10, 1), QStringLiteral(" 国庆节"), kBreak + QStringLiteral("[公历] 国庆节")},
    };
    for (const Case& c : cases) {
        TFcnDate& w = open(c.date, QTime(12, 0));
        EXPECT_EQ(w.FestivalBar(), c.bar) << c.date.toString().toStdString();
        EXPECT_TRUE(w.DayMessage().endsWith(c.hintEnd)) << w.DayMessage().toStdString();
    }
    // A day without festivals shows our own line, never an empty bar.
    TFcnDate& w = open(QDate(2006, 5, 2), QTime(12, 0));
    EXPECT_TRUE(w.FestivalBar().startsWith(QStringLiteral("青简札记")));
}

TEST_F(CnDateTest, LunarModeListsTheLeapMonthAfterItsNamesake) {
    open(QDate(2006, 9, 2), QTime(12, 0)); // 闰七月初十
    lunarMode();
    EXPECT_EQ(items("ComboBox2"), QStringList({"正月", "二月", "三月", "四月", "五月", "六月", "七月", "闰七",
                                               "八月", "九月", "十月", "冬月", "蜡月"}));
    EXPECT_EQ(box("ComboBox1")->currentText(), QStringLiteral("2006"));
    EXPECT_EQ(box("ComboBox2")->currentText(), QStringLiteral("闰七月"));
    EXPECT_EQ(box("ComboBox4")->count(), LeapMonthDays(2006));
    EXPECT_TRUE(window->DayMessage().startsWith(QStringLiteral("[农历]")));

    // Choosing 八月 in the list moves to 八月初十.
    const int august = box("ComboBox2")->findText(QStringLiteral("八月"));
    box("ComboBox2")->setCurrentIndex(august);
    emit box("ComboBox2")->activated(august);
    EXPECT_EQ(grid().cnMonth(), 8);
    EXPECT_EQ(grid().cnDay(), 10);
}

TEST_F(CnDateTest, LeapMonthOfThePreviousYearLeadsNowhere) {
    open(QDate(2006, 9, 2), QTime(12, 0)); // 闰七月初十
    lunarMode();
    QLineEdit* year = box("ComboBox1")->lineEdit();
    year->selectAll();
    QTest::keyClicks(year, "2007");
    // The leap month gave way to 七月 before the year changed.
    EXPECT_EQ(grid().cnYear(), 2007);
    EXPECT_EQ(grid().cnMonth(), 7);
    EXPECT_EQ(grid().cnDay(), 10);
    // The list may still offer 2006's 闰七; 2007 has no such month, so choosing it changes nothing.
    const DateTimeValue before = grid().CalendarDate();
    box("ComboBox2")->setEditText(QStringLiteral("闰七"));
    emit box("ComboBox2")->activated(7);
    EXPECT_EQ(grid().CalendarDate(), before);
}

TEST_F(CnDateTest, NextMonthInLunarModeLeavesTheLeapMonth) {
    open(QDate(2006, 8, 10), QTime(12, 0)); // 七月十七
    lunarMode();
    press("SpeedButton3");
    // The step lands on 2006-09-10 (闰七月十八) and the lunar mode moves it to 七月十八.
    EXPECT_EQ(shownDay(), (YearMonthDay{2006, 8, 11}));
    EXPECT_EQ(box("ComboBox2")->currentText(), QStringLiteral("七月"));
}

TEST_F(CnDateTest, NavigationStopsAtTheYearsOfTheTables) {
    struct Case {
        QDate start;
        const char* button;
        QDate end;
    };
    const Case cases[] = {
        {QDate(2050, 1, 15), "SpeedButton3", QDate(2050, 1, 15)},
        {QDate(2050, 1, 15), "SpeedButton4", QDate(2050, 1, 15)},
        {QDate(1901, 12, 15), "SpeedButton1", QDate(1901, 12, 15)},
        {QDate(1901, 12, 15), "SpeedButton2", QDate(1901, 12, 15)},
        {QDate(2049, 12, 15), "SpeedButton3", QDate(2050, 1, 15)},
        {QDate(1902, 1, 15), "SpeedButton2", QDate(1901, 12, 15)},
        {QDate(2006, 3, 31), "SpeedButton2", QDate(2006, 2, 28)},
        {QDate(2004, 2, 29), "SpeedButton4", QDate(2005, 2, 28)},
    };
    for (const Case& c : cases) {
        open(c.start, QTime(12, 0));
        press(c.button);
        EXPECT_EQ(shownDay(), (YearMonthDay{c.end.year(), c.end.month(), c.end.day()}))
            << c.button << " from " << c.start.toString().toStdString();
    }
}

TEST_F(CnDateTest, YearBoxTextThatIsNoNumberIsReportedAndChangesNothing) {
    open(QDate(2006, 5, 6), QTime(12, 0));
    box("ComboBox1")->setEditText(QStringLiteral("20x6"));
    fake.dialogs.answerMessage(DialogButton::Ok);
    press("SpeedButton3");
    ASSERT_EQ(fake.dialogs.calls().size(), 1u);
    EXPECT_EQ(fake.dialogs.calls()[0].text, QStringLiteral("'20x6' is not a valid integer value."));
    EXPECT_EQ(fake.dialogs.calls()[0].icon, MessageIcon::Error);
    EXPECT_EQ(shownDay(), (YearMonthDay{2006, 5, 6}));
}

TEST_F(CnDateTest, TypingInTheBoxesMovesTheDate) {
    open(QDate(2006, 5, 6), QTime(12, 0));
    QLineEdit* year = box("ComboBox1")->lineEdit();
    year->selectAll();
    QTest::keyClicks(year, "2008");
    EXPECT_EQ(shownDay(), (YearMonthDay{2008, 5, 6}));
    // A year outside the tables is ignored.
    year->selectAll();
    QTest::keyClicks(year, "2051");
    EXPECT_EQ(shownDay(), (YearMonthDay{2008, 5, 6}));

    box("ComboBox2")->setCurrentIndex(0);
    emit box("ComboBox2")->activated(0);
    EXPECT_EQ(shownDay(), (YearMonthDay{2008, 1, 6}));
    emit box("ComboBox4")->activated(30);
    EXPECT_EQ(shownDay(), (YearMonthDay{2008, 1, 31}));
}

TEST_F(CnDateTest, NowChoosesTheHourOfTheClock) {
    struct Case {
        QTime time;
        int hourIndex;
        QString lunarEnd;
    };
    const Case cases[] = {
        {QTime(0, 30), 0, QStringLiteral("日子时")}, // the 子 hour, still today
        {QTime(1, 0), 1, QStringLiteral("日丑时")},
        {QTime(12, 59), 6, QStringLiteral("日午时")},
        {QTime(22, 10), 11, QStringLiteral("日亥时")},
        {QTime(23, 30), -1, QStringLiteral("日")}, // past the last item: no hour chosen
    };
    for (const Case& c : cases) {
        TFcnDate& w = open(QDate(2006, 5, 2), QTime(6, 0));
        fake.clock.set(QDate(2006, 5, 2), c.time);
        press("SpeedButton5");
        EXPECT_EQ(w.HourIndex(), c.hourIndex) << c.time.toString().toStdString();
        EXPECT_EQ(shownDay(), (YearMonthDay{2006, 5, 2})) << c.time.toString().toStdString();
        EXPECT_TRUE(w.LunarCaption().endsWith(QStringLiteral("四月初五") + c.lunarEnd))
            << w.LunarCaption().toStdString();
    }
}

TEST_F(CnDateTest, DoubleClicksShowTheMessageAndCopyThePillars) {
    TFcnDate& w = open(QDate(2006, 1, 29), QTime(12, 0));
    fake.dialogs.answerMessage(DialogButton::Ok);
    QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(fake.dialogs.calls().size(), 1u);
    EXPECT_EQ(fake.dialogs.calls()[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(fake.dialogs.calls()[0].text, w.DayMessage());

    QApplication::clipboard()->clear();
    QWidget* pillars = child<QWidget>("pnlGanZi");
    QTest::mouseDClick(pillars, Qt::LeftButton, {}, pillars->rect().center());
    EXPECT_EQ(QApplication::clipboard()->text(), w.PillarCaption());
}

TEST_F(CnDateTest, ClosingHidesAndTheDivinationButtonHandsOver) {
    TFcnDate& w = open(QDate(2006, 5, 6), QTime(12, 0));
    w.show();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isHidden());

    int handed = 0;
    w.setDivinationHook([&] {
        ++handed;
        EXPECT_TRUE(w.isVisible()); // the hook runs before the window hides
    });
    w.show();
    press("btn1");
    EXPECT_EQ(handed, 1);
    EXPECT_TRUE(w.isHidden());

    w.show();
    press("btn2");
    EXPECT_TRUE(w.isHidden());

    w.show();
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isHidden());

    child<QCheckBox>("chk2")->setChecked(true);
    EXPECT_NEAR(w.windowOpacity(), 125.0 / 255.0, 0.01);
    child<QCheckBox>("chk2")->setChecked(false);
    EXPECT_DOUBLE_EQ(w.windowOpacity(), 1.0);
}

TEST_F(CnDateTest, GridTakesClicksOnDaysOnly) {
    open(QDate(2006, 4, 10), QTime(12, 0)); // April 2006: row 1 holds only the 1st, in column 6
    grid().resize(490, 350);
    const QRect empty = grid().visualRect(grid().model()->index(1, 0));
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, empty.center());
    EXPECT_EQ(shownDay(), (YearMonthDay{2006, 4, 10}));
    clickDay(20);
    EXPECT_EQ(shownDay(), (YearMonthDay{2006, 4, 20}));
    // The arrow keys move between days.
    QTest::keyClick(&grid(), Qt::Key_Right);
    EXPECT_EQ(shownDay(), (YearMonthDay{2006, 4, 21}));
    grid().setReadOnly(true);
    clickDay(5);
    EXPECT_EQ(shownDay(), (YearMonthDay{2006, 4, 21}));
}

} // namespace
} // namespace qj
