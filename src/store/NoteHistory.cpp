#include "store/NoteHistory.h"

#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/Sqlite.h"

#include <QDir>
#include <QFileInfo>

namespace qj {

namespace {

QString In(const QString& schema, const char* table) {
    return QuoteIdentifier(schema) + QLatin1Char('.') + QString::fromLatin1(table);
}

} // namespace

QString HistoryPathOf(const QString& dataFilePath) {
    const QFileInfo data(dataFilePath);
    return data.dir().filePath(data.completeBaseName() + QStringLiteral(".history"));
}

void MakeHistoryTables(Database& db, const QString& schema) {
    const QString s = QuoteIdentifier(schema);
    db.Exec(
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS %1.revision (key INTEGER PRIMARY KEY, category TEXT NOT NULL, "
            "note INTEGER NOT NULL, title TEXT, saved INTEGER NOT NULL, bytes INTEGER NOT NULL, text TEXT);"
            "CREATE INDEX IF NOT EXISTS %1.revision_of_note ON revision (category, note, saved);"
            "CREATE TABLE IF NOT EXISTS %1.deleted (key INTEGER PRIMARY KEY, kind INTEGER NOT NULL, "
            "category TEXT NOT NULL, parent, title TEXT, deleted INTEGER NOT NULL, notes INTEGER NOT NULL, "
            "bytes INTEGER NOT NULL);"
            "CREATE TABLE IF NOT EXISTS %1.deleted_note (entry INTEGER NOT NULL, place INTEGER NOT NULL, "
            "ID, Parent, Name, Info);"
            "CREATE INDEX IF NOT EXISTS %1.deleted_note_of_entry ON deleted_note (entry, place);")
            .arg(s));
}

void KeepRevision(DataFile& file, const QString& category, RecordRef record, const QString& newText,
                  const QDateTime& now, std::int64_t budget) {
    Database& db = file.db();
    const std::int64_t at = now.toMSecsSinceEpoch();
    {
        Statement last(
            db, QStringLiteral("SELECT max(saved) FROM history.revision WHERE category = ?1 AND note = ?2"));
        last.Bind(1, category).Bind(2, record.id.value());
        if (last.Step() && !last.IsNull(0) && at - last.Int64(0) < kRevisionMergeSeconds * 1000)
            return;
    }
    Statement keep(db,
                   QStringLiteral("INSERT INTO history.revision (category, note, title, saved, bytes, text) "
                                  "SELECT ?1, ID, Name, ?3, length(CAST(Info AS BLOB)), Info FROM %1 "
                                  "WHERE rowid = ?2 AND Info IS NOT NULL AND Info <> '' AND Info IS NOT ?4")
                       .arg(QuoteIdentifier(category)));
    keep.Bind(1, category)
        .Bind(2, record.rowid.value())
        .Bind(3, std::int64_t{at})
        .Bind(4, newText.isEmpty() ? QString() : newText);
    keep.Run();
    // The note's revisions past the newest kRevisionsKept and older than kHistoryDays go.
    Statement old(
        db, QStringLiteral("DELETE FROM history.revision WHERE category = ?1 AND note = ?2 AND saved < ?3 "
                           "AND key NOT IN (SELECT key FROM history.revision WHERE category = ?1 "
                           "AND note = ?2 ORDER BY saved DESC, key DESC LIMIT ?4)"));
    old.Bind(1, category)
        .Bind(2, record.id.value())
        .Bind(3, std::int64_t{now.addDays(-kHistoryDays).toMSecsSinceEpoch()})
        .Bind(4, kRevisionsKept);
    old.Run();
    // Over the budget, the oldest revisions of any note go first.
    Statement over(db,
                   QStringLiteral("DELETE FROM history.revision WHERE key IN (SELECT key FROM (SELECT key, "
                                  "sum(bytes) OVER (ORDER BY saved DESC, key DESC) AS total "
                                  "FROM history.revision) WHERE total > ?1)"));
    over.Bind(1, budget);
    over.Run();
}

std::vector<Revision> RevisionsOf(Database& db, const QString& schema, const QString& category,
                                  std::int64_t noteId) {
    Statement st(db,
                 QStringLiteral("SELECT key, saved, title, bytes FROM %1 WHERE category = ?1 AND note = ?2 "
                                "ORDER BY saved DESC, key DESC")
                     .arg(In(schema, "revision")));
    st.Bind(1, category).Bind(2, noteId);
    std::vector<Revision> revisions;
    while (st.Step())
        revisions.push_back(
            {st.Int64(0), QDateTime::fromMSecsSinceEpoch(st.Int64(1)), st.Text(2), st.Int64(3)});
    return revisions;
}

QString RevisionText(Database& db, const QString& schema, std::int64_t key) {
    Statement st(db, QStringLiteral("SELECT text FROM %1 WHERE key = ?1").arg(In(schema, "revision")));
    st.Bind(1, key);
    return st.Step() ? st.Text(0) : QString();
}

std::int64_t RevisionBytes(Database& db, const QString& schema) {
    Statement st(db, QStringLiteral("SELECT coalesce(sum(bytes), 0) FROM %1").arg(In(schema, "revision")));
    return st.Step() ? st.Int64(0) : 0;
}

} // namespace qj
