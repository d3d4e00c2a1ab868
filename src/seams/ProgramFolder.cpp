#include "seams/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace qj {

ProgramFolder::ProgramFolder(const QString& folder) {
    if (folder.isEmpty())
        return;
    path_ = QDir::cleanPath(QDir(folder).absolutePath());
    if (!path_.endsWith(QLatin1Char('/')))
        path_ += QLatin1Char('/');
}

ProgramFolder ProgramFolder::ofRunningExecutable() {
    return ProgramFolder(QCoreApplication::applicationDirPath());
}

} // namespace qj
