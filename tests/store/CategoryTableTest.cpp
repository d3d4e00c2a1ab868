#include "StoreTestFolder.h"

#include "store/CategoryTable.h"
#include "store/DefaultCategory.h"

using namespace qj;
using qj::test::StoreTest;

namespace {

struct Row {
    int id;
    int parent;
    QString name;
    QString info;
    bool infoNull;
    friend bool operator==(const Row&, const Row&) = default;
};

// Every row in stored order, read straight from the file.
std::vector<Row> Dump(DataFile& file, const QString& table) {
    Statement st(
        file.db(),
        QStringLiteral("SELECT ID, Parent, Name, Info FROM %1 ORDER BY rowid").arg(QuoteIdentifier(table)));
    std::vector<Row> rows;
    while (st.Step())
        rows.push_back({st.Int(0), st.Int(1), st.Text(2), st.Text(3), st.IsNull(3)});
    return rows;
}

class CategoryTableTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_EQ(CreateCategory(*file, name), CreateCategoryResult::Created);
        table = std::make_unique<CategoryTable>(*file, name);
    }
    QString name = QStringLiteral("笔记");
    std::unique_ptr<CategoryTable> table;
};

} // namespace

TEST_F(CategoryTableTest, TitleLimitsAreEnforcedAndARefusedWriteChangesNothing) {
    table->Append(1, 0, QStringLiteral("甲"));
    const auto before = Dump(*file, name);
    const QString fifty(50, QChar(0x5B57));
    const QString fiftyOne(51, QChar(0x5B57));

    EXPECT_THROW(table->Append(2, 0, fiftyOne), StoreError);
    EXPECT_THROW(table->Append(2, 0, QString()), StoreError);
    EXPECT_THROW(table->Append(2, 0, QStringLiteral("")), StoreError);
    EXPECT_THROW(table->Rename(1, fiftyOne), StoreError);
    EXPECT_THROW(table->Rename(1, QStringLiteral("")), StoreError);
    EXPECT_EQ(Dump(*file, name), before);

    try {
        table->Append(2, 0, fiftyOne);
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("50"))) << e.what();
    }

    table->Append(2, 0, fifty);
    EXPECT_TRUE(table->Rename(1, fifty));
    EXPECT_EQ(table->LoadHeaders()[1].name, fifty);
}

TEST_F(CategoryTableTest, EmptyTextIsStoredAsNullAndTextsRoundTrip) {
    const QString texts[] = {
        QStringLiteral("第一行\r\n第二行\r\n"),
        QStringLiteral("'; DROP TABLE \"笔记\"; --"),
        QString::fromUtf8("emoji \xF0\x9F\x98\x80 and NUL-free\ttabs"),
    };
    for (const QString& text : texts) {
        ASSERT_TRUE(table->WriteInfo(0, text));
        EXPECT_EQ(table->ReadInfo(0), text);
    }
    ASSERT_TRUE(table->WriteInfo(0, QStringLiteral("")));
    EXPECT_TRUE(Dump(*file, name)[0].infoNull);
    table->Append(1, 0, QStringLiteral("乙"), QStringLiteral(""));
    EXPECT_TRUE(Dump(*file, name)[1].infoNull);
    EXPECT_TRUE(table->ReadInfo(1).isEmpty());
}

TEST_F(CategoryTableTest, WritesToAMissingNoteChangeNothing) {
    const auto before = Dump(*file, name);
    EXPECT_FALSE(table->WriteInfo(7, QStringLiteral("不该写入")));
    EXPECT_FALSE(table->Rename(7, QStringLiteral("x")));
    EXPECT_FALSE(table->SetParent(7, 0));
    EXPECT_EQ(Dump(*file, name), before);
}

TEST_F(CategoryTableTest, RepeatedIdsActOnTheFirstStoredRecordOnly) {
    file->db().Exec(QStringLiteral("INSERT INTO \"笔记\" VALUES (5, 0, '先', NULL), (5, 0, '后', NULL)"));
    EXPECT_TRUE(table->WriteInfo(5, QStringLiteral("内容")));
    EXPECT_TRUE(table->Rename(5, QStringLiteral("先改")));
    auto rows = Dump(*file, name);
    EXPECT_EQ(rows[1], (Row{5, 0, QStringLiteral("先改"), QStringLiteral("内容"), false}));
    EXPECT_EQ(rows[2].name, QStringLiteral("后"));
    EXPECT_TRUE(rows[2].infoNull);
    const int ids[] = {5};
    table->Delete(ids);
    rows = Dump(*file, name);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].name, QStringLiteral("后"));
}

TEST_F(CategoryTableTest, HeadersSkipRecordsWithoutIdAndKeepNullParents) {
    file->db().Exec(
        QStringLiteral("INSERT INTO \"笔记\" VALUES (NULL, 0, '无号', NULL), (3, NULL, '无父', NULL), "
                       "(4, 3, '子', 'x')"));
    const auto h = table->LoadHeaders();
    ASSERT_EQ(h.size(), 3u);
    EXPECT_EQ(h[1].id, 3);
    EXPECT_FALSE(h[1].parent.has_value());
    EXPECT_EQ(h[2].parent, 3);
    EXPECT_EQ(table->RecordCount(), 4);
}

TEST_F(CategoryTableTest, CopyFailingHalfWayLeavesTheTableAsItWas) {
    table->Append(1, 0, QStringLiteral("甲"), QStringLiteral("甲的内容"));
    table->Append(2, 1, QStringLiteral("乙"), QStringLiteral("乙的内容"));
    const auto before = Dump(*file, name);

    // The third copy's source is missing: the first two must not stay.
    const NoteCopy missingSource[] = {{1, 10, 0}, {2, 11, 10}, {99, 12, 10}};
    EXPECT_THROW(table->Copy(missingSource), StoreError);
    EXPECT_EQ(Dump(*file, name), before);

    // The engine refusing the second insert (a full disk, say): same.
    file->db().Exec(QStringLiteral("UPDATE \"笔记\" SET Info = 'long' WHERE ID = 2"));
    const auto before2 = Dump(*file, name);
    file->db().Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON \"笔记\" WHEN NEW.ID = 11 "
                                   "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    const NoteCopy copies[] = {{1, 10, 0}, {2, 11, 10}};
    EXPECT_THROW(table->Copy(copies), StoreError);
    EXPECT_EQ(Dump(*file, name), before2);
    file->db().Exec("DROP TRIGGER refuse");

    table->Copy(copies);
    const auto rows = Dump(*file, name);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[3], (Row{10, 0, QStringLiteral("甲"), QStringLiteral("甲的内容"), false}));
    EXPECT_EQ(rows[4], (Row{11, 10, QStringLiteral("乙"), QStringLiteral("long"), false}));
}

TEST_F(CategoryTableTest, DeleteFailingHalfWayLeavesTheTableAsItWas) {
    for (int id = 1; id <= 4; ++id)
        table->Append(id, id - 1, QStringLiteral("节点%1").arg(id));
    const auto before = Dump(*file, name);
    file->db().Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON \"笔记\" WHEN OLD.ID = 2 "
                                   "BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    const int ids[] = {4, 3, 2, 1};
    EXPECT_THROW(table->Delete(ids), StoreError);
    EXPECT_EQ(Dump(*file, name), before);
}
