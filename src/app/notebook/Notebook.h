#pragma once

#include "store/NoteEditState.h"
#include "store/NoteIds.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QTreeWidgetItem;
class QWidget;

namespace qj {

class CategoryTable;
class DataFile;
class Dialogs;
class NoteEditor;
class NoteTitleBar;
class NoteTreeWidget;

// The notebook of the main window: the note tree "Tv1", the note title bar "Panel3" (with "chk1"
// and "btn10") and the note text editor "mmo1", bound to the current category table.
//
// The controller owns the three widgets until the main window places them (reparenting them into
// its layout is fine; they are then owned by the window). Every write goes through the category
// table of the store in its own transaction; a refused write (StoreError) is reported through the
// Dialogs seam as the general error handler does, and the tree then shows what the table holds.
//
// The editor follows the selection when a note is pressed with the mouse, after the delete
// command, after openCategory() and when the Delete key removed the shown note; keyboard selection
// and adding only move the selection. A save always writes into the edited note, never into
// another one; a note deleted while shown never receives the editor's text (the edited note is then
// forgotten). Before the delete command replaces a changed text of a note that still exists, the
// save question is asked.
class Notebook : public QObject {
    Q_OBJECT
public:
    Notebook(Dialogs& dialogs, QWidget* dialogParent, QObject* parent = nullptr);
    ~Notebook() override;

    // What opens the data file again when a write found it replaced on disk and the user agreed
    // (run from the event loop); without one, such a failure is reported like any other.
    void setReopenHandler(std::function<void()> handler);

    NoteTreeWidget* tree() const;
    NoteTitleBar* titleBar() const;
    NoteEditor* editor() const;
    // The tree's right-click menu "PopupMenu1" (items N1, N2, N4, N5, N8, N9).
    QMenu* treeMenu() const;

    // The main window's actions: "资料保存" (enabled only while the text is dirty; the
    // editor menu's and the title bar menu's items are the window's business) and the three note
    // commands of the toolbar (enabled while a category is open). Any of them may be null.
    void bindActions(QAction* save, QAction* addSibling, QAction* addChild, QAction* del);

    // Makes `tableName` of `file` the current category: rebuilds the tree collapsed, selects the
    // first record in stored order, puts its Info into the editor and its title into the title bar
    // (an empty category shows none) and leaves the text clean. An unsaved text is not asked
    // about (callers ask first).
    // Throws StoreError when the table cannot be read (the notebook is then closed).
    void openCategory(DataFile& file, const QString& tableName);
    // The user picked `tableName` in the selector: it becomes the current category (its tree
    // collapsed, its first record selected) while the editor, the title bar and any unsaved text
    // stay as they are: a save still writes into the edited note of the other category.
    // Throws StoreError when the table cannot be read (the notebook is then closed).
    void switchCategory(DataFile& file, const QString& tableName);
    // The data file was opened again as `file`: the current category is read from it, the edited
    // note selected when it is there; the editor keeps its text and whether it changed.
    // Throws StoreError when the category cannot be read from `file` (the notebook is then closed).
    void reopenDataFile(DataFile& file);
    // Shows no category: empty tree, note commands disabled. The editor keeps its text.
    void closeCategory();
    // The category was dropped from the data file: its note can no longer receive the text.
    void categoryDropped(const QString& tableName);
    bool hasCategory() const;
    QString categoryName() const;

    bool isDirty() const;
    // The note a save writes into (its category, record and title), or nothing.
    std::optional<EditedNote> editedNote() const;
    // The editor's whole text as it holds it (UTF-8, a copy of its buffer: cheap for any size).
    QByteArray editorBytes() const;
    // The save question of the note text ("文本内容已改变，需要保存吗？", Yes default).
    // Yes saves into the edited note, No drops the changes, Cancel (offered when asked for) keeps
    // them. Returns true when the caller may go on; false after Cancel or a failed save.
    bool askSaveIfDirty(bool offerCancel = false);
    // A changed text is saved into the edited note without a question, for when nobody may be there
    // to answer (a timed end of the session). False when it stays unsaved; the failure was shown.
    bool saveIfDirtyWithoutAsking();

    // Tree queries and commands without input boxes, for the other windows (search, divination).
    // Where an ID is repeated in the file, the first note built with it is meant.
    std::optional<NoteId> selectedId() const;
    QString selectedTitle() const;
    QStringList topLevelTitles() const;
    // The record of the first note (pre-order, tree order) whose title equals `title` exactly; a
    // record names one note even where the file repeats an ID.
    std::optional<RecordId> findRecordByTitle(const QString& title) const;
    // The records of every note (pre-order, tree order) whose title equals `title` exactly.
    QList<RecordId> findRecordsByTitle(const QString& title) const;
    // Selects the note's node, expands its ancestors and scrolls it into view (no text load).
    bool selectNote(NoteId id);
    // The same for the note of one record.
    bool selectRecord(RecordId rowid);
    void expandRecord(RecordId rowid);
    // Adds a note titled `title` exactly as the add commands do after their input box and selects
    // it; returns its ID, or nothing when the write was refused.
    std::optional<NoteId> addSiblingNamed(const QString& title);
    std::optional<NoteId> addChildNamed(const QString& title);
    // Drops the note `draggedId` on the note `targetId`: moves it with its subtree to be the
    // target's last child, or copies it (copy = true) with consecutive new IDs in pre-order.
    // Refused (false, nothing changes) on itself, on its descendants and on unknown IDs.
    bool dropNote(NoteId draggedId, NoteId targetId, bool copy);
    // Loads the selected note into the editor and the title bar (no question; see askSaveIfDirty).
    void loadSelected();
    // Empties the editor: text, undo history and bookmarks (not a change of the note's text).
    void clearEditor();
    // Replaces the editor's whole text as the user's own change (an import, for instance): it can
    // be undone, and the text becomes changed when the editor holds a note, read-only or not.
    void replaceText(const QString& text);
    // Files `text` as the whole text of the note `id` of the current category (the divination
    // report handed to a note just added): an unsaved text of the edited note is asked about
    // first; then the note is selected and shown, the editor emptied completely, the text inserted
    // and saved into that note, and the editor made writable. False when the note does not exist
    // or a save failed.
    bool fileTextIntoNote(NoteId id, const QString& text);
    // The data file cannot be written: the editor stays read-only (the read-only box ticked and
    // fixed), titles are not edited in place nor notes dragged, the note commands are disabled and
    // any that is still reached says so and writes nothing.
    void setWriteProtected(bool on);

public slots:
    void addSibling();     // btn4Click / N1Click
    void addChild();       // btn5Click / N2Click
    void deleteSelected(); // btn6Click / "删除"
    void rename();         // N5Click
    void expandAll();      // N8Click
    // The tree's items are made as nodes are expanded or reached; this makes every one at once
    // (as "全部展开" does before it expands them), for walking all items.
    void makeAllItems();
    void collapseAll(); // N9Click
    void save();        // actSaveExecute
    void setReadOnly(bool readOnly);

signals:
    // Status panel 0: "节点: level/children", empty when nothing is selected.
    void treePositionChanged(const QString& text);
    void dirtyChanged(bool dirty);
    // The user changed the edited note's text (typing, a replaced text).
    void textTyped();
    void readOnlyChanged(bool readOnly);
    // Keyboard focus entered the tree (Tv1Enter) or the editor (mmo1Enter): the menu bar switch.
    void treeEntered();
    void editorEntered();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace qj
