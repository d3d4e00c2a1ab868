#include "StoreTestFolder.h"

#include "FaultInjection.h"

#include "store/CategoryTable.h"
#include "store/DefaultCategory.h"

#include <cerrno>

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
    // The record of the stored row at `index` (0: the category's first note).
    RecordRef At(size_t index) { return table->LoadHeaders().at(index).record(); }
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
    table->Append(NoteId{1}, NoteId{0}, QStringLiteral("甲"));
    const auto before = Dump(*file, name);
    const QString fifty(50, QChar(0x5B57));
    const QString fiftyOne(51, QChar(0x5B57));

    EXPECT_THROW(table->Append(NoteId{2}, NoteId{0}, fiftyOne), StoreError);
    EXPECT_THROW(table->Append(NoteId{2}, NoteId{0}, QString()), StoreError);
    EXPECT_THROW(table->Append(NoteId{2}, NoteId{0}, QStringLiteral("")), StoreError);
    EXPECT_THROW(table->Rename(At(1), fiftyOne), StoreError);
    EXPECT_THROW(table->Rename(At(1), QStringLiteral("")), StoreError);
    EXPECT_EQ(Dump(*file, name), before);

    try {
        table->Append(NoteId{2}, NoteId{0}, fiftyOne);
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("50"))) << e.what();
    }

    table->Append(NoteId{2}, NoteId{0}, fifty);
    table->Rename(At(1), fifty);
    EXPECT_EQ(table->LoadHeaders()[1].name, fifty);
}

TEST_F(CategoryTableTest, EmptyTextIsStoredAsNullAndTextsRoundTrip) {
    const QString texts[] = {
        QStringLiteral("第一行\r\n第二行\r\n"),
        QStringLiteral("'; DROP TABLE \"笔记\"; --"),
        QString::fromUtf8("emoji \xF0\x9F\x98\x80 and NUL-free\ttabs"),
    };
    for (const QString& text : texts) {
        table->WriteInfo(At(0), text);
        EXPECT_EQ(table->ReadInfo(At(0)), text);
    }
    table->WriteInfo(At(0), QStringLiteral(""));
    EXPECT_TRUE(Dump(*file, name)[0].infoNull);
    table->Append(NoteId{1}, NoteId{0}, QStringLiteral("乙"), QStringLiteral(""));
    EXPECT_TRUE(Dump(*file, name)[1].infoNull);
    EXPECT_TRUE(table->ReadInfo(At(1)).isEmpty());
}

TEST_F(CategoryTableTest, WritesToAGoneRecordAreRefusedAndChangeNothing) {
    table->Append(NoteId{7}, NoteId{0}, QStringLiteral("七"));
    const RecordRef seven = At(1);
    // Deleted by another program; and a record whose ID another program changed meanwhile.
    const RecordRef gone{RecordId{seven.rowid.value() + 100}, NoteId{7}};
    const RecordRef changed{seven.rowid, NoteId{8}};
    const auto before = Dump(*file, name);
    for (const RecordRef& r : {gone, changed}) {
        EXPECT_THROW(table->WriteInfo(r, QStringLiteral("不该写入")), RecordGone);
        EXPECT_THROW(table->Rename(r, QStringLiteral("x")), RecordGone);
        EXPECT_THROW(table->SetParent(r, NoteId{0}), RecordGone);
        EXPECT_THROW(table->ReadInfo(r), RecordGone);
        EXPECT_FALSE(table->Exists(r));
    }
    EXPECT_EQ(Dump(*file, name), before);
}

TEST_F(CategoryTableTest, RepeatedIdsAreRecordsOfTheirOwn) {
    file->db().Exec(QStringLiteral("INSERT INTO \"笔记\" VALUES (5, 0, '先', NULL), (5, 0, '后', NULL)"));
    const RecordRef first = At(1);
    const RecordRef second = At(2);
    table->WriteInfo(second, QStringLiteral("后的内容"));
    table->Rename(second, QStringLiteral("后改"));
    table->SetParent(second, NoteId{9});
    EXPECT_EQ(table->ReadInfo(second), QStringLiteral("后的内容"));
    EXPECT_TRUE(table->ReadInfo(first).isNull());
    const NoteCopy copy[] = {{second, NoteId{6}, NoteId{0}}};
    table->Copy(copy);
    auto rows = Dump(*file, name);
    EXPECT_EQ(rows[1], (Row{5, 0, QStringLiteral("先"), QString(), true}));
    EXPECT_EQ(rows[2], (Row{5, 9, QStringLiteral("后改"), QStringLiteral("后的内容"), false}));
    EXPECT_EQ(rows[3], (Row{6, 0, QStringLiteral("后改"), QStringLiteral("后的内容"), false}));
    const RecordRef doomed[] = {second};
    table->Delete(doomed);
    rows = Dump(*file, name);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].name, QStringLiteral("先"));
}

TEST_F(CategoryTableTest, OnlyIntegersAreIdsAndParents) {
    file->db().Exec(QStringLiteral(
        "INSERT INTO \"笔记\" VALUES (NULL, 0, '无号', NULL), (2.5, 0, '小数', NULL), ('abc', 0, '文字', "
        "NULL), "
        "('12abc', 0, '半数', NULL), (3, NULL, '无父', NULL), (4, 3, '子', 'x'), (5, 2.5, '小数父', NULL), "
        "(6, 'abc', '文字父', NULL), (1099511627776, 1099511627776, '大号', NULL), ('7', '3', '数字文本', "
        "NULL)"));
    struct Expected {
        std::int64_t id;
        std::optional<std::int64_t> parent;
    };
    const Expected expected[] = {{0, 0},
                                 {3, std::nullopt},
                                 {4, 3},
                                 {5, std::nullopt},
                                 {6, std::nullopt},
                                 {1099511627776, 1099511627776},
                                 {7, 3}};
    const auto h = table->LoadHeaders();
    ASSERT_EQ(h.size(), std::size(expected));
    for (size_t i = 0; i < h.size(); ++i) {
        EXPECT_EQ(h[i].id.value(), expected[i].id) << i;
        EXPECT_EQ(h[i].parent.has_value(), expected[i].parent.has_value()) << i;
        if (h[i].parent && expected[i].parent) {
            EXPECT_EQ(h[i].parent->value(), *expected[i].parent) << i;
        }
    }
    EXPECT_EQ(table->RecordCount(), 11);
}

TEST_F(CategoryTableTest, CopyFailingHalfWayLeavesTheTableAsItWas) {
    table->Append(NoteId{1}, NoteId{0}, QStringLiteral("甲"), QStringLiteral("甲的内容"));
    table->Append(NoteId{2}, NoteId{1}, QStringLiteral("乙"), QStringLiteral("乙的内容"));
    const auto before = Dump(*file, name);

    // The third copy's source is missing: the first two must not stay.
    const RecordRef one = At(1);
    const RecordRef two = At(2);
    const NoteCopy missingSource[] = {
        {one, NoteId{10}, NoteId{0}},
        {two, NoteId{11}, NoteId{10}},
        {{RecordId{two.rowid.value() + 1}, NoteId{99}}, NoteId{12}, NoteId{10}}};
    EXPECT_THROW(table->Copy(missingSource), RecordGone);
    EXPECT_EQ(Dump(*file, name), before);

    // The engine refusing the second insert (a full disk: the file may not grow, and only the
    // second copy, a long text, needs more room): same.
    const QString longText(100000, QLatin1Char('l'));
    table->WriteInfo(two, longText);
    const auto before2 = Dump(*file, name);
    Statement pages(file->db(), QStringLiteral("PRAGMA page_count"));
    ASSERT_TRUE(pages.Step());
    file->db().Exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages.Int(0) + 1));
    const NoteCopy copies[] = {{one, NoteId{10}, NoteId{0}}, {two, NoteId{11}, NoteId{10}}};
    EXPECT_THROW(table->Copy(copies), StoreError);
    EXPECT_EQ(Dump(*file, name), before2);
    file->db().Exec("PRAGMA max_page_count = 1073741823");

    table->Copy(copies);
    const auto rows = Dump(*file, name);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[3], (Row{10, 0, QStringLiteral("甲"), QStringLiteral("甲的内容"), false}));
    EXPECT_EQ(rows[4], (Row{11, 10, QStringLiteral("乙"), longText, false}));
}

TEST_F(CategoryTableTest, DeleteFailingHalfWayLeavesTheTableAsItWas) {
    for (int id = 1; id <= 4; ++id)
        table->Append(NoteId{id}, NoteId{id - 1}, QStringLiteral("节点%1").arg(id));
    const auto before = Dump(*file, name);
    // The disk fails when the deletions are written.
    const RecordRef records[] = {At(4), At(3), At(2), At(1)};
    qj_fault_arm("write", "dataly.dat", EIO, 0);
    EXPECT_THROW(table->Delete(records), StoreError);
    qj_fault_disarm();
    EXPECT_EQ(Dump(*file, name), before);
}

TEST_F(CategoryTableTest, TablesOfAnotherShapeAreRefusedByNameAndReason) {
    const struct {
        const char* create;
        const char* reason;
    } cases[] = {
        {"CREATE TABLE \"甲\" (Parent INTEGER, Name TEXT, Info TEXT)", "没有 ID 列"},
        {"CREATE TABLE \"甲\" (ID INTEGER, Name TEXT, Info TEXT)", "没有 Parent 列"},
        {"CREATE TABLE \"甲\" (ID INTEGER, Parent INTEGER, Info TEXT)", "没有 Name 列"},
        {"CREATE TABLE \"甲\" (ID INTEGER, Parent INTEGER, Name TEXT)", "没有 Info 列"},
        {"CREATE TABLE \"甲\" (ID INTEGER PRIMARY KEY, Parent INTEGER, Name TEXT, Info TEXT) WITHOUT ROWID",
         "WITHOUT ROWID"},
        {"CREATE VIEW \"甲\" AS SELECT ID, Parent, Name, Info FROM \"笔记\"", "视图"},
        {"CREATE TABLE \"甲\" (ID INTEGER, Parent INTEGER, Name TEXT, Info TEXT, RowID INTEGER)", "rowid"},
        {"CREATE TABLE \"甲\" (ID INTEGER, Parent INTEGER, Name TEXT, Info TEXT, oid INTEGER)", "oid"},
    };
    for (const auto& c : cases) {
        for (const char* drop : {"DROP VIEW IF EXISTS \"甲\"", "DROP TABLE IF EXISTS \"甲\""}) {
            try {
                file->db().Exec(QString::fromUtf8(drop));
            } catch (const StoreError&) { // the other kind of object
            }
        }
        file->db().Exec(QString::fromUtf8(c.create));
        CategoryTable shaped(*file, QStringLiteral("甲"));
        try {
            shaped.LoadHeaders();
            ADD_FAILURE() << c.create;
        } catch (const CategoryUnusable& e) {
            EXPECT_TRUE(e.text().startsWith(QStringLiteral("目录分类“甲”无法显示")))
                << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.reason))) << e.text().toStdString();
        }
    }
    // Lower-case column names are the same columns: such a table is shown.
    file->db().Exec(QStringLiteral("DROP TABLE \"甲\""));
    file->db().Exec(QStringLiteral("CREATE TABLE \"甲\" (id INTEGER, parent INTEGER, name TEXT, info TEXT)"));
    file->db().Exec(QStringLiteral("INSERT INTO \"甲\" VALUES (1, 0, 'a', NULL)"));
    EXPECT_EQ(CategoryTable(*file, QStringLiteral("甲")).LoadHeaders().size(), 1u);
    EXPECT_NO_THROW(table->LoadHeaders()); // the category made by the program is shown
}
