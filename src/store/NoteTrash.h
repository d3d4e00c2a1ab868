#pragma once
// The 回收站 in the history file (NoteHistory.h): a deleted subtree or category is copied there in
// the deletion's own transaction, listed, and restored with its shape: a subtree under its old
// parent (or at the top level) with new IDs where the old ones are taken, a category under its name
// (or the name with "(恢复)" when that is taken). Entries older than kHistoryDays go.

#include "store/NoteIds.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace qj {

class Database;
class DataFile;
struct RecordRef;

struct TrashEntry {
    enum class Kind { Notes = 0, Category = 1 };
    std::int64_t key = 0;
    Kind kind = Kind::Notes;
    QString category;
    QString title; // the subtree's top note, or the category
    QDateTime deleted;
    std::int64_t notes = 0;
    std::int64_t bytes = 0; // of the texts
};

// Copies the records about to be deleted (the subtree's top first) / the whole category into the
// 回收站. The history file must be attached; call inside the deletion's transaction.
void KeepDeletedNotes(DataFile& file, const QString& category, std::span<const RecordRef> topFirst,
                      const QDateTime& now);
void KeepDeletedCategory(DataFile& file, const QString& category, const QDateTime& now);

// Newest first.
std::vector<TrashEntry> TrashEntries(Database& db, const QString& schema);
// Entries deleted more than kHistoryDays before `now` go. The history file must be attached.
void ExpireTrash(DataFile& file, const QDateTime& now);

struct Restored {
    QString category; // where it went (a category's new name when its own was taken)
    NoteId top{0};    // a subtree's top note as restored
    std::int64_t notes = 0;
};
// Puts the entry back and removes it from the 回收站, in one transaction. A subtree whose category
// is gone gets a new category of that name. StoreError when it cannot be done (nothing changed).
Restored RestoreDeleted(DataFile& file, std::int64_t key);

} // namespace qj
