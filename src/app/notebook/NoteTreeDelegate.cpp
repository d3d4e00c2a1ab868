#include "app/notebook/NoteTreeDelegate.h"

#include "app/notebook/NoteTreeWidget.h"
#include "store/TreePictures.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>

#include <array>

namespace qj {

namespace {

const QIcon& pictureIcon(int picture) {
    static const std::array<QIcon, kTreePictureCount> icons = [] {
        std::array<QIcon, kTreePictureCount> all;
        for (int i = 0; i < kTreePictureCount; ++i)
            all[i] = QIcon(QStringLiteral(":/icons/tree%1.png").arg(i));
        return all;
    }();
    return icons[picture];
}

} // namespace

NoteTreeDelegate::NoteTreeDelegate(NoteTreeWidget* tree) : QStyledItemDelegate(tree), tree_(tree) {}

int NoteTreeDelegate::pictureFor(const QModelIndex& index, bool selected) {
    const bool hasChildren = index.model()->hasChildren(index);
    // The pictures tell a root (level 0) from every deeper note.
    return PictureFor(index.parent().isValid() ? 1 : 0, hasChildren, selected);
}

void NoteTreeDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const bool selected = option->state & QStyle::State_Selected;
    option->icon = pictureIcon(pictureFor(index, selected));
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->decorationSize = QSize(16, 16);
}

void NoteTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    if (tree_->dropTarget() && tree_->itemFromIndex(index) == tree_->dropTarget()) {
        // The node under a dragged node is drawn as the drop target.
        QStyleOptionViewItem opt = option;
        opt.state |= QStyle::State_Selected | QStyle::State_Active;
        QStyledItemDelegate::paint(painter, opt, index);
        return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    if (!selected || tree_->hasFocus()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // Unfocused: no highlight, the title outlined so the selection stays visible.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.icon = pictureIcon(pictureFor(index, true));
    opt.state &= ~QStyle::State_Selected;
    opt.state &= ~QStyle::State_HasFocus;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QRect textArea = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const int textWidth = opt.fontMetrics.horizontalAdvance(opt.text) + 4;
    QRect outline(textArea.left(), textArea.top(), qMin(textWidth, textArea.width()), textArea.height());
    painter->save();
    painter->setPen(QPen(opt.palette.color(QPalette::Text), 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(outline.adjusted(0, 0, -1, -1));
    painter->restore();
}

QWidget* NoteTreeDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(NoteTreeWidget::MaxTitleLength);
    edit->setFrame(false);
    return edit;
}

void NoteTreeDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (!edit)
        return;
    // The controller writes the record first; the item follows only when the write succeeded.
    tree_->titleAccepted(index, edit->text().left(NoteTreeWidget::MaxTitleLength));
}

bool NoteTreeDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect textArea = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget)
                               .intersected(view->viewport()->rect());
    const int needed = opt.fontMetrics.horizontalAdvance(opt.text) + 6;
    if (needed > textArea.width()) {
        QToolTip::showText(event->globalPos(), opt.text, view->viewport(), option.rect);
    } else {
        QToolTip::hideText();
    }
    return true;
}

} // namespace qj
