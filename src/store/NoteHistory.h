#pragma once
// The history file beside the data file ("dataly.history", an SQLite file of its own): the texts
// that saves replaced (each note's revisions) and what was deleted (subtrees and categories, kept for
// the 回收站, NoteTrash.h). The data file keeps only categories and notes. The program attaches the
// history file to the data file's connection as "history", so that a save and its revision, or a
// deletion and its copy in the 回收站, commit together or not at all.

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

namespace qj {

class Database;
class DataFile;
struct RecordRef;

// Saves of a note less than this apart keep one revision: the text before the first of them.
inline constexpr std::int64_t kRevisionMergeSeconds = 10 * 60;
// A note keeps at least its newest revisions and every revision of the last days...
inline constexpr int kRevisionsKept = 50;
inline constexpr int kHistoryDays = 30;
// ...within this many bytes of revisions in all (the oldest go first).
inline constexpr std::int64_t kHistoryBudgetBytes = 500LL * 1024 * 1024;

QString HistoryPathOf(const QString& dataFilePath);

// Creates the history file's tables where missing, in the schema `schema` of the connection.
void MakeHistoryTables(Database& db, const QString& schema);

struct Revision {
    std::int64_t key = 0;
    QDateTime saved; // when the text was replaced
    QString title;
    std::int64_t bytes = 0;
};

// Keeps the record's stored text as a revision of its note before a save replaces it with
// `newText`: not when the text is empty or the same, nor when the note's newest revision is less
// than kRevisionMergeSeconds older than `now`. Then thins the note's revisions and the whole to
// `budget`. The history file must be attached (DataFile::AttachHistory); call inside the save's
// transaction.
void KeepRevision(DataFile& file, const QString& category, RecordRef record, const QString& newText,
                  const QDateTime& now, std::int64_t budget = kHistoryBudgetBytes);

// Reading, from a connection to the history file (schema "main") or with it attached ("history").
std::vector<Revision> RevisionsOf(Database& db, const QString& schema, const QString& category,
                                  std::int64_t noteId); // newest first
QString RevisionText(Database& db, const QString& schema, std::int64_t key);
// Bytes of revisions held in all.
std::int64_t RevisionBytes(Database& db, const QString& schema);

} // namespace qj
