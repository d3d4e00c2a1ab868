#include "store/CategoryTable.h"

#include <sqlite3.h>

#include <limits>

namespace qj {

namespace {

bool FitsInt(std::int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

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

} // namespace

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

std::vector<NoteHeader> CategoryTable::LoadHeaders() {
    std::vector<NoteHeader> headers;
    headers.reserve(static_cast<size_t>(RecordCount()));
    Statement st(file_.db(), QStringLiteral("SELECT ID, Parent, Name FROM %1").arg(quoted_));
    while (st.Step()) {
        if (st.IsNull(0) || !FitsInt(st.Int64(0)))
            continue;
        NoteHeader h;
        h.id = st.Int(0);
        if (!st.IsNull(1) && FitsInt(st.Int64(1)))
            h.parent = st.Int(1);
        h.name = st.Text(2);
        headers.push_back(std::move(h));
    }
    return headers;
}

QString CategoryTable::ReadInfo(int id) {
    Statement st(file_.db(),
                 QStringLiteral("SELECT Info FROM %1 WHERE ID = ? ORDER BY rowid LIMIT 1").arg(quoted_));
    st.Bind(1, id);
    return st.Step() ? st.Text(0) : QString();
}

bool CategoryTable::Contains(int id) {
    Statement st(file_.db(), QStringLiteral("SELECT 1 FROM %1 WHERE ID = ? LIMIT 1").arg(quoted_));
    st.Bind(1, id);
    return st.Step();
}

int CategoryTable::RecordCount() {
    Statement st(file_.db(), QStringLiteral("SELECT count(*) FROM %1").arg(quoted_));
    return st.Step() ? st.Int(0) : 0;
}

void CategoryTable::Append(int id, int parent, const QString& name, const QString& info) {
    Statement st(file_.db(),
                 QStringLiteral("INSERT INTO %1 (ID, Parent, Name, Info) VALUES (?, ?, ?, ?)").arg(quoted_));
    st.Bind(1, id).Bind(2, parent);
    BindTitle(st, 3, name);
    if (info.isEmpty())
        st.BindNull(4);
    else
        st.Bind(4, info);
    RunTitleWrite(st, name);
}

namespace {
// The first record of an ID, as the cursor's locate finds it.
QString FirstOf(const QString& quoted) {
    return QStringLiteral("rowid = (SELECT rowid FROM %1 WHERE ID = ?1 ORDER BY rowid LIMIT 1)").arg(quoted);
}
} // namespace

bool CategoryTable::Rename(int id, const QString& name) {
    Statement st(file_.db(),
                 QStringLiteral("UPDATE %1 SET Name = ?2 WHERE %2").arg(quoted_, FirstOf(quoted_)));
    st.Bind(1, id);
    BindTitle(st, 2, name);
    RunTitleWrite(st, name);
    return file_.db().Changes() > 0;
}

bool CategoryTable::SetParent(int id, int parent) {
    Statement st(file_.db(),
                 QStringLiteral("UPDATE %1 SET Parent = ?2 WHERE %2").arg(quoted_, FirstOf(quoted_)));
    st.Bind(1, id).Bind(2, parent);
    st.Run();
    return file_.db().Changes() > 0;
}

bool CategoryTable::WriteInfo(int id, const QString& text) {
    Statement st(file_.db(),
                 QStringLiteral("UPDATE %1 SET Info = ?2 WHERE %2").arg(quoted_, FirstOf(quoted_)));
    st.Bind(1, id);
    if (text.isEmpty())
        st.BindNull(2);
    else
        st.Bind(2, text);
    st.Run();
    return file_.db().Changes() > 0;
}

void CategoryTable::Delete(std::span<const int> ids) {
    Transaction tx(file_.db());
    Statement st(file_.db(), QStringLiteral("DELETE FROM %1 WHERE %2").arg(quoted_, FirstOf(quoted_)));
    for (int id : ids) {
        st.Bind(1, id);
        st.Run();
        st.Reset();
    }
    tx.Commit();
}

void CategoryTable::Copy(std::span<const NoteCopy> copies) {
    Transaction tx(file_.db());
    Statement st(file_.db(),
                 QStringLiteral("INSERT INTO %1 (ID, Parent, Name, Info) SELECT ?2, ?3, Name, Info FROM %1 "
                                "WHERE %2")
                     .arg(quoted_, FirstOf(quoted_)));
    for (const NoteCopy& c : copies) {
        st.Bind(1, c.sourceId).Bind(2, c.newId).Bind(3, c.newParent);
        st.Run();
        if (file_.db().Changes() == 0)
            throw StoreError(QStringLiteral("复制失败：目录分类“%1”中找不到编号为 %2 的记录")
                                 .arg(name_)
                                 .arg(c.sourceId));
        st.Reset();
    }
    tx.Commit();
}

} // namespace qj
