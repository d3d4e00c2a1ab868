#include "store/Backup.h"

#include "common/DurableFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString WriteFailure(const QString& target, int error) {
    return QStringLiteral("写入 %1 失败：%2")
        .arg(Native(target), QString::fromStdString(FileErrorText(error)));
}

// Reads up to `size` bytes, retrying interrupted reads; -1 with errno set on failure.
ssize_t ReadSome(int fd, char* buffer, size_t size) {
    while (true) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

// True when the two files hold the same bytes (read from the start).
bool SameBytes(int a, int b) {
    if (::lseek(a, 0, SEEK_SET) != 0 || ::lseek(b, 0, SEEK_SET) != 0)
        return false;
    char left[8192], right[8192];
    while (true) {
        const ssize_t got = ReadSome(a, left, sizeof left);
        if (got < 0)
            return false;
        ssize_t have = 0;
        while (have < got) {
            const ssize_t n = ReadSome(b, right + have, static_cast<size_t>(got - have));
            if (n <= 0)
                return false;
            have += n;
        }
        if (std::memcmp(left, right, static_cast<size_t>(got)) != 0)
            return false;
        if (got == 0)
            return ReadSome(b, right, 1) == 0;
    }
}

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

QString CopyFileTo(const QString& source, const QString& destination, const CopyProgress& progress) {
    QString target = QFileInfo(destination).absoluteFilePath();
    if (QFileInfo(target).isDir())
        target = QDir(target).filePath(QFileInfo(source).fileName());

    Descriptor in;
    if (QFileInfo(source).isFile())
        in.fd = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in.fd < 0)
        throw StoreError(QStringLiteral("Cannot open file %1").arg(Native(source)));
    // The copy is made under a name of its own and takes the target's name only when it is whole
    // and on the disk: a copy cut short (a full disk, the program killed) never looks like a backup.
    const std::string temporary = TemporaryNameBeside(QFile::encodeName(target).toStdString());
    Descriptor out;
    out.fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (out.fd < 0)
        throw StoreError(QStringLiteral("Cannot create file %1").arg(Native(target)));

    struct stat info {};
    const qint64 total = ::fstat(in.fd, &info) == 0 ? static_cast<qint64>(info.st_size) : 0;
    qint64 done = 0;
    char buffer[8192];
    QString failure;
    while (true) {
        const ssize_t got = ReadSome(in.fd, buffer, sizeof buffer);
        if (got < 0) {
            failure = QStringLiteral("读取 %1 失败：%2")
                          .arg(Native(source), QString::fromStdString(FileErrorText(errno)));
            break;
        }
        if (const int error = WriteAll(out.fd, std::string_view(buffer, static_cast<size_t>(got)))) {
            failure = WriteFailure(target, error);
            break;
        }
        done += got;
        if (progress)
            progress(done, total);
        if (got == 0)
            break;
    }
    // The copy read back must hold the source's bytes (it is synced to the disk when committed).
    if (failure.isEmpty() && !SameBytes(in.fd, out.fd))
        failure = QStringLiteral("备份文件 %1 与数据文件不一致").arg(Native(target));
    if (failure.isEmpty()) {
        const int closed = ::close(out.fd);
        out.fd = -1;
        if (closed != 0)
            failure = WriteFailure(target, errno);
        else if (const int error = CommitTemporaryFile(temporary, QFile::encodeName(target).toStdString()))
            failure = WriteFailure(target, error);
    }
    if (!failure.isEmpty()) {
        ::unlink(temporary.c_str());
        throw StoreError(failure + QStringLiteral("，不完整的备份文件已删除"));
    }
    return target;
}

} // namespace qj
