// The 分析 panel: closed it changes nothing, open it reads the chart beside the columns and marks
// the 用神 by colour; "报告附分析" and the palace choice are remembered in the settings file.

#include "DivinationFixture.h"

#include "divination/core/AnalysisText.h"
#include "divination/core/Report.h"
#include "divination/ui/AnalysisPanel.h"
#include "shell/SettingsStore.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>

namespace qj::test {
namespace {

class AnalysisPanelTest : public DivinationTest {
protected:
    // 天风姤 without a moving line: its 妻财 is missing and hides under line 2.
    void castGou() {
        child<QComboBox>("cbbUpper")->setCurrentIndex(0);
        child<QComboBox>("cbbLower")->setCurrentIndex(4);
    }
    void castGouMovingTop() {
        castGou();
        child<QComboBox>("cbbMoving")->setCurrentIndex(0);
    }
    std::vector<QColor> backgrounds(const char* column) const {
        std::vector<QColor> colours;
        auto* list = child<QListWidget>(column);
        for (int row = 0; row < kChartRows; ++row) {
            const QBrush b = list->item(row)->background();
            colours.push_back(b.style() == Qt::NoBrush ? QColor() : b.color());
        }
        return colours;
    }
    std::vector<QPoint> columnPlaces() const {
        std::vector<QPoint> places;
        for (QListWidget* list : child<QWidget>("pnlChart")->findChildren<QListWidget*>())
            places.push_back(list->mapTo(window.get(), QPoint(0, 0)));
        places.push_back(child<QWidget>("lblPrimary")->mapTo(window.get(), QPoint(0, 0)));
        places.push_back(child<QWidget>("lblChanged")->mapTo(window.get(), QPoint(0, 0)));
        return places;
    }
    DivinationSettings stored() const {
        return SettingsStore::InFolder(dir.folder().path()).readDivination();
    }
    QStringList report(const QString& question) {
        window->btnRecastClick();
        makeReport(QStringLiteral("财运"), question);
        return memoText().split(QLatin1Char('\n'));
    }
};

TEST_F(AnalysisPanelTest, ClosedByDefaultAndOpeningMovesNoColumn) {
    open();
    castGou();
    window->show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->analysisPanelShown());
    EXPECT_FALSE(child<QWidget>("pnlAnalysis")->isVisible());
    const std::vector<QPoint> closed = columnPlaces();
    const int width = window->width();

    child<QToolButton>("btnAnalysis")->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->analysisPanelShown());
    EXPECT_TRUE(child<QWidget>("pnlAnalysis")->isVisible());
    EXPECT_EQ(columnPlaces(), closed);
    EXPECT_GT(window->width(), width);
    EXPECT_EQ(window->width(), width + child<QWidget>("pnlAnalysis")->sizeHint().width());
    auto* table = child<QTableWidget>("tblAnalysis");
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("上爻 父母戌"));
    EXPECT_EQ(table->item(5, 0)->text(), QStringLiteral("初爻 父母丑"));
    EXPECT_FALSE(table->item(5, 0)->toolTip().isEmpty());
    EXPECT_TRUE(child<QLabel>("lblAnalysisFacts")->text().contains(QStringLiteral("天风姤 [乾宫]")));

    child<QToolButton>("btnAnalysis")->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(child<QWidget>("pnlAnalysis")->isVisible());
    EXPECT_EQ(columnPlaces(), closed);
    EXPECT_EQ(window->width(), width);
}

TEST_F(AnalysisPanelTest, EachUseGodIsMarkedInTheRelativesColumnsOnlyWhileThePanelIsOpen) {
    open();
    castGou();
    window->showAnalysisPanel(true);
    auto* useGod = child<QComboBox>("cbbUseGod");
    const ChartState& c = window->chart();
    for (int item = 1; item < useGod->count(); ++item) {
        SCOPED_TRACE(useGod->itemText(item).toStdString());
        useGod->setCurrentIndex(item);
        const std::vector<QColor> marks = backgrounds("lstRelatives");
        const std::vector<QColor> hidden = backgrounds("lstHiddenRelatives");
        for (int row = 0; row < kChartRows; ++row) {
            const QString relative = QString::fromStdString(c.relatives[row]);
            const bool isUseGod = item <= 5 ? relative == useGod->itemText(item)
                                            : QString::fromStdString(c.shiYing[row]) ==
                                                  (item == 6 ? QStringLiteral("世") : QStringLiteral("应"));
            EXPECT_EQ(marks[row] == UseGodColour(), isUseGod) << row;
            // The missing 妻财 is marked where it hides, under line 2.
            EXPECT_EQ(hidden[row] == UseGodColour(), item == 3 && row == 4) << row;
        }
    }
    // 用神 父母 (土) in the 乾 palace: 原神 官鬼 (火), 忌神 妻财 (木, missing), 仇神 子孙 (水).
    useGod->setCurrentIndex(5);
    EXPECT_EQ(backgrounds("lstRelatives"), (std::vector<QColor>{UseGodColour(), QColor(), SourceColour(),
                                                                QColor(), FoeColour(), UseGodColour()}));
    window->showAnalysisPanel(false);
    EXPECT_EQ(backgrounds("lstRelatives"), std::vector<QColor>(kChartRows));
    useGod->setCurrentIndex(0);
    window->showAnalysisPanel(true);
    EXPECT_EQ(backgrounds("lstRelatives"), std::vector<QColor>(kChartRows));
}

TEST_F(AnalysisPanelTest, ReportEndsWithTheAnalysisOnlyWhenAskedAndTheChoiceIsRemembered) {
    open();
    castGouMovingTop();
    auto* check = child<QCheckBox>("chkReportAnalysis");
    EXPECT_FALSE(check->isChecked());
    const QStringList plain = report(QStringLiteral("求财"));
    const ReportInputs inputs{"财运", "指定起卦", "", "", "求财"};
    EXPECT_EQ(static_cast<size_t>(plain.size()),
              BuildReport(window->chart(), inputs, ReportStyle::New, "").size());

    check->setChecked(true);
    EXPECT_TRUE(stored().reportAnalysis);
    child<QComboBox>("cbbUseGod")->setCurrentIndex(3);
    const QStringList analysed = report(QStringLiteral("求财"));
    const UseGodRequest wealth{UseGodChoice::Relative, 3};
    const std::vector<std::string> section =
        AnalysisSection(AnalyseChart(window->chart(), ChartDayOf(window->chart()), {}, wealth), wealth);
    ASSERT_EQ(analysed.size(), plain.size() + static_cast<qsizetype>(section.size()));
    for (qsizetype i = 1; i < plain.size(); ++i)
        EXPECT_EQ(analysed[i], plain[i]) << i;
    for (size_t i = 0; i < section.size(); ++i)
        EXPECT_EQ(analysed[plain.size() + static_cast<qsizetype>(i)], QString::fromStdString(section[i]))
            << i;

    check->setChecked(false);
    EXPECT_FALSE(stored().reportAnalysis);
    const QStringList again = report(QStringLiteral("求财"));
    EXPECT_EQ(again.mid(1), plain.mid(1));

    // A window made later starts with the stored choice.
    check->setChecked(true);
    TFPaiGua second(fake.services(), *calendar, *filing);
    EXPECT_TRUE(second.findChild<QCheckBox*>(QStringLiteral("chkReportAnalysis"))->isChecked());
}

TEST_F(AnalysisPanelTest, ChangedRelativesFollowThePalaceChosenAndTheChoiceIsRemembered) {
    open();
    castGouMovingTop(); // 天风姤 → 泽风大过 (震宫, 木): the changed 未土 is 父母 against 乾, 妻财 against 震
    EXPECT_EQ(column("lstChangedRelatives")[0], QStringLiteral("父母"));
    window->showAnalysisPanel(true);
    auto* palace = child<QComboBox>("cbbChangedPalace");
    palace->setCurrentIndex(1);
    EXPECT_TRUE(stored().changedOwnPalace);
    EXPECT_EQ(column("lstChangedRelatives")[0], QStringLiteral("妻财"));
    EXPECT_EQ(column("lstRelatives")[0], QStringLiteral("父母"));
    TFPaiGua second(fake.services(), *calendar, *filing);
    EXPECT_EQ(second.findChild<QComboBox*>(QStringLiteral("cbbChangedPalace"))->currentIndex(), 1);
    palace->setCurrentIndex(0);
    EXPECT_FALSE(stored().changedOwnPalace);
    EXPECT_EQ(column("lstChangedRelatives")[0], QStringLiteral("父母"));
    // The 卦身 rule: 天风姤's 月卦身 午 on line 4, its 世身 on line 2 (丑持世), remembered too.
    auto* body = child<QComboBox>("cbbBodyRule");
    const auto facts = [this] { return child<QLabel>("lblAnalysisFacts")->text(); };
    EXPECT_TRUE(facts().contains(QStringLiteral("卦身 午 (四爻)"))) << facts().toStdString();
    body->setCurrentIndex(1);
    EXPECT_TRUE(stored().shiBody);
    EXPECT_TRUE(facts().contains(QStringLiteral("卦身 亥 (二爻)"))) << facts().toStdString();
    TFPaiGua third(fake.services(), *calendar, *filing);
    EXPECT_EQ(third.findChild<QComboBox*>(QStringLiteral("cbbBodyRule"))->currentIndex(), 1);
}

} // namespace
} // namespace qj::test
