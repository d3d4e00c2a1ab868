// 历史版本 and 回收站 from the main window: a saved note's earlier text shown against the editor's
// and put back as a change; a deleted note listed and restored into its category.

#include "MainWindowFixture.h"

#include "app/StoreWindows.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "store/windows/HistoryWindow.h"
#include "store/windows/TrashWindow.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace qj::test {
namespace {

class HistoryWindows : public MainWindowTest {
protected:
    void SetUp() override {
        makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
                      {QStringLiteral("日记"),
                       {{1, 1, QStringLiteral("一"), QStringLiteral("第一行\r\n第二行")},
                        {2, 1, QStringLiteral("二"), QStringLiteral("下级")}}}});
        dir.writeIni(QStringLiteral("[Info]\r\nCurTb=日记\r\n"));
        open();
    }
};

TEST_F(HistoryWindows, AnEarlierTextIsShownAgainstTheEditorsAndPutBackAsAChange) {
    EXPECT_EQ(window->storeWindows().openHistory()->list()->topLevelItemCount(), 0);
    typeIntoEditor(QStringLiteral("新"));
    action("actSave")->trigger();
    HistoryWindow* history = window->storeWindows().openHistory();
    ASSERT_EQ(history->list()->topLevelItemCount(), 1);
    EXPECT_EQ(history->list()->topLevelItem(0)->text(0), QStringLiteral("2024-02-10 08:30:00"));
    EXPECT_EQ(history->difference()->toPlainText(), QStringLiteral("－ 第一行\n＋ 新第一行\n　 第二行\n"));
    history->restoreButton()->click();
    EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("第一行\r\n第二行"));
    EXPECT_TRUE(window->notebook().isDirty());
    EXPECT_EQ(storedInfo(QStringLiteral("日记"), 1), QStringLiteral("新第一行\r\n第二行\r\n"));
    // No note in the editor: nothing to show, said so.
    window->notebook().closeCategory();
    dialogs().answerMessage(DialogButton::Ok);
    EXPECT_EQ(window->storeWindows().openHistory(), nullptr);
}

TEST_F(HistoryWindows, ADeletedSubtreeComesBackIntoItsCategory) {
    dialogs().answerMessage(DialogButton::Yes);
    action("actDelete")->trigger();
    ASSERT_EQ(storedRecordCount(QStringLiteral("日记")), 0);
    TrashWindow* trash = window->storeWindows().openTrash();
    ASSERT_EQ(trash->list()->topLevelItemCount(), 1);
    EXPECT_EQ(trash->list()->topLevelItem(0)->text(3), QStringLiteral("一"));
    EXPECT_EQ(trash->list()->topLevelItem(0)->text(4), QStringLiteral("2"));
    trash->restoreButton()->click();
    EXPECT_EQ(trash->list()->topLevelItemCount(), 0);
    EXPECT_EQ(storedInfo(QStringLiteral("日记"), 2), QStringLiteral("下级"));
    EXPECT_EQ(window->notebook().selectedTitle(), QStringLiteral("一"));
    EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("第一行\r\n第二行"));
}

} // namespace
} // namespace qj::test
