#include "StoreTestFolder.h"

#include "store/CategoryTable.h"
#include "store/DefaultCategory.h"

#include <QFile>

using namespace qj;
using qj::test::StoreTest;

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

} // namespace

TEST(DataFileOpen, MissingFileIsReportedAndNotCreated) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dataly.dat"));
    EXPECT_THROW(DataFile{path}, DataFileMissing);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(DataFileOpen, FileThatIsNoDatabaseIsNamedAndLeftAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dataly.dat"));
    const QByteArray junk = QByteArray("Standard Jet DB\0\0 not an SQLite file at all", 44).repeated(200);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(junk);
    }
    try {
        DataFile file(path);
        FAIL() << "a file that is no database opened";
    } catch (const DataFileMissing&) {
        FAIL() << "reported as missing";
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.text().contains(path)) << e.what();
    }
    EXPECT_EQ(ReadBytes(path), junk);
}

TEST(DataFileOpen, BuildToolNeverOverwritesAnExistingFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dataly.dat"));
    CreateEmptyDataFile(path);
    {
        DataFile file(path);
        EXPECT_TRUE(file.Categories().isEmpty());
        ASSERT_EQ(CreateCategory(file, QStringLiteral("日记")), CreateCategoryResult::Created);
    }
    CreateEmptyDataFile(path);
    DataFile again(path);
    EXPECT_EQ(again.Categories(), QStringList{QStringLiteral("日记")});
}

TEST_F(StoreTest, CategoriesAreListedInCreationOrderWithViews) {
    for (const char* name : {"帮助", "Zeta", "alpha", "日记"})
        ASSERT_EQ(CreateCategory(*file, QString::fromUtf8(name)), CreateCategoryResult::Created);
    file->db().Exec("CREATE VIEW \"近期\" AS SELECT * FROM \"日记\"");
    EXPECT_EQ(file->Categories(),
              (QStringList{QStringLiteral("帮助"), QStringLiteral("Zeta"), QStringLiteral("alpha"),
                           QStringLiteral("日记"), QStringLiteral("近期")}));
}

TEST_F(StoreTest, CreateRefusesExistingNameExactlyAndCaseVariantsWithAnError) {
    ASSERT_EQ(CreateCategory(*file, QStringLiteral("Notes")), CreateCategoryResult::Created);
    ASSERT_EQ(CreateCategory(*file, QStringLiteral("Ｄｉａｒｙ")), CreateCategoryResult::Created);
    EXPECT_EQ(CreateCategory(*file, QStringLiteral("Notes")), CreateCategoryResult::AlreadyExists);
    EXPECT_TRUE(file->CategoryExists(QStringLiteral("Notes")));
    EXPECT_FALSE(file->CategoryExists(QStringLiteral("notes")));

    // Names the engine could not tell apart, names that cannot be categories.
    const QString refused[] = {QStringLiteral("notes"),      QStringLiteral("NOTES"),
                               QStringLiteral("ｄｉａｒｙ"), QString(),
                               QStringLiteral(""),           QStringLiteral("   "),
                               QStringLiteral("a\tb"),       QStringLiteral("sqlite_master"),
                               QString(51, QChar(0x6587)),   QStringLiteral("Notes.ID")};
    for (const QString& name : refused) {
        EXPECT_THROW(CreateCategory(*file, name), StoreError) << name.toStdString();
    }
    EXPECT_EQ(file->Categories(), (QStringList{QStringLiteral("Notes"), QStringLiteral("Ｄｉａｒｙ")}));
    // 50 characters is still a name.
    EXPECT_EQ(CreateCategory(*file, QString(50, QChar(0x6587))), CreateCategoryResult::Created);
}

TEST_F(StoreTest, HostileCategoryNamesStayInert) {
    const QString names[] = {
        QStringLiteral("a\"b"),
        QStringLiteral("[x]"),
        QStringLiteral("x; DROP TABLE 帮助; --"),
        QStringLiteral("\"); DELETE FROM \"帮助\"; --"),
        QStringLiteral("' OR 1=1 --"),
        QStringLiteral("表名%1%2"),
        QStringLiteral(" 前后有空格 "),
    };
    ASSERT_EQ(CreateCategory(*file, QStringLiteral("帮助")), CreateCategoryResult::Created);
    for (const QString& name : names) {
        ASSERT_EQ(CreateCategory(*file, name), CreateCategoryResult::Created) << name.toStdString();
        CategoryTable table(*file, name);
        EXPECT_EQ(table.name(), name);
        const auto headers = table.LoadHeaders();
        ASSERT_EQ(headers.size(), 1u);
        EXPECT_EQ(headers[0].name, name);
        EXPECT_EQ(headers[0].id, 0);
        EXPECT_EQ(headers[0].parent, 0);
        EXPECT_TRUE(table.ReadInfo(0).isNull());
    }
    EXPECT_EQ(CategoryTable(*file, QStringLiteral("帮助")).RecordCount(), 1);
    QStringList all{QStringLiteral("帮助")};
    for (const QString& name : names)
        all << name;
    EXPECT_EQ(file->Categories(), all);
    for (const QString& name : names)
        file->DropCategory(name);
    EXPECT_EQ(file->Categories(), QStringList{QStringLiteral("帮助")});
}

TEST_F(StoreTest, DroppedCategoryCanBeCreatedAgainAndOpeningAMissingOneFails) {
    ASSERT_EQ(CreateCategory(*file, QStringLiteral("旧")), CreateCategoryResult::Created);
    file->DropCategory(QStringLiteral("旧"));
    EXPECT_THROW(CategoryTable(*file, QStringLiteral("旧")), StoreError);
    EXPECT_THROW(file->DropCategory(QStringLiteral("旧")), StoreError);
    EXPECT_EQ(CreateCategory(*file, QStringLiteral("旧")), CreateCategoryResult::Created);
}

TEST_F(StoreTest, ClosedFileIsCompleteOnDiskAndReopensOnUse) {
    ASSERT_EQ(CreateCategory(*file, QStringLiteral("日记")), CreateCategoryResult::Created);
    CategoryTable(*file, QStringLiteral("日记")).WriteInfo(0, QStringLiteral("今天"));
    {
        // Another program reading the file keeps it from being completed: the close says so.
        DataFile other(dataPath());
        Statement reading(other.db(), QStringLiteral("SELECT * FROM \"日记\""));
        ASSERT_TRUE(reading.Step());
        EXPECT_THROW(file->Close(), StoreError);
        EXPECT_TRUE(file->IsOpen());
    }
    file->Close();
    EXPECT_FALSE(file->IsOpen());
    // Nothing beside the file is needed to read it: a byte copy is a whole data file.
    const QString copy = dir.filePath(QStringLiteral("copy.dat"));
    ASSERT_TRUE(QFile::copy(dataPath(), copy));
    EXPECT_FALSE(QFile::exists(dataPath() + QStringLiteral("-journal")));
    EXPECT_FALSE(QFile::exists(dataPath() + QStringLiteral("-wal")));
    EXPECT_FALSE(QFile::exists(dataPath() + QStringLiteral("-shm")));
    DataFile copied(copy);
    EXPECT_EQ(CategoryTable(copied, QStringLiteral("日记")).ReadInfo(0), QStringLiteral("今天"));
    EXPECT_EQ(file->Categories(), QStringList{QStringLiteral("日记")});
}
