#pragma once
// One category table: its note records (ID, Parent, Name, Info) in stored (rowid) order. Every
// write is one transaction: a failed write throws a StoreError and leaves the table as it was.
// Where several records share an ID, the first in stored order is the one read and written.

#include "store/DataFile.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace qj {

// The part of a note record the tree is built from. A record whose ID is NULL has no node and is
// left out; a NULL Parent names no node.
struct NoteHeader {
    int id = 0;
    std::optional<int> parent;
    QString name;
};

// One record of a subtree copy: a new record `newId` under `newParent` with the Name and Info of
// the record `sourceId`.
struct NoteCopy {
    int sourceId = 0;
    int newId = 0;
    int newParent = 0;
};

class CategoryTable {
public:
    // Opens the category `name` of the data file; a StoreError when there is no such category.
    CategoryTable(DataFile& file, const QString& name);

    const QString& name() const { return name_; }

    // Every record with an ID, in stored order (fast: Info is not read).
    std::vector<NoteHeader> LoadHeaders();
    // The text of the first record with this ID; empty (null) when Info is NULL or no record.
    QString ReadInfo(int id);
    bool Contains(int id);
    int RecordCount();

    // Appends a record; Info stays NULL unless given (an empty text is stored as NULL). A title
    // that is empty or longer than 50 characters is refused with a StoreError.
    void Append(int id, int parent, const QString& name, const QString& info = QString());
    // Name of the record `id` (refused like Append's). Returns false when there is no such record.
    bool Rename(int id, const QString& name);
    // Parent of the record `id` (moving a note). Returns false when there is no such record.
    bool SetParent(int id, int parent);
    // Info of the record `id`; an empty text is stored as NULL. Returns false (and writes
    // nothing) when there is no such record.
    bool WriteInfo(int id, const QString& text);
    // Deletes the first record of each ID, all in one transaction.
    void Delete(std::span<const int> ids);
    // Appends the copies in the given order, each with its source's Name and Info, in one
    // transaction. A StoreError if a source record is missing.
    void Copy(std::span<const NoteCopy> copies);

private:
    DataFile& file_;
    QString name_;
    QString quoted_;
};

} // namespace qj
