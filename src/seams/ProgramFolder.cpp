#include "seams/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qj {

namespace {

QString FolderPath(const QString& folder) {
    if (folder.isEmpty())
        return QString();
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace

ProgramFolder::ProgramFolder(const QString& folder, const QString& filesFolder)
    : path_(FolderPath(folder)), filesPath_(filesFolder.isEmpty() ? path_ : FolderPath(filesFolder)) {}

QString ProgramFolder::findFile(const QString& name) const {
    const QString own = filePath(name);
    if (QFileInfo::exists(own) || filesPath_ == path_)
        return own;
    const QString shipped = filesPath_ + name;
    return QFileInfo::exists(shipped) ? shipped : own;
}

ProgramFolder ProgramFolder::ofRunningExecutable() {
    return ProgramFolder(QCoreApplication::applicationDirPath());
}

} // namespace qj
