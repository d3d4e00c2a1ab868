#include "divination/ui/AnalysisPanel.h"

#include "divination/core/AnalysisText.h"
#include "divination/core/Relatives.h"
#include "divination/ui/ChartColumnList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qj {
namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The 用神 combo: nothing, the five relatives, 世, 应.
constexpr int kNoUseGod = 0;
constexpr int kShiItem = 6;
constexpr int kYingItem = 7;

enum Column {
    kLineColumn,
    kMonthColumn,
    kDayColumn,
    kVoidColumn,
    kChangeColumn,
    kShenshaColumn,
    kColumnCount
};

// A legend entry: a coloured word with its meaning as tooltip.
QLabel* Legend(const char* word, const QColor& colour, const char* meaning, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(word), parent);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, colour);
    label->setPalette(p);
    label->setToolTip(QString::fromUtf8(meaning));
    return label;
}

} // namespace

QColor UseGodColour() {
    return QColor(255, 236, 139);
}
QColor SourceColour() {
    return QColor(198, 239, 206);
}
QColor EnemyColour() {
    return QColor(255, 199, 206);
}
QColor FoeColour() {
    return QColor(214, 220, 240);
}

AnalysisPanel::AnalysisPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlAnalysis"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 0, 0, 0);
    outer->setSpacing(2);

    auto* choices = new QHBoxLayout;
    chkReport_ = new QCheckBox(QStringLiteral("报告附分析"), this);
    chkReport_->setObjectName(QStringLiteral("chkReportAnalysis"));
    chkReport_->setToolTip(QStringLiteral("开始断卦时在报告末尾附上本分析"));
    cbbUseGod_ = new QComboBox(this);
    cbbUseGod_->setObjectName(QStringLiteral("cbbUseGod"));
    cbbUseGod_->addItem(QStringLiteral("不选"));
    for (int rank = 1; rank <= kRelativeCount; ++rank)
        cbbUseGod_->addItem(Text(RelativeName(rank)));
    cbbUseGod_->addItem(QStringLiteral("世爻"));
    cbbUseGod_->addItem(QStringLiteral("应爻"));
    cbbUseGod_->setToolTip(
        QStringLiteral("选择用神：卦中用神黄色，原神（生用神者）绿色，忌神（克用神者）红色，"
                       "仇神（克原神者）蓝色"));
    cbbPalace_ = new QComboBox(this);
    cbbPalace_->setObjectName(QStringLiteral("cbbChangedPalace"));
    cbbPalace_->addItem(QStringLiteral("变卦六亲依本卦宫"));
    cbbPalace_->addItem(QStringLiteral("变卦六亲依变卦宫"));
    cbbPalace_->setToolTip(QStringLiteral("变卦之六亲以本卦所属之宫五行论（默认），或以变卦自身所属之宫论"));
    cbbBody_ = new QComboBox(this);
    cbbBody_->setObjectName(QStringLiteral("cbbBodyRule"));
    cbbBody_->addItem(QStringLiteral("月卦身"));
    cbbBody_->addItem(QStringLiteral("世身"));
    cbbBody_->setToolTip(QStringLiteral("月卦身（默认）：阴世则从午月起，阳世还从子月生，自初爻数至世爻。\n"
                                        "世身（安身诀）：子午持世身居初，丑未持世身居二，寅申持世身居三，\n"
                                        "卯酉持世身居四，辰戌持世身居五，巳亥持世身居六。"));
    choices->addWidget(chkReport_);
    choices->addSpacing(8);
    choices->addWidget(new QLabel(QStringLiteral("用神:"), this));
    choices->addWidget(cbbUseGod_);
    choices->addWidget(cbbPalace_);
    choices->addWidget(cbbBody_);
    choices->addSpacing(8);
    choices->addWidget(Legend("用", UseGodColour(), "用神", this));
    choices->addWidget(Legend("原", SourceColour(), "原神：生用神者", this));
    choices->addWidget(Legend("忌", EnemyColour(), "忌神：克用神者", this));
    choices->addWidget(Legend("仇", FoeColour(), "仇神：克原神者", this));
    choices->addStretch(1);
    outer->addLayout(choices);

    auto* body = new QHBoxLayout;
    table_ = new QTableWidget(kChartRows, kColumnCount, this);
    table_->setObjectName(QStringLiteral("tblAnalysis"));
    table_->setHorizontalHeaderLabels({QStringLiteral("爻"), QStringLiteral("月建"), QStringLiteral("日辰"),
                                       QStringLiteral("空"), QStringLiteral("动变"), QStringLiteral("神煞")});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(ChartColumnList::kRowHeight);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int widths[kColumnCount] = {84, 92, 124, 26, 140, 100};
    int width = 2 * table_->frameWidth();
    for (int c = 0; c < kColumnCount; ++c) {
        table_->setColumnWidth(c, widths[c]);
        width += widths[c];
    }
    table_->setFixedSize(width, table_->horizontalHeader()->sizeHint().height() +
                                    kChartRows * ChartColumnList::kRowHeight + 2 * table_->frameWidth());
    facts_ = new QLabel(this);
    facts_->setObjectName(QStringLiteral("lblAnalysisFacts"));
    facts_->setWordWrap(true);
    facts_->setFixedWidth(300);
    facts_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    facts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body->addWidget(table_, 0, Qt::AlignTop);
    body->addWidget(facts_, 0, Qt::AlignTop);
    outer->addLayout(body);
    outer->addStretch(1);

    connect(cbbUseGod_, &QComboBox::currentIndexChanged, this, &AnalysisPanel::readingChanged);
    for (QComboBox* choice : {cbbPalace_, cbbBody_})
        connect(choice, &QComboBox::currentIndexChanged, this, [this] {
            emit readingChanged();
            emit choicesChanged();
        });
    connect(chkReport_, &QCheckBox::toggled, this, &AnalysisPanel::choicesChanged);
}

std::optional<UseGodRequest> AnalysisPanel::useGod() const {
    const int item = cbbUseGod_->currentIndex();
    if (item <= kNoUseGod)
        return std::nullopt;
    if (item == kShiItem)
        return UseGodRequest{UseGodChoice::Shi, 0};
    if (item == kYingItem)
        return UseGodRequest{UseGodChoice::Ying, 0};
    return UseGodRequest{UseGodChoice::Relative, item};
}

bool AnalysisPanel::reportAnalysis() const {
    return chkReport_->isChecked();
}

void AnalysisPanel::setReportAnalysis(bool on) {
    chkReport_->setChecked(on);
}

ChangedPalace AnalysisPanel::changedPalace() const {
    return cbbPalace_->currentIndex() == 1 ? ChangedPalace::Own : ChangedPalace::Primary;
}

void AnalysisPanel::setChangedPalace(ChangedPalace palace) {
    cbbPalace_->setCurrentIndex(palace == ChangedPalace::Own ? 1 : 0);
}

BodyRule AnalysisPanel::bodyRule() const {
    return cbbBody_->currentIndex() == 1 ? BodyRule::Shi : BodyRule::Month;
}

void AnalysisPanel::setBodyRule(BodyRule rule) {
    cbbBody_->setCurrentIndex(rule == BodyRule::Shi ? 1 : 0);
}

AnalysisOptions AnalysisPanel::options() const {
    AnalysisOptions o;
    o.changedPalace = changedPalace();
    o.body = bodyRule();
    return o;
}

void AnalysisPanel::showAnalysis(const ChartAnalysis& a) {
    for (int row = 0; row < kChartRows; ++row) {
        const int line = kChartRows - row;
        const LineReading& r = a.lines[static_cast<size_t>(line - 1)];
        const QString cells[kColumnCount] = {
            Text(LineName(line)) + QLatin1Char(' ') + Text(RelativeName(r.relative)) +
                Text(BranchName(r.branch)),
            Text(MonthMarks(r)),
            Text(DayMarks(r)),
            r.isVoid ? QStringLiteral("空") : QString(),
            Text(ChangeCell(r)),
            Text(ShenshaMarks(r)),
        };
        const QString tip = Text(LineExplanation(a, line));
        for (int c = 0; c < kColumnCount; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setToolTip(tip);
            table_->setItem(row, c, item);
        }
    }
    // The section's lines without its heading and its line table, which the table shows.
    QStringList facts;
    const std::vector<std::string> section = AnalysisSection(a, useGod());
    for (size_t i = 1; i < section.size(); ++i) {
        if (section[i].starts_with("爻位")) {
            i += kChartRows;
            continue;
        }
        facts.append(Text(section[i]).simplified());
    }
    facts_->setText(facts.join(QLatin1Char('\n')));
    facts_->setToolTip(QStringLiteral("互卦取二三四爻为下卦、三四五爻为上卦；错卦六爻皆变；综卦上下颠倒。\n"
                                      "卦身：依所选之法，见“月卦身/世身”的说明。\n"
                                      "三合局须有动爻或变爻参与，静爻不论。"));
}

} // namespace qj
