#pragma once
// The note tree of one category, without widgets: nodes built from the records' ID and Parent,
// the key index (ID → node), the new-ID rule, subtree listing and the drop rules. The tree widget
// mirrors it. Nodes are addressed by NodeRef, an index that stays valid until the next Build
// (removed nodes are never reused). Built for a million nodes: each node is a small fixed record,
// the titles share one buffer, the key index is one sorted array, and nothing walks the tree by
// recursion, so a chain hundreds of thousands of notes deep costs no more than a flat list.
//
// Building: records are taken in stored order; a record becomes the last child of the node whose
// key equals its Parent when that node already exists, else the last root. Then the roots are
// gone through in order: a root whose Parent is the key of another node moves to be that node's
// last child. So a record is a root exactly when no other record has an ID equal to its Parent
// (or its Parent is its own ID), and children whose record is stored before their parent's come
// after the others. A root is never moved under its own descendant: records whose Parents form a
// loop keep one record as a root instead of vanishing from the tree. Building takes time linear in
// the number of records whatever their stored order.
//
// Each node remembers its own record (rowid), which every read and write of the note addresses;
// keys (IDs) may repeat in a file edited elsewhere, and then Find gives the first node built.

#include "store/CategoryTable.h"

#include <QString>

#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
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
    // The same, a record at a time (so that a large category is never held twice): BeginBuild,
    // AddRecord for every record in stored order, EndBuild.
    void BeginBuild(std::size_t expectedRecords = 0);
    void AddRecord(RecordId rowid, NoteId id, std::optional<NoteId> parentValue, QStringView title);
    void EndBuild();
    // After a drop changed a Parent: every node whose parent differs from the one a fresh build of
    // the same records would give it moves there, as the last child (or the last root). Returns
    // true when a node moved.
    bool Resettle();
    void Clear();

    bool IsEmpty() const { return count_ == 0; }
    int NodeCount() const { return count_; }
    const std::vector<NodeRef>& Roots() const { return roots_; }
    const std::vector<NodeRef>& Children(NodeRef node) const { return nodes_[node].children; }
    NodeRef Parent(NodeRef node) const { return nodes_[node].parent; }
    NoteId Key(NodeRef node) const { return nodes_[node].key; }
    // The node's own record.
    RecordRef Record(NodeRef node) const { return {nodes_[node].rowid, nodes_[node].key}; }
    // The record's Parent value (not necessarily the key of the parent node: a root keeps its own).
    std::optional<NoteId> ParentValue(NodeRef node) const;
    QString Title(NodeRef node) const { return TitleView(node).toString(); }
    // The title without a copy, valid until the tree next changes.
    QStringView TitleView(NodeRef node) const {
        return QStringView(titles_.data() + nodes_[node].titleAt, nodes_[node].titleLength);
    }
    bool IsAlive(NodeRef node) const;
    // 0 for a root (a walk to the root: for single nodes; PreOrderWithLevels gives every level).
    int Level(NodeRef node) const;
    bool IsDescendantOf(NodeRef node, NodeRef ancestor) const; // false for node == ancestor

    // The node of an ID (the first one built when IDs repeat), or kNoNode.
    NodeRef Find(NoteId id) const;
    // The node of a record, or kNoNode (a walk over the nodes: for single look-ups).
    NodeRef FindRecord(RecordId rowid) const;
    // Largest key in the tree, or nothing when the tree is empty.
    std::optional<NoteId> MaxKey() const;
    // The key of a new node: the largest key plus 1, or 0 when the tree is empty. A StoreError
    // when the largest key is kMaxNewNoteId or beyond.
    NoteId NextKey() const;

    // The node and all its descendants, a node before its children, children in order.
    std::vector<NodeRef> SubtreePreOrder(NodeRef node) const;
    // Every node in pre-order, roots in order.
    std::vector<NodeRef> AllPreOrder() const;
    struct NodeAtLevel {
        NodeRef node;
        int level; // 0 for a root
    };
    // Every node in pre-order with its level, in time linear in the number of nodes.
    std::vector<NodeAtLevel> PreOrderWithLevels() const;

    // A drop of `dragged` on `target` (kNoNode: empty space) is accepted over any node except the
    // dragged node itself and its descendants.
    bool CanDrop(NodeRef dragged, NodeRef target) const;

    // Mirrors of record writes (the caller writes the table first).
    // A new node of the record `rowid` as last child of `parent` (kNoNode: last root) with the
    // record's Parent value.
    NodeRef Add(RecordId rowid, NoteId key, std::optional<NoteId> parentValue, NodeRef parent,
                const QString& title);
    void SetTitle(NodeRef node, const QString& title);
    // Makes `node` the last child of `newParent` (its record's Parent is newParent's key).
    void Move(NodeRef node, NodeRef newParent);
    // Removes the node with its subtree.
    void Remove(NodeRef node);

private:
    // 64 bytes a node; a leaf holds no memory of its own.
    struct Node {
        RecordId rowid;
        NoteId key;
        NoteId parentValue; // when hasParentValue
        NodeRef parent = kNoNode;
        std::uint32_t titleAt = 0; // in titles_
        std::uint32_t titleLength = 0;
        bool hasParentValue = false;
        bool alive = true;
        std::vector<NodeRef> children;
    };
    // The key index: (key, node) of every living node, ascending; the first entry of a key is the
    // node Find gives.
    using IndexEntry = std::pair<NoteId, NodeRef>;
    // The parent node of every node (kNoNode for a root and a removed node) as building the
    // records of the living nodes in stored order gives it.
    std::vector<NodeRef> FreshParents() const;
    NodeRef AddDetached(RecordId rowid, NoteId key, std::optional<NoteId> parentValue, QStringView title);
    void StoreTitle(Node& node, QStringView title);
    void Attach(NodeRef node, NodeRef parent);
    void Detach(NodeRef node);

    std::vector<Node> nodes_;
    std::vector<char16_t> titles_;
    std::vector<NodeRef> roots_;
    std::vector<IndexEntry> index_;
    int count_ = 0;
};

} // namespace qj
