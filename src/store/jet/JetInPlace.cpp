#include "store/jet/JetInPlace.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace qj {

namespace {

bool SameBytes(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd()) {
        const QByteArray x = fa.read(1 << 16), y = fb.read(1 << 16);
        if (x != y || x.isEmpty())
            return false;
    }
    return true;
}

// The file's bytes (or its folder's entries, for a folder) reach the disk; false when the sync
// failed (an I/O error, a full disk found only then).
bool Sync(const QString& path, bool folder) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), folder ? (O_RDONLY | O_DIRECTORY) : O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

QString JetKeepName(const QString& path) {
    const QString first = path + QStringLiteral(".jet");
    QString name = first;
    for (int n = 1; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = first + QString::number(n);
    return name;
}

JetInPlaceResult ConvertJetDataFileInPlace(const QString& path, const JetImportProgress& progress) {
    JetInPlaceResult result;
    const QString converted = path + QStringLiteral(".converted");
    QFile::remove(converted); // left by a run that ended between converting and replacing
    result.report = ConvertJetFile(path, converted, progress);
    result.keptAs = JetKeepName(path);
    // The Jet file is copied first and checked; only then is it replaced.
    if (!QFile::copy(path, result.keptAs) || !SameBytes(path, result.keptAs) || !Sync(result.keptAs, false)) {
        QFile::remove(result.keptAs);
        QFile::remove(converted);
        throw StoreError(QStringLiteral("无法把原数据文件保留为“%1”，数据文件没有改动").arg(result.keptAs));
    }
    // rename() replaces the name in one step: the old file or the new one, never neither.
    if (std::rename(QFile::encodeName(converted).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(converted);
        QFile::remove(result.keptAs);
        throw StoreError(QStringLiteral("转换好的数据文件无法替换“%1”，数据文件没有改动").arg(path));
    }
    Sync(QFileInfo(path).absolutePath(), true);
    return result;
}

QString JetConversionSummary(const JetInPlaceResult& result, int maxItems) {
    const JetImportReport& r = result.report;
    QStringList lines;
    lines << QStringLiteral("数据文件已从 Jet %1 格式转换完成：%2 个目录分类，%3 条笔记。")
                 .arg(r.version)
                 .arg(r.Categories())
                 .arg(r.Notes());
    QStringList items;
    int more = 0;
    const auto add = [&](const QString& item) {
        if (items.size() < maxItems)
            items << item;
        else
            ++more;
    };
    for (const JetTableOutcome& t : r.tables) {
        if (t.skipped)
            add(QStringLiteral("跳过表“%1”（%2 条记录）：%3").arg(t.name).arg(t.rows).arg(t.why));
        for (const RefusedRecord& rec : t.refused)
            add(rec.id ? QStringLiteral("表“%1”中编号 %2 的记录没有转换：%3")
                             .arg(t.name, QString::number(*rec.id), rec.why)
                       : QStringLiteral("表“%1”中一条没有编号的记录没有转换：%2").arg(t.name, rec.why));
    }
    if (!items.isEmpty()) {
        lines << QString() << QStringLiteral("没有转换的内容：");
        lines << items;
        if (more > 0)
            lines << QStringLiteral("……另有 %1 项").arg(more);
    }
    lines << QString() << QStringLiteral("原来的数据文件原样保留为：%1").arg(result.keptAs);
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace qj
