#pragma once
// One category table: its note records (ID, Parent, Name, Info) in stored (rowid) order. Every
// write is one transaction: a failed write throws a StoreError and leaves the table as it was.
// A note is addressed by its own record (the rowid), never by "the first record with this ID": a
// file edited by another tool may hold an ID twice. A write that finds its record gone (deleted or
// changed by another program meanwhile) changes nothing and throws RecordGone.

#include "store/DataFile.h"
#include "store/NoteIds.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace qj {

// The largest ID the program gives a new note: an ID is a 32-bit signed integer of the notebook
// (files made elsewhere may hold larger ones, which are read but never extended).
inline constexpr NoteId kMaxNewNoteId{2147483647};
// The largest note text the program opens, in stored (UTF-8) bytes: as large as a text file the
// editor reads in.
inline constexpr std::int64_t kMaxNoteBytes = 100 * 1024 * 1024;

// Where a note's record is: its rowid, and the ID it must still hold there.
struct RecordRef {
    RecordId rowid;
    NoteId id;
    friend bool operator==(const RecordRef&, const RecordRef&) = default;
};

// The part of a note record the tree is built from. A record whose ID is NULL or not an integer
// (2.5, 'abc') has no node and is left out; a Parent that is NULL or not an integer names no node.
struct NoteHeader {
    RecordId rowid;
    NoteId id;
    std::optional<NoteId> parent;
    QString name;
    RecordRef record() const { return {rowid, id}; }
};

// One record of a subtree copy: a new record `newId` under `newParent` with the Name and Info of
// the record `source`.
struct NoteCopy {
    RecordRef source;
    NoteId newId;
    NoteId newParent;
};

// The record a write was meant for is no longer there.
class RecordGone : public StoreError {
public:
    RecordGone(const QString& category, NoteId id);
};

// A table that cannot be shown as a category; the message names the category and the reason.
class CategoryUnusable : public StoreError {
public:
    CategoryUnusable(const QString& category, const QString& why);
};

class CategoryTable {
public:
    // Opens the category `name` of the data file; a StoreError when there is no such category.
    CategoryTable(DataFile& file, const QString& name);

    const QString& name() const { return name_; }
    DataFile& file() { return file_; }

    // A CategoryUnusable when the table cannot hold notes as the program reads them: a view, a
    // table without ID, Parent, Name or Info, without record numbers (WITHOUT ROWID) or with a
    // column that hides them (rowid, _rowid_, oid). Nothing is written.
    void CheckShape();
    // Every record with an integer ID, in stored order (fast: Info is not read). Checks the
    // table's shape first.
    std::vector<NoteHeader> LoadHeaders();
    // The same records one at a time, for a category too large to hold twice; the name is valid
    // during the call only.
    using HeaderVisitor =
        std::function<void(RecordId rowid, NoteId id, std::optional<NoteId> parent, QStringView name)>;
    void ReadHeaders(const HeaderVisitor& visit);
    // The record's text; empty (null) when Info is NULL. RecordGone when the record is gone. A
    // text of more than kMaxNoteBytes (made by another program) is refused with a StoreError
    // before it is read.
    QString ReadInfo(RecordRef record);
    // The stored size in bytes of the record's Info, read without reading the text; -1 when Info
    // is NULL or a number, or the record is not there.
    std::int64_t StoredInfoBytes(RecordRef record);
    bool Exists(RecordRef record);
    // True when some record holds this ID.
    bool Contains(NoteId id);
    int RecordCount();

    // Appends a record and returns its rowid; Info stays NULL unless given (an empty text is
    // stored as NULL). A title that is empty or longer than 50 characters is refused with a
    // StoreError.
    RecordId Append(NoteId id, NoteId parent, const QString& name, const QString& info = QString());
    // Name of the record (refused like Append's).
    void Rename(RecordRef record, const QString& name);
    // Parent of the record (moving a note).
    void SetParent(RecordRef record, NoteId parent);
    // Info of the record; an empty text is stored as NULL. With `title`, only while the record
    // still holds that title (RecordGone otherwise).
    void WriteInfo(RecordRef record, const QString& text, const QString* title = nullptr);
    // Deletes the records, all in one transaction. A record already gone is passed over: it is
    // deleted either way.
    void Delete(std::span<const RecordRef> records);
    // Appends the copies in the given order, each with its source's Name and Info, in one
    // transaction, and returns the new rowids in the same order. RecordGone if a source is gone.
    std::vector<RecordId> Copy(std::span<const NoteCopy> copies);

private:
    // Runs an UPDATE of one record bound as ?1 (rowid) and ?2 (ID), of its title when given;
    // RecordGone when no record changed.
    void RunRecordWrite(Statement& st, RecordRef record, const QString* title = nullptr);

    DataFile& file_;
    QString name_;
    QString quoted_;
};

} // namespace qj
