// The notebook's commands on the open category: opening and closing it, showing a note, the save
// question and saving the text, pressing a note, filing a text into a note. The edits of the tree
// (add, rename, delete, drop) are in NoteTreeEdits.cpp.

#include "app/notebook/NoteCommands.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTextBinding.h"
#include "app/notebook/NoteTreeMirror.h"
#include "app/notebook/NotebookTexts.h"
#include "seams/StandardBoxes.h"
#include "shell/ErrorHandler.h"
#include "store/Sqlite.h"

#include <QAction>

namespace qj {

NoteCommands::NoteCommands(Dialogs& dialogs, QWidget* dialogParent, NoteTreeMirror& mirror,
                           NoteTextBinding& text, QObject* parent)
    : QObject(parent), dialogs_(dialogs), dialogParent_(dialogParent), mirror_(mirror), text_(text) {}

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
    ShowGeneralError(dialogs_, dialogParent_, text);
}

void NoteCommands::reportStoreError(const StoreError& error) {
    if (!reopenHandler_ || !IsDataFileReplaced(error)) {
        reportError(error.text());
        return;
    }
    const DialogButton answer =
        MessageBox(dialogs_, dialogParent_, QStringLiteral("提示"), ReplacedDataFileQuestion(error.text()),
                   MessageIcon::Warning, {DialogButton::Yes, DialogButton::No}, DialogButton::Yes);
    // Opened again once the command that failed has ended: it may still hold the tree's items.
    if (answer == DialogButton::Yes)
        QMetaObject::invokeMethod(this, reopenHandler_, Qt::QueuedConnection);
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
    const std::optional<RecordId> selectedRecord =
        selected == kNoNode ? std::nullopt : std::optional(category_->tree().Record(selected).rowid);
    const QSet<RecordId> expanded = mirror_.expandedRecords();
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

void NoteCommands::open(DataFile& file, const QString& name, bool loadFirst) {
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
    if (!loadFirst) {
        text_.refresh();
    } else if (first != kNoNode) {
        show(first);
    } else {
        text_.loadNothing();
        text_.clearTitle();
    }
    updateActions();
}

void NoteCommands::tellTooDeep() {
    MessageBox(dialogs_, dialogParent_, QStringLiteral("提示"),
               QStringLiteral("这个目录分类的节点超过 %1 层，树中只显示前 %1 层，更深的笔记不能在树中显示。")
                   .arg(NoteTreeMirror::kMostLevelsShown),
               MessageIcon::Information);
}

void NoteCommands::reopen(DataFile& file) {
    const QString name = category_ ? category_->name() : QString();
    category_.reset();
    mirror_.setNotes(nullptr);
    file_ = &file;
    NodeRef edited = kNoNode;
    try {
        if (!name.isEmpty()) {
            category_ = std::make_unique<CurrentCategory>(file, name);
            mirror_.setNotes(&category_->tree());
            if (editedNoteIsHere()) {
                // The same note only while its record, ID and title all still match: a replaced
                // file may hold another note there.
                const EditedNote& note = *text_.state().edited();
                const NodeRef node = category_->tree().FindRecord(note.record.rowid);
                if (node != kNoNode && category_->tree().Record(node) == note.record &&
                    category_->tree().Title(node) == note.title)
                    edited = node;
            }
        }
    } catch (...) {
        mirror_.rebuild(kNoNode);
        emitStatus();
        updateActions();
        throw;
    }
    mirror_.rebuild(edited);
    emitStatus();
    updateActions();
    text_.refresh();
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
        result = SaveNoteText(*file_, text_.state(), InfoOfEditorText(text_.editorText()));
    } catch (const StoreError& error) {
        reportStoreError(error);
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
        const NodeRef node = category_->AddNote(kNoNode, title, InfoOfEditorText(text_.editorText()));
        mirror_.selectItem(mirror_.addSubtree(node));
        const NoteTree& notes = category_->tree();
        text_.state().Loaded(category_->name(), notes.Record(node), notes.Title(node));
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
