#pragma once

#include "divination/core/Chart.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <string>

class QHBoxLayout;
class QLabel;

namespace qj {

class ChartColumnList;
class Dialogs;

// The chart panel of the divination window: the bold labels of the primary and the changed
// hexagram, and under them the eleven six-row columns, left to right: hidden relatives, hidden
// najia, relatives, najia, lines, 世/应 of the primary hexagram, relatives, najia, lines, 世/应 of
// the changed hexagram, and the spirits.
//
// A click on a row of the relatives, najia or spirits column makes the row's description the
// column's tooltip; a double-click shows it in a message box. A press on the line column asks for
// the specified-casting combos to be cleared, a double-click on it for the row's line to be toggled.
// When the focus leaves a column, no column keeps a selected row.
class ChartPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 11;

    ChartPanel(Dialogs& dialogs, QWidget* parent = nullptr);

    void showChart(const ChartState& chart);
    // Background colours of the rows of the primary and hidden relatives columns (an invalid colour:
    // none), for the 用神 and its 原神, 忌神 and 仇神.
    void markRelatives(const std::array<QColor, kChartRows>& primary,
                       const std::array<QColor, kChartRows>& hidden);
    // A widget at the right end of the row of columns (the 分析 panel and its switch).
    void addBesideColumns(QWidget* widget);
    ChartColumnList* column(int index) const { return columns_[index]; }
    QLabel* primaryLabel() const { return primary_; }
    QLabel* changedLabel() const { return changed_; }

signals:
    void linePressed();
    void toggleRequested(int row);

private:
    int indexOf(const ChartColumnList* column) const;
    void describeRow(ChartColumnList* column, int row);
    void showDescription(ChartColumnList* column);
    void clearSelections();

    Dialogs& dialogs_;
    QHBoxLayout* row_ = nullptr;
    QLabel* primary_ = nullptr;
    QLabel* changed_ = nullptr;
    std::array<ChartColumnList*, kColumns> columns_{};
    std::array<std::string, kColumns> descriptions_; // what a double-click shows
};

} // namespace qj
