#include "divination/ui/ChartPanel.h"

#include "divination/core/Descriptions.h"
#include "divination/core/Relatives.h"
#include "divination/core/Spirits.h"
#include "divination/ui/ChartColumnList.h"
#include "seams/StandardBoxes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace qj {
namespace {

enum class Describes { Nothing, Relative, Najia, Spirit };

struct ColumnLook {
    const char* name;
    QRgb colour; // 0: the window text colour
    bool bold;
    const char* widest;
    Describes describes;
    ChartColumn ChartState::*rows;
};

constexpr QRgb kPurple = qRgb(128, 0, 128);
constexpr QRgb kGreen = qRgb(0, 128, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kMaroon = qRgb(128, 0, 0);

const ColumnLook kColumnLooks[ChartPanel::kColumns] = {
    {"lstHiddenRelatives", kPurple, false, "兄弟", Describes::Nothing, &ChartState::hiddenRelatives},
    {"lstHiddenNajia", kPurple, false, "甲子水", Describes::Nothing, &ChartState::hiddenNajia},
    {"lstRelatives", kGreen, false, "兄弟", Describes::Relative, &ChartState::relatives},
    {"lstNajia", 0, false, "甲子水", Describes::Najia, &ChartState::najia},
    {"lstLines", kBlue, true, "/ O /", Describes::Nothing, &ChartState::lines},
    {"lstShiYing", kRed, true, "世", Describes::Nothing, &ChartState::shiYing},
    {"lstChangedRelatives", kGreen, false, "兄弟", Describes::Nothing, &ChartState::changedRelatives},
    {"lstChangedNajia", 0, false, "甲子水", Describes::Nothing, &ChartState::changedNajia},
    {"lstChangedLines", kBlue, true, "/ O /", Describes::Nothing, &ChartState::changedLines},
    {"lstChangedShiYing", kRed, true, "世", Describes::Nothing, &ChartState::changedShiYing},
    {"lstSpirits", kMaroon, false, "螣蛇", Describes::Spirit, &ChartState::spirits},
};

constexpr int kLinesColumn = 4;
constexpr int kHiddenNajiaColumn = 1;

// Tooltips show line breaks as LF; the texts carry CR LF.
QString TooltipText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).remove(QLatin1Char('\r'));
}

std::string DescriptionOf(Describes kind, const QString& rowText) {
    const std::string text = rowText.trimmed().toStdString();
    switch (kind) {
    case Describes::Relative:
        if (const int rank = RelativeRankOf(text))
            return std::string(RelativeDescription(rank));
        return {};
    case Describes::Najia:
        return NajiaDescription(text);
    case Describes::Spirit:
        if (const int number = SpiritNumberOf(text))
            return std::string(SpiritDescription(number));
        return {};
    case Describes::Nothing:
        break;
    }
    return {};
}

} // namespace

ChartPanel::ChartPanel(Dialogs& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("pnlChart"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 2, 4, 2);
    outer->setSpacing(2);

    auto* labels = new QHBoxLayout;
    auto makeLabel = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
        return label;
    };
    primary_ = makeLabel("lblPrimary");
    changed_ = makeLabel("lblChanged");
    labels->addWidget(primary_);
    labels->addWidget(changed_);

    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row_ = row;
    for (int i = 0; i < kColumns; ++i) {
        const ColumnLook& look = kColumnLooks[i];
        const QColor colour = look.colour ? QColor(look.colour) : palette().color(QPalette::WindowText);
        // The line marks and 世/应 stand in the middle of their columns.
        const Qt::Alignment alignment = (look.bold ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
        auto* column = new ChartColumnList(QString::fromLatin1(look.name), colour, look.bold,
                                           QString::fromUtf8(look.widest), alignment, this);
        columns_[i] = column;
        row->addWidget(column, 0, Qt::AlignTop);
        connect(column, &ChartColumnList::focusLeft, this, &ChartPanel::clearSelections);
        if (look.describes != Describes::Nothing) {
            connect(column, &QListWidget::currentRowChanged, this,
                    [this, column](int r) { describeRow(column, r); });
            connect(column, &QListWidget::itemClicked, this,
                    [this, column](QListWidgetItem* item) { describeRow(column, column->row(item)); });
            connect(column, &QListWidget::itemDoubleClicked, this,
                    [this, column](QListWidgetItem*) { showDescription(column); });
        }
    }
    ChartColumnList* lines = columns_[kLinesColumn];
    lines->viewport()->setCursor(Qt::CrossCursor);
    connect(lines, &ChartColumnList::pressed, this, &ChartPanel::linePressed);
    // After a toggle no row of the line column stays selected.
    connect(lines, &QListWidget::itemDoubleClicked, this, [this, lines](QListWidgetItem* item) {
        emit toggleRequested(lines->row(item));
        lines->clearSelection();
        lines->setCurrentRow(-1, QItemSelectionModel::Clear);
    });
    row->addStretch(1);

    // The labels stand over their own hexagram: the changed label starts above the changed columns.
    int primaryWidth = 0;
    for (int i = 0; i < 6; ++i)
        primaryWidth += columns_[i]->sizeHint().width();
    primary_->setFixedWidth(primaryWidth);
    labels->setSpacing(0);
    labels->addStretch(1);

    outer->addLayout(labels);
    outer->addLayout(row);
    outer->addStretch(1);
}

void ChartPanel::showChart(const ChartState& chart) {
    for (int i = 0; i < kColumns; ++i)
        columns_[i]->setRows(chart.*(kColumnLooks[i].rows));
    primary_->setText(QString::fromStdString(chart.primaryLabel.caption));
    primary_->setToolTip(TooltipText(chart.primaryLabel.hint));
    changed_->setText(QString::fromStdString(chart.changedLabel.caption));
    changed_->setToolTip(TooltipText(chart.changedLabel.hint));
    columns_[kHiddenNajiaColumn]->setToolTip(chart.hiddenHintEnabled ? TooltipText(kHiddenNajiaHint)
                                                                     : QString());
}

void ChartPanel::markRelatives(const std::array<QColor, kChartRows>& primary,
                               const std::array<QColor, kChartRows>& hidden) {
    constexpr int kRelativesColumn = 2;
    constexpr int kHiddenRelativesColumn = 0;
    for (int row = 0; row < kChartRows; ++row) {
        columns_[kRelativesColumn]->item(row)->setBackground(primary[row].isValid() ? QBrush(primary[row])
                                                                                    : QBrush());
        columns_[kHiddenRelativesColumn]->item(row)->setBackground(hidden[row].isValid() ? QBrush(hidden[row])
                                                                                         : QBrush());
    }
}

void ChartPanel::addBesideColumns(QWidget* widget) {
    row_->addWidget(widget, 0, Qt::AlignTop);
}

int ChartPanel::indexOf(const ChartColumnList* column) const {
    return static_cast<int>(std::find(columns_.begin(), columns_.end(), column) - columns_.begin());
}

void ChartPanel::describeRow(ChartColumnList* column, int row) {
    if (row < 0 || row >= kChartRows)
        return;
    const int index = indexOf(column);
    descriptions_[index] = DescriptionOf(kColumnLooks[index].describes, column->rowText(row));
    column->setToolTip(TooltipText(descriptions_[index]));
}

// The box shows the description with the line breaks it was written with.
void ChartPanel::showDescription(ChartColumnList* column) {
    const std::string& text = descriptions_[indexOf(column)];
    if (!text.empty())
        InformationBox(dialogs_, window(), QString::fromStdString(text));
}

void ChartPanel::clearSelections() {
    for (ChartColumnList* column : columns_) {
        column->clearSelection();
        column->setCurrentRow(-1, QItemSelectionModel::Clear);
    }
}

} // namespace qj
