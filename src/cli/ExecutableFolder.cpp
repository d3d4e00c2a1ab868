#include "cli/ExecutableFolder.h"

#include <QFileInfo>

#include <climits>
#include <unistd.h>

namespace qj::cli {

QString ExecutableFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(path, length)).path();
}

} // namespace qj::cli
