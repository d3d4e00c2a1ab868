#pragma once
// The open category: its table and its note tree kept in step. Every note command writes the
// table first (one transaction) and changes the tree only when the write succeeded, so a refused
// write (a title over 50 characters, a full disk) throws a StoreError and leaves both as they were.

#include "store/CategoryTable.h"
#include "store/NoteTree.h"

#include <QString>

#include <vector>

namespace qj {

class CurrentCategory {
public:
    // Opens the category and builds its tree.
    CurrentCategory(DataFile& file, const QString& name);

    const QString& name() const { return table_.name(); }
    const NoteTree& tree() const { return tree_; }
    CategoryTable& table() { return table_; }
    // Rebuilds the tree from the table (after changes made by others).
    void Reload();

    // Adds a note after "添加同级节点": the last child of the selected node's parent (the last root
    // when the selected node is a root or kNoNode). The title is used as typed.
    NodeRef AddSibling(NodeRef selected, const QString& typedTitle);
    // Adds a note after "添加下级子节点": the last child of the selected node (the last root when
    // kNoNode). Blanks and control characters around the title are removed.
    NodeRef AddChild(NodeRef selected, const QString& typedTitle);
    // A new note under `parent` (kNoNode: a root, whose Parent is its own ID) with the given title
    // (an empty title is stored as " ") and text. Returns the new node.
    NodeRef AddNote(NodeRef parent, const QString& title, const QString& info = QString());

    // Every write below addresses the node's own record; RecordGone when it is no longer there.
    void Rename(NodeRef node, const QString& title);
    // Deletes the node and its descendants with their records, in one transaction. Returns the
    // records deleted (for the editing state).
    std::vector<RecordRef> Delete(NodeRef node);
    // A drop without Ctrl: the node with its subtree becomes the last child of `target`. Nothing
    // happens (false) when `target` is already its parent. A StoreError when the drop is refused
    // (CanDrop).
    bool Move(NodeRef node, NodeRef target);
    // A drop with Ctrl: copies the node's subtree as the last child of `target` in pre-order with
    // consecutive new IDs, titles and texts included, in one transaction. Returns the top copy.
    NodeRef Copy(NodeRef node, NodeRef target);
    // After a drop: every note goes under the parent a fresh build would give it (a root whose
    // Parent names a note that is no longer its descendant, for one). True when a node moved.
    bool Resettle() { return tree_.Resettle(); }

    QString Info(NodeRef node) { return table_.ReadInfo(tree_.Record(node)); }

private:
    CategoryTable table_;
    NoteTree tree_;
};

// The title of a child note as typed into the input box: blanks and control characters removed at
// both ends.
QString TrimTitle(const QString& typed);

} // namespace qj
