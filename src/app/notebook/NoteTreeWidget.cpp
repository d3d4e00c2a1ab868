#include "app/notebook/NoteTreeWidget.h"

#include "app/notebook/DragScroll.h"
#include "app/notebook/NoteTreeDelegate.h"
#include "app/notebook/NoteTreeItems.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOption>

#include <utility>

namespace qj {

namespace {
constexpr int DragScrollIntervalMs = 120;
}

NoteTreeWidget::NoteTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("Tv1"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(19);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The column is as wide as the widest title Qt measures near the rows on show (with its
    // indentation), never narrower than the view: deep titles scroll sideways.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setAutoScroll(false); // the drag scrolls by the node rule below
    setNotesWritable(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setItemDelegate(new NoteTreeDelegate(this));
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 172));
    setPalette(pal);

    dragScrollTimer_.setInterval(DragScrollIntervalMs);
    connect(&dragScrollTimer_, &QTimer::timeout, this, &NoteTreeWidget::dragScrollTick);
}

NoteTreeWidget::~NoteTreeWidget() {
    DeleteAllItems(this);
}

void NoteTreeWidget::setNotesWritable(bool writable) {
    setEditTriggers(writable ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                             : QAbstractItemView::NoEditTriggers);
    setDragEnabled(writable);
}

NoteId NoteTreeWidget::idOf(const QTreeWidgetItem* item) {
    return IdOfItem(item);
}

QTreeWidgetItem* NoteTreeWidget::selectedItem() const {
    const auto items = selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

std::optional<NoteId> NoteTreeWidget::selectedId() const {
    if (const auto* item = selectedItem())
        return idOf(item);
    return std::nullopt;
}

bool NoteTreeWidget::canDrop(const QTreeWidgetItem* dragged, const QTreeWidgetItem* target) const {
    return dragged && target && dropRule_ && dropRule_(dragged, target);
}

int NoteTreeWidget::pictureOf(QTreeWidgetItem* item) const {
    return NoteTreeDelegate::pictureFor(indexFromItem(item), item->isSelected());
}

void NoteTreeWidget::mousePressEvent(QMouseEvent* event) {
    // Only a left press on a node changes the selection; a press on empty space keeps it.
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint())) {
        QTreeWidget::mousePressEvent(event);
    } else {
        setFocus(Qt::MouseFocusReason);
        event->accept();
    }
    emit mousePressed(event->button());
    // A question asked meanwhile took the release: the press is over.
    if (!(QGuiApplication::mouseButtons() & event->button()))
        setState(NoState);
}

void NoteTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    emit mouseReleased(event->button());
}

// The second press of a double click arrives as a double click: it counts as a press too.
void NoteTreeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()))
        QTreeWidget::mouseDoubleClickEvent(event);
    else
        event->accept();
    emit mousePressed(event->button());
}

void NoteTreeWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && state() != EditingState &&
        selectedItem()) {
        emit deleteKeyPressed();
        event->accept();
        return;
    }
    const QModelIndex before = currentIndex();
    QTreeWidget::keyPressEvent(event);
    // The view scrolls to a node the keys reach only with auto-scroll, which is off for the drag's
    // own scrolling: the keys bring it into view here.
    if (currentIndex() != before && state() != EditingState)
        scrollTo(currentIndex());
}

bool NoteTreeWidget::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize)
        header()->setMinimumSectionSize(viewport()->width());
    return QTreeWidget::viewportEvent(event);
}

// Also sideways: the title itself comes into view, from its picture on (the view alone would only
// bring the column's left edge into view).
void NoteTreeWidget::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QTreeWidget::scrollTo(index, hint);
    if (!index.isValid())
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int titleWidth = itemDelegateForIndex(index)->sizeHint(option, index).width();
    const int left = visualRect(index).left() - indentation(); // with the node's expand mark
    const int right = visualRect(index).left() + titleWidth;
    const int width = viewport()->width();
    QScrollBar* bar = horizontalScrollBar();
    if (left < 0 || right - left > width)
        bar->setValue(bar->value() + left);
    else if (right > width)
        bar->setValue(bar->value() + right - width);
}

// The selection is drawn highlighted with the focus and outlined without it.
void NoteTreeWidget::focusOutEvent(QFocusEvent* event) {
    QTreeWidget::focusOutEvent(event);
    viewport()->update();
}

void NoteTreeWidget::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    viewport()->update();
    emit focusEntered();
}

// The branch area left of a title never shows the selection (only the title does) and carries
// the expand mark of a node with children.
void NoteTreeWidget::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
    painter->fillRect(rect, palette().brush(QPalette::Base));
    if (!model()->hasChildren(index))
        return;
    QStyleOption opt;
    opt.initFrom(this);
    opt.rect = QRect(rect.right() + 1 - indentation(), rect.top(), indentation(), rect.height());
    opt.state = QStyle::State_Item | QStyle::State_Children;
    if (isExpanded(index))
        opt.state |= QStyle::State_Open;
    style()->drawPrimitive(QStyle::PE_IndicatorBranch, &opt, painter, this);
}

void NoteTreeWidget::startDrag(Qt::DropActions supportedActions) {
    dragged_ = selectedItem();
    if (!dragged_)
        return;
    QTreeWidget::startDrag(supportedActions);
    dragged_ = nullptr;
    dragScrollTimer_.stop();
    setDropTarget(nullptr);
}

void NoteTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && dragged_) {
        event->acceptProposedAction();
        dragPos_ = event->position().toPoint();
        dragScrollTimer_.start();
    } else {
        event->ignore();
    }
}

void NoteTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
    dragPos_ = event->position().toPoint();
    QTreeWidgetItem* target = itemAt(dragPos_);
    if (event->source() == this && canDrop(dragged_, target)) {
        const bool copy = event->modifiers() & Qt::ControlModifier;
        event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
        event->accept();
    } else {
        target = nullptr;
        event->ignore();
    }
    setDropTarget(target);
}

void NoteTreeWidget::setDropTarget(QTreeWidgetItem* target) {
    if (target == dropTarget_)
        return;
    dropTarget_ = target;
    viewport()->update();
}

void NoteTreeWidget::dragLeaveEvent(QDragLeaveEvent* event) {
    dragScrollTimer_.stop();
    setDropTarget(nullptr);
    QTreeWidget::dragLeaveEvent(event);
}

void NoteTreeWidget::dropEvent(QDropEvent* event) {
    dragScrollTimer_.stop();
    setDropTarget(nullptr);
    if (event->source() != this) {
        event->ignore();
        return;
    }
    // The controller changes the items itself once the records are written: the view must not
    // move or remove anything, whatever the answer.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    dropAt(dragged_, event->position().toPoint(), event->modifiers());
}

bool NoteTreeWidget::dropAt(QTreeWidgetItem* dragged, const QPoint& pos, Qt::KeyboardModifiers modifiers) {
    QTreeWidgetItem* target = itemAt(pos);
    if (!canDrop(dragged, target))
        return false;
    emit nodeDropped(dragged, target, modifiers.testFlag(Qt::ControlModifier));
    return true;
}

void NoteTreeWidget::dragScrollTick() {
    QTreeWidgetItem* target = itemAt(dragPos_);
    if (!target)
        return;
    // Rows counted from the topmost visible one.
    const QModelIndex top = indexAt(QPoint(1, 1));
    const QModelIndex targetIndex = indexFromItem(target);
    const int viewHeight = viewport()->height();
    int targetRow = -1;
    int fullyVisible = 0;
    int rowsBelowTarget = 0;
    int row = 0;
    for (QModelIndex i = top; i.isValid(); i = indexBelow(i), ++row) {
        const QRect rect = visualRect(i);
        if (rect.bottom() < viewHeight)
            fullyVisible = row + 1;
        if (i == targetIndex)
            targetRow = row;
        else if (targetRow >= 0 && ++rowsBelowTarget >= 2)
            break;
        if (rect.top() > viewHeight && targetRow < 0)
            break;
    }
    const int step =
        DragScrollStep(targetRow, verticalScrollBar()->value() > 0, fullyVisible, rowsBelowTarget);
    if (step != 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + step);
}

void NoteTreeWidget::titleAccepted(const QModelIndex& index, const QString& title) {
    acceptedIndex_ = index;
    acceptedTitle_ = title;
    QMetaObject::invokeMethod(this, &NoteTreeWidget::emitAcceptedTitle, Qt::QueuedConnection);
}

void NoteTreeWidget::emitAcceptedTitle() {
    if (!acceptedIndex_.isValid())
        return;
    QTreeWidgetItem* item = itemFromIndex(acceptedIndex_);
    acceptedIndex_ = QPersistentModelIndex();
    if (item)
        emit titleEdited(item, std::exchange(acceptedTitle_, QString()));
}

} // namespace qj
