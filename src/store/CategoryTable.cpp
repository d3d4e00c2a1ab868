#include "store/CategoryTable.h"

#include <QStringList>

#include <sqlite3.h>

namespace qj {

namespace {

// Runs a write of a note title; the table's limits come back as plain words.
void RunTitleWrite(Statement& st, const QString& title) {
    try {
        st.Run();
    } catch (const StoreError& e) {
        if (e.code() == SQLITE_CONSTRAINT_CHECK)
            throw StoreError(QStringLiteral("标题“%1”太长：标题最多 50 个字符").arg(title), e.code());
        if (e.code() == SQLITE_CONSTRAINT_NOTNULL)
            throw StoreError(QStringLiteral("标题不能为空"), e.code());
        throw;
    }
}

// An empty title is stored as NULL, which the table refuses (Name is NOT NULL).
void BindTitle(Statement& st, int index, const QString& title) {
    if (title.isEmpty())
        st.BindNull(index);
    else
        st.Bind(index, title);
}

// An empty text is stored as NULL.
void BindText(Statement& st, int index, const QString& text) {
    if (text.isEmpty())
        st.BindNull(index);
    else
        st.Bind(index, text);
}

// A write of one record that changed another number of rows did not do what it meant: it is
// reported (and its transaction, if any, rolled back) rather than shown as done.
void CheckOneRowChanged(Database& db, const QString& category) {
    const int changed = db.Changes();
    if (changed != 1)
        throw StoreError(QStringLiteral("写入目录分类“%1”时改动了 %2 条记录而不是 1 条，操作没有完成")
                             .arg(category)
                             .arg(changed));
}

// The one record a statement addresses: its rowid (?1), as long as it still holds its ID (?2).
constexpr const char* kThisRecord = "rowid = ?1 AND ID = ?2";

} // namespace

RecordGone::RecordGone(const QString& category, NoteId id)
    : StoreError(QStringLiteral("目录分类“%1”中编号为 %2 的笔记已不存在（可能已被其他程序删除或改动）")
                     .arg(category)
                     .arg(id.value())) {}

CategoryTable::CategoryTable(DataFile& file, const QString& name) : file_(file), name_(name) {
    // Table names are matched as the engine matches them (ASCII letters without case); an exact
    // match wins.
    Statement nocase(file.db(),
                     QStringLiteral("SELECT name FROM sqlite_schema WHERE type IN ('table','view') AND "
                                    "name = ?1 COLLATE NOCASE ORDER BY name <> ?1 LIMIT 1"));
    nocase.Bind(1, name);
    if (!nocase.Step())
        throw StoreError(QStringLiteral("找不到目录分类“%1”").arg(name));
    name_ = nocase.Text(0);
    quoted_ = QuoteIdentifier(name_);
}

CategoryUnusable::CategoryUnusable(const QString& category, const QString& why)
    : StoreError(QStringLiteral("目录分类“%1”无法显示：%2。数据文件没有改动。").arg(category, why)) {}

void CategoryTable::CheckShape() {
    Statement type(file_.db(), QStringLiteral("SELECT type FROM sqlite_schema WHERE name = ?1"));
    type.Bind(1, name_);
    if (type.Step() && type.Text(0) != QLatin1String("table"))
        throw CategoryUnusable(name_, QStringLiteral("它是一个视图，不是存放笔记的表"));
    QStringList columns;
    Statement info(file_.db(), QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    info.Bind(1, name_);
    while (info.Step())
        columns << info.Text(0);
    for (const char* needed : {"ID", "Parent", "Name", "Info"})
        if (!columns.contains(QLatin1String(needed), Qt::CaseInsensitive))
            throw CategoryUnusable(name_, QStringLiteral("表中没有 %1 列").arg(QLatin1String(needed)));
    // Every note is addressed by its record number (rowid): a column of that name hides it, and a
    // table without record numbers has none.
    for (const char* hidden : {"rowid", "_rowid_", "oid"})
        if (columns.contains(QLatin1String(hidden), Qt::CaseInsensitive))
            throw CategoryUnusable(
                name_, QStringLiteral("表中有一列名为 %1，笔记的记录号无法读取").arg(QLatin1String(hidden)));
    try {
        Statement probe(file_.db(), QStringLiteral("SELECT rowid FROM %1 LIMIT 0").arg(quoted_));
    } catch (const StoreError&) {
        throw CategoryUnusable(name_, QStringLiteral("这是一个没有记录号的表（WITHOUT ROWID）"));
    }
}

std::vector<NoteHeader> CategoryTable::LoadHeaders() {
    CheckShape();
    std::vector<NoteHeader> headers;
    headers.reserve(static_cast<size_t>(RecordCount()));
    ReadHeaders([&headers](RecordId rowid, NoteId id, std::optional<NoteId> parent, QStringView name) {
        headers.push_back({rowid, id, parent, name.toString()});
    });
    return headers;
}

void CategoryTable::ReadHeaders(const HeaderVisitor& visit) {
    // Only integers are keys: a stored 2.5 or 'abc' is no ID at all (and no Parent). The types are
    // asked of each row here rather than with typeof() in the query, which makes a text per value
    // and costs a sixth of reading a million notes.
    Statement st(file_.db(),
                 QStringLiteral("SELECT rowid, ID, Parent, Name FROM %1 ORDER BY rowid").arg(quoted_));
    while (st.Step()) {
        if (!st.IsInteger(1))
            continue;
        const std::optional<NoteId> parent =
            st.IsInteger(2) ? std::optional(NoteId{st.Int64(2)}) : std::nullopt;
        visit(RecordId{st.Int64(0)}, NoteId{st.Int64(1)}, parent, st.Text(3));
    }
}

std::int64_t CategoryTable::StoredInfoBytes(RecordRef record) {
    // The size stands in the record's header: the text itself is not read.
    sqlite3_blob* blob = nullptr;
    const QByteArray table = name_.toUtf8();
    std::int64_t bytes = -1;
    if (sqlite3_blob_open(file_.db().handle(), "main", table.constData(), "Info", record.rowid.value(), 0,
                          &blob) == SQLITE_OK)
        bytes = sqlite3_blob_bytes(blob);
    sqlite3_blob_close(blob);
    return bytes;
}

QString CategoryTable::ReadInfo(RecordRef record) {
    if (const std::int64_t bytes = StoredInfoBytes(record); bytes > kMaxNoteBytes)
        throw StoreError(QStringLiteral("目录分类“%1”中编号为 %2 的笔记正文太大（%3 MB，超过 %4 MB），"
                                        "不能打开编辑。数据文件没有改动。")
                             .arg(name_)
                             .arg(record.id.value())
                             .arg(bytes / (1024 * 1024))
                             .arg(kMaxNoteBytes / (1024 * 1024)));
    Statement st(file_.db(), QStringLiteral("SELECT Info FROM %1 WHERE %2").arg(quoted_, kThisRecord));
    st.Bind(1, record.rowid.value()).Bind(2, record.id.value());
    if (!st.Step())
        throw RecordGone(name_, record.id);
    return st.Text(0);
}

bool CategoryTable::Exists(RecordRef record) {
    Statement st(file_.db(), QStringLiteral("SELECT 1 FROM %1 WHERE %2").arg(quoted_, kThisRecord));
    st.Bind(1, record.rowid.value()).Bind(2, record.id.value());
    return st.Step();
}

bool CategoryTable::Contains(NoteId id) {
    Statement st(file_.db(), QStringLiteral("SELECT 1 FROM %1 WHERE ID = ? LIMIT 1").arg(quoted_));
    st.Bind(1, id.value());
    return st.Step();
}

int CategoryTable::RecordCount() {
    Statement st(file_.db(), QStringLiteral("SELECT count(*) FROM %1").arg(quoted_));
    return st.Step() ? st.Int(0) : 0;
}

RecordId CategoryTable::Append(NoteId id, NoteId parent, const QString& name, const QString& info) {
    Statement st(file_.db(),
                 QStringLiteral("INSERT INTO %1 (ID, Parent, Name, Info) VALUES (?, ?, ?, ?)").arg(quoted_));
    st.Bind(1, id.value()).Bind(2, parent.value());
    BindTitle(st, 3, name);
    BindText(st, 4, info);
    RunTitleWrite(st, name);
    CheckOneRowChanged(file_.db(), name_);
    return RecordId{file_.db().LastInsertRowId()};
}

void CategoryTable::RunRecordWrite(Statement& st, RecordRef record, const QString* title) {
    st.Bind(1, record.rowid.value()).Bind(2, record.id.value());
    if (title)
        RunTitleWrite(st, *title);
    else
        st.Run();
    if (file_.db().Changes() == 0)
        throw RecordGone(name_, record.id);
    CheckOneRowChanged(file_.db(), name_);
}

void CategoryTable::Rename(RecordRef record, const QString& name) {
    Statement st(file_.db(), QStringLiteral("UPDATE %1 SET Name = ?3 WHERE %2").arg(quoted_, kThisRecord));
    BindTitle(st, 3, name);
    RunRecordWrite(st, record, &name);
}

void CategoryTable::SetParent(RecordRef record, NoteId parent) {
    Statement st(file_.db(), QStringLiteral("UPDATE %1 SET Parent = ?3 WHERE %2").arg(quoted_, kThisRecord));
    st.Bind(3, parent.value());
    RunRecordWrite(st, record);
}

void CategoryTable::WriteInfo(RecordRef record, const QString& text, const QString* title) {
    Statement st(file_.db(),
                 QStringLiteral("UPDATE %1 SET Info = ?3 WHERE %2%3")
                     .arg(quoted_, kThisRecord, title ? QStringLiteral(" AND Name IS ?4") : QString()));
    BindText(st, 3, text);
    if (title)
        BindTitle(st, 4, *title);
    RunRecordWrite(st, record);
}

void CategoryTable::Delete(std::span<const RecordRef> records) {
    Transaction tx(file_.db());
    Statement st(file_.db(), QStringLiteral("DELETE FROM %1 WHERE %2").arg(quoted_, kThisRecord));
    for (const RecordRef& r : records) {
        st.Bind(1, r.rowid.value()).Bind(2, r.id.value());
        st.Run();
        st.Reset();
    }
    tx.Commit();
}

std::vector<RecordId> CategoryTable::Copy(std::span<const NoteCopy> copies) {
    Transaction tx(file_.db());
    Statement st(file_.db(),
                 QStringLiteral("INSERT INTO %1 (ID, Parent, Name, Info) SELECT ?3, ?4, Name, Info "
                                "FROM %1 WHERE %2")
                     .arg(quoted_, kThisRecord));
    std::vector<RecordId> rowids;
    rowids.reserve(copies.size());
    for (const NoteCopy& c : copies) {
        st.Bind(1, c.source.rowid.value())
            .Bind(2, c.source.id.value())
            .Bind(3, c.newId.value())
            .Bind(4, c.newParent.value());
        st.Run();
        if (file_.db().Changes() == 0)
            throw RecordGone(name_, c.source.id);
        CheckOneRowChanged(file_.db(), name_);
        rowids.push_back(RecordId{file_.db().LastInsertRowId()});
        st.Reset();
    }
    tx.Commit();
    return rowids;
}

} // namespace qj
