#include "app/notebook/NoteTreeWidget.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace qj {

NoteTreeWidget::NoteTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("Tv1"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(19);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 172));
    setPalette(pal);
}

int NoteTreeWidget::idOf(const QTreeWidgetItem* item) {
    return item->data(0, IdRole).toInt();
}

QTreeWidgetItem* NoteTreeWidget::selectedItem() const {
    const auto items = selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

std::optional<int> NoteTreeWidget::selectedId() const {
    if (const auto* item = selectedItem())
        return idOf(item);
    return std::nullopt;
}

int NoteTreeWidget::levelOf(const QTreeWidgetItem* item) {
    int level = 0;
    for (auto* p = item->parent(); p; p = p->parent())
        ++level;
    return level;
}

bool NoteTreeWidget::canDrop(const QTreeWidgetItem* dragged, const QTreeWidgetItem* target) {
    if (!dragged || !target)
        return false;
    for (auto* p = target; p; p = p->parent())
        if (p == dragged)
            return false;
    return true;
}

void NoteTreeWidget::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    emit mousePressed(event->button());
}

void NoteTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    emit mouseReleased(event->button());
}

void NoteTreeWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && state() != EditingState && selectedItem()) {
        emit deleteKeyPressed();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void NoteTreeWidget::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    emit focusEntered();
}

void NoteTreeWidget::startDrag(Qt::DropActions supportedActions) {
    dragged_ = selectedItem();
    QTreeWidget::startDrag(supportedActions);
    dragged_ = nullptr;
}

void NoteTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && dragged_)
        event->acceptProposedAction();
    else
        event->ignore();
}

void NoteTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
    const QPoint pos = event->position().toPoint();
    autoScrollDuringDrag(pos);
    QTreeWidgetItem* target = itemAt(pos);
    if (event->source() == this && canDrop(dragged_, target)) {
        const bool copy = event->modifiers() & Qt::ControlModifier;
        event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
        event->accept(visualItemRect(target));
    } else {
        event->ignore();
    }
}

void NoteTreeWidget::dropEvent(QDropEvent* event) {
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    if (event->source() != this || !canDrop(dragged_, target)) {
        event->ignore();
        return;
    }
    const bool copy = event->modifiers() & Qt::ControlModifier;
    // The controller rebuilds the affected items itself: the view must not move anything.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    emit nodeDropped(dragged_, target, copy);
}

void NoteTreeWidget::autoScrollDuringDrag(const QPoint& pos) {
    (void)pos;
}

void NoteTreeWidget::emitTitleEdited(QTreeWidgetItem* item, const QString& title) {
    emit titleEdited(item, title);
}

} // namespace qj
