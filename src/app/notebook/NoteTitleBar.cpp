#include "app/notebook/NoteTitleBar.h"

#include <QCheckBox>
#include <QIcon>
#include <QPainter>
#include <QToolButton>

namespace qj {

namespace {
constexpr int BarHeight = 22;
constexpr int TextBorder = 10;
constexpr int ToolsButtonWidth = 136;
const QColor CleanColour(0, 0, 255);
const QColor DirtyColour(255, 0, 0);
// Seventeen blanks keep the title clear of the read-only box.
const QString TitleLead = QStringLiteral("                 【");
const QString TitleEnd = QStringLiteral("】");
} // namespace

NoteTitleBar::NoteTitleBar(QWidget* parent)
    : QFrame(parent), text_(textFor(QStringLiteral("标题"))), colour_(CleanColour),
      chk1_(new QCheckBox(QStringLiteral("只读"), this)), btn10_(new QToolButton(this)) {
    setObjectName(QStringLiteral("Panel3"));
    setFixedHeight(BarHeight);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    chk1_->setObjectName(QStringLiteral("chk1"));
    chk1_->setCursor(Qt::PointingHandCursor);
    chk1_->setChecked(true);
    QFont plain = chk1_->font();
    plain.setBold(false);
    chk1_->setFont(plain);

    btn10_->setObjectName(QStringLiteral("btn10"));
    btn10_->setAutoRaise(true);
    btn10_->setToolTip(QStringLiteral("资料编辑操作"));
    btn10_->setFixedWidth(ToolsButtonWidth);
    btn10_->setFont(plain);
    // Picture only: a note page with a pencil and a menu arrow.
    btn10_->setIcon(QIcon(QStringLiteral(":/icons/btnEditTools16.png")));
    btn10_->setIconSize(QSize(16, 16));
    btn10_->setToolButtonStyle(Qt::ToolButtonIconOnly);
}

QString NoteTitleBar::textFor(const QString& title) {
    return TitleLead + title + TitleEnd;
}

void NoteTitleBar::setTitle(const QString& title) {
    setText(textFor(title));
}

void NoteTitleBar::setText(const QString& text) {
    text_ = text;
    update();
}

QString NoteTitleBar::text() const {
    return text_;
}

void NoteTitleBar::clear() {
    setText(QString());
}

void NoteTitleBar::setDirty(bool dirty) {
    colour_ = dirty ? DirtyColour : CleanColour;
    update();
}

QColor NoteTitleBar::textColour() const {
    return colour_;
}

QCheckBox* NoteTitleBar::readOnlyBox() const {
    return chk1_;
}

QToolButton* NoteTitleBar::toolsButton() const {
    return btn10_;
}

QSize NoteTitleBar::sizeHint() const {
    return {QFrame::sizeHint().width(), BarHeight};
}

void NoteTitleBar::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(colour_);
    const QRect area = contentsRect().adjusted(TextBorder, 0, -ToolsButtonWidth, 0);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

void NoteTitleBar::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect area = contentsRect();
    const int boxHeight = chk1_->sizeHint().height();
    chk1_->setGeometry(area.left() + 2, area.top() + (area.height() - boxHeight) / 2,
                       chk1_->sizeHint().width(), boxHeight);
    btn10_->setGeometry(area.right() + 1 - ToolsButtonWidth, area.top(), ToolsButtonWidth, area.height());
}

} // namespace qj
