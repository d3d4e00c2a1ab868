#include "app/notebook/NoteCommands.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTextBinding.h"
#include "app/notebook/NoteTreeMirror.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/NotebookTexts.h"
#include "seams/StandardBoxes.h"
#include "shell/ErrorHandler.h"

#include <QAction>

namespace qj {

NoteCommands::NoteCommands(Dialogs& dialogs, QWidget* dialogParent, NoteTreeWidget* tree,
                           NoteTreeMirror& mirror, NoteTextBinding& text, QObject* parent)
    : QObject(parent), dialogs_(dialogs), dialogParent_(dialogParent), tree_(tree), mirror_(mirror),
      text_(text) {}

NoteCommands::~NoteCommands() = default;

void NoteCommands::bindActions(QAction* addSibling, QAction* addChild, QAction* del) {
    addSiblingAction_ = addSibling;
    addChildAction_ = addChild;
    deleteAction_ = del;
    updateActions();
}

void NoteCommands::setWriteProtected(bool on) {
    writeProtected_ = on;
    text_.setWriteProtected(on);
    updateActions();
}

bool NoteCommands::refusedAsWriteProtected() const {
    if (writeProtected_)
        reportError(WriteProtectedText());
    return writeProtected_;
}

void NoteCommands::updateActions() {
    const bool open = category_ != nullptr && !writeProtected_;
    for (QAction* a : {addSiblingAction_.data(), addChildAction_.data(), deleteAction_.data()})
        if (a)
            a->setEnabled(open);
}

void NoteCommands::reportError(const QString& text) const {
    if (errorHandler_)
        errorHandler_(text);
    else
        ShowGeneralError(dialogs_, dialogParent_, text);
}

// Runs a command that writes records. A refused write is reported and the tree is brought back to
// what the table holds. Returns false when the command failed.
template <class F> bool NoteCommands::run(F&& command) {
    try {
        command();
        return true;
    } catch (const StoreError& error) {
        reportError(error.text());
        resync();
        return false;
    }
}

void NoteCommands::emitStatus() {
    emit statusChanged(mirror_.statusText());
}

// After a failed write: the tree shows what the table holds, the selection and the open branches
// kept where they still exist.
void NoteCommands::resync() {
    if (!category_)
        return;
    const NodeRef selected = mirror_.selectedNode();
    const std::optional<std::int64_t> selectedRecord =
        selected == kNoNode ? std::nullopt : std::optional(category_->tree().Record(selected).rowid);
    const QSet<std::int64_t> expanded = mirror_.expandedRecords();
    try {
        category_->Reload();
    } catch (const StoreError& error) {
        reportError(error.text());
        category_.reset();
        mirror_.setNotes(nullptr);
        mirror_.rebuild(kNoNode);
        emitStatus();
        updateActions();
        return;
    }
    mirror_.rebuild(selectedRecord ? category_->tree().FindRecord(*selectedRecord) : kNoNode, expanded);
    emitStatus();
}

void NoteCommands::open(DataFile& file, const QString& name) {
    category_.reset();
    mirror_.setNotes(nullptr);
    file_ = &file;
    try {
        category_ = std::make_unique<CurrentCategory>(file, name);
    } catch (...) {
        mirror_.rebuild(kNoNode);
        emitStatus();
        updateActions();
        throw;
    }
    mirror_.setNotes(&category_->tree());
    // The first record in stored order is the first node built.
    const NodeRef first = category_->tree().IsEmpty() ? kNoNode : 0;
    mirror_.rebuild(first);
    emitStatus();
    // The title bar names the note the editor shows, or nothing in an empty category.
    if (first != kNoNode) {
        show(first);
    } else {
        text_.loadNothing();
        text_.clearTitle();
    }
    updateActions();
}

void NoteCommands::close() {
    category_.reset();
    mirror_.setNotes(nullptr);
    mirror_.rebuild(kNoNode);
    emitStatus();
    updateActions();
}

void NoteCommands::categoryDropped(const QString& name) {
    text_.state().CategoryDropped(name);
    if (!text_.state().edited()) {
        text_.state().Cleared();
        text_.refresh();
    }
    if (category_ && category_->name() == name)
        close();
}

void NoteCommands::show(NodeRef node) {
    const NoteTree& notes = category_->tree();
    text_.load(category_->name(), notes.Record(node), notes.Title(node), category_->Info(node));
}

bool NoteCommands::editedNoteIsHere() const {
    return category_ && text_.state().edited() && text_.state().edited()->category == category_->name();
}

NoteCommands::Settled NoteCommands::settleChanges(bool offerCancel) {
    if (!text_.isDirty())
        return Settled::Clean;
    std::vector<DialogButton> buttons{DialogButton::Yes, DialogButton::No};
    if (offerCancel)
        buttons.push_back(DialogButton::Cancel);
    const DialogButton answer = MessageBox(dialogs_, dialogParent_, QStringLiteral("提示"),
                                           QStringLiteral("文本内容已改变，需要保存吗？"),
                                           MessageIcon::Question, buttons, DialogButton::Yes);
    if (answer == DialogButton::Cancel)
        return Settled::Kept;
    if (answer == DialogButton::Yes)
        return save() ? Settled::Saved : Settled::Kept;
    text_.state().ChangesDropped();
    text_.refresh();
    return Settled::Dropped;
}

bool NoteCommands::askSaveIfDirty(bool offerCancel) {
    return settleChanges(offerCancel) != Settled::Kept;
}

// Writes the editor's text into the edited note. False when nothing was written (the text stays
// changed): the write failed, or the note is gone and the text was not filed as a new note.
bool NoteCommands::save() {
    if (!file_) {
        text_.state().Saved();
        text_.refresh();
        return true;
    }
    SaveResult result = SaveResult::NoNote;
    try {
        result = SaveNoteText(*file_, text_.state(), text_.editorText());
    } catch (const StoreError& error) {
        reportError(error.text());
        return false;
    }
    if (result == SaveResult::Gone)
        return fileTextOfGoneNote();
    text_.refresh();
    return true;
}

// The edited note's record vanished (another program deleted it): the text stays in the editor,
// changed, and the user may file it as a new note (a root at the end) of the current category.
bool NoteCommands::fileTextOfGoneNote() {
    resync(); // the tree shows what the table holds
    const QString title = text_.shownTitle();
    if (!category_) {
        MessageBox(dialogs_, dialogParent_, QStringLiteral("提示"), GoneNoteText(title),
                   MessageIcon::Warning);
        return false;
    }
    const DialogButton answer =
        MessageBox(dialogs_, dialogParent_, QStringLiteral("提示"), GoneNoteQuestion(title),
                   MessageIcon::Warning, {DialogButton::Yes, DialogButton::No}, DialogButton::Yes);
    if (answer != DialogButton::Yes)
        return false;
    return run([&] {
        const NodeRef node = category_->AddNote(kNoNode, title, text_.editorText());
        mirror_.selectItem(mirror_.addSubtree(node));
        const NoteTree& notes = category_->tree();
        text_.state().Loaded(category_->name(), notes.Record(node));
        text_.renamed(notes.Title(node));
        text_.refresh();
        emitStatus();
    });
}

void NoteCommands::pressed() {
    if (!category_)
        return;
    switch (settleChanges()) {
    case Settled::Kept:
        return;
    case Settled::Saved:
        // The saved note stays shown and selected: the user presses the other note again.
        if (editedNoteIsHere())
            mirror_.select(category_->tree().FindRecord(text_.state().edited()->record.rowid));
        break;
    case Settled::Clean:
    case Settled::Dropped:
        break;
    }
    const NodeRef node = mirror_.selectedNode();
    if (node != kNoNode)
        show(node);
    else
        text_.refresh();
}

void NoteCommands::released() {
    if (!text_.isDirty())
        text_.refresh();
}

std::optional<NoteKey> NoteCommands::add(bool child, const QString& typed) {
    if (!category_ || refusedAsWriteProtected())
        return std::nullopt;
    std::optional<NoteKey> made;
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

bool NoteCommands::fileTextInto(NodeRef node, const QString& text) {
    if (!category_ || node == kNoNode || refusedAsWriteProtected() || !askSaveIfDirty())
        return false;
    mirror_.select(node);
    show(node);
    text_.setReadOnly(false);
    text_.clearEditor();
    text_.insert(text);
    return save();
}

} // namespace qj
