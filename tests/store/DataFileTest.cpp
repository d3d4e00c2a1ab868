#include "StoreTestFolder.h"

#include "store/CategoryTable.h"
#include "store/DefaultCategory.h"

#include <QFile>

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

using namespace qj;
using qj::test::StoreTest;

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

// Runs `check` with the rights of an ordinary user and returns its result (0–254): as it is when the
// tests do not run as root, otherwise in a child process as "nobody".
int AsOrdinaryUser(const std::function<int()>& check) {
    if (geteuid() != 0)
        return check();
    const pid_t child = fork();
    if (child == 0) {
        int result = 255;
        if (setgid(65534) == 0 && setuid(65534) == 0) {
            try {
                result = check();
            } catch (...) {
            }
        }
        _exit(result);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

} // namespace

TEST(DataFileOpen, MissingFileIsReportedAndNotCreated) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dataly.dat"));
    EXPECT_THROW(DataFile{path}, DataFileMissing);
    EXPECT_FALSE(QFile::exists(path));
}

// Permissions as a user other than root meets them: run as root, the check runs as "nobody" in a
// child process (root may write anything).
TEST(DataFileOpen, WriteProtectedFileOrFolderIsFoundAtOpeningAndWritesSaySo) {
    using Barrier = DataFile::WriteBarrier;
    const struct {
        const char* what;
        QFile::Permissions folder, file;
        Barrier expected;
    } cases[] = {
        {"writable", QFile::Permissions(0x7777), QFile::Permissions(0x6666), Barrier::None},
        {"file write-protected", QFile::Permissions(0x7777), QFile::Permissions(0x4444),
         Barrier::FileWriteProtected},
        {"folder write-protected", QFile::Permissions(0x5555), QFile::Permissions(0x6666),
         Barrier::FolderWriteProtected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("dataly.dat"));
        CreateEmptyDataFile(path);
        ASSERT_TRUE(QFile::setPermissions(path, c.file));
        ASSERT_TRUE(QFile::setPermissions(dir.path(), c.folder));
        const int outcome = AsOrdinaryUser([&] {
            DataFile file(path);
            bool saysReadOnly = false;
            try {
                file.CreateCategoryTable(QStringLiteral("新"));
            } catch (const StoreError& e) {
                saysReadOnly = e.text().contains(QStringLiteral("只读"));
            }
            return static_cast<int>(file.writeBarrier()) * 2 + (saysReadOnly ? 1 : 0);
        });
        QFile::setPermissions(dir.path(), QFile::Permissions(0x7777));
        EXPECT_EQ(outcome / 2, static_cast<int>(c.expected));
        EXPECT_EQ(outcome % 2 == 1, c.expected != Barrier::None) << "a refused write names the cause";
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dataly.dat"));
    CreateEmptyDataFile(path);
    EXPECT_EQ(DataFile(path, DataFile::Access::ReadOnly).writeBarrier(), Barrier::OpenedReadOnly);
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
                               QString(51, QChar(0x6587))};
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
        EXPECT_EQ(headers[0].id, NoteId{0});
        EXPECT_EQ(headers[0].parent, NoteId{0});
        EXPECT_TRUE(table.ReadInfo(headers[0].record()).isNull());
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

TEST_F(StoreTest, EveryCommittedWriteIsInTheFileItselfWhileItIsOpen) {
    // A copy of dataly.dat alone, taken while the store is open and idle, as a user or a sync tool
    // takes it.
    auto copyAlone = [this](const QString& name) {
        const QString copy = dir.filePath(name);
        EXPECT_TRUE(QFile::copy(dataPath(), copy));
        return std::make_unique<DataFile>(copy);
    };
    ASSERT_EQ(CreateCategory(*file, QStringLiteral("日记")), CreateCategoryResult::Created);
    CategoryTable table(*file, QStringLiteral("日记"));
    table.WriteInfo(table.LoadHeaders()[0].record(), QStringLiteral("今天"));
    table.Append(NoteId{1}, NoteId{0}, QStringLiteral("明天"));
    for (const char* side : {"-journal", "-wal"})
        EXPECT_FALSE(QFile::exists(dataPath() + QLatin1String(side))) << side;
    {
        auto copied = copyAlone(QStringLiteral("copy1.dat"));
        CategoryTable inCopy(*copied, QStringLiteral("日记"));
        const auto headers = inCopy.LoadHeaders();
        ASSERT_EQ(headers.size(), 2u);
        EXPECT_EQ(inCopy.ReadInfo(headers[0].record()), QStringLiteral("今天"));
        EXPECT_EQ(headers[1].name, QStringLiteral("明天"));
    }

    // A file another program holds in write-ahead-log mode: each commit is folded in at once.
    file.reset();
    DataFile other(dataPath());
    other.db().Exec("PRAGMA journal_mode = WAL");
    Statement reading(other.db(), QStringLiteral("SELECT count(*) FROM \"日记\""));
    ASSERT_TRUE(reading.Step());
    file = std::make_unique<DataFile>(dataPath());
    reading.Reset();
    CategoryTable(*file, QStringLiteral("日记")).Append(NoteId{2}, NoteId{0}, QStringLiteral("后天"));
    auto copied = copyAlone(QStringLiteral("copy2.dat"));
    EXPECT_EQ(CategoryTable(*copied, QStringLiteral("日记")).RecordCount(), 3);
}

TEST_F(StoreTest, FileLeftInLogModeIsTurnedBackAndClosingLeavesNoSideFile) {
    file->db().Exec("PRAGMA journal_mode = WAL");
    ASSERT_EQ(CreateCategory(*file, QStringLiteral("日记")), CreateCategoryResult::Created);
    file.reset();
    file = std::make_unique<DataFile>(dataPath());
    Statement mode(file->db(), QStringLiteral("PRAGMA journal_mode"));
    ASSERT_TRUE(mode.Step());
    EXPECT_EQ(mode.Text(0), QStringLiteral("delete"));
    file->Close();
    EXPECT_FALSE(file->IsOpen());
    for (const char* side : {"-journal", "-wal", "-shm"})
        EXPECT_FALSE(QFile::exists(dataPath() + QLatin1String(side))) << side;
    // Any use opens it again.
    EXPECT_EQ(file->Categories(), QStringList{QStringLiteral("日记")});
}

TEST_F(StoreTest, IdIndexesNeverTakeACategoryName) {
    // A table "A.ID" made by another tool, and a category "B" of an older file whose index is
    // named "B.ID".
    file->db().Exec(QStringLiteral("CREATE TABLE \"A.ID\" (x)"));
    file->db().Exec(
        QStringLiteral("CREATE TABLE \"B\" (ID INTEGER, Parent INTEGER, Name VARCHAR(50) NOT NULL, "
                       "Info TEXT); CREATE INDEX \"B.ID\" ON \"B\" (ID); "
                       "INSERT INTO \"B\" VALUES (0, 0, 'B', '乙')"));
    for (const char* name : {"A", "B.ID", "b.id2", "C"})
        EXPECT_EQ(CreateCategory(*file, QString::fromUtf8(name)), CreateCategoryResult::Created) << name;
    CategoryTable b(*file, QStringLiteral("B"));
    EXPECT_EQ(b.ReadInfo(b.LoadHeaders()[0].record()), QStringLiteral("乙"));
    EXPECT_EQ(file->Categories(), (QStringList{"A.ID", "B", "A", "B.ID", "b.id2", "C"}));
    // Every category table keeps an index on ID.
    Statement indexes(file->db(), QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE type = 'index'"));
    ASSERT_TRUE(indexes.Step());
    EXPECT_EQ(indexes.Int(0), 5);
}

// A sync tool renames a new version over the open data file: a write says what happened (not
// "read-only"), and the new file on disk is left as it came.
TEST_F(StoreTest, DataFileReplacedWhileOpenIsNamedAsReplacedAtTheNextWrite) {
    ASSERT_EQ(CreateCategory(*file, QStringLiteral("日记")), CreateCategoryResult::Created);
    const QString other = dir.filePath(QStringLiteral("synced.dat"));
    CreateEmptyDataFile(other);
    const QByteArray synced = ReadBytes(other);
    ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(dataPath()).constData()), 0);
    try {
        CategoryTable(*file, QStringLiteral("日记")).Append(NoteId{1}, NoteId{0}, QStringLiteral("新"));
        ADD_FAILURE() << "the write went nowhere without a word";
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("已被另一个文件替换"))) << e.text().toStdString();
        EXPECT_FALSE(e.text().contains(QStringLiteral("只读"))) << e.text().toStdString();
    }
    EXPECT_EQ(ReadBytes(dataPath()), synced);
}
