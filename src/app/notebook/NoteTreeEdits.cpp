// The notebook's edits of the tree: adding a note (sibling or child), renaming, deleting with the
// subtree (the toolbar's delete and the Delete key) and dropping a dragged note (move or copy).

#include "app/notebook/NoteCommands.h"

#include "app/notebook/NoteTextBinding.h"
#include "app/notebook/NoteTreeMirror.h"
#include "app/notebook/NotebookTexts.h"
#include "seams/StandardBoxes.h"

#include <QTreeWidgetItem>

namespace qj {

std::optional<NoteId> NoteCommands::add(bool child, const QString& typed) {
    if (!category_ || refusedAsWriteProtected())
        return std::nullopt;
    std::optional<NoteId> made;
    run([&] {
        const NodeRef selected = mirror_.selectedNode();
        const NodeRef node =
            child ? category_->AddChild(selected, typed) : category_->AddSibling(selected, typed);
        mirror_.selectItem(mirror_.addSubtree(node));
        emitStatus();
        made = category_->tree().Key(node);
    });
    return made;
}

void NoteCommands::addWithInput(bool child) {
    if (!category_ || refusedAsWriteProtected())
        return;
    const QString caption = child ? QStringLiteral("添加下级子节点") : QStringLiteral("添加同级节点");
    InputRequest request;
    request.caption = caption;
    request.prompt = QStringLiteral("输入你要添加节点的名字");
    request.text = caption;
    const std::optional<QString> typed = dialogs_.inputText(dialogParent_, request);
    if (!typed)
        return;
    if (!add(child, *typed))
        return;
    // With no note in the editor (an empty category), the new note is the one to write into.
    if (!text_.state().edited())
        show(mirror_.selectedNode());
    text_.setReadOnly(false);
}

void NoteCommands::rename(NodeRef node, const QString& title) {
    if (refusedAsWriteProtected())
        return;
    run([&] {
        category_->Rename(node, title);
        const NoteTree& notes = category_->tree();
        if (QTreeWidgetItem* it = mirror_.item(node))
            it->setText(0, notes.Title(node));
        if (text_.holds(category_->name(), notes.Record(node)))
            text_.renamed(notes.Title(node));
    });
}

void NoteCommands::renameWithInput() {
    const NodeRef node = category_ ? mirror_.selectedNode() : kNoNode;
    if (node == kNoNode || refusedAsWriteProtected())
        return;
    InputRequest request;
    request.caption = QStringLiteral("重命名");
    request.prompt = QStringLiteral("输入你要重命名节点的名字");
    request.text = category_->tree().Title(node);
    const std::optional<QString> typed = dialogs_.inputText(dialogParent_, request);
    if (typed)
        rename(node, *typed);
}

// Deletes the node with its subtree (records and items). Returns false when the write failed.
// A changed text of a note deleted with it goes with it: the user chose to delete its content.
bool NoteCommands::deleteNode(NodeRef node) {
    return run([&] {
        const std::vector<NodeRef> nodes = category_->tree().SubtreePreOrder(node);
        const std::vector<RecordRef> records = category_->Delete(node);
        text_.state().Deleted(category_->name(), records);
        text_.refresh();
        mirror_.removeSubtree(nodes);
        emitStatus();
    });
}

// The editor shows the note selected after a deletion (nothing when none is left).
void NoteCommands::showSelectedAfterDelete() {
    const NodeRef now = mirror_.selectedNode();
    if (now != kNoNode) {
        show(now);
    } else if (!text_.state().edited()) {
        text_.loadNothing();
        text_.clearTitle();
    }
}

void NoteCommands::deleteSelected() {
    const NodeRef node = category_ ? mirror_.selectedNode() : kNoNode;
    if (node == kNoNode || refusedAsWriteProtected())
        return;
    const DialogButton answer =
        MessageBox(dialogs_, dialogParent_, QStringLiteral("提示"),
                   QStringLiteral("确认要删除当前位置及子节点的所有内容吗？"), MessageIcon::Question,
                   {DialogButton::Yes, DialogButton::No}, DialogButton::No);
    if (answer != DialogButton::Yes || !deleteNode(node))
        return;
    // The editor shows the note selected now. A changed text of a note that still exists is asked
    // about first rather than dropped unseen.
    if (askSaveIfDirty())
        showSelectedAfterDelete();
}

// The Delete key: the standard confirmation, then the node and its subtree go. When the shown note
// went with them, the editor shows the note selected now; otherwise it keeps its note.
void NoteCommands::deleteKey() {
    const NodeRef node = category_ ? mirror_.selectedNode() : kNoNode;
    if (node == kNoNode || refusedAsWriteProtected())
        return;
    const DialogButton answer =
        ConfirmBox(dialogs_, dialogParent_, DeleteItemConfirmation(category_->tree().Title(node)),
                   {DialogButton::Ok, DialogButton::Cancel});
    if (answer != DialogButton::Ok)
        return;
    const bool wasShown = editedNoteIsHere();
    if (deleteNode(node) && wasShown && !text_.state().edited())
        showSelectedAfterDelete();
}

bool NoteCommands::drop(NodeRef dragged, NodeRef target, bool copy) {
    if (!category_ || !category_->tree().CanDrop(dragged, target) || refusedAsWriteProtected())
        return false;
    return run([&] {
        if (!copy) {
            if (!category_->Move(dragged, target))
                return; // already its parent: nothing happens
            mirror_.moveUnder(dragged, target);
            mirror_.select(dragged);
        } else {
            const NodeRef top = category_->Copy(dragged, target);
            mirror_.selectItem(mirror_.addSubtree(top));
        }
        // Notes whose Parent the drop made meaningful (a loop opened) go where a fresh build puts
        // them.
        if (category_->Resettle())
            mirror_.rebuild(mirror_.selectedNode(), mirror_.expandedRecords());
        emitStatus();
    });
}

} // namespace qj
