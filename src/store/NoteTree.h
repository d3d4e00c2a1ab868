#pragma once
// The note tree of one category, without widgets: nodes built from the records' ID and Parent,
// the key index (ID → node), the new-ID rule, subtree listing and the drop rules. The tree widget
// mirrors it. Nodes are addressed by NodeRef, an index that stays valid until the next Build
// (removed nodes are never reused). Built for 100,000 nodes.
//
// Building: records are taken in stored order; a record becomes the last child of the node whose
// key equals its Parent when that node already exists, else the last root. Then the roots are
// gone through in order: a root whose Parent is the key of another node moves to be that node's
// last child. So a record is a root exactly when no other record has an ID equal to its Parent
// (or its Parent is its own ID), and children whose record is stored before their parent's come
// after the others. A root is never moved under its own descendant: records whose Parents form a
// loop keep their first record as a root instead of vanishing from the tree.

#include "store/CategoryTable.h"

#include <QString>

#include <optional>
#include <unordered_map>
#include <vector>

namespace qj {

using NodeRef = int;
inline constexpr NodeRef kNoNode = -1;

class NoteTree {
public:
    NoteTree() = default;
    explicit NoteTree(std::vector<NoteHeader> records) { Build(std::move(records)); }

    // Rebuilds every node from the records (stored order).
    void Build(std::vector<NoteHeader> records);
    void Clear();

    bool IsEmpty() const { return count_ == 0; }
    int NodeCount() const { return count_; }
    const std::vector<NodeRef>& Roots() const { return roots_; }
    const std::vector<NodeRef>& Children(NodeRef node) const { return nodes_[node].children; }
    NodeRef Parent(NodeRef node) const { return nodes_[node].parent; }
    int Key(NodeRef node) const { return nodes_[node].key; }
    // The record's Parent value (not necessarily the key of the parent node: a root keeps its own).
    std::optional<int> ParentValue(NodeRef node) const { return nodes_[node].parentValue; }
    const QString& Title(NodeRef node) const { return nodes_[node].title; }
    bool IsAlive(NodeRef node) const;
    // 0 for a root.
    int Level(NodeRef node) const;
    bool IsDescendantOf(NodeRef node, NodeRef ancestor) const; // false for node == ancestor

    // The node of an ID (the first one built when IDs repeat), or kNoNode.
    NodeRef Find(int id) const;
    // Largest key in the tree, or nothing when the tree is empty.
    std::optional<int> MaxKey() const;
    // The key of a new node: the largest key plus 1, or 0 when the tree is empty. A StoreError
    // when the largest key is the largest ID a record can hold.
    int NextKey() const;

    // The node and all its descendants, a node before its children, children in order.
    std::vector<NodeRef> SubtreePreOrder(NodeRef node) const;
    // Every node in pre-order, roots in order.
    std::vector<NodeRef> AllPreOrder() const;

    // A drop of `dragged` on `target` (kNoNode: empty space) is accepted over any node except the
    // dragged node itself and its descendants.
    bool CanDrop(NodeRef dragged, NodeRef target) const;

    // Mirrors of record writes (the caller writes the table first).
    // A new node as last child of `parent` (kNoNode: last root) with the record's Parent value.
    NodeRef Add(int key, std::optional<int> parentValue, NodeRef parent, const QString& title);
    void SetTitle(NodeRef node, const QString& title);
    // Makes `node` the last child of `newParent` (its record's Parent is newParent's key).
    void Move(NodeRef node, NodeRef newParent);
    // Removes the node with its subtree.
    void Remove(NodeRef node);

private:
    struct Node {
        int key = 0;
        std::optional<int> parentValue;
        QString title;
        NodeRef parent = kNoNode;
        std::vector<NodeRef> children;
        bool alive = true;
    };
    void Detach(NodeRef node);
    void RebuildIndex();

    std::vector<Node> nodes_;
    std::vector<NodeRef> roots_;
    std::unordered_map<int, NodeRef> index_;
    std::optional<int> maxKey_;
    int count_ = 0;
    int duplicates_ = 0; // nodes whose key an earlier node already had
};

} // namespace qj
