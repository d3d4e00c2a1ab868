#pragma once
// What the category manager needs of the main window: its data file, its current category, the
// category selector, the editor and the note commands. The main window provides it.

#include <QString>

#include <functional>

namespace qj {

class DataFile;

class CategoryHost {
public:
    virtual ~CategoryHost() = default;

    // The open data file, or null when there is none.
    virtual DataFile* dataFile() = 0;
    // The current category's name; empty when none is open.
    virtual QString currentCategory() = 0;
    // The start-up category as read from the settings file when the program started.
    virtual QString startupCategory() = 0;

    // "增加目录分类": asks for a name and creates the category, which becomes current and default
    // (the window hears of it through its CategoryCreated slot).
    virtual void createCategory() = 0;
    // Writes the default category (CurTb) to the settings file.
    virtual void writeDefault(const QString& name) = 0;
    // Makes `name` the current category (an unsaved note text is asked about first) and selects
    // it in the category selector. False when it could not be opened or the save failed.
    virtual bool makeCurrent(const QString& name) = 0;
    // Shows no category: empty tree, empty read-only editor, note commands disabled. The editor's
    // note is forgotten, so nothing is saved into a dropped table.
    virtual void closeCurrent() = 0;
    // Asks about an unsaved note text (Yes saves). False when the save failed.
    virtual bool askSaveIfDirty() = 0;
    // Empties the editor: text, bookmarks, undo history; the text is not changed.
    virtual void clearEditor() = 0;
    // Refills the category selector from the data file and selects `name` there (no selection
    // when it is not listed).
    virtual void rebuildSelector(const QString& select) = 0;
    virtual void enableNoteCommands(bool enabled) = 0;
    virtual void clearTitleBar() = 0;
    // Runs a command; a failure it raises is shown by the general error handler. False then.
    virtual bool run(const std::function<void()>& command) = 0;
};

} // namespace qj
