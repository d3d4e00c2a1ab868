#include "platform/ProgramFile.h"

#include <QFile>
#include <QFileInfo>

namespace qj {

bool IsProgramFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
#ifdef Q_OS_WIN
    const QString suffix = info.suffix().toLower();
    return suffix == QLatin1String("exe") || suffix == QLatin1String("com") || suffix == QLatin1String("bat");
#else
    // An executable file that the system can run: a binary or a script. Files on Windows-formatted
    // disks often carry the executable bit whatever they are, so the bit alone does not decide; a
    // Windows program (.exe) is a document here, opened by whatever the desktop associates with it.
    if (!info.isExecutable())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    return head == QByteArray("\x7f"
                              "ELF",
                              4) ||
           head.startsWith("#!");
#endif
}

} // namespace qj
