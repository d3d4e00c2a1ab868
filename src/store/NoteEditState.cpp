#include "store/NoteEditState.h"

#include "store/CategoryTable.h"

#include <algorithm>

namespace qj {

void NoteEditState::Loaded(const QString& category, int id) {
    edited_ = EditedNote{category, id};
    dirty_ = false;
}

void NoteEditState::Cleared() {
    edited_.reset();
    dirty_ = false;
}

void NoteEditState::Changed(bool readOnly) {
    if (!readOnly)
        dirty_ = true;
}

void NoteEditState::Deleted(const QString& category, std::span<const int> ids) {
    if (edited_ && edited_->category == category && std::ranges::find(ids, edited_->id) != ids.end())
        edited_.reset();
}

void NoteEditState::CategoryDropped(const QString& category) {
    if (edited_ && edited_->category == category)
        edited_.reset();
}

SaveResult SaveNoteText(DataFile& file, NoteEditState& state, const QString& text) {
    if (!state.edited())
        return SaveResult::NoNote;
    const EditedNote note = *state.edited();
    if (!file.CategoryExists(note.category)) {
        state.CategoryDropped(note.category);
        return SaveResult::NoNote;
    }
    CategoryTable table(file, note.category);
    if (!table.WriteInfo(note.id, text)) {
        const int id = note.id;
        state.Deleted(note.category, std::span<const int>(&id, 1));
        return SaveResult::NoNote;
    }
    state.Saved();
    return SaveResult::Saved;
}

} // namespace qj
