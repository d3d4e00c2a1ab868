#pragma once

#include "store/NoteTree.h"

#include <QList>

#include <vector>

class QTreeWidgetItem;

namespace qj {

// The item roles of a note item: the record's ID and the store node it mirrors.
inline constexpr int kNoteIdRole = Qt::UserRole + 1;
inline constexpr int kNoteNodeRole = Qt::UserRole + 2;

NodeRef NodeOfItem(const QTreeWidgetItem* item);

// One item for a node (title, ID, node; selectable, editable, draggable), without children.
QTreeWidgetItem* MakeNoteItem(const NoteTree& tree, NodeRef node);

// The items of the node's subtree, children attached in order while detached from any view, so
// that inserting the top item into the view is one insertion. `itemOf` (indexed by node) receives
// every item made. Returns the top item.
QTreeWidgetItem* BuildSubtreeItems(const NoteTree& tree, NodeRef node, std::vector<QTreeWidgetItem*>& itemOf);

// The items of every root with their subtrees, in order; `itemOf` is resized to hold every node.
QList<QTreeWidgetItem*> BuildAllItems(const NoteTree& tree, std::vector<QTreeWidgetItem*>& itemOf);

} // namespace qj
