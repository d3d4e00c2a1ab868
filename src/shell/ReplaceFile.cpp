#include "shell/ReplaceFile.h"

#include "common/DurableFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace qj {

namespace {

bool WriteAllAt(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes over an existing file without truncating it first: the room is reserved before the first
// byte changes, and the file is cut to its new length only after everything is written.
bool WriteInPlace(const QString& path, std::string_view bytes) {
    if (!QFile::exists(path))
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = bytes.empty() || ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size())) == 0;
    ok = ok && WriteAllAt(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
         SyncDescriptor(fd) == 0;
    return ::close(fd) == 0 && ok;
}

} // namespace

bool ReplaceFile(const QString& path, std::string_view bytes) {
    const int failure = WriteFileDurably(QFile::encodeName(path).toStdString(), bytes);
    // A folder that takes no new file (a read-only folder holding a writable file).
    if (failure == EACCES || failure == EROFS || failure == EPERM)
        return WriteInPlace(path, bytes);
    return failure == 0;
}

} // namespace qj
