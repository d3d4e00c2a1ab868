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

// The item's level: 0 for a top-level item (counted up to `most`).
int LevelOf(const QTreeWidgetItem* item, int most) {
    int level = 0;
    for (const QTreeWidgetItem* p = item->parent(); p && level < most; p = p->parent())
        ++level;
    return level;
}

// Takes the item out of its parent (or the top level).
void Detach(QTreeWidget* widget, QTreeWidgetItem* item) {
    if (QTreeWidgetItem* parent = item->parent())
        parent->removeChild(item);
    else
        widget->takeTopLevelItem(widget->indexOfTopLevelItem(item));
}

} // namespace

NoteTreeMirror::NoteTreeMirror(NoteTreeWidget* widget) : widget_(widget) {
    filler_ = QObject::connect(widget, &QTreeWidget::itemExpanded, widget, [this](QTreeWidgetItem* expanded) {
        if (expanded->type() == NoteItem::Type)
            fill(static_cast<NoteItem*>(expanded));
    });
}

NoteTreeMirror::~NoteTreeMirror() {
    QObject::disconnect(filler_);
    takeDownAll();
}

NoteItem* NoteTreeMirror::noteItem(NodeRef node) const {
    return node >= 0 && static_cast<size_t>(node) < itemOf_.size() ? itemOf_[node] : nullptr;
}

QTreeWidgetItem* NoteTreeMirror::item(NodeRef node) const {
    return noteItem(node);
}

void NoteTreeMirror::fill(NoteItem* parent) {
    if (parent->filled || !notes_)
        return;
    parent->filled = true;
    if (LevelOf(parent, kMostLevelsShown) + 1 >= kMostLevelsShown) {
        parent->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
        return; // its children lie deeper than the tree shows
    }
    const auto& children = notes_->Children(parent->node);
    QList<QTreeWidgetItem*> made;
    made.reserve(static_cast<qsizetype>(children.size()));
    for (NodeRef child : children) {
        if (static_cast<size_t>(child) >= itemOf_.size())
            itemOf_.resize(static_cast<size_t>(child) + 1, nullptr);
        // A moved item waits detached for its new parent to be filled.
        if (!itemOf_[child])
            itemOf_[child] = MakeNoteItem(*notes_, child);
        made.append(itemOf_[child]);
    }
    parent->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    parent->addChildren(made);
}

QTreeWidgetItem* NoteTreeMirror::ensureItem(NodeRef node) {
    if (!notes_ || !notes_->IsAlive(node) || notes_->Level(node) >= kMostLevelsShown)
        return nullptr;
    // The nearest ancestor with an item (a root always has one), then down again.
    std::vector<NodeRef> missing;
    NodeRef n = node;
    while (n != kNoNode && !noteItem(n)) {
        missing.push_back(n);
        n = notes_->Parent(n);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (NoteItem* parent = noteItem(notes_->Parent(*it)))
            fill(parent);
    return noteItem(node);
}

NodeRef NoteTreeMirror::selectedNode() const {
    QTreeWidgetItem* selected = widget_->selectedItem();
    return selected ? NodeOfItem(selected) : kNoNode;
}

void NoteTreeMirror::select(NodeRef node) {
    selectItem(ensureItem(node));
}

void NoteTreeMirror::selectItem(QTreeWidgetItem* target) {
    if (!target)
        return;
    for (QTreeWidgetItem* p = target->parent(); p; p = p->parent())
        p->setExpanded(true);
    widget_->setCurrentItem(target);
    widget_->scrollToItem(target);
}

void NoteTreeMirror::forget(QTreeWidgetItem* gone) {
    const NodeRef node = NodeOfItem(gone);
    if (node >= 0 && static_cast<size_t>(node) < itemOf_.size() && itemOf_[node] == gone)
        itemOf_[node] = nullptr;
}

void NoteTreeMirror::takeDownAll() {
    // The view keeps its expanded items as persistent indexes, which the model checks against
    // every removal by walking up their parents: forgotten first, the take-down stays linear.
    if (widget_) {
        widget_->collapseAll();
        DeleteAllItems(widget_);
    }
    itemOf_.clear();
}

void NoteTreeMirror::rebuild(NodeRef selected, const QSet<RecordId>& expanded) {
    const QSignalBlocker blocker(widget_);
    widget_->setUpdatesEnabled(false);
    takeDownAll();
    if (notes_) {
        itemOf_.assign(static_cast<size_t>(notes_->NodeCount()), nullptr);
        QList<QTreeWidgetItem*> roots;
        roots.reserve(static_cast<qsizetype>(notes_->Roots().size()));
        for (NodeRef root : notes_->Roots()) {
            if (static_cast<size_t>(root) >= itemOf_.size())
                itemOf_.resize(static_cast<size_t>(root) + 1, nullptr);
            roots.append(itemOf_[root] = MakeNoteItem(*notes_, root));
        }
        widget_->addTopLevelItems(roots);
        if (!expanded.isEmpty()) {
            std::vector<NodeRef> open;
            for (const auto& [node, level] : notes_->PreOrderWithLevels())
                if (expanded.contains(notes_->Record(node).rowid))
                    open.push_back(node);
            // Filled here: the expansion's signal is blocked.
            for (NodeRef node : open)
                if (auto* it = static_cast<NoteItem*>(ensureItem(node))) {
                    fill(it);
                    it->setExpanded(true);
                }
        }
        select(selected);
    }
    widget_->setUpdatesEnabled(true);
}

QSet<RecordId> NoteTreeMirror::expandedRecords() const {
    QSet<RecordId> rowids;
    for (size_t n = 0; n < itemOf_.size(); ++n)
        if (itemOf_[n] && itemOf_[n]->isExpanded())
            rowids.insert(notes_->Record(static_cast<NodeRef>(n)).rowid);
    return rowids;
}

bool NoteTreeMirror::makeAllItems() {
    if (!notes_)
        return true;
    bool all = true;
    for (const auto& [node, level] : notes_->PreOrderWithLevels()) {
        if (level + 1 >= kMostLevelsShown) {
            all = all && notes_->Children(node).empty();
            continue;
        }
        if (NoteItem* it = noteItem(node))
            fill(it);
    }
    return all;
}

QTreeWidgetItem* NoteTreeMirror::addSubtree(NodeRef node) {
    if (itemOf_.size() <= static_cast<size_t>(node))
        itemOf_.resize(static_cast<size_t>(node) + 1, nullptr);
    const NodeRef parent = notes_->Parent(node);
    if (parent == kNoNode) {
        NoteItem* made = itemOf_[node] = MakeNoteItem(*notes_, node);
        widget_->addTopLevelItem(made);
        return made;
    }
    NoteItem* parentItem = static_cast<NoteItem*>(ensureItem(parent));
    if (!parentItem)
        return nullptr;
    if (!parentItem->filled) {
        fill(parentItem); // makes the new node's item with its siblings'
    } else if (!itemOf_[node]) {
        itemOf_[node] = MakeNoteItem(*notes_, node);
        parentItem->addChild(itemOf_[node]);
    }
    return itemOf_[node];
}

void NoteTreeMirror::moveUnder(NodeRef node, NodeRef target) {
    NoteItem* moved = noteItem(node);
    auto* targetItem = static_cast<NoteItem*>(ensureItem(target));
    const QSignalBlocker blocker(widget_);
    if (!moved) {
        // A target not filled yet shows its expand mark already and makes the item when opened.
        if (targetItem && targetItem->filled)
            targetItem->addChild(itemOf_[node] = MakeNoteItem(*notes_, node));
        return;
    }
    Detach(widget_, moved);
    if (!targetItem) {
        DeleteDetachedItems({moved}, [this](QTreeWidgetItem* gone) { forget(gone); });
        return;
    }
    if (targetItem->filled)
        targetItem->addChild(moved);
    else
        fill(targetItem); // the moved item, the target's last child, joins its siblings' new items
}

void NoteTreeMirror::removeSubtree(const std::vector<NodeRef>& nodes) {
    QTreeWidgetItem* gone = nodes.empty() ? nullptr : item(nodes.front());
    if (!gone)
        return;
    bool selectionGoes = false;
    for (QTreeWidgetItem* p = widget_->selectedItem(); p; p = p->parent())
        selectionGoes |= p == gone;
    QTreeWidgetItem* next = selectionGoes ? NeighbourOf(widget_, gone) : nullptr;
    {
        const QSignalBlocker blocker(widget_);
        Detach(widget_, gone);
        DeleteDetachedItems({gone}, [this](QTreeWidgetItem* it) { forget(it); });
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
