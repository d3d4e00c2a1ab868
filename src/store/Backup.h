#pragma once
// Backup copies of the data file: the dated folder names and the byte copy.

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

namespace qj {

// The folder name of a backup made on `date`: year-month-day without leading zeros (2024-3-5).
QString BackupFolderName(QDate date);

// The first name not taken in `parentFolder`: `base`, then base1, base2, ... (no separator).
QString FreeBackupFolderName(const QString& parentFolder, const QString& base);

// The folder of the second copy ("d:\Jotterly$$$\"), only where a fixed disk D: exists (Windows);
// nothing elsewhere.
std::optional<QString> SecondBackupRoot();

// Files larger than this show a progress dialog while they are copied.
inline constexpr qint64 kBackupProgressBytes = 50LL * 1024 * 1024;

// Called after each block copied with the bytes copied so far and the size of the source.
using CopyProgress = std::function<void(qint64 done, qint64 total)>;

// Copies `source` byte for byte to `destination` (a file, or a folder to copy into under the
// source's name), in blocks of 8192 bytes, replacing an existing file. The copy is written under a
// temporary name beside the target, synced to the disk, compared with the source and only then
// renamed to the target: a copy cut short never has the target's name. A StoreError when it
// fails: "Cannot open file %s" (the source), "Cannot create file %s" (the destination), or a failed
// read, write or sync half-way naming the cause (a full disk, an I/O error), after which the
// partial copy is removed. Returns the path written.
QString CopyFileTo(const QString& source, const QString& destination, const CopyProgress& progress = {});

} // namespace qj
