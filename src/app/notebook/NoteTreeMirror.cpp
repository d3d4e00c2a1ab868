#include "app/notebook/NoteTreeMirror.h"

#include "app/notebook/NoteTreeItems.h"
#include "app/notebook/NoteTreeWidget.h"
#include "store/TreePictures.h"

namespace qj {

namespace {

// The item that takes the selection when `gone` disappears: next sibling, previous one, parent.
QTreeWidgetItem* NeighbourOf(QTreeWidget* widget, QTreeWidgetItem* gone) {
    QTreeWidgetItem* parent = gone->parent();
    const int index = parent ? parent->indexOfChild(gone) : widget->indexOfTopLevelItem(gone);
    const int count = parent ? parent->childCount() : widget->topLevelItemCount();
    auto at = [&](int i) { return parent ? parent->child(i) : widget->topLevelItem(i); };
    if (index + 1 < count)
        return at(index + 1);
    if (index > 0)
        return at(index - 1);
    return parent;
}

} // namespace

QTreeWidgetItem* NoteTreeMirror::item(NodeRef node) const {
    return node >= 0 && static_cast<size_t>(node) < itemOf_.size() ? itemOf_[node] : nullptr;
}

NodeRef NoteTreeMirror::selectedNode() const {
    QTreeWidgetItem* selected = widget_->selectedItem();
    return selected ? NodeOfItem(selected) : kNoNode;
}

void NoteTreeMirror::select(NodeRef node) {
    selectItem(item(node));
}

void NoteTreeMirror::selectItem(QTreeWidgetItem* target) {
    if (!target)
        return;
    for (QTreeWidgetItem* p = target->parent(); p; p = p->parent())
        p->setExpanded(true);
    widget_->setCurrentItem(target);
    widget_->scrollToItem(target);
}

void NoteTreeMirror::rebuild(NodeRef selected, const QSet<std::int64_t>& expanded) {
    const QSignalBlocker blocker(widget_);
    widget_->setUpdatesEnabled(false);
    widget_->clear();
    itemOf_.clear();
    if (notes_) {
        itemOf_.resize(static_cast<size_t>(notes_->NodeCount()), nullptr);
        widget_->addTopLevelItems(BuildAllItems(*notes_, itemOf_));
        if (!expanded.isEmpty())
            for (NodeRef n = 0; n < static_cast<NodeRef>(itemOf_.size()); ++n)
                if (itemOf_[n] && expanded.contains(notes_->Record(n).rowid))
                    itemOf_[n]->setExpanded(true);
        select(selected);
    }
    widget_->setUpdatesEnabled(true);
}

QSet<std::int64_t> NoteTreeMirror::expandedRecords() const {
    QSet<std::int64_t> rowids;
    for (NodeRef n = 0; n < static_cast<NodeRef>(itemOf_.size()); ++n)
        if (itemOf_[n] && itemOf_[n]->isExpanded())
            rowids.insert(notes_->Record(n).rowid);
    return rowids;
}

QTreeWidgetItem* NoteTreeMirror::addSubtree(NodeRef node) {
    QTreeWidgetItem* made = BuildSubtreeItems(*notes_, node, itemOf_);
    if (QTreeWidgetItem* parentItem = item(notes_->Parent(node)))
        parentItem->addChild(made);
    else
        widget_->addTopLevelItem(made);
    return made;
}

void NoteTreeMirror::moveUnder(NodeRef node, NodeRef target) {
    QTreeWidgetItem* moved = item(node);
    const QSignalBlocker blocker(widget_);
    if (QTreeWidgetItem* oldParent = moved->parent())
        oldParent->removeChild(moved);
    else
        widget_->takeTopLevelItem(widget_->indexOfTopLevelItem(moved));
    item(target)->addChild(moved);
}

void NoteTreeMirror::removeSubtree(const std::vector<NodeRef>& nodes) {
    QTreeWidgetItem* gone = nodes.empty() ? nullptr : item(nodes.front());
    if (!gone)
        return;
    bool selectionGoes = false;
    for (QTreeWidgetItem* p = widget_->selectedItem(); p; p = p->parent())
        selectionGoes |= p == gone;
    QTreeWidgetItem* next = selectionGoes ? NeighbourOf(widget_, gone) : nullptr;
    for (NodeRef n : nodes)
        if (static_cast<size_t>(n) < itemOf_.size())
            itemOf_[n] = nullptr;
    {
        const QSignalBlocker blocker(widget_);
        delete gone;
    }
    selectItem(next);
}

QString NoteTreeMirror::statusText() const {
    const NodeRef node = notes_ ? selectedNode() : kNoNode;
    if (node == kNoNode)
        return QString();
    return NodeStatusText(notes_->Level(node), static_cast<int>(notes_->Children(node).size()));
}

} // namespace qj
