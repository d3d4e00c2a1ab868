// The note tree's commands: opening a category, adding, renaming and deleting notes, the Delete
// key, the right-click menu and the status text.

#include "NotebookFixture.h"

#include "support/UiHelpers.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

namespace qj::test {
namespace {

using Rows = std::vector<NoteRow>;

// 0 书 ─┬─ 1 章一 ─── 3 节
//       └─ 2 章二
// 4 杂记 (its Parent is its own ID)
const Rows kBook = {
    {0, 0, QStringLiteral("书"), QStringLiteral("书的正文")},
    {1, 0, QStringLiteral("章一"), QStringLiteral("章一正文")},
    {2, 0, QStringLiteral("章二"), QString()},
    {3, 1, QStringLiteral("节"), QStringLiteral("节正文")},
    {4, 4, QStringLiteral("杂记"), QStringLiteral("杂记正文")},
};

TEST_F(NotebookTest, OpeningShowsTheFirstRecordCollapsedWithItsTextAndTitle) {
    // The child 5 is stored before its parent 6: it still ends up under it.
    open({{6, 9, QStringLiteral("后来的"), QStringLiteral("正文六")},
          {5, 6, QStringLiteral("子"), QString()},
          {7, 6, QStringLiteral("另一子"), QString()}});
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("后来的"));
    notebook->makeAllItems(); // the children's items are made when reached
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0)->text(0), QStringLiteral("子"));
    EXPECT_FALSE(root->isExpanded());
    EXPECT_EQ(notebook->selectedId(), NoteId{6});
    EXPECT_EQ(editor->text(), QStringLiteral("正文六"));
    EXPECT_FALSE(notebook->isDirty());
    EXPECT_FALSE(saveAction.isEnabled());
    EXPECT_TRUE(addChildAction.isEnabled());
    EXPECT_EQ(titleBar->text(), QStringLiteral("                 【后来的】")) << "it names the note shown";
    ASSERT_FALSE(statusTexts.empty());
    EXPECT_EQ(statusTexts.back(), QStringLiteral("节点: 0/2"));

    // The editor's undo history starts at the loaded text.
    notebook->setReadOnly(false);
    editor->undo();
    EXPECT_EQ(editor->text(), QStringLiteral("正文六"));
}

TEST_F(NotebookTest, AddingNotesFollowsTheTitleAndPlaceRules) {
    struct Case {
        const char* what;
        bool child;
        int selected; // -1: nothing selected
        QString typed;
        NoteRow stored;
    };
    const Case cases[] = {
        {"sibling of a child: under the same parent",
         false,
         3,
         QStringLiteral("  新节  "),
         {5, 1, QStringLiteral("  新节  "), QString()}},
        {"child: blanks and control characters trimmed",
         true,
         2,
         QStringLiteral(" \t 小节 \t"),
         {6, 2, QStringLiteral("小节"), QString()}},
        {"sibling of a root: a new root is its own parent",
         false,
         0,
         QStringLiteral("新书"),
         {7, 7, QStringLiteral("新书"), QString()}},
        {"empty title stored as a blank", true, 4, QString(), {8, 4, QStringLiteral(" "), QString()}},
    };
    open(kBook);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(notebook->selectNote(NoteId{c.selected}));
        notebook->setReadOnly(true);
        dialogs.answerInput(c.typed);
        if (c.child)
            notebook->addChild();
        else
            notebook->addSibling();
        const DialogCall call = dialogs.last();
        const QString caption = c.child ? QStringLiteral("添加下级子节点") : QStringLiteral("添加同级节点");
        EXPECT_EQ(call.caption, caption);
        EXPECT_EQ(call.startText, caption);
        EXPECT_EQ(call.text, QStringLiteral("输入你要添加节点的名字"));
        EXPECT_EQ(row(c.stored.id), c.stored);
        ASSERT_EQ(notebook->selectedId(), NoteId{c.stored.id});
        QTreeWidgetItem* made = tree->selectedItem();
        EXPECT_EQ(made->text(0), c.stored.name);
        EXPECT_EQ(made->parent() ? NoteTreeWidget::idOf(made->parent()).value()
                                 : made->data(0, NoteTreeWidget::IdRole).toLongLong(),
                  c.stored.parent);
        EXPECT_FALSE(editor->isReadOnly()) << "adding a note makes the editor writable";
    }
    EXPECT_EQ(rows().size(), kBook.size() + std::size(cases));
}

TEST_F(NotebookTest, AddingIntoAnEmptyCategoryMakesRecordZeroAndCancelChangesNothing) {
    open({});
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    dialogs.cancelInput();
    notebook->addSibling();
    EXPECT_TRUE(rows().empty());

    // A title the table refuses (over 50 characters) is reported; no record, no node.
    dialogs.answerInput(QString(51, QLatin1Char('x')));
    dialogs.answerMessage(DialogButton::Ok);
    notebook->addSibling();
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Error);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(tree->topLevelItemCount(), 0);

    // With no note to write into, typing goes nowhere, whatever the read-only switch says.
    type(QStringLiteral("丢了"));
    EXPECT_TRUE(editor->text().isEmpty());
    EXPECT_FALSE(notebook->isDirty());

    dialogs.answerInput(QStringLiteral("A"));
    notebook->addSibling();
    EXPECT_EQ(rows(), (Rows{{0, 0, QStringLiteral("A"), QString()}}));
    EXPECT_EQ(statusTexts.back(), QStringLiteral("节点: 0/0"));
    // The new note is the one the editor now writes into.
    EXPECT_EQ(editor->text(), QString());
    EXPECT_EQ(titleBar->text(), QStringLiteral("                 【A】"));
    type(QStringLiteral("正文"));
    EXPECT_TRUE(notebook->isDirty());
    notebook->save();
    EXPECT_EQ(rows(), (Rows{{0, 0, QStringLiteral("A"), QStringLiteral("正文\r\n")}}));

    // Deleting the only note leaves nothing to write into again.
    dialogs.answerMessage(DialogButton::Yes);
    notebook->deleteSelected();
    EXPECT_TRUE(rows().empty());
    type(QStringLiteral("丢了"));
    EXPECT_TRUE(editor->text().isEmpty());
    EXPECT_FALSE(notebook->isDirty());
}

TEST_F(NotebookTest, RenameWritesTheTitleOrReportsTheRefusalAndKeepsBoth) {
    const QString fiftyOne(51, QChar(0x5B57));
    struct Case {
        const char* what;
        QString typed;
        QString expected;
        bool refused;
    };
    const Case cases[] = {
        {"plain rename", QStringLiteral("第一章"), QStringLiteral("第一章"), false},
        {"fifty characters fit", QString(50, QChar(0x5B57)), QString(50, QChar(0x5B57)), false},
        {"fifty-one characters are refused", fiftyOne, QString(50, QChar(0x5B57)), true},
        {"an empty title is refused", QString(), QString(50, QChar(0x5B57)), true},
    };
    open(kBook);
    ASSERT_TRUE(notebook->selectNote(NoteId{1}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.clearCalls();
        dialogs.answerInput(c.typed);
        if (c.refused)
            dialogs.answerMessage(DialogButton::Ok);
        const QString before = item(1)->text(0);
        notebook->rename();
        EXPECT_EQ(dialogs.calls().front().caption, QStringLiteral("重命名"));
        EXPECT_EQ(dialogs.calls().front().text, QStringLiteral("输入你要重命名节点的名字"));
        EXPECT_EQ(dialogs.calls().front().startText, before);
        EXPECT_EQ(row(1)->name, c.expected);
        EXPECT_EQ(item(1)->text(0), c.expected);
        ASSERT_EQ(dialogs.calls().size(), c.refused ? 2u : 1u);
        if (c.refused) {
            EXPECT_EQ(dialogs.last().caption, QStringLiteral("青简札记"));
            EXPECT_EQ(dialogs.last().icon, MessageIcon::Error);
        }
        EXPECT_EQ(notebook->selectedId(), NoteId{1});
    }
}

TEST_F(NotebookTest, InPlaceTitleEditorTakesFiftyCharactersAndWritesThrough) {
    open(kBook);
    notebook->selectNote(NoteId{2});
    tree->editItem(item(2));
    auto* edit = tree->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->maxLength(), 50);
    edit->setText(QStringLiteral("改过的章二"));
    QTest::keyClick(edit, Qt::Key_Return);
    // The delegate commits on a queued call; the title goes out on another once the editor closed.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(row(2)->name, QStringLiteral("改过的章二"));
    EXPECT_EQ(item(2)->text(0), QStringLiteral("改过的章二"));
}

QStringList* gWarnings = nullptr;
void RecordWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && gWarnings)
        gWarnings->append(text);
}

// A refused title is reported after the in-place editor has closed: the view never loses track of
// its editor, whatever the controller does to the items meanwhile.
TEST_F(NotebookTest, InPlaceRenameClosesItsEditorCleanlyWhetherAcceptedOrRefused) {
    struct Case {
        const char* what;
        QString typed;
        bool refuseWrites;
        QString stored;
    };
    const Case cases[] = {
        {"accepted", QStringLiteral("新章二"), false, QStringLiteral("新章二")},
        {"an empty title", QString(), false, QStringLiteral("新章二")},
        {"a refused write", QStringLiteral("写不进"), true, QStringLiteral("新章二")},
    };
    open(kBook);
    tree->activateWindow();
    tree->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return tree->hasFocus(); }));
    QStringList warnings;
    gWarnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(RecordWarning);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        warnings.clear();
        dialogs.clearCalls();
        if (c.refuseWrites)
            refuse();
        if (c.typed.isEmpty() || c.refuseWrites)
            dialogs.answerMessage(DialogButton::Ok);
        notebook->selectNote(NoteId{2});
        tree->editItem(item(2));
        auto* edit = tree->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->setText(c.typed);
        QTest::keyClick(edit, Qt::Key_Return);
        const size_t messages = c.stored == c.typed ? 0 : 1;
        EXPECT_TRUE(WaitUntil([&] {
            return !tree->findChild<QLineEdit*>() && item(2)->text(0) == c.stored &&
                   dialogs.calls().size() == messages;
        })) << "the editor closes, then the title is written or the refusal reported";
        if (c.refuseWrites)
            refuseNoMore();
        EXPECT_EQ(row(2)->name, c.stored);
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
    }
    qInstallMessageHandler(previous);
    gWarnings = nullptr;
}

TEST_F(NotebookTest, DeleteCommandAsksWithNoAsDefaultAndRemovesTheWholeSubtree) {
    open(kBook);
    ASSERT_TRUE(notebook->selectNote(NoteId{0}));

    dialogs.answerMessage(DialogButton::No);
    notebook->deleteSelected();
    const DialogCall asked = dialogs.last();
    EXPECT_EQ(asked.caption, QStringLiteral("提示"));
    EXPECT_EQ(asked.text, QStringLiteral("确认要删除当前位置及子节点的所有内容吗？"));
    EXPECT_EQ(asked.icon, MessageIcon::Question);
    EXPECT_EQ(asked.buttons, (std::vector{DialogButton::Yes, DialogButton::No}));
    EXPECT_EQ(asked.defaultButton, DialogButton::No);
    EXPECT_EQ(rows().size(), kBook.size());

    dialogs.answerMessage(DialogButton::Yes);
    notebook->deleteSelected();
    EXPECT_EQ(rows(), (Rows{kBook[4]})) << "the root, two children and a grandchild go";
    EXPECT_EQ(tree->topLevelItemCount(), 1);
    // The remaining note is selected and shown.
    EXPECT_EQ(notebook->selectedId(), NoteId{4});
    EXPECT_EQ(titleBar->text(), QStringLiteral("                 【杂记】"));
    EXPECT_EQ(editor->text(), QStringLiteral("杂记正文"));
    EXPECT_FALSE(notebook->isDirty());
    EXPECT_EQ(statusTexts.back(), QStringLiteral("节点: 0/0"));
}

TEST_F(NotebookTest, DeleteKeyConfirmsWithTheTitleAndCancelKeeps) {
    open(kBook);
    notebook->selectNote(NoteId{1});
    tree->setFocus();

    dialogs.answerMessage(DialogButton::Cancel);
    QTest::keyClick(tree, Qt::Key_Delete);
    const DialogCall asked = dialogs.last();
    EXPECT_EQ(asked.caption, QStringLiteral("Confirm"));
    EXPECT_EQ(asked.text, QStringLiteral("Do you want to delete the item \"章一\""));
    EXPECT_EQ(asked.buttons, (std::vector{DialogButton::Ok, DialogButton::Cancel}));
    EXPECT_EQ(rows().size(), kBook.size());

    dialogs.answerMessage(DialogButton::Ok);
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_FALSE(row(1));
    EXPECT_FALSE(row(3));
    EXPECT_EQ(item(0)->childCount(), 1);
    EXPECT_EQ(notebook->selectedId(), NoteId{2}) << "the next sibling takes the selection";
    // The shown note (the first one) was not deleted: the editor keeps it.
    EXPECT_EQ(editor->text(), QStringLiteral("书的正文"));
}

TEST_F(NotebookTest, ShownNoteDeletedWithTheDeleteKeyNeverReceivesTheEditorText) {
    open(kBook);
    press(4);
    type(QStringLiteral("改动"));
    ASSERT_TRUE(notebook->isDirty());
    tree->setFocus();
    dialogs.answerMessage(DialogButton::Ok);
    QTest::keyClick(tree, Qt::Key_Delete);
    ASSERT_FALSE(row(4));

    // A new note takes the freed ID 4; saving must not put the old text into it.
    dialogs.answerInput(QStringLiteral("新的"));
    notebook->addSibling();
    ASSERT_TRUE(row(4));
    notebook->save();
    EXPECT_EQ(row(4)->info, QString());
    EXPECT_EQ(row(0)->info, kBook[0].info + QStringLiteral("\r\n")) << "saved: its last line ends in CR LF";
    EXPECT_EQ(row(1)->info, kBook[1].info);
}

TEST_F(NotebookTest, TreeMenuHoldsItsItemsInOrderAndExpandCollapseAll) {
    open(kBook);
    QStringList seen;
    for (QAction* a : notebook->treeMenu()->actions())
        seen << (a->isSeparator() ? QStringLiteral("—") : a->text());
    EXPECT_EQ(seen, (QStringList{"添加同级节点", "添加下级子节点", "—", "删除", "重命名", "—", "全部展开",
                                 "全部折叠"}));

    notebook->expandAll();
    EXPECT_TRUE(item(1)->isExpanded());
    EXPECT_TRUE(item(0)->isExpanded());
    notebook->collapseAll();
    EXPECT_FALSE(item(0)->isExpanded());

    // Adding needs an open category, deleting and renaming a selected note.
    const auto enabled = [&] {
        emit notebook->treeMenu()->aboutToShow();
        QString marks;
        for (QAction* a : notebook->treeMenu()->actions())
            if (!a->isSeparator())
                marks += a->isEnabled() ? QLatin1Char('+') : QLatin1Char('-');
        return marks;
    };
    press(0);
    EXPECT_EQ(enabled(), QStringLiteral("++++++"));
    tree->setCurrentItem(nullptr);
    tree->clearSelection();
    EXPECT_EQ(enabled(), QStringLiteral("++--++"));
    notebook->closeCategory();
    EXPECT_EQ(enabled(), QStringLiteral("----++"));
}

TEST_F(NotebookTest, KeyboardSelectionRewritesTheStatusButNotTheEditor) {
    open(kBook);
    press(0);
    struct Case {
        int id;
        const char* status;
    };
    for (const Case& c :
         {Case{3, "节点: 2/0"}, Case{1, "节点: 1/1"}, Case{0, "节点: 0/2"}, Case{4, "节点: 0/0"}}) {
        selectWithKeyboard(c.id);
        EXPECT_EQ(statusTexts.back(), QString::fromUtf8(c.status)) << c.id;
    }
    EXPECT_EQ(editor->text(), QStringLiteral("书的正文"));
    EXPECT_EQ(titleBar->text(), QStringLiteral("                 【书】"));
}

TEST_F(NotebookTest, NodePicturesFollowLevelChildrenAndSelection) {
    open(kBook);
    notebook->expandAll();
    struct Case {
        int id;
        int unselected;
        int selected;
    };
    const Case cases[] = {
        {0, 0, 5}, // root with children: closed book / open book with a red arrow
        {4, 6, 4}, // root without children: blue book / red page
        {1, 2, 1}, // deeper with children: open book / open book with a red mark
        {3, 3, 4}, // deeper without children: page / red page
    };
    for (const Case& c : cases) {
        notebook->selectNote(NoteId{c.id == 4 ? 0 : 4});
        EXPECT_EQ(tree->pictureOf(item(c.id)), c.unselected) << c.id;
        notebook->selectNote(NoteId{c.id});
        EXPECT_EQ(tree->pictureOf(item(c.id)), c.selected) << c.id;
    }
    // A leaf that gets a child changes its picture.
    notebook->selectNote(NoteId{3});
    dialogs.answerInput(QStringLiteral("更深"));
    notebook->addChild();
    EXPECT_EQ(tree->pictureOf(item(3)), 2);
}

// The longest run of pixels of exactly this colour along one line of the image.
int longestRun(const QImage& image, const QRect& area, QRgb colour) {
    int best = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int run = 0;
        for (int x = area.left(); x <= area.right(); ++x) {
            run = image.pixel(x, y) == colour ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

TEST_F(NotebookTest, SelectionIsHighlightedWithFocusAndOutlinedWithout) {
    const QString title = QStringLiteral("选中的标题节点");
    open({{0, 0, title, QString()}, {1, 1, title, QString()}});
    notebook->selectNote(NoteId{0});
    const QRgb highlight = tree->palette().color(QPalette::Active, QPalette::Highlight).rgb();
    const QRgb text = tree->palette().color(QPalette::Text).rgb();
    const int titleWidth = tree->fontMetrics().horizontalAdvance(title);

    tree->clearFocus();
    QImage unfocused = tree->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect selectedRow = tree->visualItemRect(item(0));
    const QRect otherRow = tree->visualItemRect(item(1));
    EXPECT_EQ(longestRun(unfocused, selectedRow, highlight), 0);
    EXPECT_GE(longestRun(unfocused, selectedRow, text), titleWidth) << "the outline's edge";
    EXPECT_LT(longestRun(unfocused, otherRow, text), titleWidth / 2);

    tree->activateWindow();
    tree->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return tree->hasFocus(); }));
    QImage focused = tree->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GE(longestRun(focused, selectedRow, highlight), titleWidth);
}

TEST_F(NotebookTest, TitlesThatDoNotFitShowAsTooltip) {
    const QString longTitle = QStringLiteral("一个非常非常非常非常非常非常非常长的笔记标题");
    open({{0, 0, longTitle, QString()}, {1, 1, QStringLiteral("短"), QString()}});
    tree->resize(120, 200);
    QCoreApplication::processEvents();
    const QString before = QStringLiteral("之前的提示");
    auto tooltipAt = [&](int id) {
        const QPoint at = tree->visualItemRect(item(id)).center();
        QToolTip::showText(tree->viewport()->mapToGlobal(at), before);
        QHelpEvent help(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
        QApplication::sendEvent(tree->viewport(), &help);
        return QToolTip::text() == before ? QString() : QToolTip::text();
    };
    EXPECT_EQ(tooltipAt(0), longTitle);
    EXPECT_EQ(tooltipAt(1), QString());
}

// A deep tree scrolls sideways: End shows the deepest title, Home the first again.
TEST_F(NotebookTest, DeepTreesScrollSidewaysToTheTitleTheKeyboardReaches) {
    constexpr int kLevels = 46;
    std::vector<NoteRow> chain;
    for (int i = 0; i < kLevels; ++i)
        chain.push_back({i, i == 0 ? 0 : i - 1, QStringLiteral("第%1层笔记").arg(i + 1), QString()});
    open(chain);
    tree->resize(217, 400);
    tree->expandAll();
    tree->setFocus();
    QCoreApplication::processEvents();
    QScrollBar* bar = tree->horizontalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_TRUE(bar->isVisible());
    const QRect viewport = tree->viewport()->rect();
    auto titleShown = [&](int id) {
        const QRect row = tree->visualItemRect(item(id));
        const int titleWidth = tree->fontMetrics().horizontalAdvance(item(id)->text(0));
        return viewport.contains(QRect(row.left(), row.top(), 16 + titleWidth, row.height()));
    };
    for (const auto& [key, id] : {std::pair{Qt::Key_End, kLevels - 1}, std::pair{Qt::Key_Home, 0}}) {
        QTest::keyClick(tree, key);
        QCoreApplication::processEvents();
        EXPECT_EQ(notebook->selectedId(), NoteId{id});
        EXPECT_TRUE(titleShown(id)) << "after key " << key << " the scroll bar stands at " << bar->value();
    }
}

TEST_F(NotebookTest, ClosingTheCategoryEmptiesTheTreeAndDisablesTheNoteCommands) {
    open(kBook);
    notebook->closeCategory();
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    EXPECT_FALSE(addSiblingAction.isEnabled());
    EXPECT_FALSE(deleteAction.isEnabled());
    EXPECT_EQ(editor->text(), QStringLiteral("书的正文"));
    notebook->addSibling(); // no input box without a category
    EXPECT_TRUE(dialogs.calls().empty());
}

} // namespace
} // namespace qj::test
