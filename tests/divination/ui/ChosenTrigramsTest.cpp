// The specified-casting combos (指定起卦) and the line column that toggles and clears them.

#include "DivinationFixture.h"

#include "divination/ui/ChartColumnList.h"
#include "shell/AppTitle.h"

#include <QLabel>
#include <QTest>

namespace qj::test {
namespace {

class ChosenTrigramsTest : public DivinationTest {
protected:
    QComboBox* upper() const { return child<QComboBox>("cbbUpper"); }
    QComboBox* lower() const { return child<QComboBox>("cbbLower"); }
    QComboBox* moving() const { return child<QComboBox>("cbbMoving"); }
    QString primaryLabel() const { return child<QLabel>("lblPrimary")->text(); }
    static int movingRowOf(const std::vector<QString>& lines) {
        for (int row = 0; row < kChartRows; ++row)
            if (lines[row] == QStringLiteral(" X ") || lines[row] == QStringLiteral(" O "))
                return row;
        return -1;
    }
};

TEST_F(ChosenTrigramsTest, BothTrigramsArrangeTheChartAndTheMovingComboPicksTheLine) {
    open();
    const QString opening = primaryLabel();
    EXPECT_TRUE(opening.startsWith(QStringLiteral("乾为天")));
    child<QPlainTextEdit>("mmoReport")->setPlainText(QStringLiteral("旧的断卦"));

    upper()->setCurrentIndex(1); // 2 兑泽: stored, nothing rebuilt yet
    EXPECT_EQ(primaryLabel(), opening);
    EXPECT_EQ(window->chart().upper, 2);
    EXPECT_EQ(memoText(), QString()) << "every change clears the report";
    EXPECT_NE(methodText(), QStringLiteral("指定起卦"));

    const struct {
        int lowerIndex;
        int movingIndex; // 6 is the empty item
        const char* label;
        int movingRow;
    } steps[] = {
        {2, 6, "泽火革", -1}, // 3 离火
        {2, 0, "泽火革", 0},  // 6爻: the top row
        {2, 5, "泽火革", 5},  // 1爻: the bottom row
        {7, 6, "泽地萃", -1}, // 8 坤地, and the empty moving item: no moving line
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.label);
        lower()->setCurrentIndex(s.lowerIndex);
        moving()->setCurrentIndex(s.movingIndex);
        EXPECT_TRUE(primaryLabel().startsWith(QString::fromUtf8(s.label))) << primaryLabel().toStdString();
        EXPECT_EQ(methodText(), QStringLiteral("指定起卦"));
        EXPECT_EQ(movingRowOf(column("lstLines")), s.movingRow);
    }
    EXPECT_TRUE(fake.dialogs.calls().empty());
}

TEST_F(ChosenTrigramsTest, TypedTextThatNamesNoTrigramIsRefusedAndChangesNothing) {
    open();
    lower()->setCurrentIndex(0);
    const ChartState before = window->chart();
    for (const char* typed : {"a", "9", "坤"}) {
        SCOPED_TRACE(typed);
        fake.dialogs.clearCalls();
        fake.dialogs.answerMessage(DialogButton::Ok);
        upper()->setEditText(QString::fromUtf8(typed));
        ASSERT_EQ(fake.dialogs.calls().size(), 1u);
        EXPECT_EQ(fake.dialogs.last().caption, QString::fromUtf8(kAppTitle));
        EXPECT_EQ(fake.dialogs.last().icon, MessageIcon::Error);
        EXPECT_EQ(window->chart(), before);
    }
}

TEST_F(ChosenTrigramsTest, TheLineColumnTogglesOnDoubleClickAndItsPressClearsTheCombos) {
    open();
    window->show();
    upper()->setCurrentIndex(0);
    lower()->setCurrentIndex(0);
    moving()->setCurrentIndex(6);
    auto* lines = child<ChartColumnList>("lstLines");
    DoubleClickRow(lines, 2);
    EXPECT_EQ(column("lstLines")[2], QStringLiteral(" O "));
    EXPECT_TRUE(child<QLabel>("lblChanged")->text().startsWith(QStringLiteral("风天小畜")));
    for (QComboBox* combo : {upper(), lower(), moving()})
        EXPECT_EQ(combo->currentText(), QString()) << combo->objectName().toStdString();

    DoubleClickRow(lines, 2);
    EXPECT_EQ(column("lstLines")[2], QStringLiteral(" / "));
    EXPECT_TRUE(child<QLabel>("lblChanged")->text().startsWith(QStringLiteral("乾为天")));
    EXPECT_TRUE(fake.dialogs.calls().empty());
}

// A click selects a row of the line column; a toggle leaves no row selected.
TEST_F(ChosenTrigramsTest, AToggleLeavesNoLineSelected) {
    open();
    window->show();
    auto* lines = child<ChartColumnList>("lstLines");
    for (int row : {0, 3, 5}) {
        SCOPED_TRACE(row);
        const int other = (row + 2) % kChartRows;
        QTest::mouseClick(lines->viewport(), Qt::LeftButton, {},
                          lines->visualItemRect(lines->item(other)).center());
        EXPECT_TRUE(lines->item(other)->isSelected()) << "a click selects";
        DoubleClickRow(lines, row);
        EXPECT_EQ(column("lstLines")[row], QStringLiteral(" O "));
        QCoreApplication::processEvents();
        EXPECT_TRUE(lines->selectedItems().isEmpty());
        DoubleClickRow(lines, row); // back to the line it was
    }
}

} // namespace
} // namespace qj::test
