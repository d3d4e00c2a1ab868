// The divination window's widgets: toolbar, specified-casting panel, date panel, chart panel, memo.

#include "divination/core/Casting.h"
#include "divination/ui/CalendarLink.h"
#include "divination/ui/ChartPanel.h"
#include "divination/ui/NoteFiling.h"
#include "divination/ui/PaiGua.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qj {
namespace {

constexpr QRgb kGreen = qRgb(0, 128, 0);
constexpr QRgb kMaroon = qRgb(128, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kGrey = qRgb(128, 128, 128);
constexpr QRgb kSpecificationBack = qRgb(255, 255, 202);

QLabel* ColouredLabel(const char* name, QRgb colour, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(colour));
    label->setPalette(p);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QComboBox* Combo(const char* name, bool editable, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace

void TFPaiGua::buildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, bar);

    auto action = [this](const char* name, const char* picture, const char* hint) {
        auto* a = new QAction(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(picture))),
                              QString::fromUtf8(hint), this);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(QString::fromUtf8(hint));
        return a;
    };
    actCoin_ = action("actCoin", "guaCoin", kCoinMethod.data());
    actTime_ = action("actTime", "guaTime", kTimeMethod.data());
    actNumber_ = action("actNumber", "guaNumber", kNumberMethod.data());
    actDate_ = action("actDate", "actCnDate", "选择日期");
    actStart_ = action("actStart", "guaStart", "开始断卦");
    actRecast_ = action("actRecast", "guaRecast", "重新起卦");
    actHandOff_ = action("actHandOff", "guaFile", "数据存在剪贴板并且退出");
    // "Shown pressed": 开始断卦 while a report is shown, 重新起卦 while the chart is.
    actStart_->setCheckable(true);
    actRecast_->setCheckable(true);

    auto* timeMenu = new QMenu(this);
    timeMenu->setObjectName(QStringLiteral("pmTime"));
    QAction* yearStem = timeMenu->addAction(QStringLiteral("年干"));
    yearStem->setObjectName(QStringLiteral("actYearStem"));
    QAction* yearBranch = timeMenu->addAction(QStringLiteral("年支"));
    yearBranch->setObjectName(QStringLiteral("actYearBranch"));
    actTime_->setMenu(timeMenu);

    bar->addAction(actCoin_);
    bar->addAction(actTime_);
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(actTime_)))
        button->setPopupMode(QToolButton::InstantPopup);
    bar->addAction(actNumber_);
    bar->addSeparator();
    bar->addWidget(buildSpecificationPanel());
    bar->addSeparator();
    bar->addAction(actDate_);
    auto* styles = new QWidget(bar);
    auto* styleLayout = new QVBoxLayout(styles);
    styleLayout->setContentsMargins(4, 0, 4, 0);
    styleLayout->setSpacing(0);
    rbNew_ = new QRadioButton(QStringLiteral("新式"), styles);
    rbNew_->setObjectName(QStringLiteral("rbNew"));
    rbNew_->setChecked(true);
    rbOld_ = new QRadioButton(QStringLiteral("古式"), styles);
    rbOld_->setObjectName(QStringLiteral("rbOld"));
    styleLayout->addWidget(rbNew_);
    styleLayout->addWidget(rbOld_);
    bar->addWidget(styles);
    bar->addAction(actStart_);
    bar->addAction(actRecast_);
    bar->addAction(actHandOff_);
    for (QAction* a : bar->actions())
        if (QWidget* w = bar->widgetForAction(a); qobject_cast<QToolButton*>(w))
            w->setFocusPolicy(Qt::TabFocus);

    connect(actCoin_, &QAction::triggered, this, &TFPaiGua::btnCoinClick);
    connect(timeMenu, &QMenu::aboutToShow, this, &TFPaiGua::btnTimeClick);
    connect(yearStem, &QAction::triggered, this, [this] { castByTime(TimeVariant::YearStem); });
    connect(yearBranch, &QAction::triggered, this, [this] { castByTime(TimeVariant::YearBranch); });
    connect(actNumber_, &QAction::triggered, this, &TFPaiGua::btnNumberClick);
    connect(actDate_, &QAction::triggered, this, [this] { calendar_.showCalendar(); });
    connect(actStart_, &QAction::triggered, this, &TFPaiGua::StartReading);
    connect(actRecast_, &QAction::triggered, this, &TFPaiGua::btnRecastClick);
    connect(actHandOff_, &QAction::triggered, this, &TFPaiGua::HandOffReport);
}

QWidget* TFPaiGua::buildSpecificationPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlSpecification"));
    panel->setAutoFillBackground(true);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, QColor(kSpecificationBack));
    p.setColor(QPalette::Base, QColor(kSpecificationBack));
    p.setColor(QPalette::WindowText, QColor(kBlue));
    p.setColor(QPalette::Text, QColor(kBlue));
    p.setColor(QPalette::ButtonText, QColor(kBlue));
    panel->setPalette(p);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 1, 4, 1);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(0);
    cbbUpper_ = Combo("cbbUpper", true, panel);
    cbbLower_ = Combo("cbbLower", true, panel);
    cbbMoving_ = Combo("cbbMoving", true, panel);
    for (const std::string& item : TrigramComboItems()) {
        cbbUpper_->addItem(QString::fromStdString(item));
        cbbLower_->addItem(QString::fromStdString(item));
    }
    for (std::string_view item : kMovingComboItems)
        cbbMoving_->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    // One caption over the three combos; each combo is as wide as its word and the blanks after it,
    // so that every word stands over its combo.
    const QString captionText = QStringLiteral("上卦              下卦             动爻");
    auto* caption = new QLabel(captionText, panel);
    caption->setObjectName(QStringLiteral("lblSpecification"));
    grid->addWidget(caption, 0, 0, 1, 3);
    const QFontMetrics metrics(caption->font());
    const int lowerAt = static_cast<int>(captionText.indexOf(QStringLiteral("下卦")));
    const int movingAt = static_cast<int>(captionText.indexOf(QStringLiteral("动爻")));
    const int minimum = metrics.horizontalAdvance(QStringLiteral("8 坤地")) + 30;
    const int widths[] = {
        std::max(minimum, metrics.horizontalAdvance(captionText.left(lowerAt)) - grid->horizontalSpacing()),
        std::max(minimum, metrics.horizontalAdvance(captionText.mid(lowerAt, movingAt - lowerAt)) -
                              grid->horizontalSpacing()),
        metrics.horizontalAdvance(QStringLiteral("6爻")) + 34,
    };
    QComboBox* combos[] = {cbbUpper_, cbbLower_, cbbMoving_};
    for (int i = 0; i < 3; ++i) {
        combos[i]->setMaxVisibleItems(9);
        combos[i]->setFixedWidth(widths[i]);
        combos[i]->setCurrentIndex(-1);
        combos[i]->setEditText(QString());
        grid->addWidget(combos[i], 1, i);
        connect(combos[i], &QComboBox::currentTextChanged, this, &TFPaiGua::specificationChanged);
    }
    return panel;
}

QWidget* TFPaiGua::buildDatePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlDate"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(6, 4, 6, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    auto caption = [panel](const char* text) { return new QLabel(QString::fromUtf8(text), panel); };

    // Row 1: category, method, sex, name.
    auto* row1 = new QHBoxLayout;
    cbbCategory_ = Combo("cbbCategory", true, panel);
    cbbCategory_->setMinimumContentsLength(8);
    cbbMethod_ = Combo("cbbMethod", true, panel);
    for (const char* item : {"时间起卦", "手摇起卦", "报数起卦", "指定起卦"})
        cbbMethod_->addItem(QString::fromUtf8(item));
    cbbMethod_->setCurrentIndex(-1);
    cbbMethod_->setMinimumContentsLength(10);
    cbbSex_ = Combo("cbbSex", false, panel);
    cbbSex_->addItem(QStringLiteral("男"));
    cbbSex_->addItem(QStringLiteral("女"));
    cbbSex_->setCurrentIndex(-1);
    edtName_ = new QLineEdit(panel);
    edtName_->setObjectName(QStringLiteral("edtName"));
    row1->addWidget(cbbCategory_, 2);
    row1->addSpacing(8);
    row1->addWidget(caption("方式:"));
    row1->addWidget(cbbMethod_, 2);
    row1->addSpacing(8);
    row1->addWidget(caption("性别:"));
    row1->addWidget(cbbSex_);
    row1->addSpacing(8);
    row1->addWidget(caption("姓名:"));
    row1->addWidget(edtName_, 1);
    grid->addWidget(caption("起卦类别: "), 0, 0);
    grid->addLayout(row1, 0, 1);

    // Row 2: Gregorian date and shensha line.
    auto* row2 = new QHBoxLayout;
    lblGregorian_ = ColouredLabel("lblGregorian", kGreen, panel);
    lblShensha_ = ColouredLabel("lblShensha", kMaroon, panel);
    row2->addWidget(lblGregorian_);
    row2->addSpacing(12);
    row2->addWidget(caption("神煞:"));
    row2->addWidget(lblShensha_, 1);
    grid->addWidget(caption("公历时间:"), 1, 0);
    grid->addLayout(row2, 1, 1);

    // Row 3: pillars and lunar date.
    auto* row3 = new QHBoxLayout;
    lblPillar_ = ColouredLabel("lblPillar", kBlue, panel);
    lblLunar_ = ColouredLabel("lblLunar", kGrey, panel);
    row3->addWidget(lblPillar_);
    row3->addSpacing(12);
    row3->addWidget(lblLunar_, 1);
    grid->addWidget(caption("干支农历:"), 2, 0);
    grid->addLayout(row3, 2, 1);

    // Row 4: the question.
    edtQuestion_ = new QLineEdit(QStringLiteral("占"), panel);
    edtQuestion_->setObjectName(QStringLiteral("edtQuestion"));
    edtQuestion_->setMaxLength(kQuestionLength);
    grid->addWidget(caption("占卦内容:"), 3, 0);
    grid->addWidget(edtQuestion_, 3, 1);
    grid->setColumnStretch(1, 1);

    connect(cbbCategory_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { runCommand([&] { notes_.selectTitled(text); }); });
    return panel;
}

} // namespace qj
