#include "app/notebook/NoteTreeItems.h"

#include "app/notebook/NoteTreeWidget.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <vector>

namespace qj {

namespace {

constexpr Qt::ItemFlags kNoteFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable |
                                     Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;

} // namespace

static_assert(kNoteIdRole == NoteTreeWidget::IdRole);

NodeRef NodeOfItem(const QTreeWidgetItem* item) {
    if (!item)
        return kNoNode;
    if (item->type() == NoteItem::Type)
        return static_cast<const NoteItem*>(item)->node;
    return item->data(0, kNoteNodeRole).toInt();
}

NoteId IdOfItem(const QTreeWidgetItem* item) {
    if (item->type() == NoteItem::Type)
        return static_cast<const NoteItem*>(item)->id;
    return NoteId{item->data(0, kNoteIdRole).toLongLong()};
}

QVariant NoteItem::data(int column, int role) const {
    if (role == kNoteIdRole)
        return static_cast<qlonglong>(id.value());
    if (role == kNoteNodeRole)
        return node;
    return QTreeWidgetItem::data(column, role);
}

NoteItem* MakeNoteItem(const NoteTree& tree, NodeRef node) {
    auto* item = new NoteItem(tree.Key(node), node);
    item->setText(0, tree.Title(node));
    item->setFlags(kNoteFlags);
    item->filled = tree.Children(node).empty();
    if (!item->filled)
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void DeleteDetachedItems(const QList<QTreeWidgetItem*>& tops,
                         const std::function<void(QTreeWidgetItem*)>& gone) {
    // Each item is deleted once it has no child items left, its first child always first: the
    // parent finds it at the front of its list, so the whole take-down is linear.
    std::vector<QTreeWidgetItem*> path;
    for (QTreeWidgetItem* top : tops) {
        path.push_back(top);
        while (!path.empty()) {
            QTreeWidgetItem* it = path.back();
            if (it->childCount() > 0) {
                path.push_back(it->child(0));
                continue;
            }
            path.pop_back();
            if (gone)
                gone(it);
            delete it;
        }
    }
}

void DeleteAllItems(QTreeWidget* widget, const std::function<void(QTreeWidgetItem*)>& gone) {
    if (widget->topLevelItemCount() == 0)
        return;
    DeleteDetachedItems(widget->invisibleRootItem()->takeChildren(), gone);
}

} // namespace qj
