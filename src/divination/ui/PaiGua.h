#pragma once

#include "divination/core/Casting.h"
#include "divination/core/Chart.h"
#include "divination/ui/SouYao.h"
#include "divination/ui/baoshu.h"
#include "seams/Services.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace qj {

class AnalysisPanel;
class CalendarLink;
class ChartPanel;
class NoteFiling;

// The divination window "六爻排卦": the toolbar with the castings and the reading commands, the
// date panel, the chart panel and the report memo. It owns the chart state; every rule comes
// from the divination core. Created once at start-up; closing only hides it, and the chart, the
// texts and the report stay.
// Spaces every line bar (▅) of the memo to one Chinese cell of the memo's font.
void FitBarsToCells(QPlainTextEdit* memo);

class TFPaiGua : public QMainWindow {
    Q_OBJECT
public:
    // A question is a note title: at most 50 characters.
    static constexpr int kQuestionLength = 50;

    TFPaiGua(const Services& services, CalendarLink& calendar, NoteFiling& notes, QWidget* parent = nullptr);
    ~TFPaiGua() override;

    const ChartState& chart() const { return chart_; }
    // The report memo takes the name and size of the main editor's font.
    void setReportFont(const QFont& font);

    // The calendar window's 显示排卦: shows the window in its chart view and casts by year branch
    // from the calendar's date and hour. The specified-casting combos and the memo stay as they are.
    void showFromCalendar();

    // Toolbar commands.
    void btnCoinClick();   // 手摇起卦: a new coin dialog
    void btnTimeClick();   // 时间起卦 pressed: clears the combos and the memo; its menu casts
    void btnNumberClick(); // 数字起卦: a new number dialog
    void castByTime(TimeVariant variant);
    void StartReading();   // 开始断卦
    void btnRecastClick(); // 重新起卦: back to the chart view
    void HandOffReport();  // 数据存在剪贴板并且退出

    // The 分析 panel beside the chart columns: opened and closed by its switch (btnAnalysis).
    void showAnalysisPanel(bool open);
    bool analysisPanelShown() const { return analysisOpen_; }
    AnalysisPanel* analysisPanel() const { return pnlAnalysis_; }

    // The dialogs opened last (null once closed).
    TYaoGua* coinDialog() const { return coinDialog_; }
    TFbaoshu* numberDialog() const { return numberDialog_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Layout (PaiGuaLayout.cpp).
    void buildToolBar();
    QWidget* buildSpecificationPanel();
    QWidget* buildDatePanel();

    // Castings (PaiGua.cpp).
    bool apply(const std::function<CastResult()>& cast);
    void showChart();
    void specificationChanged();
    void clearSpecification();
    void clearCastingInputs();
    void fillCategoryCombo();
    void showChartView(bool chartView);
    bool runCommand(const std::function<void()>& command);
    void dropReport();
    // Empties the memo; no report, no question it was written for.
    void clearReport();
    void keepInFront();

    // Reading (PaiGuaReading.cpp).
    QString reportText() const;

    // The 分析 panel (PaiGuaAnalysis.cpp).
    void buildAnalysisPanel();
    // The chart as shown and reported: with the changed relatives of the palace chosen.
    ChartState shownChart() const;
    void refreshAnalysis();
    void saveReadingChoices();
    // The 分析 section the report ends with when "报告附分析" is ticked, else nothing.
    std::vector<std::string> reportAnalysisLines() const;

    Services services_;
    CalendarLink& calendar_;
    NoteFiling& notes_;
    ChartState chart_;

    QAction* actCoin_ = nullptr;
    QAction* actTime_ = nullptr;
    QAction* actNumber_ = nullptr;
    QAction* actDate_ = nullptr;
    QAction* actStart_ = nullptr;
    QAction* actRecast_ = nullptr;
    QAction* actHandOff_ = nullptr;
    QComboBox* cbbUpper_ = nullptr;
    QComboBox* cbbLower_ = nullptr;
    QComboBox* cbbMoving_ = nullptr;
    QRadioButton* rbNew_ = nullptr;
    QRadioButton* rbOld_ = nullptr;

    QWidget* pnlDate_ = nullptr;
    QComboBox* cbbCategory_ = nullptr;
    QComboBox* cbbMethod_ = nullptr;
    QComboBox* cbbSex_ = nullptr;
    QLineEdit* edtName_ = nullptr;
    QLabel* lblGregorian_ = nullptr;
    QLabel* lblShensha_ = nullptr;
    QLabel* lblPillar_ = nullptr;
    QLabel* lblLunar_ = nullptr;
    QLineEdit* edtQuestion_ = nullptr;
    ChartPanel* pnlChart_ = nullptr;
    QPlainTextEdit* mmoReport_ = nullptr;
    AnalysisPanel* pnlAnalysis_ = nullptr;
    QToolButton* btnAnalysis_ = nullptr;
    bool analysisOpen_ = false;
    bool relativesMarked_ = false;

    // The question the report in the memo was written for: the filed note's title, whatever the
    // question field says since.
    QString reportQuestion_;

    QPointer<TYaoGua> coinDialog_;
    QPointer<TFbaoshu> numberDialog_;
};

} // namespace qj
