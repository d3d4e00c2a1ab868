#include "divination/ui/SouYao.h"

#include "divination/core/Trigrams.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace qj {
namespace {

constexpr int kRowHeight = 28;

// The choice menu: what the three coins showed, and the line state that makes.
struct Choice {
    const char* text;
    LineState state;
};
constexpr Choice kChoices[] = {
    {"一个字 (两个背)", LineState::YoungYin},
    {"两个字 (一个背)", LineState::YoungYang},
    {"三个字 (没有背)", LineState::OldYin},
    {"没有字 (三个背)", LineState::OldYang},
};

QListWidget* MakeList(const char* name, QWidget* parent, int width) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    QFont f = list->font();
    f.setPixelSize(16);
    list->setFont(f);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    list->setFixedSize(width, kChartRows * kRowHeight + 2 * list->frameWidth());
    return list;
}

} // namespace

TYaoGua::TYaoGua(std::function<bool(const Marks&)> cast, QWidget* parent)
    : QDialog(parent), cast_(std::move(cast)) {
    setObjectName(QStringLiteral("YaoGua"));
    setWindowTitle(QStringLiteral("手摇起卦"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    lst1_ = MakeList("lst1", this, 90);
    lst1_->setToolTip(QStringLiteral("鼠标右键，选择 。"));
    lst1_->setContextMenuPolicy(Qt::CustomContextMenu);
    lst2_ = MakeList("lst2", this, 90);
    lst2_->setToolTip(QStringLiteral("双击鼠标左键，改变状态"));
    {
        QFont f = lst2_->font();
        f.setBold(true);
        lst2_->setFont(f);
        QPalette p = lst2_->palette();
        p.setColor(QPalette::Text, QColor(0, 0, 255));
        lst2_->setPalette(p);
    }
    for (int row = 0; row < kChartRows; ++row) {
        auto* label = new QListWidgetItem(QStringLiteral("第%1次").arg(kChartRows - row), lst1_);
        label->setSizeHint(QSize(80, kRowHeight));
        auto* line = new QListWidgetItem(QString::fromUtf8(LineMark(LineState::YoungYang)), lst2_);
        line->setSizeHint(QSize(80, kRowHeight));
        line->setTextAlignment(Qt::AlignCenter);
    }

    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("pm1"));
    for (const Choice& c : kChoices) {
        QAction* a = menu_->addAction(QString::fromUtf8(c.text));
        const int state = static_cast<int>(c.state);
        connect(a, &QAction::triggered, this, [this, state] { applyChoice(state); });
    }
    menu_->addAction(QStringLiteral("    关   闭"));

    connect(lst1_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { openChoiceMenu(lst1_->row(item)); });
    lst1_->installEventFilter(this);
    connect(lst1_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        menuRow_ = lst1_->currentRow();
        if (!lst1_->currentItem() || !lst1_->currentItem()->isSelected())
            menuRow_ = -1;
        menu_->popup(lst1_->viewport()->mapToGlobal(at));
    });
    connect(lst2_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { lineDoubleClicked(lst2_->row(item)); });

    auto* btnChoose = new QPushButton(QStringLiteral("选择"), this);
    btnChoose->setObjectName(QStringLiteral("btnChoose"));
    btnChoose->setDefault(true);
    auto* btnQuit = new QPushButton(QStringLiteral("退出"), this);
    btnQuit->setObjectName(QStringLiteral("btnQuit"));
    connect(btnChoose, &QPushButton::clicked, this, &TYaoGua::choose);
    connect(btnQuit, &QPushButton::clicked, this, &QDialog::close);

    auto* lists = new QHBoxLayout;
    lists->addWidget(lst1_);
    lists->addWidget(lst2_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnChoose);
    buttons->addWidget(btnQuit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TYaoGua::Marks TYaoGua::marks() const {
    Marks m;
    for (int row = 0; row < kChartRows; ++row)
        m[row] = lst2_->item(row)->text().toStdString();
    return m;
}

void TYaoGua::openChoiceMenu(int row) {
    if (row < 0 || row >= kChartRows)
        return;
    menuRow_ = row;
    // Beside the toss row: right of the label list, level with the row.
    const QRect r = lst1_->visualItemRect(lst1_->item(row));
    menu_->popup(lst1_->viewport()->mapToGlobal(QPoint(lst1_->viewport()->width(), r.top())));
}

bool TYaoGua::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lst1_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
            lst1_->currentRow() >= 0) {
            openChoiceMenu(lst1_->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TYaoGua::applyChoice(int state) {
    if (menuRow_ >= 0)
        lst2_->item(menuRow_)->setText(QString::fromUtf8(LineMark(static_cast<LineState>(state))));
    menuRow_ = -1;
    lst1_->clearSelection();
    lst1_->setCurrentRow(-1, QItemSelectionModel::Clear);
    activateWindow();
    setFocus();
}

void TYaoGua::lineDoubleClicked(int row) {
    if (row < 0 || row >= kChartRows)
        return;
    tossCycle_ = tossCycle_ == 3 ? 0 : tossCycle_ + 1;
    lst2_->item(row)->setText(QString::fromUtf8(LineMark(static_cast<LineState>(tossCycle_))));
}

void TYaoGua::choose() {
    if (cast_ && cast_(marks()))
        close();
}

} // namespace qj
