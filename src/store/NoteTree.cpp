#include "store/NoteTree.h"

#include <algorithm>
#include <limits>

namespace qj {

void NoteTree::Clear() {
    nodes_.clear();
    roots_.clear();
    index_.clear();
    maxKey_.reset();
    count_ = 0;
    duplicates_ = 0;
}

void NoteTree::Build(std::vector<NoteHeader> records) {
    Clear();
    nodes_.reserve(records.size());
    index_.reserve(records.size());
    for (NoteHeader& r : records)
        AddDetached(r.rowid, r.id, r.parent, std::move(r.name));
    const std::vector<NodeRef> parent = FreshParents();
    // Children in stored order, except that those stored before their parent come after the others.
    const auto count = static_cast<NodeRef>(nodes_.size());
    for (NodeRef n = 0; n < count; ++n) {
        if (parent[n] == kNoNode)
            roots_.push_back(n);
        else if (parent[n] < n)
            Attach(n, parent[n]);
    }
    for (NodeRef n = 0; n < count; ++n)
        if (parent[n] > n)
            Attach(n, parent[n]);
}

std::vector<NodeRef> NoteTree::FreshParents() const {
    const auto count = static_cast<NodeRef>(nodes_.size());
    std::vector<NodeRef> parent(static_cast<size_t>(count), kNoNode);
    // Whether a waiting root would land under its own descendant is asked of the top of the
    // would-be parent's branch. The tops are kept in a union-find over the nodes (each entry leads
    // towards its branch's top, shortened on every look-up), so the whole pass stays linear even
    // for a long chain with many roots waiting to hang from its deepest node.
    std::vector<NodeRef> up(static_cast<size_t>(count));
    auto topOf = [&up](NodeRef n) {
        while (up[n] != n) {
            up[n] = up[up[n]];
            n = up[n];
        }
        return n;
    };
    // First step, in stored order: a record goes under the node its Parent names when that node
    // was built before it; the others wait as roots.
    std::vector<NodeRef> waiting;
    for (NodeRef n = 0; n < count; ++n) {
        up[n] = n;
        if (!nodes_[n].alive)
            continue;
        const auto& value = nodes_[n].parentValue;
        const NodeRef p = value ? Find(*value) : kNoNode;
        if (p != kNoNode && p < n) {
            parent[n] = p;
            up[n] = p;
        } else {
            waiting.push_back(n);
        }
    }
    // Second step, in stored order: a waiting root whose Parent is the key of another node goes
    // under it, unless that node is its own descendant.
    for (NodeRef root : waiting) {
        const auto& value = nodes_[root].parentValue;
        if (!value || *value == nodes_[root].key)
            continue;
        const NodeRef p = Find(*value);
        if (p == kNoNode || p == root || topOf(p) == root)
            continue;
        parent[root] = p;
        up[root] = p;
    }
    return parent;
}

bool NoteTree::Resettle() {
    const std::vector<NodeRef> parent = FreshParents();
    bool moved = false;
    for (NodeRef n = 0; n < static_cast<NodeRef>(nodes_.size()); ++n) {
        if (!nodes_[n].alive || nodes_[n].parent == parent[n])
            continue;
        Detach(n);
        if (parent[n] == kNoNode)
            roots_.push_back(n);
        else
            Attach(n, parent[n]);
        moved = true;
    }
    return moved;
}

bool NoteTree::IsAlive(NodeRef node) const {
    return node >= 0 && node < static_cast<NodeRef>(nodes_.size()) && nodes_[node].alive;
}

int NoteTree::Level(NodeRef node) const {
    int level = 0;
    for (NodeRef p = nodes_[node].parent; p != kNoNode; p = nodes_[p].parent)
        ++level;
    return level;
}

bool NoteTree::IsDescendantOf(NodeRef node, NodeRef ancestor) const {
    for (NodeRef p = nodes_[node].parent; p != kNoNode; p = nodes_[p].parent)
        if (p == ancestor)
            return true;
    return false;
}

NodeRef NoteTree::Find(NoteKey id) const {
    const auto it = index_.find(id);
    return it == index_.end() ? kNoNode : it->second;
}

NodeRef NoteTree::FindRecord(std::int64_t rowid) const {
    for (NodeRef n = 0; n < static_cast<NodeRef>(nodes_.size()); ++n)
        if (nodes_[n].alive && nodes_[n].rowid == rowid)
            return n;
    return kNoNode;
}

std::optional<NoteKey> NoteTree::MaxKey() const {
    return maxKey_;
}

NoteKey NoteTree::NextKey() const {
    if (!maxKey_)
        return 0;
    if (*maxKey_ == std::numeric_limits<NoteKey>::max())
        throw StoreError(QStringLiteral("节点编号已达到上限，不能再添加节点"));
    return *maxKey_ + 1;
}

std::vector<NodeRef> NoteTree::SubtreePreOrder(NodeRef node) const {
    std::vector<NodeRef> out;
    std::vector<NodeRef> stack{node};
    while (!stack.empty()) {
        const NodeRef n = stack.back();
        stack.pop_back();
        out.push_back(n);
        const auto& children = nodes_[n].children;
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.push_back(*it);
    }
    return out;
}

std::vector<NodeRef> NoteTree::AllPreOrder() const {
    std::vector<NodeRef> out;
    out.reserve(static_cast<size_t>(count_));
    for (NodeRef root : roots_) {
        const auto sub = SubtreePreOrder(root);
        out.insert(out.end(), sub.begin(), sub.end());
    }
    return out;
}

bool NoteTree::CanDrop(NodeRef dragged, NodeRef target) const {
    if (!IsAlive(dragged) || !IsAlive(target))
        return false;
    return target != dragged && !IsDescendantOf(target, dragged);
}

NodeRef NoteTree::Add(std::int64_t rowid, NoteKey key, std::optional<NoteKey> parentValue, NodeRef parent,
                      const QString& title) {
    const NodeRef ref = AddDetached(rowid, key, parentValue, title);
    if (parent == kNoNode)
        roots_.push_back(ref);
    else
        Attach(ref, parent);
    return ref;
}

void NoteTree::Attach(NodeRef node, NodeRef parent) {
    nodes_[node].parent = parent;
    nodes_[parent].children.push_back(node);
}

NodeRef NoteTree::AddDetached(std::int64_t rowid, NoteKey key, std::optional<NoteKey> parentValue,
                              QString title) {
    const NodeRef ref = static_cast<NodeRef>(nodes_.size());
    Node node;
    node.rowid = rowid;
    node.key = key;
    node.parentValue = parentValue;
    node.title = std::move(title);
    nodes_.push_back(std::move(node));
    if (!index_.try_emplace(key, ref).second)
        ++duplicates_;
    if (!maxKey_ || key > *maxKey_)
        maxKey_ = key;
    ++count_;
    return ref;
}

void NoteTree::SetTitle(NodeRef node, const QString& title) {
    nodes_[node].title = title;
}

void NoteTree::Detach(NodeRef node) {
    auto& siblings = nodes_[node].parent == kNoNode ? roots_ : nodes_[nodes_[node].parent].children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    nodes_[node].parent = kNoNode;
}

void NoteTree::Move(NodeRef node, NodeRef newParent) {
    Detach(node);
    nodes_[node].parent = newParent;
    if (newParent == kNoNode) {
        roots_.push_back(node);
    } else {
        nodes_[newParent].children.push_back(node);
        nodes_[node].parentValue = nodes_[newParent].key;
    }
}

void NoteTree::Remove(NodeRef node) {
    const auto doomed = SubtreePreOrder(node);
    Detach(node);
    bool rebuild = false;
    for (NodeRef n : doomed) {
        Node& d = nodes_[n];
        d.alive = false;
        d.children.clear();
        --count_;
        const auto it = index_.find(d.key);
        if (it != index_.end() && it->second == n) {
            index_.erase(it);
            // Another node of the same key may now be the one the index should find.
            rebuild = rebuild || duplicates_ > 0;
        }
        if (maxKey_ && d.key == *maxKey_)
            rebuild = true;
    }
    if (rebuild)
        RebuildIndex();
}

void NoteTree::RebuildIndex() {
    maxKey_.reset();
    index_.clear();
    duplicates_ = 0;
    // Rebuild the index too: a removed node may have shadowed a later node of the same key.
    for (NodeRef n = 0; n < static_cast<NodeRef>(nodes_.size()); ++n) {
        if (!nodes_[n].alive)
            continue;
        if (!index_.try_emplace(nodes_[n].key, n).second)
            ++duplicates_;
        if (!maxKey_ || nodes_[n].key > *maxKey_)
            maxKey_ = nodes_[n].key;
    }
}

} // namespace qj
