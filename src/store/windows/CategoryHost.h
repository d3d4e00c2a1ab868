#pragma once
// What the category manager asks of the main window: its data file and current category, and the
// operations on categories the user chooses there. The main window decides the steps each takes
// (the editor, the title bar, the selector, the note commands) and provides it.

#include <QString>
#include <QStringList>

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
    // Runs a command; a failure it raises is shown by the general error handler. False then.
    virtual bool run(const std::function<void()>& command) = 0;

    // "增加目录分类": asks for a name and creates the category, which becomes current and default
    // (the manager hears of it through its CategoryCreated slot).
    virtual void createCategory() = 0;
    // Drops the category (shown no longer first, so nothing is saved into it); the selector is
    // refilled. False when the drop failed.
    virtual bool dropCategory(const QString& name) = 0;
    // Drops every category of `names` (none shown first); the selector is refilled without a
    // choice. False when a drop failed (those before it are gone).
    virtual bool dropCategories(const QStringList& names) = 0;
    // Makes `name` the default category of the next start and empties the editor, once an unsaved
    // note text is saved or given up. False when the user's text could not be saved.
    virtual bool makeDefault(const QString& name) = 0;
    // Makes `name` the current category (an unsaved note text is asked about first). False when
    // it could not be opened or the save failed.
    virtual bool makeCurrent(const QString& name) = 0;
    // makeCurrent, and `name` is the default category of the next start.
    virtual void makeCurrentAndDefault(const QString& name) = 0;
    // Shows no category: empty tree and read-only editor, note commands disabled.
    virtual void closeCurrent() = 0;
    // The manager was closed.
    virtual void managerClosed() = 0;
};

} // namespace qj
