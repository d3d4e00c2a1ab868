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
    for (NoteHeader& r : records) {
        const NodeRef parent = r.parent ? Find(*r.parent) : kNoNode;
        Add(r.id, r.parent, parent, std::move(r.name));
    }
    // Roots whose Parent names a node built after them go under that node now.
    // The roots list is filtered once at the end, so this stays linear with many such roots.
    bool moved = false;
    for (NodeRef root : roots_) {
        const auto& value = nodes_[root].parentValue;
        if (!value || *value == nodes_[root].key)
            continue;
        const NodeRef parent = Find(*value);
        if (parent == kNoNode || parent == root || IsDescendantOf(parent, root))
            continue;
        nodes_[root].parent = parent;
        nodes_[parent].children.push_back(root);
        moved = true;
    }
    if (moved)
        std::erase_if(roots_, [this](NodeRef n) { return nodes_[n].parent != kNoNode; });
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

NodeRef NoteTree::Find(int id) const {
    const auto it = index_.find(id);
    return it == index_.end() ? kNoNode : it->second;
}

std::optional<int> NoteTree::MaxKey() const {
    return maxKey_;
}

int NoteTree::NextKey() const {
    if (!maxKey_)
        return 0;
    if (*maxKey_ == std::numeric_limits<int>::max())
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

NodeRef NoteTree::Add(int key, std::optional<int> parentValue, NodeRef parent, const QString& title) {
    const NodeRef ref = static_cast<NodeRef>(nodes_.size());
    Node node;
    node.key = key;
    node.parentValue = parentValue;
    node.title = title;
    node.parent = parent;
    nodes_.push_back(std::move(node));
    if (parent == kNoNode)
        roots_.push_back(ref);
    else
        nodes_[parent].children.push_back(ref);
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
