// The note tree against the building rules on random records of every odd kind, and on shapes
// too deep for any walk that recurses once per level.
#include "StoreTestFolder.h"

#include "store/CurrentCategory.h"
#include "store/DefaultCategory.h"
#include "store/NoteTree.h"
#include "store/Sqlite.h"
#include "support/ReferenceTree.h"

#include <gtest/gtest.h>

#include <random>

using namespace qj;
using qj::test::ReferenceRecord;
using qj::test::ReferenceTree;

namespace {

std::vector<std::int64_t> RowidsOf(const NoteTree& t, const std::vector<NodeRef>& nodes) {
    std::vector<std::int64_t> out;
    for (NodeRef n : nodes)
        out.push_back(t.Record(n).rowid.value());
    return out;
}

// A value of a random row: mostly small integers (so IDs repeat and Parents find them), sometimes
// NULL, a text or a real number. `self` is the row's own ID where it has one.
struct RandomValue {
    QString sql;
    std::optional<std::int64_t> integer;
};
RandomValue RandomCell(std::mt19937& rng, std::optional<std::int64_t> self) {
    const int kind = static_cast<int>(rng() % 20);
    if (kind == 0)
        return {QStringLiteral("NULL"), std::nullopt};
    if (kind == 1)
        return {QStringLiteral("'abc'"), std::nullopt};
    if (kind == 2)
        return {QStringLiteral("2.5"), std::nullopt};
    if (kind <= 5 && self)
        return {QString::number(*self), self}; // a root by its own Parent
    const std::int64_t v = static_cast<std::int64_t>(rng() % 14);
    return {QString::number(v), v};
}

class NoteTreeScaleTest : public qj::test::StoreTest {};

} // namespace

// Cycles, orphans, self-parented roots, repeated IDs and IDs that are no integers: the tree of
// every random table is the tree the rules give, node for node and child for child.
TEST_F(NoteTreeScaleTest, RandomRowsGiveTheTreeTheRulesGive) {
    std::mt19937 rng(21);
    for (int round = 0; round < 80; ++round) {
        const QString name = QStringLiteral("随机%1").arg(round);
        file->CreateCategoryTable(name);
        const int rows = 1 + static_cast<int>(rng() % 40);
        std::vector<ReferenceRecord> records;
        QStringList values;
        for (int i = 0; i < rows; ++i) {
            const RandomValue id = RandomCell(rng, std::nullopt);
            const RandomValue parent = RandomCell(rng, id.integer);
            records.push_back({i + 1, id.integer, parent.integer});
            values << QStringLiteral("(%1, %2, %3, 'n%3')").arg(id.sql, parent.sql).arg(i + 1);
        }
        file->db().Exec(QStringLiteral("INSERT INTO %1 (ID, Parent, rowid, Name) VALUES %2")
                            .arg(QuoteIdentifier(name), values.join(QLatin1Char(','))));
        const ReferenceTree expected(records);
        const CurrentCategory cat(*file, name);
        const NoteTree& t = cat.tree();
        SCOPED_TRACE(values.join(QLatin1Char(',')).toStdString());
        ASSERT_EQ(t.NodeCount(), static_cast<int>(expected.nodes.size()));
        EXPECT_EQ(RowidsOf(t, t.Roots()), expected.rowidsOf(expected.roots));
        for (size_t n = 0; n < expected.nodes.size(); ++n) {
            const NodeRef node = t.FindRecord(RecordId{expected.nodes[n].rowid});
            ASSERT_NE(node, kNoNode);
            EXPECT_EQ(RowidsOf(t, t.Children(node)), expected.rowidsOf(expected.children[n]));
            const std::optional<NoteId> parent = t.ParentValue(node);
            EXPECT_EQ(parent ? std::optional(parent->value()) : std::nullopt, expected.nodes[n].parent);
        }
        // Levels counted in one pass agree with the walk to the root.
        for (const auto& [node, level] : t.PreOrderWithLevels())
            EXPECT_EQ(level, t.Level(node));
    }
}

// 200,000 notes each under the one before, stored from the top down and from the bottom up
// (every record before its parent): built, listed with levels, copied and removed, all without a
// walk that recurses once per level.
TEST(NoteTreeDeepChain, BuildsListsAndComesDown) {
    constexpr int kDepth = 200000;
    for (const bool bottomUp : {false, true}) {
        std::vector<NoteHeader> headers;
        for (int i = 0; i < kDepth; ++i) {
            const int id = bottomUp ? kDepth - 1 - i : i;
            headers.push_back(
                {RecordId{i + 1}, NoteId{id}, NoteId{id == 0 ? 0 : id - 1}, QStringLiteral("层")});
        }
        NoteTree t(std::move(headers));
        ASSERT_EQ(t.Roots().size(), 1u) << bottomUp;
        const auto levels = t.PreOrderWithLevels();
        ASSERT_EQ(levels.size(), static_cast<size_t>(kDepth));
        bool inOrder = true;
        for (int k = 0; k < kDepth; ++k)
            inOrder = inOrder && t.Key(levels[k].node) == NoteId{k} && levels[k].level == k;
        EXPECT_TRUE(inOrder) << bottomUp;
        EXPECT_EQ(t.Level(t.Find(NoteId{kDepth - 1})), kDepth - 1);
        EXPECT_FALSE(t.Resettle());
        EXPECT_EQ(t.SubtreePreOrder(t.Find(NoteId{1})).size(), static_cast<size_t>(kDepth - 1));
        t.Remove(t.Find(NoteId{kDepth / 2}));
        EXPECT_EQ(t.NodeCount(), kDepth / 2);
        EXPECT_EQ(t.MaxKey(), NoteId{kDepth / 2 - 1}) << "the index forgets every removed node";
        EXPECT_EQ(t.Find(NoteId{kDepth - 1}), kNoNode);
        t.Remove(t.Roots()[0]);
        EXPECT_TRUE(t.IsEmpty());
        EXPECT_EQ(t.NextKey(), NoteId{0});
    }
}

// The key index finds the first node of a key however the keys arrive, also after edits.
TEST(NoteTreeKeys, IndexFindsFirstNodeOfEveryKeyAfterEdits) {
    NoteTree t({{RecordId{1}, NoteId{7}, NoteId{7}, QStringLiteral("a")},
                {RecordId{2}, NoteId{3}, NoteId{3}, QStringLiteral("b")},
                {RecordId{3}, NoteId{7}, NoteId{9}, QStringLiteral("c")},
                {RecordId{4}, NoteId{5}, NoteId{3}, QStringLiteral("d")}});
    EXPECT_EQ(t.Title(t.Find(NoteId{7})), QStringLiteral("a"));
    EXPECT_EQ(t.MaxKey(), NoteId{7});
    // Keys below the largest, one repeating an existing key.
    const NodeRef four = t.Add(RecordId{5}, NoteId{4}, NoteId{3}, t.Find(NoteId{3}), QStringLiteral("e"));
    const NodeRef three = t.Add(RecordId{6}, NoteId{3}, NoteId{3}, kNoNode, QStringLiteral("f"));
    EXPECT_EQ(t.Find(NoteId{4}), four);
    EXPECT_EQ(t.Title(t.Find(NoteId{3})), QStringLiteral("b")) << "the first node built keeps the key";
    t.Remove(t.Find(NoteId{3})); // b with d and e
    EXPECT_EQ(t.Find(NoteId{3}), three);
    EXPECT_EQ(t.Find(NoteId{4}), kNoNode);
    EXPECT_EQ(t.Find(NoteId{5}), kNoNode);
    t.Remove(t.Find(NoteId{7}));
    EXPECT_EQ(t.Title(t.Find(NoteId{7})), QStringLiteral("c"));
    EXPECT_EQ(t.MaxKey(), NoteId{7});
    t.Remove(t.Find(NoteId{7}));
    EXPECT_EQ(t.MaxKey(), NoteId{3});
    // A renamed note keeps its title apart from its neighbours' in the shared buffer.
    t.SetTitle(three, QStringLiteral("新的标题"));
    EXPECT_EQ(t.Title(three), QStringLiteral("新的标题"));
    EXPECT_EQ(t.TitleView(three), QStringLiteral("新的标题"));
    EXPECT_EQ(t.Title(t.Find(NoteId{3})), QStringLiteral("新的标题"));
    EXPECT_EQ(t.NodeCount(), 1);
}
