#pragma once
// The notebook's data file dataly.dat: one SQLite database beside the program, one table per
// category. Each table is
//   CREATE TABLE "<name>" (ID INTEGER, Parent INTEGER,
//                          Name VARCHAR(50) NOT NULL CHECK(length(Name) <= 50), Info TEXT)
// with an index on ID for speed (not a key: the program keeps IDs unique itself).
// Every committed write is in the file itself at once (a rollback journal lives beside it only while
// a write runs), so the file alone is the whole notebook whenever the program is idle: users and
// sync tools copy it while the program sits in the tray, and the backup copies it as bytes.

#include "store/Sqlite.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace qj {

class SearchCache;

inline constexpr const char* kDataFileName = "dataly.dat";

class DataFile {
public:
    // Opens an existing data file. Throws DataFileMissing when there is no such file and a
    // StoreError naming the file when it is not a database; the file is never created or changed
    // by opening it.
    explicit DataFile(const QString& path);
    // Read-only access (scripts reading the notebook): every write fails, and the file's bytes and
    // journal mode stay exactly as they were, also while the program has it open.
    enum class Access { ReadWrite, ReadOnly };
    DataFile(const QString& path, Access access);
    ~DataFile();

    const QString& path() const { return path_; }

    // What keeps every write from reaching the file, as found when it was (re)opened.
    enum class WriteBarrier {
        None,
        OpenedReadOnly,       // opened with Access::ReadOnly
        FileWriteProtected,   // the file may not be written (the engine opened it for reading)
        FolderWriteProtected, // its folder may not be written: no journal, so no write can commit
    };
    WriteBarrier writeBarrier() const { return barrier_; }

    // Closes the connection (before a byte copy that must not race a write). A StoreError (and the
    // connection stays open) when another program keeps the file busy.
    // Reopen opens it again; while closed, every other call opens it again first.
    void Close();
    bool IsOpen() const { return db_ != nullptr; }
    void Reopen();

    // The names of all categories (tables and views of the file, without the engine's own
    // tables), in the order they were created.
    QStringList Categories();
    // True when a category of exactly this name (same letters, same case) exists.
    bool CategoryExists(const QString& name);
    // Throws a StoreError when `name` cannot be a new category: empty or blank, holding a control
    // character, longer than 50 characters (the first note's title), reserved by the engine, or differing
    // from an existing category only in letter case. An exact existing name is not checked here
    // (CategoryExists answers that first). The ID indexes of the categories never stand in the way.
    void CheckNewCategoryName(const QString& name);
    // Creates the empty table of a category (after CheckNewCategoryName), in one transaction.
    // Its index on ID is named IndexNameOf(name).
    void CreateCategoryTable(const QString& name);
    // Drops a category table with all its notes.
    void DropCategory(const QString& name);

    Database& db();
    // The search cache beside the file (made on first use).
    SearchCache& searchCache();

    // The history file beside it (HistoryPathOf), attached to the connection as "history" with its
    // tables made, when first asked. False (nothing attached) when it cannot be: a data file opened
    // or kept read-only, a folder that cannot be written, a damaged history file.
    bool AttachHistory();
    // Before a deletion: true when what goes can be kept in the 回收站; false for a file that cannot
    // be written (the deletion fails as any write); a StoreError when the history file cannot be
    // written (nothing may be deleted then).
    bool KeepInTrash();
    // The time given to revisions and deleted entries: the system's unless set.
    void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }
    QDateTime now() const { return now_ ? now_() : QDateTime::currentDateTime(); }

    // The triggers and views stored in the file (made by another program or person), as
    // "触发器 name" / "视图 name" in stored order. The program never runs them and never drops them.
    QStringList ForeignSqlObjects();

private:
    QString path_;
    Access access_ = Access::ReadWrite;
    WriteBarrier barrier_ = WriteBarrier::None;
    std::unique_ptr<Database> db_;
    bool historyAttached_ = false;
    std::function<QDateTime()> now_;
    std::unique_ptr<SearchCache> searchCache_;
};

// The name of a category's index on ID: longer than any category name can be, so that no category
// ever collides with it. Files made before carry "<name>.ID"; those still work, and such an index
// is renamed when a new category takes its name.
QString IndexNameOf(const QString& category);

// The message shown once when a data file holding triggers or views is opened, naming the file and
// them; empty when it holds none.
QString ForeignSqlText(DataFile& file);

// Creates an empty, valid data file at `path` (nothing is done when the file exists).
void CreateEmptyDataFile(const QString& path);

} // namespace qj
