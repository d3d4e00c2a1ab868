#include "store/Backup.h"

#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qj {

QString BackupFolderName(QDate date) {
    return QStringLiteral("%1-%2-%3").arg(date.year()).arg(date.month()).arg(date.day());
}

QString FreeBackupFolderName(const QString& parentFolder, const QString& base) {
    const QDir parent(parentFolder);
    QString name = base;
    for (int counter = 1; parent.exists(name); ++counter)
        name = base + QString::number(counter);
    return name;
}

std::optional<QString> SecondBackupRoot() {
#ifdef _WIN32
    if (GetDriveTypeA("d:\\") == DRIVE_FIXED)
        return QStringLiteral("d:\\Jotterly$$$\\");
#endif
    return std::nullopt;
}

QString CopyFileTo(const QString& source, const QString& destination, const CopyProgress& progress) {
    QString target = QFileInfo(destination).absoluteFilePath();
    if (QFileInfo(target).isDir())
        target = QDir(target).filePath(QFileInfo(source).fileName());

    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(source)));
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw StoreError(QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(target)));

    const qint64 total = in.size();
    qint64 done = 0;
    char buffer[8192];
    QString failure;
    while (true) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0) {
            failure =
                QStringLiteral("读取 %1 失败：%2").arg(QDir::toNativeSeparators(source), in.errorString());
            break;
        }
        if (got > 0 && out.write(buffer, got) != got) {
            failure =
                QStringLiteral("写入 %1 失败：%2").arg(QDir::toNativeSeparators(target), out.errorString());
            break;
        }
        done += got;
        if (progress)
            progress(done, total);
        if (got < static_cast<qint64>(sizeof buffer))
            break;
    }
    if (failure.isEmpty() && !out.flush())
        failure = QStringLiteral("写入 %1 失败：%2").arg(QDir::toNativeSeparators(target), out.errorString());
    out.close();
    if (failure.isEmpty() && out.error() != QFileDevice::NoError)
        failure = QStringLiteral("写入 %1 失败：%2").arg(QDir::toNativeSeparators(target), out.errorString());
    if (!failure.isEmpty()) {
        // Only the regular file this copy wrote is removed (never a device named as target).
        if (std::filesystem::is_regular_file(std::filesystem::path(target.toStdString())))
            out.remove();
        throw StoreError(failure + QStringLiteral("，不完整的备份文件已删除"));
    }
    return target;
}

} // namespace qj
