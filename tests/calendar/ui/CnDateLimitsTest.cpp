// The calendar window keeps its date inside 1901-01-01 … 2050-12-31 in both modes, and the day
// box takes only the days the shown month has.

#include "calendar/core/DateCn.h"
#include "calendar/ui/CnCalendar.h"
#include "calendar/ui/CnDate.h"
#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

namespace qj {
namespace {

class CnDateLimitsTest : public ::testing::Test {
protected:
    void open(QDate date, bool lunar) {
        fake.clock.set(date, QTime(12, 0));
        window = std::make_unique<TFcnDate>(fake.services());
        if (lunar)
            child<QRadioButton>("rbNL")->click();
    }
    template <class T> T* child(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QComboBox* box(const char* name) { return child<QComboBox>(name); }
    QToolButton* button(const char* name) { return child<QToolButton>(name); }
    // Chooses an item of a box by its text, as the drop-down list does.
    void choose(const char* name, const QString& text) {
        const int index = box(name)->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box(name)->setCurrentIndex(index);
        emit box(name)->activated(index);
    }
    // Types into a box's line as the keyboard (or an input method) does, then leaves it or not.
    void type(const char* name, const QString& text, bool leave) {
        QLineEdit* edit = box(name)->lineEdit();
        edit->setFocus();
        edit->setText(text);
        emit edit->textEdited(text);
        if (leave)
            emit edit->editingFinished();
    }
    QDate shown() {
        const YearMonthDay d = DecodeDate(window->CnCalendar1()->CalendarDate());
        return {d.year, d.month, d.day};
    }

    test::TempProgramFolder dir;
    test::FakeServices fake{dir.folder()};
    std::unique_ptr<TFcnDate> window;
};

// In lunar mode the year box shows the lunar year: 2050-01-10 is still 2049 蜡月, 2050-12-20 is
// 2050 冬月初七 (that 冬月 runs into 2051 from its 十九 on). Every step that would leave 2050 does
// nothing; the same steps a little earlier are taken.
TEST_F(CnDateLimitsTest, LunarModeKeepsTheDateInsideTheCalendarsYears) {
    const struct {
        const char* what;
        QDate start;
        std::function<void()> act;
        QDate end;
    } cases[] = {
        {"▶▶ from 2049 蜡月", QDate(2050, 1, 10), [&] { button("SpeedButton4")->click(); },
         QDate(2050, 1, 10)},
        {"▶▶ a year earlier", QDate(2049, 1, 10), [&] { button("SpeedButton4")->click(); },
         QDate(2050, 1, 10)},
        {"▶ from 2049 蜡月", QDate(2050, 1, 10), [&] { button("SpeedButton3")->click(); },
         QDate(2050, 2, 10)},
        {"2050 typed in 2049 蜡月", QDate(2050, 1, 10), [&] { type("ComboBox1", "2050", true); },
         QDate(2050, 1, 10)},
        {"2050 typed, the box kept", QDate(2050, 1, 10), [&] { type("ComboBox1", "2050", false); },
         QDate(2050, 1, 10)},
        {"2050 typed in 2049 冬月", QDate(2049, 11, 25), [&] { type("ComboBox1", "2050", true); },
         QDate(2050, 12, 14)},
        {"蜡月 from 2050 冬月", QDate(2050, 12, 20), [&] { choose("ComboBox2", QStringLiteral("蜡月")); },
         QDate(2050, 12, 20)},
        {"十月 from 2050 冬月", QDate(2050, 12, 20), [&] { choose("ComboBox2", QStringLiteral("十月")); },
         QDate(2050, 11, 20)},
        {"冬月十九", QDate(2050, 12, 20), [&] { choose("ComboBox4", QStringLiteral("十九")); },
         QDate(2050, 12, 20)},
        {"冬月十八", QDate(2050, 12, 20), [&] { choose("ComboBox4", QStringLiteral("十八")); },
         QDate(2050, 12, 31)},
        {"◀◀ into 1901", QDate(1902, 2, 10), [&] { button("SpeedButton1")->click(); }, QDate(1901, 2, 10)},
        {"十月 of 1900", QDate(1901, 1, 10), [&] { choose("ComboBox2", QStringLiteral("十月")); },
         QDate(1901, 1, 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        open(c.start, true);
        c.act();
        EXPECT_EQ(shown(), c.end);
        emit box("ComboBox1")->lineEdit()->editingFinished();
        // The boxes and the captions show the date the grid kept.
        const DateTimeValue date = window->CnCalendar1()->CalendarDate();
        EXPECT_EQ(box("ComboBox1")->currentText(), QString::number(LunarYearOf(date)));
        EXPECT_EQ(box("ComboBox2")->currentText(), QString::fromStdString(LunarMonthName(date)));
        EXPECT_EQ(box("ComboBox4")->currentText(), QString::fromStdString(LunarDayName(date)));
        EXPECT_TRUE(window->LunarCaption().contains(QString::fromStdString(LunarDateText(date))))
            << window->LunarCaption().toStdString();
    }
}

// A button that cannot step is disabled; the lunar year box alone would allow ▶▶ from 2049 蜡月.
TEST_F(CnDateLimitsTest, ButtonsThatCannotStepAreDisabledInLunarMode) {
    const struct {
        QDate date;
        bool yearBack, monthBack, monthOn, yearOn;
    } cases[] = {
        {QDate(2050, 1, 10), true, true, true, false},   {QDate(2049, 12, 31), true, true, true, true},
        {QDate(2050, 12, 20), true, true, false, false}, {QDate(1902, 2, 10), true, true, true, true},
        {QDate(1901, 3, 10), false, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date.toString(Qt::ISODate).toStdString());
        open(c.date, true);
        EXPECT_EQ(button("SpeedButton1")->isEnabled(), c.yearBack);
        EXPECT_EQ(button("SpeedButton2")->isEnabled(), c.monthBack);
        EXPECT_EQ(button("SpeedButton3")->isEnabled(), c.monthOn);
        EXPECT_EQ(button("SpeedButton4")->isEnabled(), c.yearOn);
    }
}

// A day is taken as soon as no longer day could follow; a day the month lacks is refused, the
// shown date kept, and the box gets it back when the user leaves it.
TEST_F(CnDateLimitsTest, TheDayBoxRefusesADayTheMonthLacks) {
    const struct {
        QDate start;
        bool lunar;
        const char* typed;
        QDate whileTyping;
        QDate afterLeaving;
    } cases[] = {
        {QDate(2006, 2, 10), false, "3", QDate(2006, 2, 10), QDate(2006, 2, 3)},
        {QDate(2006, 2, 10), false, "30", QDate(2006, 2, 10), QDate(2006, 2, 10)},
        {QDate(2006, 2, 10), false, "31", QDate(2006, 2, 10), QDate(2006, 2, 10)},
        {QDate(2006, 2, 10), false, "32", QDate(2006, 2, 10), QDate(2006, 2, 10)},
        {QDate(2006, 2, 10), false, "29", QDate(2006, 2, 10), QDate(2006, 2, 10)},
        {QDate(2006, 2, 10), false, "28", QDate(2006, 2, 28), QDate(2006, 2, 28)},
        {QDate(2008, 2, 10), false, "29", QDate(2008, 2, 29), QDate(2008, 2, 29)},
        {QDate(2006, 1, 10), false, "31", QDate(2006, 1, 31), QDate(2006, 1, 31)},
        {QDate(2006, 4, 10), false, "30", QDate(2006, 4, 30), QDate(2006, 4, 30)},
        // 2006 四月 (from 2006-04-28) has 29 days.
        {QDate(2006, 5, 6), true, "三十", QDate(2006, 5, 6), QDate(2006, 5, 6)},
        {QDate(2006, 5, 6), true, "廿九", QDate(2006, 5, 26), QDate(2006, 5, 26)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start.toString(Qt::ISODate).toStdString() + " " + c.typed);
        open(c.start, c.lunar);
        const QString typed = QString::fromUtf8(c.typed);
        // Typed one character after another.
        for (qsizetype n = 1; n <= typed.size(); ++n)
            type("ComboBox4", typed.left(n), false);
        EXPECT_EQ(shown(), c.whileTyping);
        emit box("ComboBox4")->lineEdit()->editingFinished();
        EXPECT_EQ(shown(), c.afterLeaving);
        const QString day = box("ComboBox4")->currentText();
        EXPECT_EQ(day, c.lunar ? QString::fromStdString(LunarDayName(window->CnCalendar1()->CalendarDate()))
                               : QString::number(c.afterLeaving.day()));
    }
}

} // namespace
} // namespace qj
