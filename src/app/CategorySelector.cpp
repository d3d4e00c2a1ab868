#include "app/CategorySelector.h"

#include <QAbstractItemView>
#include <QListView>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace qj {
namespace {

const QColor kGround(225, 225, 255);

// Draws each category name on one fixed-height row, the selected row in the highlight colours.
class FixedRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // 18 high, or taller when the user's font would not fit.
        const int height = std::max(CategorySelector::kItemHeight, option.fontMetrics.height() + 2);
        return {QStyledItemDelegate::sizeHint(option, index).width(), height};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & (QStyle::State_Selected | QStyle::State_MouseOver);
        const QPalette& pal = option.palette;
        painter->save();
        painter->fillRect(option.rect, selected ? pal.color(QPalette::Highlight) : kGround);
        painter->setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
        painter->setFont(option.font);
        const QRect text = option.rect.adjusted(3, 0, -2, 0);
        painter->drawText(
            text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
            option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width()));
        painter->restore();
    }
};

} // namespace

CategorySelector::CategorySelector(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("cbb1"));
    setEditable(false);
    setFixedWidth(kWidth);
    setMaxVisibleItems(kVisibleRows);
    // Ten rows with a scroll bar beyond, also under styles that would drop every entry down at once.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    // A plain list view keeps the row height and the ground colour under every widget style.
    auto* list = new QListView(this);
    list->setUniformItemSizes(true);
    setView(list);
    setItemDelegate(new FixedRowDelegate(this));
    QPalette pal = palette();
    pal.setColor(QPalette::Base, kGround);
    pal.setColor(QPalette::Button, kGround);
    setPalette(pal);
    view()->setPalette(pal);
    view()->setStyleSheet(QStringLiteral("background-color: rgb(225,225,255);"));
}

void CategorySelector::setNames(const QStringList& names) {
    const QSignalBlocker quiet(this);
    clear();
    addItems(names);
    setCurrentIndex(-1);
}

QStringList CategorySelector::names() const {
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << itemText(i);
    return out;
}

bool CategorySelector::selectName(const QString& name) {
    for (int i = 0; i < count(); ++i) {
        if (itemText(i) == name) {
            const QSignalBlocker quiet(this);
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

// The closed selector shows the chosen category on the same pale violet ground as the list.
void CategorySelector::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.fillRect(field, kGround);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace qj
