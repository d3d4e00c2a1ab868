#pragma once
// Which note the editor holds and whether its text was changed. A save always writes into the
// edited note and never into another: the note is remembered by category, its own record and its
// title, and forgotten when it is deleted (a later note may get the same ID, even the same rowid)
// or its category is dropped. A data file replaced behind the program's back may hold another note
// at the same record with the same ID: its title tells them apart.

#include "store/CategoryTable.h"

#include <QString>

#include <optional>
#include <span>

namespace qj {

struct EditedNote {
    QString category;
    RecordRef record;
    QString title; // as loaded, or as renamed since
    friend bool operator==(const EditedNote&, const EditedNote&) = default;
};

class NoteEditState {
public:
    // A note's text was loaded into the editor: that note is edited, the text is clean.
    void Loaded(const QString& category, RecordRef record, const QString& title);
    // The edited note was renamed by the program.
    void Renamed(const QString& title);
    // The editor shows no note (or a note that is gone); the text is clean.
    void Cleared();
    // The user changed the text (typing, not loading). Ignored while read-only.
    void Changed(bool readOnly = false);
    // The text was written into the edited note.
    void Saved() { dirty_ = false; }
    // The user chose to drop the changes (No at the save question).
    void ChangesDropped() { dirty_ = false; }
    // Records of `category` were deleted; forgets the edited note when it is one of them, and its
    // changes with it (they were part of what the user chose to delete).
    void Deleted(const QString& category, std::span<const RecordRef> records);
    // A category was dropped.
    void CategoryDropped(const QString& category);

    bool IsDirty() const { return dirty_; }
    // The note a save writes into; nothing when the editor holds no note or it was deleted.
    const std::optional<EditedNote>& edited() const { return edited_; }

private:
    std::optional<EditedNote> edited_;
    bool dirty_ = false;
};

enum class SaveResult {
    Saved,
    NoNote, // the editor holds no note: nothing written
    Gone,   // the edited note's record (or its category) is no longer there, or holds another note
            // (another ID or title): nothing written, the state unchanged, so the text is still
            // there to be filed elsewhere
};

// The stored form of an editor's whole text: its lines, each followed by its line break, the last
// line too (a text typed from scratch ends without one; it gets CR LF). An empty text stays empty.
QString InfoOfEditorText(const QString& text);

// Writes the editor's text into the edited note (its own category, whichever is current) and marks
// the state saved. A StoreError when the write fails; the state then stays dirty.
SaveResult SaveNoteText(DataFile& file, NoteEditState& state, const QString& text);

} // namespace qj
