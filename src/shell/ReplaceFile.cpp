#include "shell/ReplaceFile.h"

#include <QFile>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace qj {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
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
    ok = ok && WriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
         ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

} // namespace

bool ReplaceFile(const QString& path, std::string_view bytes) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return WriteInPlace(path, bytes);
    // QSaveFile::commit() does not notice a flush that fails (a full disk) and would move the cut
    // file into place: flush first and give up on any error.
    if (f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !f.flush() || f.error() != QFileDevice::NoError) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

} // namespace qj
