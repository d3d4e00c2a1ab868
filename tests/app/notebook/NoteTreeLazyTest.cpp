// The tree's items are made as the user reaches them: what is shown matches the building rules
// in every expanded node, edits reach nodes whose items are not made yet, and a chain of notes
// too deep for any recursion opens, switches away and comes down.
#include "NotebookFixture.h"

#include "app/notebook/NoteTreeMirror.h"

#include "store/Sqlite.h"
#include "support/ReferenceTree.h"

#include <QTreeWidgetItemIterator>

#include <random>

namespace qj::test {
namespace {

class NoteTreeLazyTest : public NotebookTest {
protected:
    // Items made so far, without making more.
    int madeItems() const {
        int n = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            ++n;
        return n;
    }
    // Replaces the category's rows (SQL values) and opens it again.
    void reopenRaw(const QString& values) {
        notebook->closeCategory();
        if (file->CategoryExists(kCategory))
            file->db().Exec(QStringLiteral("DROP TABLE %1").arg(QuoteIdentifier(kCategory)));
        openRaw(values);
    }
    static QStringList titlesOf(const ReferenceTree& ref, const std::vector<int>& nodes) {
        QStringList titles;
        for (int n : nodes)
            titles << QStringLiteral("n%1").arg(ref.nodes[n].rowid);
        return titles;
    }
    static QStringList childTitles(const QTreeWidgetItem* parent) {
        QStringList titles;
        for (int i = 0; i < parent->childCount(); ++i)
            titles << parent->child(i)->text(0);
        return titles;
    }
    QStringList topTitles() const {
        QStringList titles;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            titles << tree->topLevelItem(i)->text(0);
        return titles;
    }
    bool showsExpandMark(QTreeWidgetItem* it) const {
        return tree->model()->hasChildren(tree->indexFromItem(it));
    }
};

QString RandomCell(std::mt19937& rng, std::optional<std::int64_t>* value, std::optional<std::int64_t> self) {
    const int kind = static_cast<int>(rng() % 20);
    *value = std::nullopt;
    if (kind == 0)
        return QStringLiteral("NULL");
    if (kind == 1)
        return QStringLiteral("'abc'");
    if (kind == 2)
        return QStringLiteral("2.5");
    if (kind <= 5 && self) {
        *value = self;
        return QString::number(*self);
    }
    *value = static_cast<std::int64_t>(rng() % 12);
    return QString::number(**value);
}

// Random rows (cycles, orphans, repeated IDs, IDs that are no integers): every node the user
// expands, in any order, shows the children the rules give, and every collapsed node shows the
// expand mark exactly when it has children; after "全部展开" every node does.
TEST_F(NoteTreeLazyTest, RandomRowsShowTheRulesTreeInEveryExpandedNode) {
    std::mt19937 rng(1921);
    for (int round = 0; round < 40; ++round) {
        const int rows = 1 + static_cast<int>(rng() % 30);
        std::vector<ReferenceRecord> records;
        QStringList values;
        for (int i = 0; i < rows; ++i) {
            ReferenceRecord r{i + 1, {}, {}};
            const QString id = RandomCell(rng, &r.id, std::nullopt);
            const QString parent = RandomCell(rng, &r.parent, r.id);
            records.push_back(r);
            values << QStringLiteral("(%1, %2, 'n%3', NULL)").arg(id, parent).arg(i + 1);
        }
        reopenRaw(values.join(QLatin1Char(',')));
        const ReferenceTree ref(records);
        SCOPED_TRACE(values.join(QLatin1Char(',')).toStdString());
        ASSERT_EQ(topTitles(), titlesOf(ref, ref.roots));
        // Expand random nodes among those shown, a few times over.
        for (int step = 0; step < 8; ++step) {
            std::vector<QTreeWidgetItem*> shown;
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                shown.push_back(*it);
            if (shown.empty())
                break;
            shown[rng() % shown.size()]->setExpanded(true);
        }
        auto refNodeOf = [&](const QTreeWidgetItem* it) {
            for (size_t n = 0; n < ref.nodes.size(); ++n)
                if (QStringLiteral("n%1").arg(ref.nodes[n].rowid) == it->text(0))
                    return static_cast<int>(n);
            return -1;
        };
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            const int n = refNodeOf(*it);
            ASSERT_GE(n, 0);
            EXPECT_EQ(showsExpandMark(*it), !ref.children[n].empty()) << (*it)->text(0).toStdString();
            if ((*it)->isExpanded()) {
                EXPECT_EQ(childTitles(*it), titlesOf(ref, ref.children[n])) << (*it)->text(0).toStdString();
            }
        }
        notebook->expandAll();
        int all = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it, ++all)
            EXPECT_EQ(childTitles(*it), titlesOf(ref, ref.children[refNodeOf(*it)]));
        EXPECT_EQ(all, static_cast<int>(ref.nodes.size()));
    }
}

// A category of 1,000 roots with 10 children each opens with the roots' items only; expanding a
// root makes its children's.
TEST_F(NoteTreeLazyTest, ItemsAreMadeWhenTheirParentIsExpanded) {
    QStringList values;
    for (int r = 0; r < 1000; ++r) {
        values << QStringLiteral("(%1, %1, '根%2', NULL)").arg(r * 11).arg(r);
        for (int c = 1; c <= 10; ++c)
            values << QStringLiteral("(%1, %2, '子%1', NULL)").arg(r * 11 + c).arg(r * 11);
    }
    openRaw(values.join(QLatin1Char(',')));
    EXPECT_EQ(madeItems(), 1000);
    QTreeWidgetItem* root = tree->topLevelItem(500);
    EXPECT_EQ(root->childCount(), 0);
    EXPECT_TRUE(showsExpandMark(root));
    root->setExpanded(true);
    ASSERT_EQ(root->childCount(), 10);
    EXPECT_EQ(root->child(9)->text(0), QStringLiteral("子5510"));
    EXPECT_FALSE(showsExpandMark(root->child(9)));
    EXPECT_EQ(madeItems(), 1010);
    // Reaching a note by its ID makes only its ancestors' children.
    ASSERT_TRUE(notebook->selectNote(NoteId{7 * 11 + 3}));
    EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("子80"));
    EXPECT_EQ(madeItems(), 1020);
    EXPECT_EQ(statusTexts.back(), QStringLiteral("节点: 1/0"));
}

// Adding, dropping and copying under a node whose children's items are not made yet: once
// expanded it shows every child in order, the new one last.
TEST_F(NoteTreeLazyTest, EditsUnderANodeNotYetExpanded) {
    open({{0, 0, QStringLiteral("甲"), QString()},
          {1, 0, QStringLiteral("甲一"), QString()},
          {2, 0, QStringLiteral("甲二"), QString()},
          {3, 3, QStringLiteral("乙"), QString()},
          {4, 3, QStringLiteral("乙一"), QString()},
          {5, 5, QStringLiteral("丙"), QString()}});
    ASSERT_EQ(madeItems(), 3);
    // A child of the selected, collapsed root.
    ASSERT_TRUE(notebook->selectNote(NoteId{0}));
    ASSERT_TRUE(notebook->addChildNamed(QStringLiteral("甲三")).has_value());
    QTreeWidgetItem* first = tree->topLevelItem(0);
    EXPECT_EQ(childTitles(first),
              (QStringList{QStringLiteral("甲一"), QStringLiteral("甲二"), QStringLiteral("甲三")}));
    EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("甲三"));
    // 乙 (collapsed, never expanded) dropped onto 丙 (a leaf), then 丙 copied under 甲.
    ASSERT_TRUE(notebook->dropNote(NoteId{3}, NoteId{5}, false));
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* third = tree->topLevelItem(1);
    EXPECT_EQ(childTitles(third), QStringList{QStringLiteral("乙")});
    EXPECT_TRUE(showsExpandMark(third->child(0)));
    third->child(0)->setExpanded(true);
    EXPECT_EQ(childTitles(third->child(0)), QStringList{QStringLiteral("乙一")});
    first->setExpanded(false);
    ASSERT_TRUE(notebook->dropNote(NoteId{5}, NoteId{1}, true)); // under 甲一: 丙(乙(乙一)) copied
    EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("丙"));
    QTreeWidgetItem* copy = first->child(0)->child(0);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(0), QStringLiteral("丙"));
    EXPECT_EQ(copy->childCount(), 0) << "the copy's children come when it is expanded";
    copy->setExpanded(true);
    EXPECT_EQ(childTitles(copy), QStringList{QStringLiteral("乙")});
    EXPECT_EQ(rows().size(), 10u);
    // Deleting the copied subtree whose lower items were never made.
    ASSERT_TRUE(notebook->selectNote(NoteId{1}));
    dialogs.answerMessage(DialogButton::Yes);
    notebook->deleteSelected();
    EXPECT_EQ(childTitles(first), (QStringList{QStringLiteral("甲二"), QStringLiteral("甲三")}));
    EXPECT_EQ(rows().size(), 6u);
    // 乙 (under 丙) gives its only child away: no expand mark is left on it.
    ASSERT_TRUE(notebook->dropNote(NoteId{4}, NoteId{0}, false));
    QTreeWidgetItem* second = tree->topLevelItem(1)->child(0);
    EXPECT_EQ(second->text(0), QStringLiteral("乙"));
    EXPECT_FALSE(showsExpandMark(second));
    EXPECT_EQ(childTitles(tree->topLevelItem(0)).back(), QStringLiteral("乙一"));
}

// A subtree dragged, with its items made and open, onto a node whose children were never shown
// keeps those items: the target lists it after its own children, and a note inside it can be
// reached. Deleting the last of two siblings selects the first, and the deleted items are gone
// from what a rebuild looks at.
TEST_F(NoteTreeLazyTest, MovedAndDeletedItemsStayInStepWithTheTree) {
    open({{0, 0, QStringLiteral("甲"), QString()},
          {1, 0, QStringLiteral("甲一"), QString()},
          {2, 0, QStringLiteral("甲二"), QString()},
          {3, 3, QStringLiteral("乙"), QString()},
          {4, 3, QStringLiteral("乙一"), QString()},
          {5, 4, QStringLiteral("乙一一"), QString()},
          {6, 6, QStringLiteral("丙"), QString()},
          {7, 6, QStringLiteral("丙一"), QString()}});
    QTreeWidgetItem* second = tree->topLevelItem(1);
    second->setExpanded(true);
    second->child(0)->setExpanded(true);
    ASSERT_EQ(tree->topLevelItem(2)->childCount(), 0);
    ASSERT_TRUE(notebook->dropNote(NoteId{3}, NoteId{6}, false));
    QTreeWidgetItem* third = tree->topLevelItem(1);
    ASSERT_EQ(third->text(0), QStringLiteral("丙"));
    third->setExpanded(true);
    EXPECT_EQ(childTitles(third), (QStringList{QStringLiteral("丙一"), QStringLiteral("乙")}));
    EXPECT_EQ(third->child(1), second) << "the dragged item is kept, not made anew";
    EXPECT_EQ(childTitles(second), QStringList{QStringLiteral("乙一")});
    ASSERT_TRUE(notebook->selectNote(NoteId{5}));
    EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("乙一一"));
    EXPECT_EQ(tree->currentItem()->treeWidget(), tree);

    tree->topLevelItem(0)->setExpanded(true);
    ASSERT_TRUE(notebook->selectNote(NoteId{2}));
    dialogs.answerMessage(DialogButton::Yes);
    notebook->deleteSelected();
    EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("甲一"));
    ASSERT_TRUE(notebook->selectNote(NoteId{4}));
    dialogs.answerMessage(DialogButton::Yes);
    notebook->deleteSelected();
    EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("乙"));

    // The rebuild after a refused write reads the expand state of every item still known.
    refuse();
    dialogs.answerMessage(DialogButton::Ok);
    EXPECT_FALSE(notebook->dropNote(NoteId{6}, NoteId{0}, false));
    EXPECT_EQ(topTitles(), (QStringList{QStringLiteral("甲"), QStringLiteral("丙")}));
    EXPECT_EQ(childTitles(tree->topLevelItem(0)), QStringList{QStringLiteral("甲一")});
    EXPECT_EQ(childTitles(tree->topLevelItem(1)),
              (QStringList{QStringLiteral("丙一"), QStringLiteral("乙")}));
    EXPECT_EQ(rows().size(), 5u);
}

// A refused write rebuilds the items from the table: the nodes that were open show their
// children again, the others wait to be expanded.
TEST_F(NoteTreeLazyTest, RefusedWriteReopensTheExpandedNodesWithTheirChildren) {
    open({{0, 0, QStringLiteral("甲"), QString()},
          {1, 0, QStringLiteral("甲一"), QString()},
          {2, 2, QStringLiteral("乙"), QString()},
          {3, 2, QStringLiteral("乙一"), QString()},
          {4, 3, QStringLiteral("乙一一"), QString()}});
    tree->topLevelItem(1)->setExpanded(true);
    tree->topLevelItem(1)->child(0)->setExpanded(true);
    ASSERT_EQ(madeItems(), 4);
    refuse();
    dialogs.answerMessage(DialogButton::Ok);
    EXPECT_FALSE(notebook->dropNote(NoteId{3}, NoteId{0}, false));
    QTreeWidgetItem* second = tree->topLevelItem(1);
    EXPECT_TRUE(second->isExpanded());
    ASSERT_EQ(childTitles(second), QStringList{QStringLiteral("乙一")});
    EXPECT_TRUE(second->child(0)->isExpanded());
    EXPECT_EQ(childTitles(second->child(0)), QStringList{QStringLiteral("乙一一")});
    EXPECT_FALSE(tree->topLevelItem(0)->isExpanded());
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
    EXPECT_TRUE(showsExpandMark(tree->topLevelItem(0)));
}

// A category of one chain of `depth` notes, each under the one before.
void MakeChain(DataFile& file, const QString& category, int depth) {
    file.CreateCategoryTable(category);
    file.db().Exec(
        QStringLiteral("WITH RECURSIVE r(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM r WHERE i < %1) "
                       "INSERT INTO %2 (ID, Parent, Name) SELECT i, max(i - 1, 0), 'n' || i FROM r")
            .arg(depth - 1)
            .arg(QuoteIdentifier(category)));
}

// 200,000 notes each under the one before: the category opens, another category is shown, the
// notebook comes down, nothing recurses once per level. The tree shows the first 10,000 levels
// (Qt lays out each level at a cost that grows with the levels above it): a note deeper than that
// is said to be too deep, one at the last shown level is reached, and "全部展开" opens every
// shown level and says the rest are not shown.
TEST_F(NoteTreeLazyTest, DeepChainOpensSwitchesAndComesDown) {
    constexpr int kDepth = 200000;
    constexpr int kShown = NoteTreeMirror::kMostLevelsShown;
    MakeChain(*file, kCategory, kDepth);
    file->CreateCategoryTable(QStringLiteral("别的"));
    file->db().Exec(QStringLiteral("INSERT INTO %1 VALUES (0, 0, '别', NULL)")
                        .arg(QuoteIdentifier(QStringLiteral("别的"))));
    for (int round = 0; round < 2; ++round) {
        notebook->openCategory(*file, kCategory);
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("n0"));
        EXPECT_EQ(madeItems(), 1);
        tree->viewport()->repaint();
        notebook->openCategory(*file, QStringLiteral("别的"));
        EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("别"));
    }
    notebook->openCategory(*file, kCategory);
    const auto toldTooDeep = [&] {
        return !dialogs.calls().empty() &&
               dialogs.calls().back().text.contains(QStringLiteral("超过 10000 层"));
    };
    for (const int id : {kDepth - 1, kShown}) {
        dialogs.answerMessage(DialogButton::Ok);
        EXPECT_FALSE(notebook->selectNote(NoteId{id})) << id;
        EXPECT_TRUE(toldTooDeep()) << id;
        EXPECT_EQ(madeItems(), 1) << "nothing is made for a note that cannot be shown";
    }
    const size_t asked = dialogs.calls().size();
    ASSERT_TRUE(notebook->selectNote(NoteId{kShown - 1}));
    EXPECT_EQ(dialogs.calls().size(), asked);
    EXPECT_EQ(statusTexts.back(), QStringLiteral("节点: %1/1").arg(kShown - 1));
    tree->viewport()->repaint();

    notebook->openCategory(*file, kCategory);
    dialogs.answerMessage(DialogButton::Ok);
    notebook->expandAll();
    EXPECT_TRUE(toldTooDeep());
    tree->viewport()->repaint();
    EXPECT_EQ(madeItems(), kShown);
    notebook->openCategory(*file, kCategory); // taken down with every shown level expanded
    EXPECT_EQ(madeItems(), 1);
    dialogs.answerMessage(DialogButton::Ok);
    notebook->expandAll();
    notebook.reset(); // with the chain's items made
}

// A chain as deep as the tree shows is expanded whole, without a word.
TEST_F(NoteTreeLazyTest, AChainOfTheShownDepthExpandsWithoutAWord) {
    constexpr int kShown = NoteTreeMirror::kMostLevelsShown;
    MakeChain(*file, kCategory, kShown);
    notebook->openCategory(*file, kCategory);
    notebook->expandAll();
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_EQ(madeItems(), kShown);
}

} // namespace
} // namespace qj::test
