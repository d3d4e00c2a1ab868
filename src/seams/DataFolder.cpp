#include "seams/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef QJ_INSTALLED_FILES_RELATIVE
#define QJ_INSTALLED_FILES_RELATIVE "../share/qingjian"
#endif

namespace qj {

namespace {

constexpr const char* kDataFile = "dataly.dat";

QString Clean(const QString& folder) {
    return QDir::cleanPath(QDir(folder).absolutePath());
}

QString Environment(const char* name) {
    return qEnvironmentVariable(name);
}

// The XDG base directory rules: a relative $XDG_DATA_HOME is to be ignored.
QString UserDataHome(const DataFolderPlace& place) {
    if (!place.xdgDataHome.isEmpty() && QDir::isAbsolutePath(place.xdgDataHome))
        return place.xdgDataHome;
    return place.home + QStringLiteral("/.local/share");
}

bool IsWritableFolder(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

bool Exists(const QDir& folder, const char* name) {
    return QFileInfo::exists(folder.filePath(QString::fromLatin1(name)));
}

} // namespace

DataFolderPlace DataFolderPlace::ofEnvironment(const QString& executableFolder, const QString& namedOption) {
    DataFolderPlace place;
    place.executableFolder = executableFolder;
    place.installedFiles = QDir(executableFolder).filePath(QStringLiteral(QJ_INSTALLED_FILES_RELATIVE));
    place.named = namedOption.isEmpty() ? Environment(kDataFolderVariable) : namedOption;
    place.xdgDataHome = Environment("XDG_DATA_HOME");
    place.home = QDir::homePath();
    place.executableFolderWritable = IsWritableFolder(executableFolder);
    return place;
}

DataFolderChoice ChooseDataFolder(const DataFolderPlace& place) {
    const QString program = Clean(place.executableFolder);
    const QDir programDir(program);
    const QString installed = place.installedFiles.isEmpty() ? QString() : Clean(place.installedFiles);
    const bool isInstalled = !installed.isEmpty() && QFileInfo(installed).isDir();
    const QString files = isInstalled ? installed : program;

    DataFolderChoice choice;
    if (!place.named.isEmpty()) {
        choice.mode = DataFolderMode::Named;
        choice.dataFolder = Clean(place.named);
        choice.filesFolder = files;
        return choice;
    }
    const bool portable = Exists(programDir, kPortableMarker) || Exists(programDir, kDataFile);
    if (!portable && (isInstalled || !place.executableFolderWritable)) {
        choice.mode = DataFolderMode::Installed;
        choice.dataFolder = Clean(UserDataHome(place) + QStringLiteral("/qingjian"));
        choice.filesFolder = files;
        return choice;
    }
    choice.mode = DataFolderMode::Portable;
    choice.dataFolder = program;
    choice.filesFolder = program;
    return choice;
}

QString DataFolderChoice::describe() const {
    static const char* const kModes[] = {"便携", "安装", "指定"};
    return QStringLiteral("数据文件夹（%1）：%2")
        .arg(QString::fromUtf8(kModes[static_cast<int>(mode)]), QDir::toNativeSeparators(dataFolder));
}

QString SeedDataFolder(const DataFolderChoice& choice,
                       const std::function<bool(const QString& path)>& makeEmpty) {
    if (choice.mode == DataFolderMode::Portable)
        return QString();
    const QString folder = QDir::toNativeSeparators(choice.dataFolder);
    if (!QFileInfo(choice.dataFolder).isDir()) {
        // The notes are the user's own: a new folder is readable by the user alone (as the XDG
        // rules ask for the folders they make).
        if (!QDir().mkpath(choice.dataFolder))
            return QStringLiteral("不能建立数据文件夹 %1").arg(folder);
        QFile::setPermissions(choice.dataFolder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QString target = QDir(choice.dataFolder).filePath(QString::fromLatin1(kDataFile));
    if (QFileInfo::exists(target))
        return QString();
    const QString source = QDir(choice.filesFolder).filePath(QString::fromLatin1(kDataFile));
    const bool copy = QFileInfo(source).isFile();
    if (!copy && !makeEmpty)
        return QStringLiteral("找不到空白数据文件 %1").arg(QDir::toNativeSeparators(source));
    // Copied (or made) under a temporary name first, so that a failed copy never leaves half a
    // data file.
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    if (!(copy ? QFile::copy(source, part) : makeEmpty(part)) ||
        !QFile::setPermissions(part, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ReadGroup | QFileDevice::ReadOther) ||
        !QFile::rename(part, target)) {
        QFile::remove(part);
        return QStringLiteral("不能在数据文件夹 %1 中建立数据文件").arg(folder);
    }
    return QString();
}

} // namespace qj
