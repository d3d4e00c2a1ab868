#pragma once
// What the search window needs of the main window: the data file, the category selector's list,
// and opening a note in the tree and the editor. The main window provides it; the search window
// knows nothing else of it.

#include "shell/Settings.h"
#include "store/NoteIds.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace qj {

class DataFile;

class SearchHost {
public:
    virtual ~SearchHost() = default;

    // The open data file, or null when there is none.
    virtual DataFile* dataFile() = 0;
    // The category selector's names, in its order.
    virtual QStringList categoryNames() = 0;
    // Makes `category` current in the main window (asking about an unsaved note text first),
    // selects the note of the record `rowid` and shows its text, with `title` in the note title
    // bar. False when that could not be done (the category or note is gone, a save failed).
    virtual bool openNote(const QString& category, RecordId rowid, const QString& title) = 0;
    // The editor's whole text, and the selection of `length` UTF-16 units from `start` in it.
    virtual QString editorText() = 0;
    virtual void selectInEditor(int start, int length) = 0;
    // The match-case and whole-word options of the editor's last search.
    virtual bool searchMatchCase() { return false; }
    virtual bool searchWholeWord() { return false; }
    // The window's options as the settings file keeps them, and keeping a change at once.
    virtual SearchSettings searchSettings() { return {}; }
    virtual void saveSearchSettings(const SearchSettings&) {}
    // Marks these (start, length) ranges of the editor's text in UTF-16 units, clearing the marks
    // of before.
    virtual void markInEditor(const std::vector<std::pair<int, int>>&) {}
};

} // namespace qj
