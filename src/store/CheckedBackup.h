#pragma once
// The automatic daily backup: the data file copied with SQLite's online backup API into
// "备份/dataly-YYYYMMDD.dat" beside it, then opened and checked (integrity check, and the same tables
// with the same row counts as the data file had when it was copied). Only a checked copy gets its
// name; a copy that fails its check is removed and no older copy is touched. Checked copies are then
// thinned by BackupsToKeep. Each step opens its own connections, so it may run on a thread of its own
// while the program goes on.

#include <QDate>
#include <QString>

#include <vector>

namespace qj {

// The backup folder beside a data file, and a copy's name in it.
QString BackupFolderOf(const QString& dataFilePath);
QString DailyBackupName(QDate date);
// The date of a copy's file name ("dataly-20261210.dat"); invalid for other names.
QDate DateOfDailyBackup(const QString& fileName);

// What the copy of `dataFilePath` at `target` must hold: the tables and their row counts, or an
// empty text when it does; else why not (in the user's words).
QString CheckBackupCopy(const QString& target, const std::vector<std::pair<QString, qint64>>& tables);

struct DailyBackupResult {
    enum class Outcome { Made, AlreadyMade, Failed } outcome = Outcome::Failed;
    QString path;                 // the copy made or found
    QString problem;              // why it failed
    std::vector<QString> removed; // older copies thinned out
};

// When a day's copy is made: once (a whole copy of the day stays), or again when the data file
// changed after it (the new copy replaces it only once it is checked).
enum class BackupWhen { OncePerDay, WhenChanged };

// Makes today's checked copy unless one is there (or, WhenChanged, one newer than the data file's
// last change), then thins the checked copies.
DailyBackupResult RunDailyBackup(const QString& dataFilePath, QDate today,
                                 BackupWhen when = BackupWhen::OncePerDay);

// The newest copy in the backup folder that passes its integrity check, and its day; empty when
// there is none.
struct CheckedCopy {
    QString path;
    QDate date;
};
CheckedCopy NewestCheckedBackup(const QString& dataFilePath);

// Puts `copy` in the place of a data file that cannot be opened: the damaged file is renamed to
// `damagedName` beside it (kept, never removed), the copy copied in (the copy itself stays). Empty
// when done, else why not in the user's words; on failure the damaged file is back at its name.
QString ReplaceDataFileWithCopy(const QString& dataFilePath, const QString& copy, const QString& damagedName);

} // namespace qj
