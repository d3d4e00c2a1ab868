#include "support/TempProgramFolder.h"

#include "common/Gbk.h"
#include "common/TextDecode.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

namespace qj::test {

TempProgramFolder::TempProgramFolder() : dir_(QDir::tempPath() + QStringLiteral("/qj-folder-XXXXXX")) {
    if (!dir_.isValid())
        ADD_FAILURE() << "cannot create a temporary program folder: " << dir_.errorString().toStdString();
    else
        folder_ = ProgramFolder(dir_.path());
}

QString TempProgramFolder::buildBinFolder() {
    return QString::fromUtf8(QJ_TEST_BIN_DIR);
}

bool TempProgramFolder::copyFromBuild(const QString& name) {
    const QString source = buildBinFolder() + QLatin1Char('/') + name;
    if (!QFileInfo(source).isFile()) {
        ADD_FAILURE() << "the build has not produced " << source.toStdString();
        return false;
    }
    return copyIn(source, name);
}

bool TempProgramFolder::copyIn(const QString& source, const QString& name) {
    const QString target = filePath(name);
    QFile::remove(target);
    if (!QFile::copy(source, target)) {
        ADD_FAILURE() << "cannot copy " << source.toStdString() << " to " << target.toStdString();
        return false;
    }
    // Copies of read-only build files must be writable like an installed program's files.
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    return true;
}

bool TempProgramFolder::writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        ADD_FAILURE() << "cannot write " << file.fileName().toStdString();
        return false;
    }
    return true;
}

QByteArray TempProgramFolder::readFile(const QString& name) const {
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TempProgramFolder::exists(const QString& name) const {
    return QFileInfo::exists(filePath(name));
}

bool TempProgramFolder::writeIni(const QString& text) {
    const std::string gbk = Utf8ToGbk(text.toStdString());
    return writeFile(QStringLiteral("Jotterly.ini"),
                     QByteArray(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

bool TempProgramFolder::writeIniUtf8(const QString& text) {
    return writeFile(QStringLiteral("Jotterly.ini"), text.toUtf8());
}

QString TempProgramFolder::readIniText() const {
    const QByteArray bytes = readIni();
    return QString::fromStdString(
        DecodeTextFile(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
}

} // namespace qj::test
