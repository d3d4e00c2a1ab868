#include "store/NoteTree.h"

#include <algorithm>
#include <limits>

namespace qj {

namespace {
constexpr NodeRef kLastNode = std::numeric_limits<NodeRef>::max();
}

void NoteTree::Clear() {
    // Swapped out, not cleared: a large category's memory goes back at once.
    std::vector<Node>().swap(nodes_);
    std::vector<char16_t>().swap(titles_);
    std::vector<NodeRef>().swap(roots_);
    std::vector<IndexEntry>().swap(index_);
    count_ = 0;
}

void NoteTree::Build(std::vector<NoteHeader> records) {
    BeginBuild(records.size());
    for (const NoteHeader& r : records)
        AddRecord(r.rowid, r.id, r.parent, r.name);
    EndBuild();
}

void NoteTree::BeginBuild(std::size_t expectedRecords) {
    Clear();
    nodes_.reserve(expectedRecords);
    index_.reserve(expectedRecords);
    titles_.reserve(expectedRecords * 10);
}

void NoteTree::AddRecord(RecordId rowid, NoteId id, std::optional<NoteId> parentValue, QStringView title) {
    const NodeRef ref = AddDetached(rowid, id, parentValue, title);
    index_.emplace_back(id, ref);
}

void NoteTree::EndBuild() {
    // Stored orders usually keep IDs ascending: then there is nothing to sort.
    if (!std::is_sorted(index_.begin(), index_.end()))
        std::sort(index_.begin(), index_.end());
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
    // Siblings are mostly stored together: the last parent found is asked first.
    NoteId lastValue;
    NodeRef lastFound = kNoNode;
    bool haveLast = false;
    for (NodeRef n = 0; n < count; ++n) {
        up[n] = n;
        if (!nodes_[n].alive)
            continue;
        NodeRef p = kNoNode;
        if (nodes_[n].hasParentValue) {
            const NoteId value = nodes_[n].parentValue;
            if (!haveLast || value != lastValue) {
                lastFound = Find(value);
                lastValue = value;
                haveLast = true;
            }
            p = lastFound;
        }
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
        const Node& r = nodes_[root];
        if (!r.hasParentValue || r.parentValue == r.key)
            continue;
        const NodeRef p = Find(r.parentValue);
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

std::optional<NoteId> NoteTree::ParentValue(NodeRef node) const {
    const Node& n = nodes_[node];
    return n.hasParentValue ? std::optional(n.parentValue) : std::nullopt;
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

NodeRef NoteTree::Find(NoteId id) const {
    const auto it = std::lower_bound(index_.begin(), index_.end(), IndexEntry{id, kNoNode});
    return it == index_.end() || it->first != id ? kNoNode : it->second;
}

NodeRef NoteTree::FindRecord(RecordId rowid) const {
    for (NodeRef n = 0; n < static_cast<NodeRef>(nodes_.size()); ++n)
        if (nodes_[n].alive && nodes_[n].rowid == rowid)
            return n;
    return kNoNode;
}

std::optional<NoteId> NoteTree::MaxKey() const {
    return index_.empty() ? std::nullopt : std::optional(index_.back().first);
}

NoteId NoteTree::NextKey() const {
    const std::optional<NoteId> max = MaxKey();
    if (!max)
        return NoteId{0};
    if (*max >= kMaxNewNoteId)
        throw StoreError(QStringLiteral("节点编号已达到上限，不能再添加节点"));
    return NoteId{max->value() + 1};
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
    for (const NodeAtLevel& n : PreOrderWithLevels())
        out.push_back(n.node);
    return out;
}

std::vector<NoteTree::NodeAtLevel> NoteTree::PreOrderWithLevels() const {
    std::vector<NodeAtLevel> out;
    out.reserve(static_cast<size_t>(count_));
    std::vector<NodeAtLevel> stack;
    for (auto it = roots_.rbegin(); it != roots_.rend(); ++it)
        stack.push_back({*it, 0});
    while (!stack.empty()) {
        const NodeAtLevel n = stack.back();
        stack.pop_back();
        out.push_back(n);
        const auto& children = nodes_[n.node].children;
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.push_back({*it, n.level + 1});
    }
    return out;
}

bool NoteTree::CanDrop(NodeRef dragged, NodeRef target) const {
    if (!IsAlive(dragged) || !IsAlive(target))
        return false;
    return target != dragged && !IsDescendantOf(target, dragged);
}

NodeRef NoteTree::Add(RecordId rowid, NoteId key, std::optional<NoteId> parentValue, NodeRef parent,
                      const QString& title) {
    const NodeRef ref = AddDetached(rowid, key, parentValue, title);
    // A new node has the largest ref: it goes after every node of its key (new keys go last).
    index_.insert(std::upper_bound(index_.begin(), index_.end(), IndexEntry{key, kLastNode}), {key, ref});
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

NodeRef NoteTree::AddDetached(RecordId rowid, NoteId key, std::optional<NoteId> parentValue,
                              QStringView title) {
    const NodeRef ref = static_cast<NodeRef>(nodes_.size());
    Node& node = nodes_.emplace_back();
    node.rowid = rowid;
    node.key = key;
    node.hasParentValue = parentValue.has_value();
    node.parentValue = parentValue.value_or(NoteId{});
    StoreTitle(node, title);
    ++count_;
    return ref;
}

// A changed title is appended; the old text stays unused in the buffer until the next build.
void NoteTree::StoreTitle(Node& node, QStringView title) {
    node.titleAt = static_cast<std::uint32_t>(titles_.size());
    node.titleLength = static_cast<std::uint32_t>(title.size());
    titles_.insert(titles_.end(), title.utf16(), title.utf16() + title.size());
}

void NoteTree::SetTitle(NodeRef node, const QString& title) {
    StoreTitle(nodes_[node], title);
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
        nodes_[node].hasParentValue = true;
    }
}

void NoteTree::Remove(NodeRef node) {
    const auto doomed = SubtreePreOrder(node);
    Detach(node);
    for (NodeRef n : doomed) {
        Node& d = nodes_[n];
        d.alive = false;
        std::vector<NodeRef>().swap(d.children);
        --count_;
    }
    // One pass over the index, however many nodes went: another node of a removed key is found
    // from now on.
    std::erase_if(index_, [this](const IndexEntry& e) { return !nodes_[e.second].alive; });
}

} // namespace qj
