#include "store/jet/JetImport.h"

#include "store/DataFile.h"
#include "store/Sqlite.h"
#include "store/jet/JetCategory.h"
#include "store/jet/JetFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace qj {

namespace {

constexpr int kTitleLimit = 50;
constexpr int kProgressEvery = 100;

// Why a record cannot be written, or an empty text when it can.
QString RefusalOf(const JetValue& name, const JetValue& info) {
    if (name.null || name.text.isEmpty())
        return QStringLiteral("标题为空");
    const auto length = name.text.toUcs4().size();
    if (length > kTitleLimit)
        return QStringLiteral("标题“%1”有 %2 个字符，超过 50 个字符").arg(name.text).arg(length);
    if (info.damaged)
        return QStringLiteral("正文读不完整（Jet 文件中的存放页已损坏）");
    return QString();
}

void RemoveTemp(const QString& temp) {
    QFile::remove(temp);
    QFile::remove(temp + QStringLiteral("-journal"));
}

// The folder's entry of a renamed file reaches the disk.
void SyncFolder(const QString& file) {
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void ConvertTable(JetFile& jet, int index, DataFile& data, JetTableOutcome& out,
                  const JetImportProgress& progress) {
    QString why;
    const std::optional<CategoryColumns> columns = MatchCategoryColumns(jet.Columns(index), why);
    if (!columns) {
        out.skipped = true;
        out.why = why;
        jet.ReadRows(index, [&](const JetRow&) { ++out.rows; });
        return;
    }
    try {
        data.CheckNewCategoryName(out.name);
    } catch (const StoreError& e) {
        out.skipped = true;
        out.why = e.text();
        jet.ReadRows(index, [&](const JetRow&) { ++out.rows; });
        return;
    }
    Transaction tx(data.db());
    data.CreateCategoryTable(out.name);
    Statement insert(data.db(),
                     QStringLiteral("INSERT INTO %1 (ID, Parent, Name, Info) VALUES (?1, ?2, ?3, ?4)")
                         .arg(QuoteIdentifier(out.name)));
    jet.ReadRows(index, [&](const JetRow& row) {
        ++out.rows;
        const JetValue& id = row[static_cast<size_t>(columns->id)];
        const JetValue& parent = row[static_cast<size_t>(columns->parent)];
        const JetValue& name = row[static_cast<size_t>(columns->name)];
        const JetValue& info = row[static_cast<size_t>(columns->info)];
        const QString refusal = RefusalOf(name, info);
        if (!refusal.isEmpty()) {
            out.refused.push_back(
                {id.null ? std::nullopt : std::optional<std::int64_t>(id.integer), refusal});
            return;
        }
        insert.Reset();
        if (id.null)
            insert.BindNull(1);
        else
            insert.Bind(1, id.integer);
        if (parent.null)
            insert.BindNull(2);
        else
            insert.Bind(2, parent.integer);
        insert.Bind(3, name.text);
        // An empty text is stored as NULL, as everywhere in our file.
        if (info.null || info.text.isEmpty())
            insert.BindNull(4);
        else
            insert.Bind(4, info.text);
        insert.Run();
        ++out.notes;
        if (progress && out.notes % kProgressEvery == 0)
            progress(index, out.name, out.notes);
    });
    tx.Commit();
}

} // namespace

int JetImportReport::Categories() const {
    int n = 0;
    for (const JetTableOutcome& t : tables)
        n += t.skipped ? 0 : 1;
    return n;
}

int JetImportReport::Notes() const {
    int n = 0;
    for (const JetTableOutcome& t : tables)
        n += t.notes;
    return n;
}

int JetImportReport::SkippedTables() const {
    return static_cast<int>(tables.size()) - Categories();
}

QString ConversionTempPath(const QString& newPath) {
    return newPath + QStringLiteral(".converting");
}

JetImportReport ConvertJetFile(const QString& jetPath, const QString& newPath,
                               const JetImportProgress& progress) {
    if (QFileInfo::exists(newPath) || QFileInfo(newPath).isSymLink())
        throw TargetExists(QStringLiteral("“%1”已经存在，转换不会覆盖它").arg(newPath));
    JetFile jet(jetPath);
    JetImportReport report;
    report.version = jet.version();
    const QString temp = ConversionTempPath(newPath);
    RemoveTemp(temp); // left by a conversion that was killed
    try {
        CreateEmptyDataFile(temp);
        {
            DataFile data(temp);
            for (int i = 0; i < jet.tables().size(); ++i) {
                JetTableOutcome out;
                out.name = jet.tables()[i];
                ConvertTable(jet, i, data, out, progress);
                report.tables.push_back(std::move(out));
                if (progress)
                    progress(i, jet.tables()[i], report.tables.back().notes);
            }
        }
        // Every table is committed (and synced) by now; the complete file takes its name, which
        // never replaces a file that appeared meanwhile.
        if (!QFile::rename(temp, newPath)) {
            if (QFileInfo::exists(newPath))
                throw TargetExists(QStringLiteral("“%1”已经存在，转换不会覆盖它").arg(newPath));
            throw StoreError(QStringLiteral("转换好的数据文件无法改名为“%1”").arg(newPath));
        }
        SyncFolder(newPath);
    } catch (...) {
        RemoveTemp(temp);
        throw;
    }
    return report;
}

} // namespace qj
