#pragma once

#include "store/NoteTree.h"

#include <QPointer>
#include <QSet>
#include <QString>

#include <vector>

class QTreeWidgetItem;

namespace qj {

class NoteItem;
class NoteTreeWidget;

// The items of the tree widget "Tv1" mirroring the nodes of the open category's NoteTree. Items
// are made as they are needed: the roots when the category opens, the children of a node when its
// item is first expanded or an item below it is asked for (ensureItem), so a large category costs
// what is shown. It changes items only; the store's tree is changed first by the commands.
class NoteTreeMirror {
public:
    // Qt's tree view lays out expanded levels by recursion and, for each level, updates every
    // level above it: a chain of notes costs the square of its depth to show. Nodes deeper than
    // this are not shown in the tree (their notes are still found, searched and kept).
    static constexpr int kMostLevelsShown = 10000;

    explicit NoteTreeMirror(NoteTreeWidget* widget);
    ~NoteTreeMirror();
    NoteTreeMirror(const NoteTreeMirror&) = delete;
    NoteTreeMirror& operator=(const NoteTreeMirror&) = delete;

    // The tree mirrored from now on (null: no category).
    void setNotes(const NoteTree* notes) { notes_ = notes; }

    // The node's item when it has been made, else null.
    QTreeWidgetItem* item(NodeRef node) const;
    // The node's item, made with the items of its ancestors' children as needed (null for no node,
    // and for a node deeper than kMostLevelsShown).
    QTreeWidgetItem* ensureItem(NodeRef node);
    NodeRef selectedNode() const;
    // Selects the node's item, expands its ancestors and scrolls it into view.
    void select(NodeRef node);
    void selectItem(QTreeWidgetItem* item);

    // Takes every item down and makes the roots anew; selects `selected` and expands the nodes of
    // the `expanded` records.
    void rebuild(NodeRef selected, const QSet<RecordId>& expanded = {});
    // The records of the expanded nodes.
    QSet<RecordId> expandedRecords() const;
    // Makes the item of every node down to kMostLevelsShown (before everything is expanded).
    // Returns false when deeper nodes were left out.
    bool makeAllItems();

    // The item of a node just added (with its subtree, whose items come when it is expanded), as
    // the last child of its parent's item (or the last top-level item). Returns its item.
    QTreeWidgetItem* addSubtree(NodeRef node);
    // The node's item (with its subtree) becomes the last child of the target's item.
    void moveUnder(NodeRef node, NodeRef target);
    // Removes the items of `nodes` (a subtree, its top first). When the selection was among them,
    // the next sibling, else the previous one, else the parent takes it.
    void removeSubtree(const std::vector<NodeRef>& nodes);

    // Status panel 0 for the selection: "节点: level/children", empty when nothing is selected.
    QString statusText() const;

private:
    NoteItem* noteItem(NodeRef node) const;
    // Makes the items of the node's children that are not there yet, in the children's order.
    void fill(NoteItem* item);
    void forget(QTreeWidgetItem* item);
    void takeDownAll();

    QPointer<NoteTreeWidget> widget_;
    QMetaObject::Connection filler_;
    const NoteTree* notes_ = nullptr;
    std::vector<NoteItem*> itemOf_; // by node; null where no item has been made
};

} // namespace qj
