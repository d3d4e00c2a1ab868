#include "store/DataFile.h"

#include <QFileInfo>

namespace qj {

namespace {

bool HasControlCharacter(const QString& name) {
    for (QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            return true;
    return false;
}

// The index on ID that every category table gets. Its name shares the table namespace; a new
// category name is checked against it too.
QString IndexName(const QString& table) {
    return table + QStringLiteral(".ID");
}

} // namespace

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

DataFile::~DataFile() {
    if (!db_)
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
    // Back to a plain rollback journal: every change is written into the file itself and no
    // side file is left, so a byte copy of the closed file is the whole notebook.
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
    db_ = std::make_unique<Database>(path_, Database::Mode::OpenExisting);
    // While the program runs, changes go to a write-ahead log without waiting for the disk at each
    // note (a power cut may lose the last moments, never the file); Close and the destructor fold
    // the log back into the file. A file that cannot take a log (read-only folder) keeps the
    // rollback journal.
    try {
        SetJournalMode(*db_, "WAL");
        db_->Exec("PRAGMA synchronous = NORMAL");
    } catch (const StoreError&) {
    }
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
    Statement st(db(), QStringLiteral("SELECT name, type FROM sqlite_schema"));
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
    const QString table = QuoteIdentifier(name);
    db().Exec(QStringLiteral("CREATE TABLE %1 (ID INTEGER, Parent INTEGER, "
                             "Name VARCHAR(50) NOT NULL CHECK(length(Name) <= 50), Info TEXT)")
                  .arg(table));
    db().Exec(QStringLiteral("CREATE INDEX %1 ON %2 (ID)").arg(QuoteIdentifier(IndexName(name)), table));
    tx.Commit();
}

void DataFile::DropCategory(const QString& name) {
    Transaction tx(db());
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
