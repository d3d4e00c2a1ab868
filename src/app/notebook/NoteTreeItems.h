#pragma once

#include "store/NoteTree.h"

#include <QList>
#include <QTreeWidgetItem>

#include <functional>

class QTreeWidget;

namespace qj {

// The item roles of a note item: the record's ID and the store node it mirrors.
inline constexpr int kNoteIdRole = Qt::UserRole + 1;
inline constexpr int kNoteNodeRole = Qt::UserRole + 2;

// The item of one note: its ID and node kept as plain numbers (no per-item variants); the roles
// above read them. `filled` tells whether the items of the node's children have been made: they
// are made when the item is first expanded or an item below it is needed.
class NoteItem : public QTreeWidgetItem {
public:
    static constexpr int Type = QTreeWidgetItem::UserType + 1;
    NoteItem(NoteId noteId, NodeRef noteNode) : QTreeWidgetItem(Type), id(noteId), node(noteNode) {}
    QVariant data(int column, int role) const override;

    NoteId id;
    NodeRef node;
    bool filled = false;
};

NodeRef NodeOfItem(const QTreeWidgetItem* item);
NoteId IdOfItem(const QTreeWidgetItem* item);

// One item for a node (title, ID, node; selectable, editable, draggable), without child items;
// it shows an expand mark when the node has children.
NoteItem* MakeNoteItem(const NoteTree& tree, NodeRef node);

// Deletes items taken out of any view, with their child items, deepest first and without
// recursion (Qt's own item destructor recurses once per level, which a chain of notes hundreds of
// thousands deep would not survive). `gone` is told of every item before it goes.
void DeleteDetachedItems(const QList<QTreeWidgetItem*>& tops,
                         const std::function<void(QTreeWidgetItem*)>& gone = {});
// Takes every item out of the tree widget and deletes it the same way.
void DeleteAllItems(QTreeWidget* widget, const std::function<void(QTreeWidgetItem*)>& gone = {});

} // namespace qj
