#include "StoreTestFolder.h"

#include "store/CurrentCategory.h"
#include "store/DefaultCategory.h"

using namespace qj;
using qj::test::StoreTest;

namespace {

// "id<parent:name>" of every record in stored order.
std::vector<std::string> Records(DataFile& file, const QString& table) {
    Statement st(
        file.db(),
        QStringLiteral("SELECT ID, Parent, Name, Info FROM %1 ORDER BY rowid").arg(QuoteIdentifier(table)));
    std::vector<std::string> rows;
    while (st.Step())
        rows.push_back(QStringLiteral("%1<%2:%3%4")
                           .arg(st.Int(0))
                           .arg(st.Int(1))
                           .arg(st.Text(2), st.IsNull(3) ? QString() : QStringLiteral("=") + st.Text(3))
                           .toStdString());
    return rows;
}

class CurrentCategoryTest : public StoreTest {
protected:
    void Open(const QString& name) {
        if (!file->CategoryExists(name)) {
            ASSERT_EQ(CreateCategory(*file, name), CreateCategoryResult::Created);
        }
        cat = std::make_unique<CurrentCategory>(*file, name);
    }
    // An empty category (its first note removed).
    void OpenEmpty(const QString& name) {
        Open(name);
        cat->Delete(cat->tree().Roots()[0]);
    }
    NodeRef N(int id) const { return cat->tree().Find(NoteId{id}); }
    std::unique_ptr<CurrentCategory> cat;
};

} // namespace

TEST_F(CurrentCategoryTest, AddingNotesFollowsTheKeyParentAndTitleRules) {
    OpenEmpty(QStringLiteral("空"));
    // First note of an empty category: key 0, a root whose Parent is itself.
    const NodeRef a = cat->AddSibling(kNoNode, QStringLiteral("A"));
    EXPECT_EQ(cat->tree().Key(a), NoteId{0});
    const NodeRef child = cat->AddChild(a, QStringLiteral("  子 \t"));
    const NodeRef sibling = cat->AddSibling(child, QStringLiteral("  兄  "));
    const NodeRef blank = cat->AddChild(child, QStringLiteral(""));
    const NodeRef root = cat->AddSibling(a, QStringLiteral("根"));
    const NodeRef rootless = cat->AddChild(kNoNode, QStringLiteral(" 根2 "));
    EXPECT_EQ(Records(*file, QStringLiteral("空")),
              (std::vector<std::string>{"0<0:A", "1<0:子", "2<0:  兄  ", "3<1: ", "4<4:根", "5<5:根2"}));
    EXPECT_EQ(cat->tree().Title(blank), QStringLiteral(" "));
    EXPECT_EQ(cat->tree().Parent(sibling), a);
    EXPECT_EQ(cat->tree().Parent(root), kNoNode);
    EXPECT_EQ(cat->tree().Parent(rootless), kNoNode);

    // Reading the table back gives the same tree.
    CurrentCategory reread(*file, QStringLiteral("空"));
    EXPECT_EQ(reread.tree().AllPreOrder().size(), 6u);
    EXPECT_EQ(reread.tree().Children(reread.tree().Find(NoteId{1})).size(), 1u);
}

TEST_F(CurrentCategoryTest, NewKeyIgnoresFreeIdsBelowTheLargest) {
    Open(QStringLiteral("帮助"));
    cat->table().Append(NoteId{41}, NoteId{0}, QStringLiteral("四十一"));
    cat->table().Append(NoteId{3}, NoteId{0}, QStringLiteral("三"));
    cat->Reload();
    EXPECT_EQ(cat->tree().Key(cat->AddChild(N(3), QStringLiteral("新"))), NoteId{42});
}

TEST_F(CurrentCategoryTest, RefusedWriteLeavesTableAndTreeInStep) {
    Open(QStringLiteral("帮助"));
    const auto before = Records(*file, QStringLiteral("帮助"));
    const QString tooLong(51, QChar(0x957F));
    EXPECT_THROW(cat->AddChild(N(0), tooLong), StoreError);
    EXPECT_THROW(cat->Rename(N(0), tooLong), StoreError);
    EXPECT_THROW(cat->Rename(N(0), QString()), StoreError);
    EXPECT_EQ(Records(*file, QStringLiteral("帮助")), before);
    EXPECT_EQ(cat->tree().NodeCount(), 1);
    EXPECT_EQ(cat->tree().Title(N(0)), QStringLiteral("帮助"));
    EXPECT_EQ(cat->tree().NextKey(), NoteId{1});
}

TEST_F(CurrentCategoryTest, DeletingANoteRemovesExactlyItsSubtree) {
    Open(QStringLiteral("帮助"));
    // 0(1(2(3),4)), 5(6)
    cat->table().Append(NoteId{1}, NoteId{0}, QStringLiteral("一"));
    cat->table().Append(NoteId{2}, NoteId{1}, QStringLiteral("二"));
    cat->table().Append(NoteId{3}, NoteId{2}, QStringLiteral("三"));
    cat->table().Append(NoteId{4}, NoteId{1}, QStringLiteral("四"));
    cat->table().Append(NoteId{5}, NoteId{5}, QStringLiteral("五"));
    cat->table().Append(NoteId{6}, NoteId{5}, QStringLiteral("六"));
    cat->Reload();
    std::vector<std::int64_t> deleted;
    for (const RecordRef& r : cat->Delete(N(1)))
        deleted.push_back(r.id.value());
    EXPECT_EQ(deleted, (std::vector<std::int64_t>{4, 3, 2, 1})); // the deepest first
    EXPECT_EQ(Records(*file, QStringLiteral("帮助")),
              (std::vector<std::string>{"0<0:帮助", "5<5:五", "6<5:六"}));
    EXPECT_EQ(cat->tree().NodeCount(), 3);
    EXPECT_EQ(cat->tree().Find(NoteId{3}), kNoNode);
}

TEST_F(CurrentCategoryTest, MoveAndCopyOfSubtrees) {
    Open(QStringLiteral("帮助"));
    // 0(1(2,3)), 10
    cat->table().Append(NoteId{1}, NoteId{0}, QStringLiteral("一"), QStringLiteral("一的内容"));
    cat->table().Append(NoteId{2}, NoteId{1}, QStringLiteral("二"), QStringLiteral("二的内容"));
    cat->table().Append(NoteId{3}, NoteId{1}, QStringLiteral("三"));
    cat->table().Append(NoteId{10}, NoteId{10}, QStringLiteral("十"));
    cat->Reload();

    EXPECT_FALSE(cat->Move(N(1), N(0))); // already its parent: nothing happens
    EXPECT_THROW(cat->Move(N(1), N(2)), StoreError);
    EXPECT_THROW(cat->Move(N(1), kNoNode), StoreError);
    EXPECT_THROW(cat->Copy(N(1), N(3)), StoreError);

    // A copy onto the note's own parent: consecutive keys in pre-order after the largest (10).
    const NodeRef top = cat->Copy(N(1), N(0));
    EXPECT_EQ(cat->tree().Key(top), NoteId{11});
    EXPECT_EQ(cat->tree().Parent(top), N(0));
    EXPECT_EQ(cat->tree().Children(N(0)).back(), top);
    const auto rows = Records(*file, QStringLiteral("帮助"));
    EXPECT_EQ(std::vector<std::string>(rows.end() - 3, rows.end()),
              (std::vector<std::string>{"11<0:一=一的内容", "12<11:二=二的内容", "13<11:三"}));

    // Moving changes only the moved note's Parent; its subtree comes along.
    EXPECT_TRUE(cat->Move(N(11), N(10)));
    const auto moved = Records(*file, QStringLiteral("帮助"));
    EXPECT_EQ(moved[5], "11<10:一=一的内容");
    EXPECT_EQ(moved[6], "12<11:二=二的内容");
    CurrentCategory reread(*file, QStringLiteral("帮助"));
    EXPECT_EQ(reread.tree().SubtreePreOrder(reread.tree().Find(NoteId{10})).size(), 4u);
}

TEST_F(CurrentCategoryTest, CopyRefusedHalfWayKeepsTableAndTree) {
    Open(QStringLiteral("帮助"));
    cat->table().Append(NoteId{1}, NoteId{0}, QStringLiteral("一"));
    cat->table().Append(NoteId{2}, NoteId{1}, QStringLiteral("二"), QString(100000, QLatin1Char('x')));
    cat->Reload();
    const auto before = Records(*file, QStringLiteral("帮助"));
    // The file may not grow: the first copy fits, the second (a long text) fills the disk.
    Statement pages(file->db(), QStringLiteral("PRAGMA page_count"));
    ASSERT_TRUE(pages.Step());
    file->db().Exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages.Int(0) + 1));
    try {
        cat->Copy(N(1), N(0));
        ADD_FAILURE() << "copied";
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("磁盘已满"))) << e.what();
    }
    EXPECT_EQ(Records(*file, QStringLiteral("帮助")), before);
    EXPECT_EQ(cat->tree().NodeCount(), 3);
    EXPECT_EQ(cat->tree().NextKey(), NoteId{3});
}

TEST_F(CurrentCategoryTest, CopyTakesNewKeysUpToThe32BitLimitOnly) {
    // A subtree of two notes copied when the largest key is `largest`.
    const struct {
        std::int64_t largest;
        bool copied;
    } cases[] = {{2147483645, true}, {2147483646, false}};
    for (const auto& c : cases) {
        const QString name = QStringLiteral("满%1").arg(c.largest);
        Open(name);
        cat->table().Append(NoteId{c.largest}, NoteId{c.largest}, QStringLiteral("大"));
        cat->table().Append(NoteId{1}, NoteId{0}, QStringLiteral("一"));
        cat->table().Append(NoteId{2}, NoteId{1}, QStringLiteral("二"));
        cat->Reload();
        const auto before = Records(*file, name);
        if (c.copied) {
            const NodeRef top = cat->Copy(N(1), N(0));
            EXPECT_EQ(cat->tree().Key(top), NoteId{2147483646});
            EXPECT_EQ(cat->tree().MaxKey(), NoteId{2147483647});
        } else {
            try {
                cat->Copy(N(1), N(0));
                ADD_FAILURE() << c.largest;
            } catch (const StoreError& e) {
                EXPECT_EQ(e.text(), QStringLiteral("节点编号已达到上限，不能再复制节点"));
            }
            EXPECT_EQ(Records(*file, name), before);
        }
    }
}
