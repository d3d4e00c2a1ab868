#include "divination/ui/PaiGua.h"

#include "divination/core/ChartDate.h"
#include "divination/ui/CalendarLink.h"
#include "divination/ui/CastingMessages.h"
#include "divination/ui/ChartColumnList.h"
#include "divination/ui/ChartPanel.h"
#include "divination/ui/NoteFiling.h"
#include "divination/ui/SouYao.h"
#include "divination/ui/baoshu.h"
#include "shell/ErrorHandler.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qj {
namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int kCascadeStep = 30;

} // namespace

TFPaiGua::TFPaiGua(const Services& services, CalendarLink& calendar, NoteFiling& notes, QWidget* parent)
    : QMainWindow(parent), services_(services), calendar_(calendar), notes_(notes) {
    setObjectName(QStringLiteral("FPaiGua"));
    setWindowTitle(QStringLiteral("六爻排卦"));
    buildToolBar();

    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    pnlDate_ = buildDatePanel();
    pnlChart_ = new ChartPanel(services_.dialogs, centre);
    mmoReport_ = new QPlainTextEdit(centre);
    mmoReport_->setObjectName(QStringLiteral("mmoReport"));
    mmoReport_->setLineWrapMode(QPlainTextEdit::NoWrap);
    mmoReport_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmoReport_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette p = mmoReport_->palette();
    p.setColor(QPalette::Base, QColor(236, 255, 236));
    mmoReport_->setPalette(p);
    buildAnalysisPanel();
    layout->addWidget(pnlDate_);
    layout->addWidget(pnlChart_);
    layout->addWidget(mmoReport_, 1);
    setCentralWidget(centre);

    connect(pnlChart_, &ChartPanel::linePressed, this, &TFPaiGua::clearSpecification);
    connect(pnlChart_, &ChartPanel::toggleRequested, this, [this](int row) {
        ToggleMoving(chart_, row);
        showChart();
        dropReport();
    });

    // The window opens on 乾为天 without a moving line, for the calendar's date and hour.
    runCommand([this] {
        const DateTimeValue date = calendar_.calendarDate();
        SetChartDay(chart_, date);
        RefreshDatePanel(chart_, CalendarCaptionsOf(date, calendar_.hourIndex()));
    });
    chart_.movingPosition = kNoMovingLine;
    chart_.upper = 1;
    chart_.lower = 1;
    ArrangeChart(chart_);
    showChart();
    showChartView(true);

    // Design size 601 × 510, wider when the toolbar needs it; centred on the desktop.
    resize(std::max(601, sizeHint().width()), 510);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TFPaiGua::~TFPaiGua() = default;

void TFPaiGua::setReportFont(const QFont& font) {
    QFont f = mmoReport_->font();
    f.setFamily(font.family());
    if (font.pointSizeF() > 0)
        f.setPointSizeF(font.pointSizeF());
    else if (font.pixelSize() > 0)
        f.setPixelSize(font.pixelSize());
    mmoReport_->setFont(f);
    FitBarsToCells(mmoReport_);
}

void TFPaiGua::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        fillCategoryCombo();
}

// The category combo lists the top-level notes of the tree and shows the selected note's title.
void TFPaiGua::fillCategoryCombo() {
    const QSignalBlocker blocker(cbbCategory_);
    const QString text = cbbCategory_->currentText();
    cbbCategory_->clear();
    cbbCategory_->addItems(notes_.topLevelTitles());
    const std::optional<QString> selected = notes_.selectedTitle();
    cbbCategory_->setCurrentIndex(-1);
    cbbCategory_->setEditText(selected ? *selected : text);
}

bool TFPaiGua::runCommand(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        ShowGeneralError(services_.dialogs, this, CastingMessage(QString::fromUtf8(error.what())));
        keepInFront();
        return false;
    }
}

// Runs a casting; a refusal is shown and changes nothing.
bool TFPaiGua::apply(const std::function<CastResult()>& cast) {
    std::optional<CastResult> result;
    if (!runCommand([&] { result = cast(); }))
        return false;
    chart_ = std::move(result->chart);
    cbbMethod_->setEditText(Text(result->method));
    showChart();
    dropReport();
    return true;
}

// A report belongs to the chart it was written for: a new chart drops it, and the chart view
// comes back with 开始断卦 for the new one.
void TFPaiGua::dropReport() {
    clearReport();
    showChartView(true);
}

void TFPaiGua::clearReport() {
    mmoReport_->clear();
    reportQuestion_.clear();
}

// After a refusal or a failure (whose box may have come from another window) this window is in
// front again, where the user was working.
void TFPaiGua::keepInFront() {
    if (!isVisible())
        return;
    raise();
    activateWindow();
}

void TFPaiGua::showChart() {
    pnlChart_->showChart(shownChart());
    refreshAnalysis();
    lblGregorian_->setText(Text(chart_.dates.gregorian));
    lblPillar_->setText(Text(chart_.dates.pillar));
    lblLunar_->setText(Text(chart_.dates.lunar));
    lblShensha_->setText(Text(chart_.shensha));
}

void TFPaiGua::clearSpecification() {
    for (QComboBox* combo : {cbbUpper_, cbbLower_, cbbMoving_}) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
}

// The time, coin and number buttons start afresh: no specified casting, no report.
void TFPaiGua::clearCastingInputs() {
    clearSpecification();
    clearReport();
}

void TFPaiGua::specificationChanged() {
    const std::string upper = cbbUpper_->currentText().toStdString();
    const std::string lower = cbbLower_->currentText().toStdString();
    const std::string moving = cbbMoving_->currentText().toStdString();
    const std::string method = cbbMethod_->currentText().toStdString();
    if (apply([&] { return CastSpecified(chart_, upper, lower, moving, method); }))
        clearReport();
}

void TFPaiGua::btnTimeClick() {
    clearCastingInputs();
}

void TFPaiGua::castByTime(TimeVariant variant) {
    const DateTimeValue date = calendar_.calendarDate();
    const int hour = calendar_.hourIndex();
    apply([&] { return CastByTime(chart_, variant, date, hour); });
}

void TFPaiGua::showFromCalendar() {
    show();
    raise();
    activateWindow();
    showChartView(true);
    castByTime(TimeVariant::YearBranch);
}

void TFPaiGua::btnCoinClick() {
    clearCastingInputs();
    auto* dialog = new TYaoGua(
        [this](const TYaoGua::Marks& marks) {
            const std::array<std::string_view, kChartRows> views{marks[0], marks[1], marks[2],
                                                                 marks[3], marks[4], marks[5]};
            return apply([&] { return CastByCoins(chart_, views); });
        },
        this);
    // A second coin dialog opens beside the one still open, not exactly over it.
    const QPointer<TYaoGua> previous = coinDialog_;
    coinDialog_ = dialog;
    dialog->show();
    if (previous && previous->isVisible())
        dialog->move(previous->pos() + QPoint(kCascadeStep, kCascadeStep));
}

void TFPaiGua::btnNumberClick() {
    clearCastingInputs();
    cbbMethod_->setEditText(Text(std::string(kNumberMethod)));
    auto* dialog = new TFbaoshu(
        [this](const TFbaoshu::Numbers& n) {
            const int hour = services_.clock.now().time().hour();
            const std::string method = cbbMethod_->currentText().toStdString();
            return apply([&] {
                return CastByNumbers(chart_, n.first.toStdString(), n.second.toStdString(), n.addHour, hour,
                                     method);
            });
        },
        this);
    numberDialog_ = dialog;
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
}

void TFPaiGua::btnRecastClick() {
    showChartView(true);
}

// The chart view shows the date and chart panels over the memo; the report view only the memo.
void TFPaiGua::showChartView(bool chartView) {
    pnlDate_->setVisible(chartView);
    pnlChart_->setVisible(chartView);
    actStart_->setEnabled(chartView);
    actStart_->setChecked(!chartView);
    actRecast_->setEnabled(!chartView);
    actRecast_->setChecked(chartView);
}

} // namespace qj
