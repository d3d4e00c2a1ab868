#include "store/CheckedBackup.h"

#include "common/DurableFile.h"
#include "store/BackupRotation.h"
#include "store/Sqlite.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

namespace qj {

namespace {

using TableCounts = std::vector<std::pair<QString, qint64>>;

TableCounts CountTables(Database& db) {
    TableCounts counts;
    QStringList names;
    {
        Statement list(db,
                       QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
        while (list.Step())
            names << list.Text(0);
    }
    for (const QString& name : names) {
        Statement count(db, QStringLiteral("SELECT count(*) FROM ") + QuoteIdentifier(name));
        count.Step();
        counts.emplace_back(name, count.Int64(0));
    }
    return counts;
}

// Copies the open database into a new file at `target` with the online backup API, a few pages at a
// time: between steps the program may write to the data file (the copy then starts over), so a
// large file never keeps a save waiting.
QString CopyDatabase(Database& source, const QString& target) {
    constexpr int kPagesPerStep = 1024;
    sqlite3* copy = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(target).constData(), &copy,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", source.handle(), "main");
        if (!backup) {
            rc = sqlite3_errcode(copy);
        } else {
            do {
                rc = sqlite3_backup_step(backup, kPagesPerStep);
                if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                    sqlite3_sleep(50);
            } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
            const int finished = sqlite3_backup_finish(backup);
            rc = rc == SQLITE_DONE ? finished : rc;
        }
    }
    sqlite3_close(copy);
    return rc == SQLITE_OK ? QString() : EngineFailureText(rc);
}

bool IntegrityOk(const QString& path) {
    try {
        Database db(path, Database::Mode::ReadOnly);
        Statement check(db, QStringLiteral("PRAGMA integrity_check"));
        return check.Step() && check.Text(0) == QLatin1String("ok");
    } catch (const StoreError&) {
        return false;
    }
}

} // namespace

QString BackupFolderOf(const QString& dataFilePath) {
    return QFileInfo(dataFilePath).dir().filePath(QStringLiteral("备份"));
}

QString DailyBackupName(QDate date) {
    return QStringLiteral("dataly-") + date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".dat");
}

QDate DateOfDailyBackup(const QString& fileName) {
    static const QRegularExpression pattern(QStringLiteral("^dataly-(\\d{8})\\.dat$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    return match.hasMatch() ? QDate::fromString(match.captured(1), QStringLiteral("yyyyMMdd")) : QDate();
}

QString CheckBackupCopy(const QString& target, const TableCounts& tables) {
    try {
        if (!IntegrityOk(target))
            return QStringLiteral("备份副本没有通过完整性检查");
        Database copy(target, Database::Mode::ReadOnly);
        if (CountTables(copy) != tables)
            return QStringLiteral("备份副本的目录分类或笔记数与数据文件不同");
        return QString();
    } catch (const StoreError& e) {
        return e.text();
    }
}

DailyBackupResult RunDailyBackup(const QString& dataFilePath, QDate today, BackupWhen when) {
    DailyBackupResult result;
    const QDir folder(BackupFolderOf(dataFilePath));
    result.path = folder.filePath(DailyBackupName(today));
    if (!QDir().mkpath(folder.path())) {
        result.problem = QStringLiteral("不能建立备份文件夹 %1").arg(QDir::toNativeSeparators(folder.path()));
        return result;
    }
    const QString temporary =
        QString::fromStdString(TemporaryNameBeside(QFile::encodeName(result.path).toStdString()));
    try {
        // Today's copy counts only while it is whole; a damaged one is made again.
        const bool changedSince =
            when == BackupWhen::WhenChanged &&
            QFileInfo(dataFilePath).lastModified() > QFileInfo(result.path).lastModified();
        if (QFile::exists(result.path) && !changedSince && IntegrityOk(result.path)) {
            result.outcome = DailyBackupResult::Outcome::AlreadyMade;
            return result;
        }
        Database source(dataFilePath, Database::Mode::ReadOnly);
        // The counts are the data file's right after the copy; a note added in between shows as a
        // difference, and the copy is made again (twice at most).
        for (int attempt = 0; attempt < 3; ++attempt) {
            QFile::remove(temporary);
            result.problem = CopyDatabase(source, temporary);
            if (!result.problem.isEmpty())
                break;
            result.problem = CheckBackupCopy(temporary, CountTables(source));
            if (result.problem.isEmpty())
                break;
        }
    } catch (const StoreError& e) {
        result.problem = e.text();
    }
    if (result.problem.isEmpty()) {
        if (const int error = CommitTemporaryFile(QFile::encodeName(temporary).toStdString(),
                                                  QFile::encodeName(result.path).toStdString()))
            result.problem = QString::fromStdString(FileErrorText(error));
    }
    if (!result.problem.isEmpty()) {
        QFile::remove(temporary);
        result.outcome = DailyBackupResult::Outcome::Failed;
        return result;
    }
    result.outcome = DailyBackupResult::Outcome::Made;
    std::vector<QDate> dates;
    const QStringList names = folder.entryList(QDir::Files);
    for (const QString& name : names)
        dates.push_back(DateOfDailyBackup(name));
    const std::set<QDate> keep = BackupsToKeep(dates);
    for (const QString& name : names) {
        const QDate date = DateOfDailyBackup(name);
        if (date.isValid() && !keep.count(date) && QFile::remove(folder.filePath(name)))
            result.removed.push_back(name);
    }
    return result;
}

CheckedCopy NewestCheckedBackup(const QString& dataFilePath) {
    const QDir folder(BackupFolderOf(dataFilePath));
    QStringList names = folder.entryList(QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& name : names) {
        const QDate date = DateOfDailyBackup(name);
        if (date.isValid() && IntegrityOk(folder.filePath(name)))
            return {folder.filePath(name), date};
    }
    return {};
}

QString ReplaceDataFileWithCopy(const QString& dataFilePath, const QString& copy,
                                const QString& damagedName) {
    const QString damaged = QFileInfo(dataFilePath).dir().filePath(damagedName);
    if (QFile::exists(damaged))
        return QStringLiteral("%1 已经存在").arg(QDir::toNativeSeparators(damaged));
    // The copy goes to a temporary beside the data file first: the damaged file moves aside only
    // when a whole copy is ready to take its name.
    const QString temporary =
        QString::fromStdString(TemporaryNameBeside(QFile::encodeName(dataFilePath).toStdString()));
    if (!QFile::copy(copy, temporary)) {
        QFile::remove(temporary);
        return QStringLiteral("不能复制备份 %1（磁盘可能已满或出错）").arg(QDir::toNativeSeparators(copy));
    }
    if (!QFile::rename(dataFilePath, damaged)) {
        QFile::remove(temporary);
        return QStringLiteral("不能把损坏的数据文件改名为 %1").arg(QDir::toNativeSeparators(damaged));
    }
    if (const int error = CommitTemporaryFile(QFile::encodeName(temporary).toStdString(),
                                              QFile::encodeName(dataFilePath).toStdString())) {
        QFile::rename(damaged, dataFilePath);
        return QString::fromStdString(FileErrorText(error));
    }
    return QString();
}

} // namespace qj
