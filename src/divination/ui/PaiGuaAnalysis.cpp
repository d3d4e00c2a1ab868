// The 分析 panel of the divination window: its switch beside the chart columns, the reading of
// the chart it shows, the colours of the 用神 in the chart columns, and the choices it remembers.

#include "divination/core/AnalysisText.h"
#include "divination/ui/AnalysisPanel.h"
#include "divination/ui/ChartPanel.h"
#include "divination/ui/PaiGua.h"
#include "shell/SettingsStore.h"

#include <QLayout>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

namespace qj {

void TFPaiGua::buildAnalysisPanel() {
    btnAnalysis_ = new QToolButton(pnlChart_);
    btnAnalysis_->setObjectName(QStringLiteral("btnAnalysis"));
    btnAnalysis_->setText(QStringLiteral("分析"));
    btnAnalysis_->setCheckable(true);
    btnAnalysis_->setArrowType(Qt::RightArrow);
    btnAnalysis_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnAnalysis_->setToolTip(
        QStringLiteral("展开或收起分析栏：卦身、互错综、月日旺衰、动变、三合、神煞与用神"));
    pnlAnalysis_ = new AnalysisPanel(pnlChart_);
    pnlAnalysis_->hide();
    pnlChart_->addBesideColumns(btnAnalysis_);
    pnlChart_->addBesideColumns(pnlAnalysis_);

    if (!services_.folder.isEmpty()) {
        const DivinationSettings stored = SettingsStore::InFolder(services_.folder.path()).readDivination();
        const QSignalBlocker blocker(pnlAnalysis_);
        pnlAnalysis_->setReportAnalysis(stored.reportAnalysis);
        pnlAnalysis_->setChangedPalace(stored.changedOwnPalace ? ChangedPalace::Own : ChangedPalace::Primary);
        pnlAnalysis_->setBodyRule(stored.shiBody ? BodyRule::Shi : BodyRule::Month);
    }
    connect(btnAnalysis_, &QToolButton::toggled, this, &TFPaiGua::showAnalysisPanel);
    connect(pnlAnalysis_, &AnalysisPanel::readingChanged, this,
            [this] { runCommand([this] { showChart(); }); });
    connect(pnlAnalysis_, &AnalysisPanel::choicesChanged, this, &TFPaiGua::saveReadingChoices);
}

void TFPaiGua::showAnalysisPanel(bool open) {
    if (open == analysisOpen_)
        return;
    {
        const QSignalBlocker blocker(btnAnalysis_);
        btnAnalysis_->setChecked(open);
    }
    btnAnalysis_->setArrowType(open ? Qt::LeftArrow : Qt::RightArrow);
    analysisOpen_ = open;
    // The window widens by the panel's width, so that the chart columns keep their places.
    const int panelWidth = pnlAnalysis_->sizeHint().width();
    const int target = width() + (open ? panelWidth : -panelWidth);
    pnlAnalysis_->setVisible(open);
    // The layouts take the panel's going at once, or the window could not narrow again.
    pnlChart_->layout()->activate();
    centralWidget()->layout()->activate();
    layout()->activate();
    if (!isMaximized() && !isFullScreen()) {
        resize(target, height());
        // A window that now reaches past the screen's right edge moves left as far as it must.
        if (const QScreen* shown = screen()) {
            const QRect area = shown->availableGeometry();
            const QRect frame = frameGeometry();
            if (frame.right() > area.right())
                move(std::max(area.left(), pos().x() - (frame.right() - area.right())), pos().y());
        }
    }
    runCommand([this] { refreshAnalysis(); });
}

ChartState TFPaiGua::shownChart() const {
    ChartState shown = chart_;
    if (pnlAnalysis_->changedPalace() == ChangedPalace::Own)
        ReckonChangedRelativesByOwnPalace(shown);
    return shown;
}

void TFPaiGua::refreshAnalysis() {
    std::array<QColor, kChartRows> primary{};
    std::array<QColor, kChartRows> hidden{};
    if (analysisOpen_) {
        const ChartAnalysis a =
            AnalyseChart(chart_, ChartDayOf(chart_), pnlAnalysis_->options(), pnlAnalysis_->useGod());
        pnlAnalysis_->showAnalysis(a);
        if (a.useGod) {
            const UseGodReading& u = *a.useGod;
            for (int line = 1; line <= kChartRows; ++line) {
                const unsigned bit = 1u << (line - 1);
                QColor& c = primary[static_cast<size_t>(kChartRows - line)];
                c = (u.lines & bit)         ? UseGodColour()
                    : (u.sourceLines & bit) ? SourceColour()
                    : (u.enemyLines & bit)  ? EnemyColour()
                    : (u.foeLines & bit)    ? FoeColour()
                                            : QColor();
            }
            if (u.hidden)
                hidden[static_cast<size_t>(kChartRows - u.hidden->line)] = UseGodColour();
        }
    }
    // A chart that never had a mark is left as it is.
    const bool marks =
        std::any_of(primary.begin(), primary.end(), [](const QColor& c) { return c.isValid(); }) ||
        std::any_of(hidden.begin(), hidden.end(), [](const QColor& c) { return c.isValid(); });
    if (marks || relativesMarked_)
        pnlChart_->markRelatives(primary, hidden);
    relativesMarked_ = marks;
}

void TFPaiGua::saveReadingChoices() {
    if (services_.folder.isEmpty())
        return;
    SettingsStore::InFolder(services_.folder.path())
        .saveDivination({pnlAnalysis_->reportAnalysis(), pnlAnalysis_->changedPalace() == ChangedPalace::Own,
                         pnlAnalysis_->bodyRule() == BodyRule::Shi});
}

std::vector<std::string> TFPaiGua::reportAnalysisLines() const {
    if (!pnlAnalysis_->reportAnalysis())
        return {};
    const std::optional<UseGodRequest> useGod = pnlAnalysis_->useGod();
    return AnalysisSection(AnalyseChart(chart_, ChartDayOf(chart_), pnlAnalysis_->options(), useGod), useGod);
}

} // namespace qj
