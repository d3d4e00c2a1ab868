#include "store/NoteEditState.h"

#include "store/NoteHistory.h"

#include <algorithm>

namespace qj {

void NoteEditState::Loaded(const QString& category, RecordRef record, const QString& title) {
    edited_ = EditedNote{category, record, title};
    dirty_ = false;
}

void NoteEditState::Renamed(const QString& title) {
    if (edited_)
        edited_->title = title;
}

void NoteEditState::Cleared() {
    edited_.reset();
    dirty_ = false;
}

void NoteEditState::Changed(bool readOnly) {
    if (!readOnly)
        dirty_ = true;
}

void NoteEditState::Deleted(const QString& category, std::span<const RecordRef> records) {
    if (edited_ && edited_->category == category &&
        std::ranges::find(records, edited_->record) != records.end())
        Cleared();
}

void NoteEditState::CategoryDropped(const QString& category) {
    if (edited_ && edited_->category == category)
        edited_.reset();
}

QString InfoOfEditorText(const QString& text) {
    if (text.isEmpty() || text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        return text;
    return text + QStringLiteral("\r\n");
}

SaveResult SaveNoteText(DataFile& file, NoteEditState& state, const QString& text) {
    if (!state.edited())
        return SaveResult::NoNote;
    const EditedNote note = *state.edited();
    if (!file.CategoryExists(note.category))
        return SaveResult::Gone;
    CategoryTable table(file, note.category);
    // The text replaced is kept as a revision with the save, when the history file can be written.
    const bool history = file.AttachHistory();
    try {
        Transaction tx(file.db());
        if (history)
            KeepRevision(file, note.category, note.record, text, file.now());
        table.WriteInfo(note.record, text, &note.title);
        tx.Commit();
    } catch (const RecordGone&) {
        return SaveResult::Gone;
    }
    state.Saved();
    return SaveResult::Saved;
}

} // namespace qj
