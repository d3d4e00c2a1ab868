#include "store/NoteTree.h"
#include "store/TreePictures.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>

using namespace qj;

namespace {

struct Rec {
    std::int64_t id;
    std::optional<std::int64_t> parent;
};

std::optional<NoteId> IdOf(std::optional<std::int64_t> value) {
    return value ? std::optional(NoteId{*value}) : std::nullopt;
}

// Records in this stored order (rowids 1, 2, …).
std::vector<NoteHeader> HeadersOf(std::initializer_list<Rec> recs) {
    std::vector<NoteHeader> headers;
    for (const Rec& r : recs)
        headers.push_back({RecordId{static_cast<std::int64_t>(headers.size()) + 1}, NoteId{r.id},
                           IdOf(r.parent), QStringLiteral("n%1").arg(r.id)});
    return headers;
}

NoteTree TreeOf(std::initializer_list<Rec> recs) {
    return NoteTree(HeadersOf(recs));
}

// The records of a live tree as a fresh build would read them back (stored order is rowid order).
std::vector<NoteHeader> HeadersOf(const NoteTree& t) {
    std::vector<NoteHeader> headers;
    for (NodeRef n : t.AllPreOrder())
        headers.push_back({t.Record(n).rowid, t.Key(n), t.ParentValue(n), t.Title(n)});
    std::ranges::sort(headers, {}, &NoteHeader::rowid);
    return headers;
}

// "1(2,3(4)),5": keys, children in brackets, in order.
std::string Shape(const NoteTree& t, const std::vector<NodeRef>& nodes) {
    std::string out;
    for (NodeRef n : nodes) {
        if (!out.empty())
            out += ',';
        out += std::to_string(t.Key(n).value());
        if (!t.Children(n).empty())
            out += '(' + Shape(t, t.Children(n)) + ')';
    }
    return out;
}
std::string Shape(const NoteTree& t) {
    return Shape(t, t.Roots());
}

} // namespace

TEST(NoteTreeBuild, RootsChildrenAndReparentingFollowStoredOrder) {
    struct Case {
        const char* what;
        std::initializer_list<Rec> records;
        const char* shape;
    };
    const Case cases[] = {
        {"plain tree", {{0, 0}, {1, 0}, {2, 1}, {3, 0}}, "0(1(2),3)"},
        {"roots keep stored order", {{0, 0}, {10, 10}, {5, 5}}, "0,10,5"},
        {"orphan and null parent are roots", {{0, 0}, {3, 99}, {4, std::nullopt}, {5, 3}}, "0,3(5),4"},
        {"child stored before its parent comes last", {{5, 6}, {6, 6}, {7, 6}}, "6(7,5)"},
        {"moved root carries its subtree", {{2, 1}, {3, 2}, {1, 1}}, "1(2(3))"},
        {"two-record loop keeps one root", {{1, 2}, {2, 1}}, "1(2)"},
        {"loop closed by an earlier move keeps a root", {{1, 4}, {2, 3}, {3, 1}, {4, 2}}, "2(4(1(3)))"},
        {"three-record loop", {{1, 3}, {2, 1}, {3, 2}}, "1(2(3))"},
        {"empty table", {}, ""},
    };
    for (const Case& c : cases) {
        const NoteTree t = TreeOf(c.records);
        EXPECT_EQ(Shape(t), c.shape) << c.what;
        EXPECT_EQ(t.NodeCount(), static_cast<int>(c.records.size())) << c.what;
    }
}

TEST(NoteTreeBuild, RepeatedIdFindsTheFirstNodeAndEachNodeKeepsItsRecord) {
    // The second record of ID 1 names the first one as its parent.
    const NoteTree t = TreeOf({{1, 1}, {1, 1}, {2, 1}});
    EXPECT_EQ(Shape(t), "1(1,2)");
    EXPECT_EQ(t.Find(NoteId{1}), t.Roots()[0]);
    const NodeRef second = t.Children(t.Roots()[0])[0];
    EXPECT_EQ(t.Record(second), (RecordRef{RecordId{2}, NoteId{1}}));
    EXPECT_EQ(t.FindRecord(RecordId{2}), second);
}

TEST(NoteTreeBuild, LeavesStoredBeforeALongChainHangFromItsEnd) {
    // Every leaf names the chain's deepest note, which is built after it: the shape that made the
    // loop check walk the whole chain once per leaf.
    constexpr int kLeaves = 2000;
    constexpr int kDepth = 2000;
    std::vector<NoteHeader> headers;
    for (int i = 0; i < kLeaves; ++i)
        headers.push_back({RecordId{i + 1}, NoteId{kDepth + i}, NoteId{kDepth - 1}, QString()});
    for (int i = 0; i < kDepth; ++i)
        headers.push_back({RecordId{kLeaves + i + 1}, NoteId{i}, NoteId{i == 0 ? 0 : i - 1}, QString()});
    const NoteTree t(headers);
    ASSERT_EQ(t.Roots().size(), 1u);
    const NodeRef deepest = t.Find(NoteId{kDepth - 1});
    EXPECT_EQ(t.Level(deepest), kDepth - 1);
    EXPECT_EQ(t.Children(deepest).size(), static_cast<size_t>(kLeaves));
}

TEST(NoteTreeEdit, SettlingAfterAMoveGivesTheTreeAFreshBuildGives) {
    struct Case {
        const char* what;
        std::initializer_list<Rec> records;
        std::int64_t moved, target;
        const char* shape;
    };
    const Case cases[] = {
        // A loop broken at 3 (a root): once 4 leaves the loop, 3 goes under 4.
        {"loop member moved away", {{3, 4}, {4, 3}, {5, 5}}, 4, 5, "5(4(3))"},
        {"three-record loop opened", {{1, 3}, {2, 1}, {3, 2}, {9, 9}}, 3, 9, "9(3(1(2)))"},
        {"loop member moved within the loop", {{3, 4}, {4, 3}, {6, 4}}, 6, 3, "3(4,6)"},
        {"no loop: nothing else moves", {{0, 0}, {1, 0}, {2, 2}}, 1, 2, "0,2(1)"},
    };
    for (const Case& c : cases) {
        NoteTree t = TreeOf(c.records);
        t.Move(t.Find(NoteId{c.moved}), t.Find(NoteId{c.target}));
        t.Resettle();
        EXPECT_EQ(Shape(t), c.shape) << c.what;
        EXPECT_EQ(Shape(NoteTree(HeadersOf(t))), c.shape) << c.what;
    }
}

TEST(NoteTreeKeys, NewKeyIsLargestPlusOneOrZero) {
    NoteTree empty;
    EXPECT_EQ(empty.NextKey(), NoteId{0});

    NoteTree t = TreeOf({{0, 0}, {41, 0}, {7, 0}});
    EXPECT_EQ(t.NextKey(), NoteId{42}); // free IDs below 41 are not reused
    t.Remove(t.Find(NoteId{41}));
    EXPECT_EQ(t.NextKey(), NoteId{8});
    EXPECT_EQ(t.Find(NoteId{41}), kNoNode);
    t.Add(RecordId{100}, NoteId{8}, NoteId{0}, t.Find(NoteId{0}), QStringLiteral("新"));
    EXPECT_EQ(t.NextKey(), NoteId{9});
    t.Remove(t.Find(NoteId{0})); // removes 0 and its children 7 and 8
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(t.NextKey(), NoteId{0});

    // Keys read from a file are 64-bit: beyond the 32-bit range they are keys like any other, but
    // no new key is made past the 32-bit limit.
    const NoteTree big = TreeOf({{std::int64_t{1} << 40, 0}, {7, std::int64_t{1} << 40}});
    EXPECT_EQ(Shape(big), "1099511627776(7)");
    EXPECT_THROW(big.NextKey(), StoreError);
    const struct {
        std::int64_t largest;
        std::optional<std::int64_t> next; // nothing: refused
    } limits[] = {
        {2147483645, 2147483646},
        {2147483646, 2147483647}, // the limit itself is the last new key
        {2147483647, std::nullopt},
        {2147483648, std::nullopt},
        {std::numeric_limits<std::int64_t>::max(), std::nullopt},
    };
    for (const auto& c : limits) {
        const NoteTree t = TreeOf({{c.largest, 0}});
        if (c.next) {
            EXPECT_EQ(t.NextKey(), NoteId{*c.next}) << c.largest;
            continue;
        }
        try {
            t.NextKey();
            ADD_FAILURE() << c.largest;
        } catch (const StoreError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("节点编号已达到上限，不能再添加节点"));
        }
    }
    const NoteTree negative = TreeOf({{-5, -5}});
    EXPECT_EQ(negative.NextKey(), NoteId{-4});
}

TEST(NoteTreeKeys, RemovingARepeatedKeyLetsTheIndexFindTheOther) {
    NoteTree t = TreeOf({{1, 1}, {1, 99}});
    ASSERT_EQ(Shape(t), "1,1");
    const NodeRef second = t.Roots()[1];
    t.Remove(t.Roots()[0]);
    EXPECT_EQ(t.Find(NoteId{1}), second);
}

TEST(NoteTreeEdit, SubtreeListingMoveAndDropRules) {
    // 0(1(2,3(4)),5)
    NoteTree t = TreeOf({{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 3}, {5, 0}});
    auto keys = [&](const std::vector<NodeRef>& nodes) {
        std::vector<std::int64_t> k;
        for (NodeRef n : nodes)
            k.push_back(t.Key(n).value());
        return k;
    };
    EXPECT_EQ(keys(t.SubtreePreOrder(t.Find(NoteId{1}))), (std::vector<std::int64_t>{1, 2, 3, 4}));
    EXPECT_EQ(keys(t.AllPreOrder()), (std::vector<std::int64_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(t.Level(t.Find(NoteId{4})), 3);
    EXPECT_EQ(t.Level(t.Find(NoteId{0})), 0);

    struct Drop {
        int dragged;
        std::optional<int> target;
        bool accepted;
    };
    const Drop drops[] = {
        {1, 1, false}, {1, 2, false}, {1, 4, false}, {1, std::nullopt, false},
        {1, 0, true},  {1, 5, true},  {4, 0, true},  {4, 3, true},
        {0, 4, false}, {5, 4, true},
    };
    for (const Drop& d : drops) {
        const NodeRef target = d.target ? t.Find(NoteId{*d.target}) : kNoNode;
        EXPECT_EQ(t.CanDrop(t.Find(NoteId{d.dragged}), target), d.accepted)
            << d.dragged << " on " << d.target.value_or(-1);
    }

    t.Move(t.Find(NoteId{3}), t.Find(NoteId{5}));
    EXPECT_EQ(Shape(t), "0(1(2),5(3(4)))");
    EXPECT_EQ(t.ParentValue(t.Find(NoteId{3})), NoteId{5});
    t.Remove(t.Find(NoteId{5}));
    EXPECT_EQ(Shape(t), "0(1(2))");
    EXPECT_EQ(t.NodeCount(), 3);
}

TEST(TreePictures, PictureDependsOnRootChildrenAndSelection) {
    struct Case {
        int level;
        bool children;
        bool selected;
        int picture;
    };
    const Case cases[] = {
        {0, true, false, 0}, {0, true, true, 5},  {0, false, false, 6}, {0, false, true, 4},
        {1, true, false, 2}, {1, true, true, 1},  {1, false, false, 3}, {1, false, true, 4},
        {4, true, false, 2}, {4, false, true, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PictureFor(c.level, c.children, c.selected), c.picture)
            << c.level << c.children << c.selected;
    EXPECT_EQ(NodeStatusText(0, 3), QStringLiteral("节点: 0/3"));
    EXPECT_EQ(NodeStatusText(12, 0), QStringLiteral("节点: 12/0"));
}

TEST(NoteTreeBuild, RandomRecordsEachGetOneNodeAndRootsFollowTheRule) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 200; ++round) {
        const int n = 1 + static_cast<int>(rng() % 40);
        std::vector<NoteHeader> records;
        std::set<NoteId> ids;
        for (int i = 0; i < n; ++i) {
            int id;
            do
                id = static_cast<int>(rng() % 60);
            while (ids.count(NoteId{id}));
            ids.insert(NoteId{id});
            records.push_back(
                {RecordId{i + 1}, NoteId{id}, NoteId{static_cast<std::int64_t>(rng() % 64)}, QString()});
        }
        const NoteTree t(records);
        // Every record has exactly one node, reachable from a root, without loops.
        const auto all = t.AllPreOrder();
        ASSERT_EQ(static_cast<int>(all.size()), n);
        EXPECT_EQ(std::set<NodeRef>(all.begin(), all.end()).size(), all.size());
        for (const NoteHeader& r : records) {
            const NodeRef node = t.Find(r.id);
            ASSERT_NE(node, kNoNode);
            const NodeRef parent = t.Parent(node);
            if (parent != kNoNode) {
                EXPECT_EQ(t.Key(parent), *r.parent); // a child sits under the note its Parent names
            } else if (*r.parent != r.id && ids.count(*r.parent)) {
                // A root whose Parent names a note only where moving it would make a loop.
                EXPECT_TRUE(t.IsDescendantOf(t.Find(*r.parent), node)) << round;
            }
        }
    }
}

TEST(NoteTreeEdit, RandomMovesThenSettlingMatchAFreshBuild) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        const int n = 2 + static_cast<int>(rng() % 12);
        std::vector<NoteHeader> records;
        for (int i = 0; i < n; ++i)
            records.push_back(
                {RecordId{i + 1}, NoteId{i}, NoteId{static_cast<std::int64_t>(rng() % (n + 2))}, QString()});
        std::shuffle(records.begin(), records.end(), rng);
        for (int i = 0; i < n; ++i)
            records[i].rowid = RecordId{i + 1};
        NoteTree t(records);
        for (int move = 0; move < 3; ++move) {
            const NodeRef dragged = t.Find(NoteId{static_cast<std::int64_t>(rng() % n)});
            const NodeRef target = t.Find(NoteId{static_cast<std::int64_t>(rng() % n)});
            if (!t.CanDrop(dragged, target) || t.Parent(dragged) == target)
                continue;
            t.Move(dragged, target);
            t.Resettle();
            // Every note has the parent a fresh build gives it; siblings may differ in order (a
            // dropped note stays its new parent's last child).
            const NoteTree fresh(HeadersOf(t));
            for (std::int64_t k = 0; k < n; ++k) {
                const NodeRef live = t.Parent(t.Find(NoteId{k}));
                const NodeRef built = fresh.Parent(fresh.Find(NoteId{k}));
                EXPECT_EQ(live == kNoNode ? -1 : t.Key(live).value(),
                          built == kNoNode ? -1 : fresh.Key(built).value())
                    << "round " << round << " key " << k;
            }
        }
    }
}
