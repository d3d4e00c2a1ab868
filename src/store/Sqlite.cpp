#include "store/Sqlite.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace qj {

namespace {

// The engine's text of a failure, in words the user can act on where the reason is plain.
QString FailureText(int code, const QString& engineText) {
    // A sync tool or another program put a new file in its place: the engine still holds the one
    // that was opened, which no longer is the file on disk.
    if (code == SQLITE_READONLY_DBMOVED)
        return QStringLiteral("数据文件已被另一个文件替换或移走（例如同步软件换上了新的版本）：程序打开的已不"
                              "是磁盘上的那个文件，"
                              "修改没有保存。");
    if ((code & 0xFF) == SQLITE_READONLY)
        return QStringLiteral("数据文件是只读的（文件或它所在的文件夹不允许写入），修改无法保存（%1）")
            .arg(engineText);
    // The engine's own words follow ours: they help whoever looks further.
    QString plain = EngineFailureText(code);
    if (plain.isEmpty() && (engineText.startsWith(QLatin1String("no such column")) ||
                            engineText.contains(QLatin1String("has no column named"))))
        plain = QStringLiteral("目录分类的表与本程序的格式不同（缺少所需的列）");
    return plain.isEmpty() ? engineText : QStringLiteral("%1（%2）").arg(plain, engineText);
}

// Makes the connection run only the SQL the program itself sends: triggers and views stored in a
// file made elsewhere never run, the file's schema cannot be corrupted through this connection, and
// functions named in the schema must be harmless ones.
void RunOnlyOurOwnSql(sqlite3* db) {
    for (const int option :
         {SQLITE_DBCONFIG_ENABLE_TRIGGER, SQLITE_DBCONFIG_ENABLE_VIEW, SQLITE_DBCONFIG_TRUSTED_SCHEMA})
        sqlite3_db_config(db, option, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
}

// Why an existing path cannot be opened as a data file before the engine tries: a folder of that
// name, a file the user may not read. Empty when nothing stands in the way.
QString PathProblem(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("“%1”是一个文件夹，不是数据文件").arg(path);
    const QByteArray name = QFile::encodeName(path);
    if (info.exists() && ::access(name.constData(), R_OK) != 0)
        return QStringLiteral("没有读取数据文件 %1 的权限（它可能属于另一个用户）").arg(path);
    return QString();
}

} // namespace

QString EngineFailureText(int code) {
    switch (code & 0xFF) {
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满，数据无法写入");
    case SQLITE_IOERR:
        return QStringLiteral("读写磁盘出错（I/O 错误）");
    case SQLITE_NOTADB:
        return QStringLiteral("这不是本程序的数据文件");
    case SQLITE_CORRUPT:
        return QStringLiteral("数据文件已损坏");
    case SQLITE_CANTOPEN:
        return QStringLiteral("无法打开数据文件");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("没有权限");
    default:
        return QString();
    }
}

bool IsDataFileReplaced(const StoreError& error) {
    return error.code() == SQLITE_READONLY_DBMOVED;
}

QString QuoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

Database::Database(const QString& path, Mode mode) : path_(path) {
    const QString problem = PathProblem(path);
    if (!problem.isEmpty())
        throw StoreError(problem);
    if (mode != Mode::Create && !QFileInfo(path).isFile())
        throw DataFileMissing(QStringLiteral("找不到数据文件 %1").arg(path));
    int flags = (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (mode == Mode::Create)
        flags |= SQLITE_OPEN_CREATE;
    const QByteArray file = path.toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg =
            db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(QStringLiteral("无法打开数据文件 %1：%2").arg(path, msg), rc);
    }
    sqlite3_extended_result_codes(db_, 1);
    RunOnlyOurOwnSql(db_);
    static std::atomic<std::uint64_t> lastSerial{0};
    serial_ = ++lastSerial;
    sqlite3_update_hook(db_, &Database::RowChanged, this);
    sqlite3_busy_timeout(db_, 3000);
    // Reading the schema is the first touch of the file's bytes: a file that is no database
    // fails here, before anything could be written to it.
    char* err = nullptr;
    const int check = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, &err);
    if (check != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errstr(check));
        sqlite3_free(err);
        sqlite3_close(db_);
        db_ = nullptr;
        if ((check & 0xFF) == SQLITE_NOTADB || (check & 0xFF) == SQLITE_CORRUPT)
            throw StoreError(
                QStringLiteral("数据文件 %1 不是有效的数据库文件：%2").arg(path, FailureText(check, msg)),
                check);
        throw StoreError(QStringLiteral("无法打开数据文件 %1：%2").arg(path, FailureText(check, msg)), check);
    }
}

Database::~Database() {
    sqlite3_close_v2(db_);
}

void Database::RowChanged(void* self, int, const char* database, const char* table, long long rowid) {
    ChangedRows& changed = static_cast<Database*>(self)->changed_;
    if (std::strcmp(database, "main") != 0 || !changed.complete)
        return;
    if (!changed.rows.empty() && changed.rows.back().second == rowid && changed.rows.back().first == table)
        return; // the same row again (an insert and its text, one statement after another)
    if (changed.rows.size() >= kMostChangedRowsKept) {
        changed.rows.clear();
        changed.complete = false;
        return;
    }
    changed.rows.emplace_back(table, rowid);
}

Database::ChangedRows Database::TakeChangedRows() {
    return std::exchange(changed_, ChangedRows{});
}

std::string Database::FileHeader() const {
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods)
        return std::string();
    std::string header(100, '\0');
    if (file->pMethods->xRead(file, header.data(), static_cast<int>(header.size()), 0) != SQLITE_OK)
        return std::string();
    return header;
}

void Database::Fail(int rc, const QString& doing) const {
    const QString msg = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
    const int code = db_ ? sqlite3_extended_errcode(db_) : rc;
    throw StoreError(QStringLiteral("%1失败：%2").arg(doing, FailureText(code, msg)), code);
}

void Database::Exec(const char* sql) {
    char* err = nullptr;
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errstr(rc));
        sqlite3_free(err);
        const int code = sqlite3_extended_errcode(db_);
        throw StoreError(QStringLiteral("数据库操作失败：%1").arg(FailureText(code, msg)), code);
    }
}

void Database::Exec(const QString& sql) {
    Exec(sql.toUtf8().constData());
}

std::int64_t Database::LastInsertRowId() const {
    return sqlite3_last_insert_rowid(db_);
}

int Database::Changes() const {
    return sqlite3_changes(db_);
}

bool Database::IsReadOnly() const {
    return sqlite3_db_readonly(db_, "main") == 1;
}

bool Database::InTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

Statement::Statement(Database& db, const QString& sql) : db_(db), sql_(sql) {
    const QByteArray text = sql.toUtf8();
    const int rc =
        sqlite3_prepare_v2(db.handle(), text.constData(), static_cast<int>(text.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK)
        db.Fail(rc, QStringLiteral("数据库操作"));
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int index, int value) {
    const int rc = sqlite3_bind_int(stmt_, index, value);
    if (rc != SQLITE_OK)
        db_.Fail(rc, QStringLiteral("数据库操作"));
    return *this;
}

Statement& Statement::Bind(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK)
        db_.Fail(rc, QStringLiteral("数据库操作"));
    return *this;
}

Statement& Statement::Bind(int index, const QString& text) {
    if (text.isNull())
        return BindNull(index);
    const QByteArray bytes = text.toUtf8();
    const int rc =
        sqlite3_bind_text64(stmt_, index, bytes.constData(), static_cast<sqlite3_uint64>(bytes.size()),
                            SQLITE_TRANSIENT, SQLITE_UTF8);
    if (rc != SQLITE_OK)
        db_.Fail(rc, QStringLiteral("数据库操作"));
    return *this;
}

Statement& Statement::BindNull(int index) {
    const int rc = sqlite3_bind_null(stmt_, index);
    if (rc != SQLITE_OK)
        db_.Fail(rc, QStringLiteral("数据库操作"));
    return *this;
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    db_.Fail(rc, QStringLiteral("数据库操作"));
}

void Statement::Run() {
    while (Step()) {
    }
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

bool Statement::IsInteger(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_INTEGER;
}

int Statement::Int(int column) const {
    return sqlite3_column_int(stmt_, column);
}

std::int64_t Statement::Int64(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

QString Statement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    if (!text)
        return QString();
    const int size = sqlite3_column_bytes(stmt_, column);
    QString s = QString::fromUtf8(text, size);
    if (s.isNull())
        s = QLatin1String("");
    return s;
}

Transaction::Transaction(Database& db) : db_(db), nested_(db.InTransaction()) {
    db_.Exec(nested_ ? "SAVEPOINT qj_nested" : "BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (done_)
        return;
    if (nested_) {
        sqlite3_exec(db_.handle(), "ROLLBACK TO qj_nested; RELEASE qj_nested", nullptr, nullptr, nullptr);
    } else if (db_.InTransaction()) {
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::Commit() {
    db_.Exec(nested_ ? "RELEASE qj_nested" : "COMMIT");
    done_ = true;
}

} // namespace qj
