#pragma once

#include "store/NoteTree.h"

#include <QList>
#include <QTreeWidgetItem>

#include <vector>

namespace qj {

// The item roles of a note item: the record's ID and the store node it mirrors.
inline constexpr int kNoteIdRole = Qt::UserRole + 1;
inline constexpr int kNoteNodeRole = Qt::UserRole + 2;

// The item of one note: its ID and node kept as plain numbers (no per-item variants, so that
// 100,000 of them are made quickly); the roles above read them.
class NoteItem : public QTreeWidgetItem {
public:
    static constexpr int Type = QTreeWidgetItem::UserType + 1;
    NoteItem(NoteKey noteId, NodeRef noteNode) : QTreeWidgetItem(Type), id(noteId), node(noteNode) {}
    QVariant data(int column, int role) const override;

    NoteKey id;
    NodeRef node;
};

NodeRef NodeOfItem(const QTreeWidgetItem* item);
NoteKey IdOfItem(const QTreeWidgetItem* item);

// One item for a node (title, ID, node; selectable, editable, draggable), without children.
QTreeWidgetItem* MakeNoteItem(const NoteTree& tree, NodeRef node);

// The items of the node's subtree, children attached in order while detached from any view, so
// that inserting the top item into the view is one insertion. `itemOf` (indexed by node) receives
// every item made. Returns the top item.
QTreeWidgetItem* BuildSubtreeItems(const NoteTree& tree, NodeRef node, std::vector<QTreeWidgetItem*>& itemOf);

// The items of every root with their subtrees, in order; `itemOf` is resized to hold every node.
QList<QTreeWidgetItem*> BuildAllItems(const NoteTree& tree, std::vector<QTreeWidgetItem*>& itemOf);

} // namespace qj
