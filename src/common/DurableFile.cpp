#include "common/DurableFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qj {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is only on the disk once the folder is: a failure to sync it is a failed write.
int SyncFolder(const std::string& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int failure = SyncDescriptor(fd);
    ::close(fd);
    // Some file systems cannot sync a folder at all; that is not a failed write.
    return failure == EINVAL || failure == ENOTSUP ? 0 : failure;
}

} // namespace

std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".part";
}

int SyncDescriptor(int fd) {
    while (::fsync(fd) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

int WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        done += static_cast<size_t>(n);
    }
    return 0;
}

int WriteFileDurably(const std::string& path, std::string_view bytes) {
    struct stat old {};
    const bool existed = ::stat(path.c_str(), &old) == 0;
    const std::string temporary = TemporaryNameBeside(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int failure = WriteAll(fd, bytes);
    if (!failure && existed && ::fchmod(fd, old.st_mode & 07777) != 0)
        failure = errno;
    if (::close(fd) != 0 && !failure)
        failure = errno;
    if (failure) {
        ::unlink(temporary.c_str());
        return failure;
    }
    return CommitTemporaryFile(temporary, path);
}

int CommitTemporaryFile(const std::string& temporary, const std::string& path) {
    int failure = 0;
    const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        failure = errno;
    } else {
        failure = SyncDescriptor(fd);
        ::close(fd);
    }
    if (!failure && ::rename(temporary.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure) {
        ::unlink(temporary.c_str());
        return failure;
    }
    return SyncFolder(path);
}

std::string FileErrorText(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "磁盘已满（或超出了允许的大小），文件没有写完";
    case EIO:
        return "读写磁盘出错（I/O 错误）";
    case EACCES:
    case EPERM:
        return "没有写入的权限";
    case EROFS:
        return "磁盘是只读的";
    case ENOENT:
        return "文件夹不存在";
    default:
        return std::strerror(error);
    }
}

} // namespace qj
