#pragma once

#include "store/NoteEditState.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;

namespace qj {

class NoteEditor;
class NoteTitleBar;

// The note text: which note the editor "mmo1" holds, whether its text changed, and how that shows
// (the title bar "Panel3" red or blue, "资料保存" enabled, the read-only box "chk1"). Loading a
// text is never a change of it; typing is, while the editor holds a note and is writable.
class NoteTextBinding : public QObject {
    Q_OBJECT
public:
    NoteTextBinding(NoteEditor* editor, NoteTitleBar* titleBar, QObject* parent = nullptr);

    void setSaveAction(QAction* save);

    const NoteEditState& state() const { return edit_; }
    NoteEditState& state() { return edit_; }
    bool isDirty() const { return edit_.IsDirty(); }
    // True when the editor holds this record of this category.
    bool holds(const QString& category, RecordRef record) const;
    // The title of the note the editor holds, as loaded or renamed since.
    const QString& shownTitle() const { return shownTitle_; }

    // Shows a note: its title in the title bar, its text in the editor, the text clean.
    void load(const QString& category, RecordRef record, const QString& title, const QString& text);
    // The editor holds no note: empty, clean, and it refuses typing.
    void loadNothing();
    // Empties the editor: text, undo history and bookmarks (not a change of the note's text).
    void clearEditor();
    // The edited note was renamed.
    void renamed(const QString& title);
    // The text was saved, dropped, or the state changed otherwise: the title bar, the save command
    // and the read-only state follow.
    void refresh();
    // The user's read-only switch (the editor is also read-only while it holds no note).
    void setReadOnly(bool readOnly);
    // The data file cannot be written: the editor stays read-only whatever the switch says, and
    // the read-only box shows it ticked and cannot be unticked.
    void setWriteProtected(bool on);
    // Replaces the editor's whole text as the user's own change (undoable).
    void replaceText(const QString& text);
    // Inserts text at the caret as the user's own change.
    void insert(const QString& text);
    QString editorText() const;
    void clearTitle();

signals:
    void dirtyChanged(bool dirty);
    // The user changed the text of the edited note (after the state says so).
    void typed();
    void readOnlyChanged(bool readOnly);

private:
    void editorChanged();
    void applyReadOnly();
    void showDirty();
    // Runs a change of the editor's text that is not the user's.
    template <class F> void loading(F&& change);

    QPointer<NoteEditor> editor_;
    QPointer<NoteTitleBar> titleBar_;
    QPointer<QAction> saveAction_;
    NoteEditState edit_;
    QString shownTitle_;
    bool loading_ = false;
    bool dirtyShown_ = false;
    bool readOnlyChosen_ = true; // the read-only switch as the user set it
    bool writeProtected_ = false;
};

} // namespace qj
