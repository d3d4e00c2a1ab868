#pragma once

#include "store/NoteTree.h"

#include <QSet>
#include <QString>

#include <cstdint>
#include <vector>

class QTreeWidgetItem;

namespace qj {

class NoteTreeWidget;

// The items of the tree widget "Tv1" mirroring the nodes of the open category's NoteTree: one item
// per node, looked up by node. It changes items only; the store's tree is changed first by the
// commands.
class NoteTreeMirror {
public:
    explicit NoteTreeMirror(NoteTreeWidget* widget) : widget_(widget) {}

    // The tree mirrored from now on (null: no category).
    void setNotes(const NoteTree* notes) { notes_ = notes; }

    QTreeWidgetItem* item(NodeRef node) const;
    NodeRef selectedNode() const;
    // Selects the node's item, expands its ancestors and scrolls it into view.
    void select(NodeRef node);
    void selectItem(QTreeWidgetItem* item);

    // Builds every item anew; selects `selected` and expands the nodes of the `expanded` records.
    void rebuild(NodeRef selected, const QSet<std::int64_t>& expanded = {});
    // The records (rowids) of the expanded nodes.
    QSet<std::int64_t> expandedRecords() const;

    // Items for a node just added with its subtree, as the last child of its parent's item (or the
    // last top-level item). Returns its item.
    QTreeWidgetItem* addSubtree(NodeRef node);
    // The node's item (with its subtree) becomes the last child of the target's item.
    void moveUnder(NodeRef node, NodeRef target);
    // Removes the items of `nodes` (a subtree, its top first). When the selection was among them,
    // the next sibling, else the previous one, else the parent takes it.
    void removeSubtree(const std::vector<NodeRef>& nodes);

    // Status panel 0 for the selection: "节点: level/children", empty when nothing is selected.
    QString statusText() const;

private:
    NoteTreeWidget* widget_;
    const NoteTree* notes_ = nullptr;
    std::vector<QTreeWidgetItem*> itemOf_; // by node
};

} // namespace qj
