// The search cache finds exactly what LIKE finds, on a fresh file and after every kind of change: by
// this program, by another connection, to the schema, to the cache file itself.
#include "store/SearchCache.h"
#include "store/CategoryTable.h"
#include "store/DefaultCategory.h"
#include "store/NoteSearch.h"

#include "StoreTestFolder.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace qj {
namespace {

class SearchCacheTest : public test::StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        for (const char* name : {"甲", "乙'引", "50%", "空"}) {
            categories << QString::fromUtf8(name);
            CreateCategory(*file, categories.back());
        }
        Transaction tx(file->db());
        for (int c = 0; c < 3; ++c) {
            CategoryTable table(*file, categories[c]);
            for (int n = 0; n < 60; ++n)
                table.Append(NoteId{n + 1}, NoteId{0}, Random(8), n % 9 == 4 ? QString() : Random(120));
        }
        // An occurrence never runs from one text into the next; one right after another is found.
        CategoryTable edges(*file, categories[1]);
        for (const char* text : {"末资", "料首", "资料", "资料z"})
            edges.Append(NoteId{100}, NoteId{0}, QStringLiteral("边"), QString::fromUtf8(text));
        tx.Commit();
    }
    QString Random(int maxLength) {
        static const QString alphabet = QStringLiteral("aAbBxX%_\\'\" 中文学习資资料笔记");
        QString s = QLatin1String("");
        const int n = 1 + static_cast<int>(rng() % static_cast<unsigned>(maxLength));
        for (int i = 0; i < n; ++i)
            s += alphabet[static_cast<qsizetype>(rng() % static_cast<unsigned>(alphabet.size()))];
        return s;
    }
    // What a plain LIKE over every table finds (its wildcards escaped: the text is looked for as it is).
    QStringList LikeHits(const QString& text) {
        QStringList out;
        for (const QString& category : categories) {
            Statement st(file->db(),
                         QStringLiteral("SELECT rowid, ID, Name FROM %1 WHERE Info LIKE '%' || "
                                        "replace(replace(replace(?1, '\\', '\\\\'), '%', '\\%'), '_', '\\_') "
                                        "|| '%' ESCAPE '\\'")
                             .arg(QuoteIdentifier(category)));
            st.Bind(1, text);
            while (st.Step())
                out << QStringLiteral("%1/%2/%3/%4")
                           .arg(category)
                           .arg(st.Int64(0))
                           .arg(st.Int64(1))
                           .arg(st.Text(2));
        }
        return out;
    }
    QStringList CachedHits(const QString& text) {
        QStringList out;
        for (const SearchHit& h : SearchNotes(*file, categories, text, SearchField::Content))
            out << QStringLiteral("%1/%2/%3/%4")
                       .arg(h.category)
                       .arg(h.rowid.value())
                       .arg(h.id->value())
                       .arg(h.name);
        return out;
    }
    // 200 queries: Chinese of 1–4 characters, Latin in every case, mixed, wildcards, quotes; most
    // cut from the notes' texts so that they have hits.
    QStringList Queries() {
        QStringList queries{QStringLiteral("%"),    QStringLiteral("_"),        QStringLiteral("'"),
                            QStringLiteral("\""),   QStringLiteral("\\"),       QStringLiteral("资料"),
                            QStringLiteral("資料"), QStringLiteral("笔记学习"), QStringLiteral("ab"),
                            QStringLiteral("AB"),   QStringLiteral("aB"),       QStringLiteral("中a"),
                            QStringLiteral("x%_"),  QStringLiteral("没有的")};
        Statement st(file->db(), QStringLiteral("SELECT Info FROM \"甲\" WHERE Info IS NOT NULL"));
        std::vector<QString> texts;
        while (st.Step())
            texts.push_back(st.Text(0));
        while (queries.size() < 200) {
            const QString& t = texts[rng() % texts.size()];
            const int length = 1 + static_cast<int>(rng() % 4);
            QString q = t.mid(static_cast<qsizetype>(rng() % static_cast<unsigned>(t.size())), length);
            if (rng() % 3 == 0)
                q = rng() % 2 ? q.toUpper() : q.toLower();
            queries << q;
        }
        return queries;
    }
    void ExpectSameHitsAsLike(const char* when) {
        for (const QString& q : Queries())
            ASSERT_EQ(CachedHits(q), LikeHits(q)) << when << ": " << q.toStdString();
    }

    std::mt19937 rng{33};
    QStringList categories;
};

TEST_F(SearchCacheTest, SameHitsAsLikeAfterEveryKindOfChange) {
    ExpectSameHitsAsLike("made");
    ASSERT_TRUE(QFile::exists(file->searchCache().path()));
    {
        CategoryTable table(*file, categories[0]);
        // Record n + 1 holds note n (the first one is the category's own).
        table.WriteInfo(RecordRef{RecordId{2}, NoteId{1}}, QStringLiteral("新写的资料 xAb"));
        table.Append(NoteId{99}, NoteId{0}, QStringLiteral("新"), QStringLiteral("追加 ab 笔记"));
        table.Delete(std::vector{RecordRef{RecordId{3}, NoteId{2}}});
        table.WriteInfo(RecordRef{RecordId{5}, NoteId{4}}, QString());
    }
    ExpectSameHitsAsLike("after this program's writes");
    CategoryTable(*file, categories[0])
        .Delete(std::vector{RecordRef{RecordId{2}, NoteId{1}}}); // written before
    ExpectSameHitsAsLike("after a record read in before was deleted");
    EXPECT_EQ(file->searchCache().filesWritten(), 1) << "read in, not made anew";
    {
        Database other(dataPath(), Database::Mode::OpenExisting);
        other.Exec("UPDATE \"乙'引\" SET Info = '另一个程序 ab' WHERE rowid = 7; DELETE FROM \"50%\" WHERE "
                   "rowid < 5;"
                   "INSERT INTO \"空\" VALUES (1, 0, '外', '外来的资料 AB')");
    }
    ExpectSameHitsAsLike("after another connection's writes");
    EXPECT_EQ(file->searchCache().filesWritten(), 2);
    // A name that passed to another table: the cache must not answer for it with the old texts.
    file->db().Exec("ALTER TABLE \"空\" RENAME TO \"满\"; ALTER TABLE \"甲\" RENAME TO \"空\";"
                    "ALTER TABLE \"满\" RENAME TO \"甲\"");
    ExpectSameHitsAsLike("after two tables swapped their names");
    // Written by another program while closed, the file's size and time kept (as a sync tool may):
    // its change counter tells.
    file->Close();
    const QByteArray name = QFile::encodeName(dataPath());
    struct stat before {};
    ASSERT_EQ(::stat(name.constData(), &before), 0);
    {
        Database other(dataPath(), Database::Mode::OpenExisting);
        other.Exec("UPDATE \"乙'引\" SET Info = 'while closed ab' WHERE rowid = 9");
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
    file->Reopen();
    ExpectSameHitsAsLike("after a change while the file was closed");
    // More rows changed at once than the connection keeps: made anew.
    file->db().Exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i <= 20000) "
        "INSERT INTO \"50%\" (ID, Parent, Name, Info) SELECT 1000 + i, 0, 'many', 'many 资料' FROM n");
    for (const QString& q : {QStringLiteral("many"), QStringLiteral("资料")})
        EXPECT_EQ(CachedHits(q), LikeHits(q)) << "after more changes than are kept";
}

// A cache file that is damaged, cut short, from another state of the data file or missing is made
// anew; one that cannot be written leaves the search to the data file.
TEST_F(SearchCacheTest, ADamagedStaleOrMissingCacheIsNeverTrusted) {
    const QString query = QStringLiteral("资料");
    const QStringList expected = LikeHits(query);
    ASSERT_EQ(CachedHits(query), expected);
    const QString cache = file->searchCache().path();
    QFile f(cache);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    f.close();
    const auto rewrite = [&](const QByteArray& bytes) {
        QFile::remove(cache);
        QFile out(cache);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    };
    const QByteArray stale = [&] {
        QByteArray b = good;
        b[40] = static_cast<char>(b[40] ^ 1); // the change counter in the stamp
        return b;
    }();
    const QByteArray flipped = [&] {
        QByteArray b = good;
        std::uint64_t records = 0; // where the records begin, as the header says
        std::memcpy(&records, b.constData() + 80, sizeof records);
        b[static_cast<qsizetype>(records)] = static_cast<char>(b[static_cast<qsizetype>(records)] ^ 0x40);
        return b;
    }();
    for (const QByteArray& bytes :
         {stale, flipped, good.left(good.size() / 2), good.left(10), QByteArray()}) {
        file = std::make_unique<DataFile>(dataPath()); // a new run of the program
        rewrite(bytes);
        EXPECT_EQ(CachedHits(query), expected);
        QFile made(cache);
        ASSERT_TRUE(made.open(QIODevice::ReadOnly));
        EXPECT_EQ(made.readAll(), good) << "made anew";
    }
    file = std::make_unique<DataFile>(dataPath());
    QFile::remove(cache);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QFileInfo(cache).fileName())); // a folder where the cache goes
    EXPECT_EQ(CachedHits(query), expected);
    EXPECT_FALSE(file->searchCache().Sync(file->db()));
}

// The options reach the cached texts and the titles: words, both forms of a character, readings.
TEST_F(SearchCacheTest, OptionsFindOverTheCacheAndTheTitles) {
    categories = QStringList{QStringLiteral("空")};
    CategoryTable table(*file, categories[0]);
    table.Append(NoteId{1}, NoteId{0}, QStringLiteral("筆記"), QStringLiteral("資料 与 笔记"));
    table.Append(NoteId{2}, NoteId{0}, QStringLiteral("重庆"), QStringLiteral("资料"));
    struct Case {
        const char* text;
        SearchField field;
        SearchOptions options;
        QStringList names;
    } cases[] = {
        {"资料", SearchField::Content, {}, {"重庆", "無號"}},
        {"资料", SearchField::Content, {false, true, false}, {"筆記", "重庆", "無號"}},
        {"笔记 资料", SearchField::Content, {true, true, false}, {"筆記"}},
        {"笔记 资料", SearchField::Content, {true, false, false}, {}},
        {"chq", SearchField::Title, {false, false, true}, {"重庆"}},
        {"bj", SearchField::Title, {false, false, true}, {"筆記"}},
        {"bj", SearchField::Title, {}, {}},
        {"笔记", SearchField::Title, {false, true, false}, {"筆記"}},
    };
    // A table without record numbers is not held by the cache: it is searched in the data file.
    file->db().Exec("CREATE TABLE \"无号\" (ID INTEGER PRIMARY KEY, Parent, Name, Info) WITHOUT ROWID;"
                    "INSERT INTO \"无号\" VALUES (1, 0, '無號', '资料')");
    categories << QStringLiteral("无号");
    for (const Case& c : cases) {
        QStringList names;
        for (const SearchHit& h :
             SearchNotes(*file, categories, QString::fromUtf8(c.text), c.field, c.options))
            names << h.name;
        EXPECT_EQ(names, c.names) << c.text;
    }
}

// A search inside a write of the connection reads the data file: what the write changed may yet be
// rolled back.
TEST_F(SearchCacheTest, ASearchInsideAWriteReadsTheDataFile) {
    const QString query = QStringLiteral("回滚");
    ASSERT_TRUE(CachedHits(query).isEmpty());
    {
        Transaction tx(file->db());
        file->db().Exec("UPDATE \"甲\" SET Info = '回滚' WHERE rowid = 1");
        EXPECT_FALSE(file->searchCache().Sync(file->db()));
        EXPECT_EQ(CachedHits(query).size(), 1);
    }
    EXPECT_TRUE(CachedHits(query).isEmpty());
}

} // namespace
} // namespace qj
