// A data file made by someone else: its triggers and views never run through the program's
// connection, the failures of the engine come in the user's words, and a note too large to edit is
// refused before it is read.
#include "StoreTestFolder.h"

#include "FaultInjection.h"
#include "store/CategoryTable.h"
#include "store/DefaultCategory.h"
#include "store/NoteSearch.h"

#include <sqlite3.h>

#include <QFile>

#include <cerrno>
#include <functional>

using namespace qj;
using qj::test::StoreTest;

namespace {

// SQL run on a connection of another program (triggers and views work there).
void Foreign(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

// Every record of every table of the file, as text.
std::string Everything(DataFile& file) {
    std::string all;
    Statement tables(file.db(),
                     QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name"));
    while (tables.Step()) {
        Statement rows(
            file.db(),
            QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(QuoteIdentifier(tables.Text(0))));
        all += tables.Text(0).toStdString() + ":";
        while (rows.Step())
            all += rows.Text(0).toStdString() + "," + rows.Text(2).toStdString() + "," +
                   rows.Text(3).toStdString() + ";";
        all += "\n";
    }
    return all;
}

class HostileDataFile : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        for (const char* name : {"帮助", "工作", "生活"})
            ASSERT_EQ(CreateCategory(*file, QString::fromUtf8(name)), CreateCategoryResult::Created);
        CategoryTable(*file, QStringLiteral("工作"))
            .Append(NoteId{1}, NoteId{0}, QStringLiteral("周报"), QStringLiteral("周一"));
        CategoryTable(*file, QStringLiteral("生活"))
            .Append(NoteId{1}, NoteId{0}, QStringLiteral("菜谱"), QStringLiteral("面"));
        file.reset();
    }
};

} // namespace

TEST_F(HostileDataFile, TriggersOfTheFileNeverRunAndAreNamedOnce) {
    const struct {
        const char* trigger;
        const char* named;
    } cases[] = {
        {"CREATE TRIGGER evil AFTER UPDATE ON 帮助 BEGIN DELETE FROM 工作; UPDATE 生活 SET Info='PWNED'; END",
         "触发器 evil"},
        {"CREATE TRIGGER onadd AFTER INSERT ON 帮助 BEGIN DELETE FROM 工作; END", "触发器 onadd"},
        {"CREATE TRIGGER ondelete AFTER DELETE ON 帮助 BEGIN DELETE FROM 生活; END", "触发器 ondelete"},
        {"CREATE TABLE hidden(t); CREATE TRIGGER steal AFTER UPDATE ON 帮助 BEGIN INSERT INTO hidden "
         "VALUES (NEW.Info); END",
         "触发器 steal"},
        {"CREATE TRIGGER ignore BEFORE INSERT ON 帮助 BEGIN SELECT RAISE(IGNORE); END", "触发器 ignore"},
        {"CREATE VIEW 近期 AS SELECT * FROM 工作", "视图 近期"},
    };
    for (const auto& c : cases) {
        QFile::remove(dataPath());
        SetUp();
        Foreign(dataPath(), c.trigger);
        DataFile data(dataPath());
        EXPECT_EQ(ForeignSqlText(data),
                  dataPath() + QStringLiteral("\r\n数据文件中有触发器/视图，本程序不会执行它们：") +
                      QString::fromUtf8(c.named));
        const std::string others = Everything(data);
        CategoryTable help(data, QStringLiteral("帮助"));
        const RecordId added =
            help.Append(NoteId{1}, NoteId{0}, QStringLiteral("新"), QStringLiteral("新的"));
        help.WriteInfo({added, NoteId{1}}, QStringLiteral("秘密"));
        EXPECT_EQ(help.ReadInfo({added, NoteId{1}}), QStringLiteral("秘密")) << c.trigger;
        help.Delete(std::vector<RecordRef>{{added, NoteId{1}}});
        EXPECT_EQ(Everything(data), others) << c.trigger;
        // Nothing was dropped: the trigger or view is still in the file.
        EXPECT_EQ(data.ForeignSqlObjects().size(), 1u);
    }
    DataFile clean(dataPath());
    clean.db().Exec("DROP VIEW 近期");
    EXPECT_EQ(ForeignSqlText(clean), QString());
}

TEST_F(HostileDataFile, ViewsAreListedButNeverReadAsCategories) {
    // A view that would never end if it were read.
    Foreign(dataPath(),
            "CREATE VIEW 无尽 AS WITH RECURSIVE n(ID) AS (SELECT 1 UNION ALL SELECT ID + 1 FROM n) "
            "SELECT ID, ID AS Parent, 'x' AS Name, 'x' AS Info FROM n");
    DataFile data(dataPath());
    EXPECT_TRUE(data.Categories().contains(QStringLiteral("无尽")));
    CategoryTable view(data, QStringLiteral("无尽"));
    EXPECT_THROW(view.LoadHeaders(), CategoryUnusable);
    const auto hits = SearchNotes(data.db(), data.Categories(), QStringLiteral("x"), SearchField::Title);
    for (const SearchHit& hit : hits)
        EXPECT_NE(hit.category, QStringLiteral("无尽"));
    EXPECT_THROW(data.db().Exec("SELECT * FROM 无尽"), StoreError);
}

TEST_F(HostileDataFile, EngineFailuresComeInPlainWords) {
    DataFile data(dataPath());
    CategoryTable work(data, QStringLiteral("工作"));
    const auto header = work.LoadHeaders().back();
    const std::string before = Everything(data);
    const struct {
        const char* what;
        std::function<void()> fault;
        const char* said;
    } cases[] = {
        {"full disk",
         [&] {
             Statement pages(data.db(), QStringLiteral("PRAGMA page_count"));
             pages.Step();
             data.db().Exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages.Int(0)));
         },
         "磁盘已满"},
        {"I/O error", [] { qj_fault_arm("write", "dataly.dat", EIO, 0); }, "读写磁盘出错"},
        {"other shape", [&] { data.db().Exec("ALTER TABLE 工作 DROP COLUMN Parent"); }, "格式不同"},
    };
    for (const auto& c : cases) {
        c.fault();
        try {
            if (QByteArrayView(c.what) == "other shape")
                work.SetParent(header.record(), NoteId{7});
            else
                work.WriteInfo(header.record(), QString(200000, QChar(u'长')));
            ADD_FAILURE() << c.what;
        } catch (const StoreError& e) {
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.said))) << c.what << ": " << e.what();
        }
        qj_fault_disarm();
        data.db().Exec("PRAGMA max_page_count = 1073741823");
        if (QByteArrayView(c.what) != "other shape") {
            EXPECT_EQ(Everything(data), before) << c.what;
        }
    }
}

TEST_F(HostileDataFile, OpeningSaysWhatTheFileIs) {
    QTemporaryDir other;
    const QString folder = other.filePath(QStringLiteral("dataly.dat"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString text = other.filePath(QStringLiteral("text.dat"));
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    const struct {
        QString path;
        const char* said;
    } cases[] = {
        {folder, "是一个文件夹，不是数据文件"},
        {text, "这不是本程序的数据文件"},
    };
    for (const auto& c : cases) {
        try {
            DataFile data(c.path);
            ADD_FAILURE() << c.said;
        } catch (const DataFileMissing&) {
            ADD_FAILURE() << "reported as missing: " << c.said;
        } catch (const StoreError& e) {
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.said))) << e.what();
        }
    }
    EXPECT_THROW(DataFile(other.filePath(QStringLiteral("none.dat"))), DataFileMissing);
}

TEST_F(HostileDataFile, ANoteTooLargeToEditIsRefusedBeforeItIsRead) {
    DataFile data(dataPath());
    CategoryTable work(data, QStringLiteral("工作"));
    // Stored sizes at both sides of the limit (zero bytes: the text is never made in memory here).
    const struct {
        std::int64_t bytes;
        bool opened;
    } cases[] = {{kMaxNoteBytes, true}, {kMaxNoteBytes + 1, false}};
    for (const auto& c : cases) {
        const RecordId rowid = work.Append(NoteId{5}, NoteId{0}, QStringLiteral("大"));
        Statement fill(data.db(), QStringLiteral("UPDATE 工作 SET Info = zeroblob(?1) WHERE rowid = ?2"));
        fill.Bind(1, c.bytes).Bind(2, rowid.value());
        fill.Run();
        EXPECT_EQ(work.StoredInfoBytes({rowid, NoteId{5}}), c.bytes);
        if (c.opened) {
            EXPECT_EQ(work.ReadInfo({rowid, NoteId{5}}).size(), c.bytes);
        } else {
            try {
                work.ReadInfo({rowid, NoteId{5}});
                ADD_FAILURE() << c.bytes;
            } catch (const StoreError& e) {
                EXPECT_TRUE(e.text().contains(QStringLiteral("太大"))) << e.what();
                EXPECT_TRUE(e.text().contains(QStringLiteral("100 MB"))) << e.what();
            }
        }
        work.Delete(std::vector<RecordRef>{{rowid, NoteId{5}}});
    }
    // A NULL text has no stored size and reads as empty.
    const RecordId empty = work.Append(NoteId{6}, NoteId{0}, QStringLiteral("空"));
    EXPECT_EQ(work.StoredInfoBytes({empty, NoteId{6}}), -1);
    EXPECT_TRUE(work.ReadInfo({empty, NoteId{6}}).isEmpty());
}
