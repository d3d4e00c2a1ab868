#pragma once
// A small RAII wrapper over the SQLite C API. Every return code is checked; a failure becomes a
// StoreError carrying the engine's message. Values are always bound, identifiers always quoted
// with QuoteIdentifier: no text given by the user can change what a statement does.

#include "store/StoreError.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace qj {

// "name" with every " doubled: a quoted SQL identifier for any text.
QString QuoteIdentifier(const QString& name);

// True when a write failed because the data file on disk is no longer the one that was opened (a
// sync tool or another program renamed a new file over it, or moved it away).
bool IsDataFileReplaced(const StoreError& error);

// The engine's failure `code` (an extended result code) in the user's words: a full disk, an I/O
// error, a file that is no data file, a damaged file. Empty for codes without plainer words.
QString EngineFailureText(int code);

class Statement;

class Database {
public:
    enum class Mode {
        OpenExisting, // the file must exist (DataFileMissing otherwise)
        ReadOnly,     // as OpenExisting, for reading only: nothing can be written to the file
        Create,       // created when missing
    };
    // Opens the file and checks that it is an SQLite database (StoreError naming the file if not).
    // A folder of that name and a file the user may not read are named as such. The connection
    // never runs SQL stored in the file: triggers do not fire and views cannot be read.
    Database(const QString& path, Mode mode);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return path_; }
    // Runs SQL text that returns no rows (one or more statements, nothing bound).
    void Exec(const char* sql);
    void Exec(const QString& sql);
    // The rowid of the last inserted row.
    std::int64_t LastInsertRowId() const;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int Changes() const;
    bool InTransaction() const;
    // True when the engine opened the file for reading only (asked to, or the file is
    // write-protected).
    bool IsReadOnly() const;

    sqlite3* handle() const { return db_; }
    // A number no other connection of this process has had.
    std::uint64_t serial() const { return serial_; }

    // The rows of category tables ("main" database) this connection inserted, changed or deleted
    // since they were last taken, as (table, rowid); `complete` is false when more changed than are
    // kept. Rows of a write that was rolled back are there too. The engine does not report changes
    // of the schema (a table created, dropped or renamed) nor VACUUM: its schema cookie tells those.
    struct ChangedRows {
        std::vector<std::pair<std::string, std::int64_t>> rows;
        bool complete = true;
    };
    ChangedRows TakeChangedRows();
    static constexpr size_t kMostChangedRowsKept = 20000;
    // The engine's header of the file (its first 100 bytes, read through the connection's own
    // file handle); empty when it cannot be read.
    std::string FileHeader() const;
    // Throws a StoreError for a failed return code `rc`, naming what was being done.
    [[noreturn]] void Fail(int rc, const QString& doing) const;

private:
    static void RowChanged(void* self, int op, const char* database, const char* table, long long rowid);

    sqlite3* db_ = nullptr;
    QString path_;
    std::uint64_t serial_ = 0;
    ChangedRows changed_;
};

// One prepared statement. Bind indexes are 1-based as in SQLite.
class Statement {
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, int value);
    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, const QString& text); // a null QString binds NULL
    Statement& BindNull(int index);

    // Runs one step: true while a row is there.
    bool Step();
    // Runs a statement that returns no rows, to its end.
    void Run();
    // Ready for another run with new bindings.
    void Reset();

    bool IsNull(int column) const;
    // True when the column holds an integer as stored (ask before reading the column otherwise:
    // reading it as another type converts it).
    bool IsInteger(int column) const;
    int Int(int column) const;
    std::int64_t Int64(int column) const;
    QString Text(int column) const; // NULL reads as a null QString

private:
    Database& db_;
    sqlite3_stmt* stmt_ = nullptr;
    QString sql_;
};

// BEGIN IMMEDIATE on construction; Commit() makes it stick; otherwise the destructor rolls back,
// so a write that throws half-way leaves the file as it was. Inside another transaction it is a
// savepoint of that one.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    Database& db_;
    bool nested_;
    bool done_ = false;
};

} // namespace qj
