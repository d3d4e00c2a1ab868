#pragma once

#include "store/CurrentCategory.h"
#include "store/StoreError.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QWidget;

namespace qj {

class Dialogs;
class NoteTextBinding;
class NoteTreeMirror;

// The notebook's commands on the open category: adding, renaming, deleting, dropping, pressing a
// note, saving. Each writes the table first and changes the tree and the items only when the write
// succeeded; a refused write is reported and the tree then shows what the table holds.
class NoteCommands : public QObject {
    Q_OBJECT
public:
    NoteCommands(Dialogs& dialogs, QWidget* dialogParent, NoteTreeMirror& mirror, NoteTextBinding& text,
                 QObject* parent = nullptr);
    ~NoteCommands() override;

    // Opens the data file on disk again when it was replaced while open (see reopen); offered to
    // the user when a write fails for that reason. Run from the event loop, after the command.
    void setReopenHandler(std::function<void()> handler) { reopenHandler_ = std::move(handler); }
    // The data file cannot be written: every command that would write says so and does nothing.
    void setWriteProtected(bool on);
    bool isWriteProtected() const { return writeProtected_; }
    void bindActions(QAction* addSibling, QAction* addChild, QAction* del);

    // Makes `name` the current category; with `loadFirst` its first note is put into the editor,
    // else the editor, the title bar and the text's state are left as they are.
    void open(DataFile& file, const QString& name, bool loadFirst = true);
    // Says that the category holds notes deeper than the tree shows.
    void tellTooDeep();
    // The data file was opened again (the one on disk replaced the one opened): the current
    // category is read from `file` and the edited note is selected when it is there. The editor
    // keeps its text, and the state keeps the edited note and whether it changed, so the next
    // save writes into that note in `file`, or offers to file the text anew when `file` lacks it.
    // Throws StoreError when the category cannot be read from `file` (the notebook is then closed).
    void reopen(DataFile& file);
    void close();
    void categoryDropped(const QString& name);
    CurrentCategory* category() const { return category_.get(); }

    // The save question when the text changed: Yes saves, No drops the changes. False when the
    // text stays (nothing could be written), so the caller must not replace it.
    bool askSaveIfDirty(bool offerCancel = false);
    bool save();

    // Tv1MouseDown: the save question when the text changed, then the pressed note is shown.
    void pressed();
    void released();

    // The input box of "添加同级节点"/"添加下级子节点", then the note is added.
    void addWithInput(bool child);
    // Adds a note titled as typed; returns its key, or nothing when refused.
    std::optional<NoteId> add(bool child, const QString& typed);
    void renameWithInput();
    void rename(NodeRef node, const QString& title);
    // The toolbar's and menu's delete, and the Delete key, each with its own confirmation.
    void deleteSelected();
    void deleteKey();
    bool drop(NodeRef dragged, NodeRef target, bool copy);

    // Shows a note in the editor and the title bar (no question).
    void show(NodeRef node);
    bool fileTextInto(NodeRef node, const QString& text);

signals:
    void statusChanged(const QString& text);

public:
    void emitStatus();

private:
    enum class Settled {
        Clean,   // nothing was changed
        Saved,   // Yes, and the text was written
        Dropped, // No: the changes are gone
        Kept,    // Cancel, or Yes but nothing could be written: the text stays changed
    };
    // The one save question of the note text, asked when it changed.
    Settled settleChanges(bool offerCancel = false);
    void reportError(const QString& text) const;
    // A refused write: a replaced data file is offered to be opened again, any other is reported.
    void reportStoreError(const StoreError& error);
    // True (after saying so) when the data file cannot be written.
    bool refusedAsWriteProtected() const;
    template <class F> bool run(F&& command);
    void resync();
    void updateActions();
    bool deleteNode(NodeRef node);
    void showSelectedAfterDelete();
    bool editedNoteIsHere() const;
    bool fileTextOfGoneNote();

    Dialogs& dialogs_;
    QWidget* dialogParent_;
    NoteTreeMirror& mirror_;
    NoteTextBinding& text_;
    std::function<void()> reopenHandler_;
    QPointer<QAction> addSiblingAction_, addChildAction_, deleteAction_;
    DataFile* file_ = nullptr;
    std::unique_ptr<CurrentCategory> category_;
    bool writeProtected_ = false;
};

// Runs a command that writes records. A refused write is reported and the tree is brought back to
// what the table holds. Returns false when the command failed.
template <class F> inline bool NoteCommands::run(F&& command) {
    try {
        command();
        return true;
    } catch (const StoreError& error) {
        reportStoreError(error);
        resync();
        return false;
    }
}

} // namespace qj
