#include "app/notebook/NoteTreeItems.h"

#include "app/notebook/NoteTreeWidget.h"

#include <QTreeWidgetItem>

namespace qj {

namespace {

constexpr Qt::ItemFlags kNoteFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable |
                                     Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;

void ensureSize(std::vector<QTreeWidgetItem*>& itemOf, NodeRef node) {
    if (static_cast<size_t>(node) >= itemOf.size())
        itemOf.resize(static_cast<size_t>(node) + 1, nullptr);
}

// Attaches the children of every listed node (made beforehand) in one call per parent.
void attachChildren(const NoteTree& tree, const std::vector<NodeRef>& nodes,
                    const std::vector<QTreeWidgetItem*>& itemOf) {
    QList<QTreeWidgetItem*> children;
    for (NodeRef node : nodes) {
        const auto& kids = tree.Children(node);
        if (kids.empty())
            continue;
        children.clear();
        children.reserve(static_cast<qsizetype>(kids.size()));
        for (NodeRef kid : kids)
            children.append(itemOf[kid]);
        itemOf[node]->addChildren(children);
    }
}

} // namespace

static_assert(kNoteIdRole == NoteTreeWidget::IdRole);

NodeRef NodeOfItem(const QTreeWidgetItem* item) {
    if (!item)
        return kNoNode;
    if (item->type() == NoteItem::Type)
        return static_cast<const NoteItem*>(item)->node;
    return item->data(0, kNoteNodeRole).toInt();
}

NoteKey IdOfItem(const QTreeWidgetItem* item) {
    if (item->type() == NoteItem::Type)
        return static_cast<const NoteItem*>(item)->id;
    return item->data(0, kNoteIdRole).toLongLong();
}

QVariant NoteItem::data(int column, int role) const {
    if (role == kNoteIdRole)
        return static_cast<qlonglong>(id);
    if (role == kNoteNodeRole)
        return node;
    return QTreeWidgetItem::data(column, role);
}

QTreeWidgetItem* MakeNoteItem(const NoteTree& tree, NodeRef node) {
    auto* item = new NoteItem(tree.Key(node), node);
    item->setText(0, tree.Title(node));
    item->setFlags(kNoteFlags);
    return item;
}

QTreeWidgetItem* BuildSubtreeItems(const NoteTree& tree, NodeRef node,
                                   std::vector<QTreeWidgetItem*>& itemOf) {
    const std::vector<NodeRef> nodes = tree.SubtreePreOrder(node);
    for (NodeRef n : nodes) {
        ensureSize(itemOf, n);
        itemOf[n] = MakeNoteItem(tree, n);
    }
    attachChildren(tree, nodes, itemOf);
    return itemOf[node];
}

QList<QTreeWidgetItem*> BuildAllItems(const NoteTree& tree, std::vector<QTreeWidgetItem*>& itemOf) {
    const std::vector<NodeRef> nodes = tree.AllPreOrder();
    itemOf.assign(itemOf.size(), nullptr);
    for (NodeRef n : nodes) {
        ensureSize(itemOf, n);
        itemOf[n] = MakeNoteItem(tree, n);
    }
    attachChildren(tree, nodes, itemOf);
    QList<QTreeWidgetItem*> roots;
    roots.reserve(static_cast<qsizetype>(tree.Roots().size()));
    for (NodeRef root : tree.Roots())
        roots.append(itemOf[root]);
    return roots;
}

} // namespace qj
