#pragma once

#include "divination/core/ChartAnalysis.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

namespace qj {

// The 分析 panel beside the chart columns: the choices of the reading (报告附分析, the 用神, the
// palace of the changed hexagram's relatives), a table of the six lines (line 6 first, as the
// chart's rows) with the month, the day, the void, the change and the 神煞 of each, and the facts
// of the two hexagrams and the day. Every cell explains its marks in a Chinese tooltip.
class AnalysisPanel : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisPanel(QWidget* parent = nullptr);

    void showAnalysis(const ChartAnalysis& analysis);

    std::optional<UseGodRequest> useGod() const;
    bool reportAnalysis() const;
    void setReportAnalysis(bool on);
    ChangedPalace changedPalace() const;
    void setChangedPalace(ChangedPalace palace);
    BodyRule bodyRule() const;
    void setBodyRule(BodyRule rule);
    // The reading's choices: the changed palace and the 卦身 rule.
    AnalysisOptions options() const;

signals:
    // The 用神 or the palace choice changed: the chart is to be read again.
    void readingChanged();
    // "报告附分析" or the palace choice changed: the choices are to be remembered.
    void choicesChanged();

private:
    QCheckBox* chkReport_ = nullptr;
    QComboBox* cbbUseGod_ = nullptr;
    QComboBox* cbbPalace_ = nullptr;
    QComboBox* cbbBody_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* facts_ = nullptr;
};

// Background colours of the 用神 and its 原神, 忌神 and 仇神 in the chart's relatives columns.
QColor UseGodColour();
QColor SourceColour();
QColor EnemyColour();
QColor FoeColour();

} // namespace qj
