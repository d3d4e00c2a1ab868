#include "store/CurrentCategory.h"

#include "store/DataFile.h"
#include "store/NoteTrash.h"

#include <unordered_map>

namespace qj {

QString TrimTitle(const QString& typed) {
    // Blanks and control characters (everything up to the space) go at both ends.
    qsizetype from = 0;
    qsizetype to = typed.size();
    while (from < to && typed[from].unicode() <= 0x20)
        ++from;
    while (to > from && typed[to - 1].unicode() <= 0x20)
        --to;
    return typed.mid(from, to - from);
}

CurrentCategory::CurrentCategory(DataFile& file, const QString& name) : table_(file, name) {
    Reload();
}

void CurrentCategory::Reload() {
    tree_.BeginBuild(static_cast<std::size_t>(table_.RecordCount()));
    table_.ReadHeaders([this](RecordId rowid, NoteId id, std::optional<NoteId> parent, QStringView name) {
        tree_.AddRecord(rowid, id, parent, name);
    });
    tree_.EndBuild();
}

NodeRef CurrentCategory::AddSibling(NodeRef selected, const QString& typedTitle) {
    const NodeRef parent = selected == kNoNode ? kNoNode : tree_.Parent(selected);
    return AddNote(parent, typedTitle);
}

NodeRef CurrentCategory::AddChild(NodeRef selected, const QString& typedTitle) {
    return AddNote(selected, TrimTitle(typedTitle));
}

NodeRef CurrentCategory::AddNote(NodeRef parent, const QString& title, const QString& info) {
    const NoteId key = tree_.NextKey();
    const NoteId parentId = parent == kNoNode ? key : tree_.Key(parent);
    const QString stored = title.isEmpty() ? QStringLiteral(" ") : title;
    const RecordId rowid = table_.Append(key, parentId, stored, info);
    return tree_.Add(rowid, key, parentId, parent, stored);
}

void CurrentCategory::Rename(NodeRef node, const QString& title) {
    if (tree_.Title(node) == title)
        return;
    table_.Rename(tree_.Record(node), title);
    tree_.SetTitle(node, title);
}

std::vector<RecordRef> CurrentCategory::Delete(NodeRef node) {
    // The deepest first, as the records are removed one by one; all in one transaction.
    auto nodes = tree_.SubtreePreOrder(node);
    std::vector<RecordRef> records;
    records.reserve(nodes.size());
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        records.push_back(tree_.Record(*it));
    DataFile& file = table_.file();
    const bool kept = file.KeepInTrash();
    Transaction tx(file.db());
    if (kept) {
        std::vector<RecordRef> topFirst(records.rbegin(), records.rend());
        KeepDeletedNotes(file, table_.name(), topFirst, file.now());
    }
    table_.Delete(records);
    tx.Commit();
    tree_.Remove(node);
    return records;
}

bool CurrentCategory::Move(NodeRef node, NodeRef target) {
    if (!tree_.CanDrop(node, target))
        throw StoreError(QStringLiteral("不能把节点移到它自己或它的下级节点之下"));
    if (tree_.Parent(node) == target)
        return false;
    table_.SetParent(tree_.Record(node), tree_.Key(target));
    tree_.Move(node, target);
    return true;
}

NodeRef CurrentCategory::Copy(NodeRef node, NodeRef target) {
    if (!tree_.CanDrop(node, target))
        throw StoreError(QStringLiteral("不能把节点复制到它自己或它的下级节点之下"));
    const auto sources = tree_.SubtreePreOrder(node);
    // Each copy takes the largest key plus 1 at its creation: consecutive keys in pre-order.
    NoteId next = tree_.NextKey();
    if (kMaxNewNoteId.value() - next.value() < static_cast<std::int64_t>(sources.size()) - 1)
        throw StoreError(QStringLiteral("节点编号已达到上限，不能再复制节点"));
    std::vector<NoteCopy> copies;
    copies.reserve(sources.size());
    std::unordered_map<NodeRef, NoteId> newKeyOf; // source node → key of its copy
    for (NodeRef src : sources) {
        const NoteId parentKey = src == node ? tree_.Key(target) : newKeyOf.at(tree_.Parent(src));
        newKeyOf[src] = next;
        copies.push_back({tree_.Record(src), next, parentKey});
        next = NoteId{next.value() + 1};
    }
    const std::vector<RecordId> rowids = table_.Copy(copies);
    NodeRef top = kNoNode;
    std::unordered_map<NoteId, NodeRef> copyNode; // new key → its node
    for (size_t i = 0; i < copies.size(); ++i) {
        const NodeRef parent = i == 0 ? target : copyNode.at(copies[i].newParent);
        const NodeRef made =
            tree_.Add(rowids[i], copies[i].newId, copies[i].newParent, parent, tree_.Title(sources[i]));
        copyNode[copies[i].newId] = made;
        if (i == 0)
            top = made;
    }
    return top;
}

} // namespace qj
