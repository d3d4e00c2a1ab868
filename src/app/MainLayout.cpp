// The main window's frame: toolbar, left column, right area and status bar.

#include "app/CategorySelector.h"
#include "app/Lymain.h"
#include "app/MainActions.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/Notebook.h"
#include "editor/ColumnWrap.h"
#include "editor/EditorPane.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace qj {
namespace {

constexpr int kToolBarHeight = 50;
constexpr int kButtonWidth = 39;
constexpr int kButtonHeight = 38;
constexpr int kPictureSize = 32;
constexpr int kLeftColumnWidth = 217;
constexpr int kSelectorStripHeight = 36;

// Toolbar buttons left to right; no action is a separator. Buttons the program refers to by name
// carry it.
struct ToolButton {
    QAction* MainActions::*action;
    const char* buttonName;
};

constexpr ToolButton kToolButtons[] = {
    {&MainActions::addSibling, "btn4"},
    {&MainActions::addChild, "btn5"},
    {&MainActions::deleteNote, "btn6"},
    {nullptr, ""},
    {&MainActions::findAll, "btn7"},
    {&MainActions::printView, "btn9"},
    {&MainActions::save, "btn8"},
    {nullptr, ""},
    {&MainActions::paiGua, "btn1"},
    {&MainActions::cnDate, "btn2"},
    {&MainActions::alert, "btn3"},
    {&MainActions::about, "btn11"},
    {nullptr, ""},
    {&MainActions::hideMainW, "btn12"},
    {&MainActions::exit, "btn13"},
    {nullptr, ""},
};

struct PanelLayout {
    int width;
    Qt::Alignment align;
};

// Tree position, version, caret line and column, wrap read-out, lunar date and clock. The last
// panel takes the rest of the bar.
constexpr PanelLayout kPanels[TFmain::kStatusPanels] = {
    {120, Qt::AlignLeft}, {110, Qt::AlignHCenter}, {120, Qt::AlignRight},
    {100, Qt::AlignLeft}, {50, Qt::AlignRight},
};

} // namespace

void TFmain::buildToolBar() {
    toolBar1_ = new QToolBar(this);
    toolBar1_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar1_->setWindowTitle(QStringLiteral("工具栏"));
    toolBar1_->setMovable(false);
    toolBar1_->setFloatable(false);
    toolBar1_->setIconSize(QSize(kPictureSize, kPictureSize));
    toolBar1_->setMinimumHeight(kToolBarHeight);
    // The bar's own show/hide item would bypass "工具栏"; the View menu's item is the one switch.
    toolBar1_->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, toolBar1_);

    for (const ToolButton& b : kToolButtons) {
        if (!b.action) {
            toolBar1_->addSeparator();
            continue;
        }
        QAction* a = actions_.*b.action;
        toolBar1_->addAction(a);
        if (auto* button = qobject_cast<QToolButton*>(toolBar1_->widgetForAction(a))) {
            button->setObjectName(QString::fromLatin1(b.buttonName));
            button->setAutoRaise(true);
            button->setMinimumSize(kButtonWidth, kButtonHeight);
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        }
    }

    auto* stretch = new QWidget(toolBar1_);
    stretch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolBar1_->addWidget(stretch);
    chkBox_ = new QCheckBox(QStringLiteral("   自动80列换行"), toolBar1_);
    chkBox_->setObjectName(QStringLiteral("ChkBox"));
    chkBox_->setCursor(Qt::PointingHandCursor);
    chkBox_->setChecked(true);
    toolBar1_->addWidget(chkBox_);
    auto* rightGap = new QWidget(toolBar1_);
    rightGap->setFixedWidth(8);
    toolBar1_->addWidget(rightGap);
    connect(chkBox_, &QCheckBox::toggled, this, &TFmain::ChkBoxClick);
    connect(actions_.toolBar, &QAction::toggled, toolBar1_, &QWidget::setVisible);
}

void TFmain::buildCentre() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->setOpaqueResize(true);
    splitter_->setChildrenCollapsible(false);

    pageControl1_ = new QTabWidget(splitter_);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    auto* page = new QWidget(pageControl1_);
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    auto* strip = new QWidget(page);
    strip->setFixedHeight(kSelectorStripHeight);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(4, 0, 4, 0);
    cbb1_ = new CategorySelector(strip);
    stripLayout->addWidget(cbb1_);
    stripLayout->addStretch(1);
    pageLayout->addWidget(strip);
    pageLayout->addWidget(notebook_->tree(), 1);
    pageControl1_->addTab(page, QStringLiteral("目录分类"));
    pageControl1_->setMinimumWidth(cbb1_->width() + 16);

    auto* right = new QWidget(splitter_);
    right->setObjectName(QStringLiteral("Panel2"));
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    rightLayout->addWidget(notebook_->titleBar());
    rightLayout->addWidget(pane_, 1);

    splitter_->addWidget(pageControl1_);
    splitter_->addWidget(right);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kLeftColumnWidth, 777 - kLeftColumnWidth});
    setCentralWidget(splitter_);

    connect(cbb1_, &QComboBox::activated, this, &TFmain::cbb1Change);
    connect(actions_.listBar, &QAction::toggled, pageControl1_, &QWidget::setVisible);
}

void TFmain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < kStatusPanels; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setAlignment(kPanels[i].align | Qt::AlignVCenter);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        const bool last = i == kStatusPanels - 1;
        if (last)
            label->setMinimumWidth(kPanels[i].width);
        else
            label->setFixedWidth(kPanels[i].width);
        bar->addWidget(label, last ? 1 : 0);
        panels_[i] = label;
    }
    connect(notebook_, &Notebook::treePositionChanged, this,
            [this](const QString& text) { setStatusText(kTreePanel, text); });
    connect(notebook_->editor(), &QsciScintilla::cursorPositionChanged, this, &TFmain::mmo1StatusChange);
    connect(pane_->columnWrap(), &ColumnWrap::mouseMoved, this, &TFmain::mmo1MouseMove);
    mmo1StatusChange();
}

QString TFmain::statusText(int panel) const {
    return panels_[panel]->text();
}

// A panel of fixed width widens to a longer text (a caret in column 466,708, a wide line's wrap
// read-out) rather than cut it; it never narrows below its own width.
void TFmain::setStatusText(int panel, const QString& text) {
    QLabel* label = panels_[panel];
    label->setText(text);
    if (panel == kStatusPanels - 1)
        return;
    const int needed = label->fontMetrics().horizontalAdvance(text) + 2 * label->frameWidth() + 8;
    if (needed > label->width())
        label->setFixedWidth(std::max(kPanels[panel].width, needed));
}

} // namespace qj
