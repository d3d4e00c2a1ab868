#include "store/DefaultCategory.h"

#include "common/TextDecode.h"
#include "store/CategoryTable.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace qj {

bool IsFirstRun(DataFile& file) {
    return !file.CategoryExists(QString::fromUtf8(kHelpCategory));
}

QString LinesWithCrLf(const QString& text) {
    if (text.isEmpty())
        return QString();
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!normal.endsWith(QLatin1Char('\n')))
        normal += QLatin1Char('\n');
    normal.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return normal;
}

QString ReadGuideText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = f.readAll();
    const std::string text =
        DecodeTextFile(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    return LinesWithCrLf(QString::fromStdString(text));
}

namespace {

// The table and its first note (ID 0, Parent 0, Name = the category's name) in one transaction.
void CreateWithFirstNote(DataFile& file, const QString& name, const QString& info) {
    file.CheckNewCategoryName(name);
    Transaction tx(file.db());
    file.CreateCategoryTable(name);
    CategoryTable table(file, name);
    table.Append(NoteId{0}, NoteId{0}, name, info);
    tx.Commit();
}

} // namespace

void CreateHelpCategory(DataFile& file, const QString& programFolder) {
    const QString guide = ReadGuideText(QDir(programFolder).filePath(QString::fromUtf8(kGuideFileName)));
    CreateWithFirstNote(file, QString::fromUtf8(kHelpCategory), guide);
}

CreateCategoryResult CreateCategory(DataFile& file, const QString& name) {
    if (file.CategoryExists(name))
        return CreateCategoryResult::AlreadyExists;
    CreateWithFirstNote(file, name, QString());
    return CreateCategoryResult::Created;
}

} // namespace qj
