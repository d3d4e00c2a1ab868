#include "store/DataFile.h"

#include "store/NoteHistory.h"
#include "store/NoteTrash.h"
#include "store/SearchCache.h"

#include <QFileInfo>

namespace qj {

namespace {

bool HasControlCharacter(const QString& name) {
    for (QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            return true;
    return false;
}

// Object kinds in the schema that are an old-style ID index "<table>.ID" of a category table:
// a new category of that name takes the name over and the index is renamed.
constexpr const char* kOldIndexOf =
    "type = 'index' AND tbl_name IN (SELECT name FROM sqlite_schema WHERE type = 'table') AND "
    "lower(name) = lower(tbl_name || '.ID')";

} // namespace

QString IndexNameOf(const QString& category) {
    // 51 characters before the name: a category name holds at most 50.
    return QStringLiteral("index on ID of the category table named after this: ") + category;
}

namespace {

// The journal mode after asking for `mode` (the engine may keep another one).
QString SetJournalMode(Database& db, const char* mode) {
    Statement st(db, QStringLiteral("PRAGMA journal_mode = %1").arg(QLatin1String(mode)));
    return st.Step() ? st.Text(0).toLower() : QString();
}

} // namespace

DataFile::DataFile(const QString& path) : path_(path) {
    Reopen();
}

DataFile::DataFile(const QString& path, Access access) : path_(path), access_(access) {
    Reopen();
}

DataFile::~DataFile() {
    if (!db_ || access_ == Access::ReadOnly)
        return;
    try {
        SetJournalMode(*db_, "DELETE");
    } catch (const StoreError&) {
        // Another connection holds the file; the engine completes it when the last one closes.
    }
}

void DataFile::Close() {
    if (!db_)
        return;
    if (access_ == Access::ReadOnly) {
        db_.reset();
        return;
    }
    // A plain rollback journal: every change is in the file itself and no side file is left, so a
    // byte copy of the closed file is the whole notebook.
    QString mode;
    try {
        mode = SetJournalMode(*db_, "DELETE");
    } catch (const StoreError& e) {
        throw StoreError(QStringLiteral("数据文件 %1 正被其他程序使用，无法关闭：%2").arg(path_, e.text()),
                         e.code());
    }
    if (mode != QLatin1String("delete"))
        throw StoreError(QStringLiteral("数据文件 %1 正被其他程序使用，无法关闭").arg(path_));
    db_.reset();
}

void DataFile::Reopen() {
    db_.reset();
    historyAttached_ = false;
    if (access_ == Access::ReadOnly) {
        db_ = std::make_unique<Database>(path_, Database::Mode::ReadOnly);
        barrier_ = WriteBarrier::OpenedReadOnly;
        return;
    }
    db_ = std::make_unique<Database>(path_, Database::Mode::OpenExisting);
    // Asked for reading and writing, the engine opens a write-protected file for reading only.
    if (db_->IsReadOnly())
        barrier_ = WriteBarrier::FileWriteProtected;
    else if (!QFileInfo(QFileInfo(path_).absolutePath()).isWritable())
        barrier_ = WriteBarrier::FolderWriteProtected;
    else
        barrier_ = WriteBarrier::None;
    // The rollback journal: a committed write is in dataly.dat itself, so a copy of the file made
    // while the program idles is complete. A file left in write-ahead-log mode (by an older version
    // or another program) is turned back; when another program keeps it in that mode, every commit
    // is folded into the file at once instead.
    try {
        SetJournalMode(*db_, "DELETE");
    } catch (const StoreError&) {
        // Busy: another connection keeps the log.
    }
    Statement st(*db_, QStringLiteral("PRAGMA journal_mode"));
    if (st.Step() && st.Text(0).toLower() == QLatin1String("wal"))
        db_->Exec("PRAGMA wal_autocheckpoint = 1");
}

bool DataFile::KeepInTrash() {
    if (barrier_ != WriteBarrier::None)
        return false;
    if (!AttachHistory())
        throw StoreError(
            QStringLiteral("%1 不能写入，删除的内容无法放入回收站，所以没有删除").arg(HistoryPathOf(path_)));
    return true;
}

bool DataFile::AttachHistory() {
    if (historyAttached_)
        return true;
    if (barrier_ != WriteBarrier::None)
        return false;
    const QString history = HistoryPathOf(path_);
    try {
        // Made by a connection of its own: an attached file is never created by the engine.
        if (!QFileInfo::exists(history)) {
            Database made(history, Database::Mode::Create);
            MakeHistoryTables(made, QStringLiteral("main"));
        }
        Statement attach(db(), QStringLiteral("ATTACH DATABASE ?1 AS history"));
        attach.Bind(1, history);
        attach.Run();
    } catch (const StoreError&) {
        return false;
    }
    try {
        MakeHistoryTables(*db_, QStringLiteral("history"));
    } catch (const StoreError&) {
        db_->Exec("DETACH DATABASE history");
        return false;
    }
    historyAttached_ = true;
    return true;
}

SearchCache& DataFile::searchCache() {
    if (!searchCache_)
        searchCache_ = std::make_unique<SearchCache>(path_);
    return *searchCache_;
}

Database& DataFile::db() {
    if (!db_)
        Reopen();
    return *db_;
}

QStringList DataFile::Categories() {
    Statement st(db(), QStringLiteral("SELECT name FROM sqlite_schema WHERE type IN ('table','view') "
                                      "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    QStringList names;
    while (st.Step())
        names << st.Text(0);
    return names;
}

QStringList DataFile::ForeignSqlObjects() {
    Statement st(db(), QStringLiteral("SELECT type, name FROM sqlite_schema WHERE type IN ('trigger','view') "
                                      "ORDER BY rowid"));
    QStringList objects;
    while (st.Step())
        objects << (st.Text(0) == QLatin1String("view") ? QStringLiteral("视图 ")
                                                        : QStringLiteral("触发器 ")) +
                       st.Text(1);
    return objects;
}

QString ForeignSqlText(DataFile& file) {
    const QStringList objects = file.ForeignSqlObjects();
    if (objects.isEmpty())
        return QString();
    return QStringLiteral("%1\r\n数据文件中有触发器/视图，本程序不会执行它们：%2")
        .arg(file.path(), objects.join(QStringLiteral("、")));
}

bool DataFile::CategoryExists(const QString& name) {
    return Categories().contains(name, Qt::CaseSensitive);
}

void DataFile::CheckNewCategoryName(const QString& name) {
    if (name.trimmed().isEmpty())
        throw StoreError(QStringLiteral("目录分类名不能为空"));
    if (HasControlCharacter(name))
        throw StoreError(QStringLiteral("目录分类名不能含有控制字符"));
    // The category's first note carries its name as title, which holds 50 characters.
    if (name.toUcs4().size() > 50)
        throw StoreError(QStringLiteral("目录分类名“%1”太长：最多 50 个字符").arg(name));
    if (name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
        throw StoreError(QStringLiteral("目录分类名“%1”是数据库保留的名字").arg(name));
    Statement st(db(), QStringLiteral("SELECT name, type FROM sqlite_schema WHERE NOT (%1)")
                           .arg(QLatin1String(kOldIndexOf)));
    while (st.Step()) {
        const QString existing = st.Text(0);
        const bool category = st.Text(1) == QLatin1String("table") || st.Text(1) == QLatin1String("view");
        if (existing.compare(name, Qt::CaseInsensitive) != 0 || (category && existing == name))
            continue;
        if (category)
            throw StoreError(
                QStringLiteral("目录分类名“%1”与已有的目录分类“%2”只有字母大小写不同").arg(name, existing));
        throw StoreError(QStringLiteral("目录分类名“%1”已被数据文件内部使用，请换一个名字").arg(name));
    }
}

void DataFile::CreateCategoryTable(const QString& name) {
    CheckNewCategoryName(name);
    Transaction tx(db());
    // An old-style index "<other>.ID" holding the name moves to its new name first.
    QString oldIndex, owner;
    {
        Statement old(db(), QStringLiteral("SELECT name, tbl_name FROM sqlite_schema WHERE %1 AND name = ?1 "
                                           "COLLATE NOCASE")
                                .arg(QLatin1String(kOldIndexOf)));
        old.Bind(1, name);
        if (old.Step()) {
            oldIndex = old.Text(0);
            owner = old.Text(1);
        }
    }
    if (!oldIndex.isNull()) {
        db().Exec(QStringLiteral("DROP INDEX %1").arg(QuoteIdentifier(oldIndex)));
        db().Exec(QStringLiteral("CREATE INDEX %1 ON %2 (ID)")
                      .arg(QuoteIdentifier(IndexNameOf(owner)), QuoteIdentifier(owner)));
    }
    const QString table = QuoteIdentifier(name);
    db().Exec(QStringLiteral("CREATE TABLE %1 (ID INTEGER, Parent INTEGER, "
                             "Name VARCHAR(50) NOT NULL CHECK(length(Name) <= 50), Info TEXT)")
                  .arg(table));
    db().Exec(QStringLiteral("CREATE INDEX %1 ON %2 (ID)").arg(QuoteIdentifier(IndexNameOf(name)), table));
    tx.Commit();
}

void DataFile::DropCategory(const QString& name) {
    // Into the 回收站 first, in the same transaction (a file that cannot be written fails as ever).
    const bool kept = KeepInTrash();
    Transaction tx(db());
    if (kept)
        KeepDeletedCategory(*this, name, now());
    db().Exec(QStringLiteral("DROP TABLE %1").arg(QuoteIdentifier(name)));
    tx.Commit();
}

void CreateEmptyDataFile(const QString& path) {
    if (QFileInfo::exists(path))
        return;
    Database db(path, Database::Mode::Create);
    // An empty database file of zero bytes is valid, but writing the header makes it one that
    // every tool recognises.
    db.Exec("PRAGMA user_version = 0; CREATE TABLE qj_init(x); DROP TABLE qj_init;");
}

} // namespace qj
