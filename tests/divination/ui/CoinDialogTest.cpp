// The coin-toss dialog: the toss cycle, the choice menu, 选择 and 退出.

#include "DivinationFixture.h"

#include "divination/ui/SouYao.h"
#include "support/UiHelpers.h"

#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace qj::test {
namespace {

class CoinDialogTest : public DivinationTest {
protected:
    TYaoGua* openDialog() {
        open();
        window->show();
        window->btnCoinClick();
        TYaoGua* dialog = window->coinDialog();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    static QString mark(TYaoGua* dialog, int row) { return dialog->lines()->item(row)->text(); }
    static void doubleClickLine(TYaoGua* dialog, int row) { DoubleClickRow(dialog->lines(), row); }
    static void choose(TYaoGua* dialog, const char* text) {
        for (QAction* a : dialog->choiceMenu()->actions())
            if (a->text() == QString::fromUtf8(text)) {
                a->trigger();
                return;
            }
        ADD_FAILURE() << "no menu item " << text;
    }
};

TEST_F(CoinDialogTest, OpensWithSixYoungYangLinesAndTheDoubleClickCycleIsSharedByAllRows) {
    TYaoGua* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("手摇起卦"));
    for (int row = 0; row < kChartRows; ++row) {
        EXPECT_EQ(dialog->tossLabels()->item(row)->text(), QStringLiteral("第%1次").arg(6 - row));
        EXPECT_EQ(mark(dialog, row), QStringLiteral(" / "));
    }
    // The counter starts at 0: successive double-clicks give states 1, 2, 3, 0, 1 to whatever row.
    const struct {
        int row;
        const char* mark;
    } clicks[] = {{0, " / "}, {3, " X "}, {5, " O "}, {2, "/ /"}, {3, " / "}};
    for (const auto& c : clicks) {
        doubleClickLine(dialog, c.row);
        EXPECT_EQ(mark(dialog, c.row), QString::fromUtf8(c.mark)) << c.row;
    }
}

TEST_F(CoinDialogTest, MenuChoicesSetTheClickedTossRow) {
    TYaoGua* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    const struct {
        const char* choice;
        const char* mark;
    } cases[] = {
        {"一个字 (两个背)", "/ /"},
        {"三个字 (没有背)", " X "},
        {"没有字 (三个背)", " O "},
        {"两个字 (一个背)", " / "},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        QListWidget* labels = dialog->tossLabels();
        QTest::mouseClick(labels->viewport(), Qt::LeftButton, {},
                          labels->visualItemRect(labels->item(row)).center());
        ASSERT_TRUE(WaitUntil([&] { return dialog->choiceMenu()->isVisible(); }));
        EXPECT_EQ(dialog->menuRow(), row);
        // Beside the row: right of the label list.
        EXPECT_GE(dialog->choiceMenu()->pos().x(), labels->mapToGlobal(QPoint(labels->width() / 2, 0)).x());
        choose(dialog, c.choice);
        dialog->choiceMenu()->hide();
        EXPECT_EQ(mark(dialog, row), QString::fromUtf8(c.mark));
        EXPECT_TRUE(labels->selectedItems().isEmpty());
        ++row;
    }
    // "关   闭" changes nothing.
    dialog->openChoiceMenu(0);
    choose(dialog, "    关   闭");
    EXPECT_EQ(mark(dialog, 0), QStringLiteral("/ /"));
}

// Enter and Space on the current toss label open its menu; Enter does not press 选择 there.
TEST_F(CoinDialogTest, EnterOrSpaceOnATossLabelOpensItsMenu) {
    TYaoGua* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    QListWidget* labels = dialog->tossLabels();
    const QString method = methodText();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        labels->setCurrentRow(2);
        QTest::keyClick(labels, key);
        EXPECT_TRUE(dialog->choiceMenu()->isVisible()) << key;
        EXPECT_EQ(dialog->menuRow(), 2);
        dialog->choiceMenu()->hide();
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(methodText(), method); // nothing cast
}

TEST_F(CoinDialogTest, TheRightClickMenuChangesOnlyTheSelectedTossLabel) {
    TYaoGua* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    QListWidget* labels = dialog->tossLabels();
    emit labels->customContextMenuRequested(QPoint(5, 5));
    choose(dialog, "三个字 (没有背)");
    for (int row = 0; row < kChartRows; ++row)
        EXPECT_EQ(mark(dialog, row), QStringLiteral(" / ")) << "nothing selected, nothing changes";

    labels->setCurrentRow(4);
    emit labels->customContextMenuRequested(QPoint(5, 5));
    choose(dialog, "三个字 (没有背)");
    EXPECT_EQ(mark(dialog, 4), QStringLiteral(" X "));
    dialog->choiceMenu()->hide();
}

TEST_F(CoinDialogTest, ChooseCastsTheSixMarksAndQuitCastsNothing) {
    TYaoGua* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    const ChartState before = window->chart();
    QPointer<TYaoGua> quitting = dialog;
    dialog->findChild<QPushButton*>(QStringLiteral("btnQuit"))->click();
    EXPECT_TRUE(WaitUntil([&] { return quitting.isNull(); }));
    EXPECT_EQ(window->chart(), before);

    window->btnCoinClick();
    QPointer<TYaoGua> second = window->coinDialog();
    ASSERT_FALSE(second.isNull());
    for (int row : {1, 4, 5})
        doubleClickLine(second, row); // states 1, 2, 3
    second->findChild<QPushButton*>(QStringLiteral("btnChoose"))->click();
    EXPECT_TRUE(WaitUntil([&] { return second.isNull(); }));
    EXPECT_EQ(methodText(), QStringLiteral("手摇起卦"));
    const std::vector<QString> expected{QStringLiteral(" / "), QStringLiteral(" / "), QStringLiteral(" / "),
                                        QStringLiteral(" / "), QStringLiteral(" X "), QStringLiteral(" O ")};
    EXPECT_EQ(column("lstLines"), expected);
}

TEST_F(CoinDialogTest, EachPressOpensAnotherDialog) {
    TYaoGua* first = openDialog();
    window->btnCoinClick();
    TYaoGua* second = window->coinDialog();
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(second->isVisible());
    // The second opens beside the first, not exactly over it.
    EXPECT_EQ(second->pos(), first->pos() + QPoint(30, 30));
    first->close();
    window->btnCoinClick();
    EXPECT_EQ(window->coinDialog()->pos(), second->pos() + QPoint(30, 30));
}

} // namespace
} // namespace qj::test
