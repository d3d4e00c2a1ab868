// The number dialog: what the fields take, Enter, the refusals, and the casting with the hour.

#include "DivinationFixture.h"

#include "divination/ui/baoshu.h"
#include "shell/AppTitle.h"
#include "support/UiHelpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace qj::test {
namespace {

class NumberDialogTest : public DivinationTest {
protected:
    TFbaoshu* openDialog() {
        open();
        window->show();
        window->btnNumberClick();
        TFbaoshu* dialog = window->numberDialog();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
};

TEST_F(NumberDialogTest, FieldsTakeOnlyDigitsAndThePointAndEnterMovesOn) {
    TFbaoshu* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(methodText(), QStringLiteral("数字起卦"));
    EXPECT_TRUE(dialog->addHourBox()->isChecked());
    QLineEdit* first = dialog->firstField();
    QTest::keyClicks(first, QStringLiteral("1a2.-b3 "));
    EXPECT_EQ(first->text(), QStringLiteral("12.3"));
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_EQ(first->text(), QStringLiteral("12.")) << "Backspace corrects a typo";
    QTest::keyClicks(first, QStringLiteral("3"));
    first->setCursorPosition(2);
    QTest::keyClick(first, Qt::Key_Delete);
    EXPECT_EQ(first->text(), QStringLiteral("123"));

    dialog->activateWindow();
    first->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return first->hasFocus(); }));
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(dialog->secondField()->hasFocus());
    QTest::keyClick(dialog->secondField(), Qt::Key_Return);
    EXPECT_TRUE(dialog->chooseButton()->hasFocus());
    EXPECT_TRUE(dialog->isVisible());
    // Tab and Shift+Tab move between the two fields.
    first->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return first->hasFocus(); }));
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(dialog->secondField()->hasFocus());
    QTest::keyClick(dialog->secondField(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(first->text(), QStringLiteral("123"));
}

TEST_F(NumberDialogTest, RefusedNumbersAreReportedAndChangeNothing) {
    // Each message speaks of the field and of what was typed (or pasted) into it.
    const struct {
        const char* first;
        const char* second;
        const char* message; // nullptr: nothing is said
    } cases[] = {
        {"", "5", nullptr}, // an empty field: nothing happens
        {"7", "", nullptr},
        {"1.5", "3", "第一个数“1.5”不是整数：请只填写数字 0 到 9 !"},
        {"2147483648", "1", "第一个数“2147483648”太大：请填写 0 到 2147483647 之间的整数 !"},
        {"1", "99999999999", "第二个数“99999999999”太大：请填写 0 到 2147483647 之间的整数 !"},
        {"-5", "1", "第一个数“-5”是负数：请填写 0 到 2147483647 之间的整数 !"},
        {"3", "-16", "第二个数“-16”是负数：请填写 0 到 2147483647 之间的整数 !"},
    };
    TFbaoshu* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    const ChartState before = window->chart();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        fake.dialogs.clearCalls();
        if (c.message)
            fake.dialogs.answerMessage(DialogButton::Ok);
        dialog->firstField()->setText(QString::fromUtf8(c.first));
        dialog->secondField()->setText(QString::fromUtf8(c.second));
        dialog->chooseButton()->click();
        if (c.message) {
            ASSERT_EQ(fake.dialogs.calls().size(), 1u);
            EXPECT_EQ(fake.dialogs.last().caption, QString::fromUtf8(kAppTitle));
            EXPECT_EQ(fake.dialogs.last().icon, MessageIcon::Error);
            EXPECT_EQ(fake.dialogs.last().text, QString::fromUtf8(c.message));
        } else {
            EXPECT_TRUE(fake.dialogs.calls().empty());
        }
        EXPECT_EQ(window->chart(), before);
        EXPECT_EQ(methodText(), QStringLiteral("数字起卦"));
        EXPECT_TRUE(dialog->isVisible());
    }
}

TEST_F(NumberDialogTest, CastsWithOrWithoutTheHourOfTheClock) {
    // 9 and 1: 乾 over 乾, remainders 1 + 1 = 2; at 23 h the box adds the hour number 13.
    const struct {
        bool addHour;
        int movingRow;
    } cases[] = {{false, 2}, {true, 3}};
    open();
    window->show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.addHour);
        window->btnNumberClick();
        QPointer<TFbaoshu> dialog = window->numberDialog();
        ASSERT_FALSE(dialog.isNull());
        const QString gregorian = child<QLabel>("lblGregorian")->text();
        fake.clock.set(QDate(2006, 5, 1), QTime(23, 10));
        dialog->firstField()->setText(QStringLiteral("9"));
        dialog->secondField()->setText(QStringLiteral("1"));
        dialog->addHourBox()->setChecked(c.addHour);
        dialog->chooseButton()->click();
        EXPECT_TRUE(WaitUntil([&] { return dialog.isNull(); }));
        EXPECT_EQ(methodText(), QStringLiteral("数字起卦[9/1]"));
        EXPECT_EQ(column("lstLines")[c.movingRow], QStringLiteral(" O "));
        EXPECT_EQ(child<QLabel>("lblGregorian")->text(), gregorian) << "the date stays";
        fake.clock.set(QDate(2006, 5, 1), QTime(12, 0));
    }
}

} // namespace
} // namespace qj::test
