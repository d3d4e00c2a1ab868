#include "store/NoteTrash.h"

#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/NoteHistory.h"
#include "store/Sqlite.h"
#include "store/StoreError.h"

#include <set>
#include <unordered_map>

namespace qj {

namespace {

std::int64_t AddEntry(Database& db, TrashEntry::Kind kind, const QString& category, const QDateTime& now) {
    Statement add(db, QStringLiteral("INSERT INTO history.deleted (kind, category, deleted, notes, bytes) "
                                     "VALUES (?1, ?2, ?3, 0, 0)"));
    add.Bind(1, static_cast<int>(kind)).Bind(2, category).Bind(3, std::int64_t{now.toMSecsSinceEpoch()});
    add.Run();
    return db.LastInsertRowId();
}

// The entry's counts, its title (the first record's) and the top record's parent.
void Summarise(Database& db, std::int64_t entry, const QString* title) {
    Statement st(db,
                 QStringLiteral(
                     "UPDATE history.deleted SET notes = (SELECT count(*) FROM history.deleted_note WHERE "
                     "entry = ?1), "
                     "bytes = (SELECT coalesce(sum(length(CAST(Info AS BLOB))), 0) FROM history.deleted_note "
                     "WHERE entry = ?1), title = coalesce(?2, (SELECT Name FROM history.deleted_note WHERE "
                     "entry = ?1 ORDER BY place LIMIT 1)), parent = (SELECT Parent FROM history.deleted_note "
                     "WHERE entry = ?1 ORDER BY place LIMIT 1) WHERE key = ?1"));
    st.Bind(1, entry).Bind(2, title ? *title : QString());
    st.Run();
}

// The first of name, name(恢复), name(恢复2)… that a new category may take.
QString FreeCategoryName(DataFile& file, const QString& name) {
    for (int n = 1; n <= 20; ++n) {
        const QString suffix = n == 1   ? QString()
                               : n == 2 ? QStringLiteral("(恢复)")
                                        : QStringLiteral("(恢复%1)").arg(n - 1);
        const QString candidate = name.left(50 - suffix.size()) + suffix;
        if (file.CategoryExists(candidate))
            continue;
        try {
            file.CheckNewCategoryName(candidate);
            return candidate;
        } catch (const StoreError&) {
            if (n == 20)
                throw;
        }
    }
    throw StoreError(QStringLiteral("找不到可用的目录分类名称：%1").arg(name));
}

Restored RestoreCategory(DataFile& file, std::int64_t key, const QString& name) {
    Restored done;
    done.category = FreeCategoryName(file, name);
    file.CreateCategoryTable(done.category);
    Statement copy(file.db(),
                   QStringLiteral("INSERT INTO main.%1 (ID, Parent, Name, Info) SELECT ID, Parent, Name, "
                                  "Info FROM history.deleted_note WHERE entry = ?1 ORDER BY place")
                       .arg(QuoteIdentifier(done.category)));
    copy.Bind(1, key);
    copy.Run();
    done.notes = file.db().Changes();
    return done;
}

Restored RestoreNotes(DataFile& file, std::int64_t key, const QString& category) {
    Restored done;
    done.category = category;
    if (!file.CategoryExists(category)) {
        file.CheckNewCategoryName(category);
        file.CreateCategoryTable(category);
    }
    CategoryTable table(file, category);
    // New IDs, where needed, come after every ID of the category and of the entry.
    std::int64_t next = 0;
    {
        Statement max(file.db(), QStringLiteral("SELECT max((SELECT coalesce(max(ID), -1) FROM main.%1), "
                                                "(SELECT coalesce(max(ID), -1) FROM history.deleted_note "
                                                "WHERE entry = ?1)) + 1")
                                     .arg(QuoteIdentifier(category)));
        max.Bind(1, key);
        if (max.Step())
            next = max.Int64(0);
    }
    Statement rows(file.db(), QStringLiteral("SELECT ID, Parent, Name, Info FROM history.deleted_note WHERE "
                                             "entry = ?1 ORDER BY place"));
    rows.Bind(1, key);
    std::unordered_map<std::int64_t, std::int64_t> newIds;
    std::set<std::int64_t> taken;
    bool top = true;
    while (rows.Step()) {
        const std::int64_t old = rows.Int64(0);
        std::int64_t id = old;
        if (taken.count(id) || table.Contains(NoteId{id})) {
            if (next > kMaxNewNoteId.value())
                throw StoreError(QStringLiteral("节点编号已达到上限，不能再恢复节点"));
            id = next++;
        }
        taken.insert(id);
        newIds[old] = id;
        std::int64_t parent = id; // the top level
        if (rows.IsInteger(1)) {
            const std::int64_t oldParent = rows.Int64(1);
            if (!top && newIds.count(oldParent))
                parent = newIds[oldParent];
            else if (top && oldParent != old && table.Contains(NoteId{oldParent}))
                parent = oldParent;
        }
        table.Append(NoteId{id}, NoteId{parent}, rows.Text(2), rows.Text(3));
        if (top)
            done.top = NoteId{id};
        top = false;
        ++done.notes;
    }
    return done;
}

} // namespace

void KeepDeletedNotes(DataFile& file, const QString& category, std::span<const RecordRef> topFirst,
                      const QDateTime& now) {
    Database& db = file.db();
    const std::int64_t entry = AddEntry(db, TrashEntry::Kind::Notes, category, now);
    Statement copy(db,
                   QStringLiteral("INSERT INTO history.deleted_note (entry, place, ID, Parent, Name, Info) "
                                  "SELECT ?1, ?2, ID, Parent, Name, Info FROM main.%1 WHERE rowid = ?3")
                       .arg(QuoteIdentifier(category)));
    std::int64_t place = 0;
    for (const RecordRef& record : topFirst) {
        copy.Bind(1, entry).Bind(2, place++).Bind(3, record.rowid.value());
        copy.Run();
        copy.Reset();
    }
    Summarise(db, entry, nullptr);
}

void KeepDeletedCategory(DataFile& file, const QString& category, const QDateTime& now) {
    Database& db = file.db();
    const std::int64_t entry = AddEntry(db, TrashEntry::Kind::Category, category, now);
    Statement copy(db,
                   QStringLiteral("INSERT INTO history.deleted_note (entry, place, ID, Parent, Name, Info) "
                                  "SELECT ?1, rowid, ID, Parent, Name, Info FROM main.%1")
                       .arg(QuoteIdentifier(category)));
    copy.Bind(1, entry);
    copy.Run();
    Summarise(db, entry, &category);
}

std::vector<TrashEntry> TrashEntries(Database& db, const QString& schema) {
    Statement st(db,
                 QStringLiteral("SELECT key, kind, category, title, deleted, notes, bytes FROM %1.deleted "
                                "ORDER BY deleted DESC, key DESC")
                     .arg(QuoteIdentifier(schema)));
    std::vector<TrashEntry> entries;
    while (st.Step())
        entries.push_back({st.Int64(0), st.Int(1) == 1 ? TrashEntry::Kind::Category : TrashEntry::Kind::Notes,
                           st.Text(2), st.Text(3), QDateTime::fromMSecsSinceEpoch(st.Int64(4)), st.Int64(5),
                           st.Int64(6)});
    return entries;
}

void ExpireTrash(DataFile& file, const QDateTime& now) {
    Transaction tx(file.db());
    Statement notes(file.db(),
                    QStringLiteral("DELETE FROM history.deleted_note WHERE entry IN (SELECT key FROM "
                                   "history.deleted WHERE deleted < ?1)"));
    const std::int64_t before{now.addDays(-kHistoryDays).toMSecsSinceEpoch()};
    notes.Bind(1, before);
    notes.Run();
    Statement entries(file.db(), QStringLiteral("DELETE FROM history.deleted WHERE deleted < ?1"));
    entries.Bind(1, before);
    entries.Run();
    tx.Commit();
}

Restored RestoreDeleted(DataFile& file, std::int64_t key) {
    if (!file.AttachHistory())
        throw StoreError(QStringLiteral("回收站不能打开"));
    bool category = false;
    QString name;
    {
        Statement find(file.db(),
                       QStringLiteral("SELECT kind, category FROM history.deleted WHERE key = ?1"));
        find.Bind(1, key);
        if (!find.Step())
            throw StoreError(QStringLiteral("回收站中已没有这一项"));
        category = find.Int(0) == 1;
        name = find.Text(1);
    }
    Transaction tx(file.db());
    const Restored done = category ? RestoreCategory(file, key, name) : RestoreNotes(file, key, name);
    Statement forget(file.db(), QStringLiteral("DELETE FROM history.deleted_note WHERE entry = ?1"));
    forget.Bind(1, key);
    forget.Run();
    Statement entry(file.db(), QStringLiteral("DELETE FROM history.deleted WHERE key = ?1"));
    entry.Bind(1, key);
    entry.Run();
    tx.Commit();
    return done;
}

} // namespace qj
