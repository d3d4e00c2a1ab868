// Moving and copying notes by dragging, the drop rules and the scrolling while dragging.

#include "NotebookFixture.h"

#include "app/notebook/DragScroll.h"

namespace qj::test {
namespace {

using Rows = std::vector<NoteRow>;

// 1 甲 ─┬─ 2 乙 ─── 3 丙
//       └─ 10 丁
// 5 戊
const Rows kTree = {
    {1, 1, QStringLiteral("甲"), QStringLiteral("甲文")},
    {2, 1, QStringLiteral("乙"), QStringLiteral("乙文")},
    {3, 2, QStringLiteral("丙"), QStringLiteral("丙文")},
    {10, 1, QStringLiteral("丁"), QString()},
    {5, 5, QStringLiteral("戊"), QStringLiteral("戊文")},
};

QStringList childTitles(QTreeWidgetItem* parent) {
    QStringList titles;
    for (int i = 0; i < parent->childCount(); ++i)
        titles << parent->child(i)->text(0);
    return titles;
}

TEST_F(NotebookTest, DropsOnItselfItsDescendantsOrNothingAreRefused) {
    open(kTree);
    struct Case {
        int dragged;
        int target;
        bool copy;
    };
    for (const Case& c :
         {Case{1, 1, false}, Case{1, 3, false}, Case{2, 3, true}, Case{2, 2, true}, Case{2, 99, false}}) {
        EXPECT_FALSE(notebook->dropNote(NoteId{c.dragged}, NoteId{c.target}, c.copy))
            << c.dragged << " on " << c.target;
    }
    EXPECT_EQ(rows(), kTree);
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_FALSE(tree->canDrop(item(1), nullptr)) << "empty space";
    EXPECT_FALSE(tree->canDrop(item(1), item(3)));
    EXPECT_TRUE(tree->canDrop(item(3), item(1)));
}

TEST_F(NotebookTest, DragMovesTheSubtreeUnderTheTargetAndChangesOnlyItsParent) {
    open(kTree);
    // Onto its own parent: nothing happens.
    EXPECT_TRUE(notebook->dropNote(NoteId{2}, NoteId{1}, false));
    EXPECT_EQ(rows(), kTree);

    ASSERT_TRUE(notebook->dropNote(NoteId{2}, NoteId{5}, false));
    Rows expected = kTree;
    expected[1].parent = 5;
    EXPECT_EQ(rows(), expected) << "the descendants' records stay as they were";
    EXPECT_EQ(childTitles(item(5)), QStringList{QStringLiteral("乙")});
    EXPECT_EQ(childTitles(item(2)), QStringList{QStringLiteral("丙")});
    EXPECT_EQ(childTitles(item(1)), QStringList{QStringLiteral("丁")});
    EXPECT_EQ(notebook->selectedId(), NoteId{2});
    EXPECT_TRUE(item(5)->isExpanded()) << "the moved note is scrolled into view";
}

TEST_F(NotebookTest, CtrlDragCopiesTheSubtreeInPreOrderWithConsecutiveIdsAndTexts) {
    open(kTree);
    // Copy 甲 (with 乙, 丙, 丁) under 戊; the largest ID is 10.
    ASSERT_TRUE(notebook->dropNote(NoteId{1}, NoteId{5}, true));
    const Rows all = rows();
    ASSERT_EQ(all.size(), kTree.size() + 4);
    const Rows copies(all.begin() + static_cast<long>(kTree.size()), all.end());
    EXPECT_EQ(copies, (Rows{{11, 5, QStringLiteral("甲"), QStringLiteral("甲文")},
                            {12, 11, QStringLiteral("乙"), QStringLiteral("乙文")},
                            {13, 12, QStringLiteral("丙"), QStringLiteral("丙文")},
                            {14, 11, QStringLiteral("丁"), QString()}}));
    EXPECT_EQ(childTitles(item(5)), QStringList{QStringLiteral("甲")});
    EXPECT_EQ(childTitles(item(11)), (QStringList{QStringLiteral("乙"), QStringLiteral("丁")}));
    EXPECT_EQ(childTitles(item(12)), QStringList{QStringLiteral("丙")});
    EXPECT_EQ(notebook->selectedId(), NoteId{11});

    // Onto its own parent with Ctrl: a copy as the parent's last child.
    ASSERT_TRUE(notebook->dropNote(NoteId{2}, NoteId{1}, true));
    EXPECT_EQ(childTitles(item(1)),
              (QStringList{QStringLiteral("乙"), QStringLiteral("丁"), QStringLiteral("乙")}));
    EXPECT_EQ(row(15), (NoteRow{15, 1, QStringLiteral("乙"), QStringLiteral("乙文")}));
    EXPECT_EQ(row(16), (NoteRow{16, 15, QStringLiteral("丙"), QStringLiteral("丙文")}));
}

TEST_F(NotebookTest, CopiedNotesKeepWorkingAsNotes) {
    open(kTree);
    ASSERT_TRUE(notebook->dropNote(NoteId{2}, NoteId{5}, true)); // 乙 → 11, 丙 → 12
    press(12);
    EXPECT_EQ(editor->text(), QStringLiteral("丙文"));
    type(QStringLiteral("续"));
    notebook->save();
    EXPECT_EQ(row(12)->info, QStringLiteral("丙文续\r\n"));
    EXPECT_EQ(row(3)->info, QStringLiteral("丙文")) << "the source keeps its text";
}

TEST_F(NotebookTest, DropPositionChoosesTheTargetAndCtrlChoosesCopy) {
    open(kTree);
    notebook->expandAll();
    const QPoint belowAll(10, tree->visualItemRect(item(5)).bottom() + 40);
    EXPECT_FALSE(tree->dropAt(item(2), belowAll, Qt::NoModifier)) << "empty space";
    EXPECT_FALSE(tree->dropAt(item(2), tree->visualItemRect(item(3)).center(), Qt::NoModifier));
    EXPECT_EQ(rows(), kTree);

    EXPECT_TRUE(tree->dropAt(item(3), tree->visualItemRect(item(5)).center(), Qt::ControlModifier));
    EXPECT_EQ(row(11), (NoteRow{11, 5, QStringLiteral("丙"), QStringLiteral("丙文")}));
    EXPECT_EQ(row(3)->parent, 2);
    EXPECT_TRUE(tree->dropAt(item(3), tree->visualItemRect(item(5)).center(), Qt::NoModifier));
    EXPECT_EQ(row(3)->parent, 5);
    EXPECT_EQ(childTitles(item(5)), (QStringList{QStringLiteral("丙"), QStringLiteral("丙")}));
}

TEST_F(NotebookTest, RefusedWritesLeaveTreeAndTableAsTheyWere) {
    open(kTree);
    notebook->selectNote(NoteId{3});
    refuse();
    dialogs.answerMessage(DialogButton::Ok);
    EXPECT_FALSE(notebook->dropNote(NoteId{2}, NoteId{5}, false));
    EXPECT_EQ(rows(), kTree);
    EXPECT_EQ(childTitles(item(1)), (QStringList{QStringLiteral("乙"), QStringLiteral("丁")}));
    EXPECT_EQ(item(5)->childCount(), 0);
    EXPECT_EQ(notebook->selectedId(), NoteId{3}) << "the selection and open branches survive the rebuild";
    EXPECT_TRUE(item(2)->isExpanded());
    refuseNoMore();

    refuse();
    notebook->selectNote(NoteId{2});
    dialogs.answerMessage(DialogButton::Yes); // the delete question
    dialogs.answerMessage(DialogButton::Ok);  // the error
    notebook->deleteSelected();
    EXPECT_EQ(rows(), kTree);
    EXPECT_EQ(childTitles(item(2)), QStringList{QStringLiteral("丙")});
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Error);
}

TEST(DragScroll, ScrollsOneRowNearTheEdgesOnly) {
    struct Case {
        int targetRow;
        bool scrolledAbove;
        int fullyVisible;
        int rowsBelow;
        int step;
    };
    const Case cases[] = {
        {0, true, 10, 20, -1}, // topmost visible node
        {1, true, 10, 20, -1}, // the one below it while rows are hidden above
        {1, false, 10, 20, 0}, // nothing hidden above: the second row does not scroll
        {0, false, 10, 20, 0}, // already at the top
        {5, true, 10, 20, 0},  // in the middle
        {8, false, 10, 20, 1}, // the second row below is cut off
        {9, false, 10, 20, 1}, // the next row is cut off
        {9, false, 10, 0, 0},  // the last node: nothing below to bring in
        {8, false, 10, 1, 0},  // one row below, fully visible
        {-1, true, 10, 20, 0}, // not over a node
    };
    for (const Case& c : cases)
        EXPECT_EQ(DragScrollStep(c.targetRow, c.scrolledAbove, c.fullyVisible, c.rowsBelow), c.step)
            << "row " << c.targetRow << " above " << c.scrolledAbove << " below " << c.rowsBelow;
}

} // namespace
} // namespace qj::test
