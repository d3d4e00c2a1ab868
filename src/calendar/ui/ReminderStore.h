#pragma once
// The 纪念日 of the data folder (reminders.txt, see calendar/core/ReminderFile.h): read once, kept
// in memory, written back whole after every change. A file that was refused on reading is never
// written over: the reminders cannot be changed until the user mends or removes it.

#include "calendar/core/Reminders.h"

#include <QString>

#include <vector>

namespace qj {

class ReminderStore {
public:
    // Reads `folder`/reminders.txt; a missing file is an empty list.
    void load(const QString& folder);
    const std::vector<Reminder>& reminders() const { return reminders_; }
    // Why the file was refused (Chinese), or empty.
    const QString& loadError() const { return loadError_; }
    bool writable() const { return loadError_.isEmpty() && !path_.isEmpty(); }

    // Replaces the list and writes the file; the error in the user's words, or empty. Nothing
    // changes when the file cannot be written.
    QString save(const std::vector<Reminder>& reminders);
    // A new id that no reminder of the list has (nor had: it is taken from the clock).
    std::string newId() const;

private:
    QString path_;
    QString loadError_;
    std::vector<Reminder> reminders_;
};

} // namespace qj
