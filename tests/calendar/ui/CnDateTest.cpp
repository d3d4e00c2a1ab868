// The calendar window with real widgets; the clock and the dialogs are the test's.

#include "calendar/ui/CnDate.h"
#include "calendar/core/DateCn.h"
#include "calendar/ui/CnCalendar.h"
#include "calendar/ui/DayExtraPanel.h"
#include "calendar/ui/DueReminders.h"
#include "calendar/ui/QtDateTime.h"
#include "calendar/ui/ReminderWindow.h"
#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <map>
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

// The month list offers the leap month of the year shown, also after the year changed, and the
// day list the days of the month shown; a choice the calendar cannot take is not left in the box.
TEST_F(CnDateTest, ListsOfferWhatTheShownYearAndMonthHold) {
    open(QDate(2006, 9, 2), QTime(12, 0)); // 闰七月初十
    lunarMode();
    QLineEdit* year = box("ComboBox1")->lineEdit();
    year->selectAll();
    QTest::keyClicks(year, "2025");
    // The leap month gave way to 七月 before the year changed.
    EXPECT_EQ(grid().cnYear(), 2025);
    EXPECT_EQ(grid().cnMonth(), 7);
    EXPECT_EQ(grid().cnDay(), 10);
    QStringList leaps = items("ComboBox2").filter(QStringLiteral("闰"));
    EXPECT_EQ(leaps, QStringList{QStringLiteral("闰六")}) << "2025 has 闰六, not 2006's 闰七";
    EXPECT_EQ(items("ComboBox2").indexOf(QStringLiteral("闰六")), 6);
    year->selectAll();
    QTest::keyClicks(year, "2007");
    EXPECT_TRUE(items("ComboBox2").filter(QStringLiteral("闰")).isEmpty()) << "2007 has no leap month";
    EXPECT_EQ(items("ComboBox2").size(), 12);

    // A leap month typed that the year lacks changes nothing and the box shows the date again.
    const DateTimeValue before = grid().CalendarDate();
    QLineEdit* month = box("ComboBox2")->lineEdit();
    month->selectAll();
    QTest::keyClicks(month, "x");
    month->setText(QStringLiteral("闰七"));
    emit month->editingFinished();
    EXPECT_EQ(grid().CalendarDate(), before);
    EXPECT_EQ(box("ComboBox2")->currentText(), QStringLiteral("七月"));

    // Gregorian days follow the month: February 2006 offers 28, 2004 29, March 31.
    child<QRadioButton>("rbGL")->click();
    struct Case {
        QDate date;
        int days;
    };
    for (const Case& c : {Case{QDate(2006, 2, 10), 28}, Case{QDate(2004, 2, 10), 29},
                          Case{QDate(2006, 3, 10), 31}, Case{QDate(2006, 4, 10), 30}}) {
        grid().MoveToDate(ToDateTimeValue(c.date.startOfDay()));
        EXPECT_EQ(box("ComboBox4")->count(), c.days) << c.date.toString().toStdString();
    }
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

// The buttons look disabled where they cannot step; elsewhere all four are enabled.
TEST_F(CnDateTest, NavigationButtonsAreDisabledAtTheLimits) {
    struct Case {
        QDate date;
        bool back, forward;
    };
    const Case cases[] = {{QDate(1901, 1, 1), false, true},  {QDate(1901, 12, 31), false, true},
                          {QDate(1902, 1, 1), true, true},   {QDate(2006, 5, 6), true, true},
                          {QDate(2049, 12, 31), true, true}, {QDate(2050, 1, 1), true, false},
                          {QDate(2050, 12, 31), true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.toString().toStdString());
        open(c.date, QTime(12, 0));
        EXPECT_EQ(child<QToolButton>("SpeedButton1")->isEnabled(), c.back);
        EXPECT_EQ(child<QToolButton>("SpeedButton2")->isEnabled(), c.back);
        EXPECT_EQ(child<QToolButton>("SpeedButton3")->isEnabled(), c.forward);
        EXPECT_EQ(child<QToolButton>("SpeedButton4")->isEnabled(), c.forward);
    }
    // They follow the date as it moves.
    open(QDate(2049, 12, 15), QTime(12, 0));
    press("SpeedButton3");
    EXPECT_FALSE(child<QToolButton>("SpeedButton3")->isEnabled());
    press("SpeedButton2");
    EXPECT_TRUE(child<QToolButton>("SpeedButton3")->isEnabled());
}

// The page keys in the grid keep to 1901-01 … 2050-12 as the buttons do.
TEST_F(CnDateTest, PageKeysInTheGridStopAtTheCalendarsYears) {
    struct Case {
        QDate start;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QDate end;
    };
    const Case cases[] = {
        {QDate(2050, 12, 15), Qt::Key_PageDown, Qt::NoModifier, QDate(2050, 12, 15)},
        {QDate(2050, 11, 15), Qt::Key_PageDown, Qt::NoModifier, QDate(2050, 12, 15)},
        {QDate(2050, 1, 15), Qt::Key_PageDown, Qt::ControlModifier, QDate(2050, 1, 15)},
        {QDate(2049, 12, 15), Qt::Key_PageDown, Qt::ControlModifier, QDate(2050, 12, 15)},
        {QDate(1901, 1, 15), Qt::Key_PageUp, Qt::NoModifier, QDate(1901, 1, 15)},
        {QDate(1901, 2, 15), Qt::Key_PageUp, Qt::NoModifier, QDate(1901, 1, 15)},
        {QDate(1901, 12, 15), Qt::Key_PageUp, Qt::ControlModifier, QDate(1901, 12, 15)},
        {QDate(1902, 1, 15), Qt::Key_PageUp, Qt::ControlModifier, QDate(1901, 1, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start.toString().toStdString());
        TFcnDate& w = open(c.start, QTime(12, 0));
        QTest::keyClick(&grid(), c.key, c.modifiers);
        EXPECT_EQ(shownDay(), (YearMonthDay{c.end.year(), c.end.month(), c.end.day()}));
        EXPECT_TRUE(w.LunarCaption().startsWith(QStringLiteral("农历: "))) << w.LunarCaption().toStdString();
    }
    // Held down from 2050-12 nothing moves, and the captions stay right.
    TFcnDate& w = open(QDate(2050, 12, 15), QTime(12, 0));
    const QString pillars = w.PillarCaption();
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(&grid(), Qt::Key_PageDown);
    EXPECT_EQ(shownDay(), (YearMonthDay{2050, 12, 15}));
    EXPECT_EQ(w.PillarCaption(), pillars);
}

TEST_F(CnDateTest, YearBoxTextThatIsNoNumberIsReportedAndChangesNothing) {
    open(QDate(2006, 5, 6), QTime(12, 0));
    box("ComboBox1")->setEditText(QStringLiteral("20x6"));
    fake.dialogs.answerMessage(DialogButton::Ok);
    press("SpeedButton3");
    ASSERT_EQ(fake.dialogs.calls().size(), 1u);
    EXPECT_EQ(fake.dialogs.calls()[0].text,
              QStringLiteral("“20x6”不是年份：请输入 1901 到 2050 之间的年份数字 !"));
    EXPECT_EQ(fake.dialogs.calls()[0].icon, MessageIcon::Error);
    EXPECT_EQ(shownDay(), (YearMonthDay{2006, 5, 6}));
    EXPECT_EQ(box("ComboBox1")->currentText(), QStringLiteral("2006")) << "the box shows the date again";
}

TEST_F(CnDateTest, TypingInTheBoxesMovesTheDate) {
    open(QDate(2006, 5, 6), QTime(12, 0));
    QLineEdit* year = box("ComboBox1")->lineEdit();
    year->selectAll();
    QTest::keyClicks(year, "2008");
    EXPECT_EQ(shownDay(), (YearMonthDay{2008, 5, 6}));

    box("ComboBox2")->setCurrentIndex(0);
    emit box("ComboBox2")->activated(0);
    EXPECT_EQ(shownDay(), (YearMonthDay{2008, 1, 6}));
    emit box("ComboBox4")->activated(30);
    EXPECT_EQ(shownDay(), (YearMonthDay{2008, 1, 31}));

    // Typed months and days count once they can mean nothing else.
    QLineEdit* month = box("ComboBox2")->lineEdit();
    month->selectAll();
    QTest::keyClicks(month, "1");
    EXPECT_EQ(shownDay(), (YearMonthDay{2008, 1, 31})) << "\"1\" may still become 10, 11 or 12";
    QTest::keyClicks(month, "1");
    EXPECT_EQ(shownDay(), (YearMonthDay{2008, 11, 30}));
    QLineEdit* day = box("ComboBox4")->lineEdit();
    day->selectAll();
    QTest::keyClicks(day, "9");
    EXPECT_EQ(shownDay(), (YearMonthDay{2008, 11, 9}));
}

// A rejected entry (not a number, outside the calendar's years, no such month or day) changes
// nothing and gives the box back the shown date when the user leaves it.
TEST_F(CnDateTest, RejectedEntriesGiveTheBoxBackTheShownDate) {
    struct Case {
        const char* box;
        const char* typed;
        bool reported;
    };
    const Case cases[] = {
        {"ComboBox1", "2051", false}, {"ComboBox1", "1900", false}, {"ComboBox1", "-5", false},
        {"ComboBox1", "abc", true},   {"ComboBox2", "13", false},   {"ComboBox2", "0", false},
        {"ComboBox2", "x", false},    {"ComboBox4", "32", false},   {"ComboBox4", "31", false},
        {"ComboBox4", "-1", false},
    };
    const QString shown[] = {QStringLiteral("2006"), QStringLiteral("4"), QStringLiteral("30")};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.typed);
        open(QDate(2006, 4, 30), QTime(12, 0));
        fake.dialogs.clearCalls();
        if (c.reported)
            fake.dialogs.answerMessage(DialogButton::Ok);
        QLineEdit* edit = box(c.box)->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, c.typed);
        emit edit->editingFinished();
        EXPECT_EQ(shownDay(), (YearMonthDay{2006, 4, 30}));
        EXPECT_EQ(box("ComboBox1")->currentText(), shown[0]);
        EXPECT_EQ(box("ComboBox2")->currentText(), shown[1]);
        EXPECT_EQ(box("ComboBox4")->currentText(), shown[2]);
        EXPECT_EQ(fake.dialogs.calls().size(), c.reported ? 1u : 0u);
    }
}

// The other side of the year box's limits: the calendar's first and last years are taken, in both
// modes, whether typed to the end or left with the box.
TEST_F(CnDateTest, TheYearBoxTakesTheFirstAndTheLastYear) {
    struct Case {
        const char* typed;
        bool lunar;
        bool leaveBox;
        int year;
    };
    const Case cases[] = {
        {"1901", false, false, 1901}, {"2050", false, false, 2050}, {"1901", false, true, 1901},
        {"2050", false, true, 2050},  {"1901", true, true, 1901},   {"2050", true, true, 2050},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.lunar ? " lunar" : "") + (c.leaveBox ? " left" : ""));
        open(QDate(2006, 4, 30), QTime(12, 0));
        if (c.lunar)
            lunarMode();
        QLineEdit* edit = box("ComboBox1")->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, c.typed);
        if (c.leaveBox)
            emit edit->editingFinished();
        const int shownYear = c.lunar ? LunarYearOf(grid().CalendarDate()) : shownDay().year;
        EXPECT_EQ(shownYear, c.year);
        EXPECT_EQ(box("ComboBox1")->currentText(), QString::fromLatin1(c.typed));
        EXPECT_TRUE(fake.dialogs.calls().empty());
    }
}

TEST_F(CnDateTest, NowChoosesTheHourOfTheClock) {
    struct Case {
        QTime time;
        int hourIndex;
        QString lunarEnd;
    };
    const Case cases[] = {
        {QTime(0, 30), 0, QStringLiteral("日子时")}, // the 子 hour, still today
        {QTime(1, 0), 1, QStringLiteral("日丑时")},    {QTime(12, 59), 6, QStringLiteral("日午时")},
        {QTime(22, 10), 11, QStringLiteral("日亥时")}, {QTime(22, 59), 11, QStringLiteral("日亥时")},
        {QTime(23, 0), 0, QStringLiteral("日子时")}, // the 子 hour from 23:00, the date stays
        {QTime(23, 30), 0, QStringLiteral("日子时")},  {QTime(23, 59), 0, QStringLiteral("日子时")},
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
    // At 23:30 on 辛卯 day the hour pillar is the 子 hour that starts at 23:00 (庚子, from the next
    // day's stem), not the 戊子 that began the day.
    TFcnDate& late = open(QDate(2006, 5, 2), QTime(23, 30));
    EXPECT_EQ(late.HourIndex(), 0);
    EXPECT_TRUE(late.PillarCaption().contains(QStringLiteral(" 辛卯 庚子 ")))
        << late.PillarCaption().toStdString();
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

// The window keeps one size whatever it shows: the longest captions (a leap month's term day in
// lunar mode, every hour) fit whole, nothing widens it, and every grid row holds two text lines.
TEST_F(CnDateTest, TheWindowKeepsOneSizeAndShowsItsCaptionsWhole) {
    TFcnDate& w = open(QDate(2006, 8, 20), QTime(12, 0));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QSize size = w.size();
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    lunarMode();
    auto* lunar = child<QRadioButton>("rbNL");
    auto* gregorian = child<QRadioButton>("rbGL");
    bool sawLeapTerm = false;
    for (QDate day(2006, 8, 20); day <= QDate(2006, 9, 30); day = day.addDays(1)) {
        grid().MoveToDate(EncodeDate(day.year(), day.month(), day.day()));
        for (int hour : {0, 6, 11}) {
            chooseHour(hour);
            QCoreApplication::processEvents();
            SCOPED_TRACE(w.LunarCaption().toStdString());
            EXPECT_EQ(w.size(), size);
            EXPECT_GE(lunar->width(), lunar->sizeHint().width());
            EXPECT_GE(gregorian->width(), gregorian->sizeHint().width());
        }
        sawLeapTerm |= w.LunarCaption().contains(QStringLiteral("闰七月十六白露"));
    }
    EXPECT_TRUE(sawLeapTerm);
    const int line = QFontMetrics(grid().font()).height();
    for (int row = 1; row < grid().model()->rowCount(); ++row)
        EXPECT_GE(grid().visualRect(grid().model()->index(row, 0)).height(), 2 * line) << row;
}

// Where each named control of the window lies, relative to the window (the strip and the panel
// of the day's extras left out).
std::map<QString, QRect> Placement(QWidget& w) {
    std::map<QString, QRect> places;
    const QWidget* panel = w.findChild<QWidget*>(QStringLiteral("pnlDayExtra"));
    for (QWidget* child : w.findChildren<QWidget*>())
        if (!child->objectName().isEmpty() && child->isVisibleTo(&w) && child != panel &&
            !panel->isAncestorOf(child) && child->objectName() != QStringLiteral("btnDayExtra"))
            places[child->objectName()] = QRect(child->mapTo(&w, QPoint(0, 0)), child->size());
    return places;
}

// The button at the right end of the navigation bar opens the day's extras beside the window and
// closes them again: closed, the window is the body alone; it grows to the right and back, and
// nothing else moves or changes its size. The grid marks the shipped arrangements' 休 and 班 days.
TEST_F(CnDateTest, TheDayExtrasOpenBesideTheWindowAndNothingMoves) {
    ASSERT_TRUE(dir.copyFromBuild(QStringLiteral("holidays.txt")));
    TFcnDate& w = open(QDate(2024, 2, 10), QTime(12, 0));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QSize closed = w.size();
    EXPECT_EQ(closed, w.findChild<QWidget*>(QStringLiteral("pnlBody"))->size());
    const std::map<QString, QRect> places = Placement(w);
    const QRect opener(w.findChild<QWidget*>(QStringLiteral("btnDayExtra"))->mapTo(&w, QPoint(0, 0)),
                       w.findChild<QWidget*>(QStringLiteral("btnDayExtra"))->size());
    const QRect bar = places.at(QStringLiteral("pnl2"));
    EXPECT_TRUE(bar.contains(opener));
    for (const char* left : {"ComboBox3", "SpeedButton5"})
        EXPECT_LT(places.at(QString::fromLatin1(left)).right(), opener.left()) << left;
    EXPECT_FALSE(w.dayExtraShown());
    press("btnDayExtra");
    QCoreApplication::processEvents();
    ASSERT_TRUE(w.dayExtraShown());
    EXPECT_EQ(child<QToolButton>("btnDayExtra")->text(), QStringLiteral("详情◂"));
    EXPECT_GT(w.width(), closed.width());
    EXPECT_EQ(w.height(), closed.height());
    EXPECT_EQ(Placement(w), places);
    const DayExtraPanel& panel = *w.dayExtraPanel();
    EXPECT_EQ(panel.lineText(QStringLiteral("假日")), QStringLiteral("休 春节（放假）"));
    EXPECT_EQ(panel.lineText(QStringLiteral("纳音")),
              QStringLiteral("年覆灯火　月炉中火　日覆灯火　时路旁土"));
    EXPECT_EQ(panel.lineText(QStringLiteral("值神")), QStringLiteral("金匮（黄道）"));
    EXPECT_EQ(grid().CellHoliday(0, 2)->kind, DayOff::Work); // Sunday 4 February
    EXPECT_EQ(grid().CellHoliday(1, 2), nullptr);
    struct Term {
        QDate day;
        const char* line;
    };
    for (const Term& t : {Term{QDate(2006, 5, 5), "立夏 23:30（历表记在 5月6日）"},
                          Term{QDate(2006, 5, 6), "立夏（历表）；交节 5月5日 23:30"},
                          Term{QDate(2006, 5, 7), "—"}, Term{QDate(2024, 2, 4), "立春 16:26"}}) {
        grid().MoveToDate(EncodeDate(t.day.year(), t.day.month(), t.day.day()));
        EXPECT_EQ(panel.lineText(QStringLiteral("节气")), QString::fromUtf8(t.line)) << t.line;
    }
    grid().MoveToDate(EncodeDate(2024, 2, 10));
    press("btnDayExtra");
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.dayExtraShown());
    EXPECT_EQ(child<QToolButton>("btnDayExtra")->text(), QStringLiteral("详情▸"));
    EXPECT_EQ(w.size(), closed);
    for (const auto& [name, place] : Placement(w))
        EXPECT_EQ(place, places.at(name)) << name.toStdString() << " " << w.LunarCaption().toStdString();
}

// A faulty holiday file of the data folder is named once, when the window is first shown, and
// changes nothing; a sound one adds its year.
TEST_F(CnDateTest, FaultyHolidayFilesAreNamedAtTheFirstShow) {
    ASSERT_TRUE(dir.copyFromBuild(QStringLiteral("holidays.txt")));
    ASSERT_TRUE(dir.writeFile(QStringLiteral("holidays-2024.txt"),
                              "year 2024\n2024-02-10 休 春节\n2024-02-31 班 春节\n"));
    ASSERT_TRUE(dir.writeFile(QStringLiteral("holidays-2027.txt"), "year 2027\n2027-02-06 休 春节\n"));
    TFcnDate& w = open(QDate(2024, 2, 10), QTime(12, 0));
    EXPECT_TRUE(fake.dialogs.calls().empty());
    fake.dialogs.answerMessage(DialogButton::Ok);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_EQ(fake.dialogs.calls().size(), 1u);
    EXPECT_EQ(fake.dialogs.calls()[0].caption, QStringLiteral("节假日文件"));
    EXPECT_EQ(fake.dialogs.calls()[0].text,
              QStringLiteral("节假日文件 holidays-2024.txt 有误，未采用：第3行：日期“2024-02-31”不对（应写作 "
                             "YYYY-MM-DD，且确有这一天）"));
    w.hide();
    w.show();
    EXPECT_EQ(fake.dialogs.calls().size(), 1u);
    EXPECT_EQ(w.holidays().year(2024)->size(), 38u);
    EXPECT_EQ(w.holidays().year(2027)->size(), 1u);
}

// 纪念日 of the data folder: marked in the grid, named in the extras and, when due, in a window
// of their own; the 纪念日 window adds, changes and deletes them in the file.
TEST_F(CnDateTest, RemindersMarkedNamedAndEdited) {
    ASSERT_TRUE(dir.writeFile(QStringLiteral("reminders.txt"),
                              "a\t农历\t1\t1\t闰月\t廿九\t2月28日\t0\t新年\t\n"
                              "b\t公历\t2\t12\t闰月\t廿九\t2月28日\t2\t外婆生日\t带蛋糕\n"
                              "c\t公历\t2\t13\t闰月\t廿九\t2月28日\t2\t还早\t\n"));
    TFcnDate& w = open(QDate(2024, 2, 10), QTime(12, 0));
    QSignalSpy due(&w, &TFcnDate::remindersDue);
    ASSERT_TRUE(w.showDueReminders());
    ASSERT_EQ(due.size(), 1);
    EXPECT_EQ(due[0][0].toString(), w.dueRemindersWindow()->text());
    // In the middle of the screen, not in the corner of a hidden calendar window.
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((w.dueRemindersWindow()->geometry().center() - middle).manhattanLength(), 8);
    EXPECT_EQ(w.dueRemindersWindow()->text(),
              QStringLiteral("今天　新年（农历正月初一）\n"
                             "2 天后（2月12日）　外婆生日（公历2月12日）　带蛋糕"));
    EXPECT_TRUE(grid().CellHasReminder(6, 2));  // Saturday 10 February
    EXPECT_FALSE(grid().CellHasReminder(5, 2)); // Friday 9 February
    w.showDayExtra(true);
    EXPECT_EQ(w.dayExtraPanel()->lineText(QStringLiteral("纪念日")), QStringLiteral("新年（农历正月初一）"));

    w.showReminders();
    TFReminders& r = *w.remindersWindow();
    r.findChild<QLineEdit*>(QStringLiteral("edtTitle"))->setText(QStringLiteral("闰月生日"));
    r.findChild<QSpinBox*>(QStringLiteral("spnMonth"))->setValue(4);
    r.findChild<QCheckBox*>(QStringLiteral("chkLeap"))->setChecked(true);
    r.findChild<QSpinBox*>(QStringLiteral("spnDay"))->setValue(8);
    r.addClick();
    ASSERT_EQ(w.reminderStore().reminders().size(), 4u);
    EXPECT_TRUE(dir.readFile(QStringLiteral("reminders.txt"))
                    .contains("\t农历\t闰4\t8\t闰月\t廿九\t2月28日\t0\t闰月生日\t\n"));
    r.findChild<QListWidget*>(QStringLiteral("lstReminders"))->setCurrentRow(0);
    r.deleteClick();
    EXPECT_EQ(w.reminderStore().reminders().size(), 3u);
    EXPECT_FALSE(grid().CellHasReminder(6, 2));
    EXPECT_FALSE(dir.readFile(QStringLiteral("reminders.txt")).contains("新年"));
    EXPECT_TRUE(fake.dialogs.calls().empty());
    ASSERT_TRUE(w.showDueReminders()); // 外婆生日 still
    fake.clock.set(QDate(2024, 2, 15), QTime(0, 0, 5));
    EXPECT_FALSE(w.showDueReminders());
    EXPECT_EQ(due.size(), 2); // nothing due, nothing sent
}

// At midnight the window names the new day's 纪念日 by itself, and again the midnight after.
TEST_F(CnDateTest, DueRemindersComeAtMidnight) {
    ASSERT_TRUE(dir.writeFile(QStringLiteral("reminders.txt"),
                              "a\t公历\t2\t10\t闰月\t廿九\t2月28日\t0\t节日\t\n"
                              "b\t公历\t2\t11\t闰月\t廿九\t2月28日\t0\t次日\t\n"));
    TFcnDate& w = open(QDate(2024, 2, 9), QTime(23, 59, 59)); // the timer is set for 2 s from now
    QSignalSpy due(&w, &TFcnDate::remindersDue);
    fake.clock.set(QDate(2024, 2, 10), QTime(0, 0, 1));
    ASSERT_TRUE(due.wait(5000));
    EXPECT_EQ(due[0][0].toString(), QStringLiteral("今天　节日（公历2月10日）"));
    EXPECT_TRUE(w.dueRemindersWindow()->isVisible());
    const QTimer* next = w.findChild<QTimer*>(QStringLiteral("tmrMidnight"));
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->isActive());
    EXPECT_NEAR(next->remainingTime(), 86'400'000, 5'000); // the next midnight
}

// A faulty 纪念日 file is named at the first show and never written over.
TEST_F(CnDateTest, AFaultyReminderFileIsKept) {
    const QByteArray bad = "a\t农历\t1\t31\t闰月\t廿九\t2月28日\t0\t新年\t\n";
    ASSERT_TRUE(dir.writeFile(QStringLiteral("reminders.txt"), bad));
    TFcnDate& w = open(QDate(2024, 2, 10), QTime(12, 0));
    fake.dialogs.answerMessage(DialogButton::Ok);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_EQ(fake.dialogs.calls().size(), 1u);
    EXPECT_TRUE(fake.dialogs.calls()[0].text.contains(QStringLiteral("第1行：没有“农历1月31日”这个日子")));
    w.showReminders();
    w.remindersWindow()->findChild<QLineEdit*>(QStringLiteral("edtTitle"))->setText(QStringLiteral("新"));
    fake.dialogs.answerMessage(DialogButton::Ok);
    w.remindersWindow()->addClick();
    EXPECT_EQ(fake.dialogs.calls().size(), 2u);
    EXPECT_EQ(dir.readFile(QStringLiteral("reminders.txt")), bad);
    EXPECT_TRUE(w.reminderStore().reminders().empty());
}

} // namespace
} // namespace qj
