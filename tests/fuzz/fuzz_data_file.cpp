// A data file made by someone else: tables of the category shape and of other shapes (extra and
// missing columns, IDs that are no integers, titles that are too long or NULL), with triggers and
// views that would rewrite other tables. The program reads every category or refuses it with a
// StoreError, and its writes never run the file's own SQL: a save changes its own record and no
// other table.
//
// Input: a list of steps, each a byte choosing what to add to the file and bytes for its values.
#include "FuzzCheck.h"

#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/Sqlite.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <unistd.h>

using namespace qj;

namespace {

QString Path() {
    static const QString path = QStringLiteral("/dev/shm/qj-fuzz-data-file-%1.dat").arg(::getpid());
    return path;
}

// A value for an ID, a Parent or a title: an integer, a fraction, a text or NULL.
QString Value(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return QString::number(in.ConsumeIntegralInRange<std::int64_t>(-3, 1LL << 40));
    case 1:
        return QStringLiteral("2.5");
    case 2:
        return QStringLiteral("'%1'").arg(QString::fromStdString(in.ConsumeRandomLengthString(60))
                                              .replace(QLatin1Char('\''), QStringLiteral("''")));
    default:
        return QStringLiteral("NULL");
    }
}

// Every row of the other tables, as text, to see that a write left them alone.
QStringList OtherRows(Database& db, const QString& except) {
    QStringList rows;
    Statement tables(
        db,
        QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' AND name <> ?1 ORDER BY name"));
    tables.Bind(1, except);
    while (tables.Step()) {
        const QString name = tables.Text(0);
        Statement all(db, QStringLiteral("SELECT quote(rowid), * FROM %1").arg(QuoteIdentifier(name)));
        while (all.Step())
            rows << name + QLatin1Char(':') + all.Text(0);
    }
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    QFile::remove(Path());
    {
        Database db(Path(), Database::Mode::Create);
        const char* const shapes[] = {
            "CREATE TABLE \"笔记\" (ID INTEGER, Parent INTEGER, Name VARCHAR(50) NOT NULL, Info TEXT)",
            "CREATE TABLE \"工作\" (ID, Parent, Name, Info)",
            "CREATE TABLE \"多列\" (ID INTEGER, Parent INTEGER, Name TEXT, Info TEXT, Extra TEXT)",
            "CREATE TABLE \"少列\" (ID INTEGER, Name TEXT, Info TEXT)",
        };
        for (const char* shape : shapes)
            db.Exec(shape);
        const char* const tables[] = {"笔记", "工作", "多列"};
        while (in.remaining_bytes() > 0) {
            const QString table = QuoteIdentifier(QString::fromUtf8(tables[in.ConsumeIntegralInRange(0, 2)]));
            try {
                switch (in.ConsumeIntegralInRange(0, 4)) {
                case 0:
                case 1:
                    db.Exec(QStringLiteral("INSERT INTO %1 (ID, Parent, Name, Info) VALUES (%2, %3, %4, 'x')")
                                .arg(table, Value(in), Value(in), Value(in)));
                    break;
                case 2:
                    db.Exec(QStringLiteral(
                                "CREATE TRIGGER IF NOT EXISTS t%1 AFTER %2 ON %3 BEGIN DELETE FROM \"工作\"; "
                                "UPDATE \"多列\" SET Info = 'PWNED'; END")
                                .arg(in.ConsumeIntegralInRange(0, 9))
                                .arg(in.ConsumeBool() ? QStringLiteral("UPDATE") : QStringLiteral("INSERT"),
                                     table));
                    break;
                case 3:
                    db.Exec(QStringLiteral("CREATE TRIGGER IF NOT EXISTS r%1 BEFORE UPDATE ON %2 BEGIN "
                                           "SELECT RAISE(IGNORE); END")
                                .arg(in.ConsumeIntegralInRange(0, 9))
                                .arg(table));
                    break;
                default:
                    db.Exec(QStringLiteral("CREATE VIEW IF NOT EXISTS v%1 AS SELECT * FROM %2")
                                .arg(in.ConsumeIntegralInRange(0, 9))
                                .arg(table));
                    break;
                }
            } catch (const StoreError&) {
                // A value the table refuses: the file goes on without it.
            }
        }
    }
    try {
        DataFile file(Path());
        for (const QString& name : file.Categories()) {
            try {
                CategoryTable table(file, name);
                const std::vector<NoteHeader> headers = table.LoadHeaders();
                if (headers.empty())
                    continue;
                const QStringList before = OtherRows(file.db(), table.name());
                try {
                    table.WriteInfo(headers.front().record(), QStringLiteral("保存的文字"));
                    FUZZ_CHECK(table.ReadInfo(headers.front().record()) == QStringLiteral("保存的文字"));
                } catch (const StoreError&) {
                }
                FUZZ_CHECK(OtherRows(file.db(), table.name()) == before);
            } catch (const StoreError&) {
                // Refused with a message: a table of another shape, or a view.
            }
        }
    } catch (const StoreError&) {
    }
    QFile::remove(Path());
    return 0;
}
