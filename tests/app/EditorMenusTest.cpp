// The editor's menus as the main window shows them: the menu bar switch, "mm1" with its items and
// shortcuts, "pm1" and "pm2", and the editor options kept in the settings file.

#include "MainWindowFixture.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/Notebook.h"
#include "editor/ColumnWrap.h"
#include "editor/EditorCommands.h"
#include "editor/EditorPane.h"
#include "support/UiHelpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>

#include <QTabWidget>
#include <functional>

namespace qj::test {
namespace {

// Item texts of a menu, "—" for separators, "文本 [shortcut]" where there is one, submenus as
// "标题>" followed by their items in braces.
QString Items(const QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            out << QStringLiteral("—");
        } else if (a->menu()) {
            out << a->text() + QStringLiteral(">{") + Items(a->menu()) + QLatin1Char('}');
        } else {
            QString text = a->text();
            if (!a->shortcut().isEmpty())
                text += QStringLiteral(" [") + a->shortcut().toString(QKeySequence::PortableText) +
                        QLatin1Char(']');
            out << text;
        }
    }
    return out.join(QLatin1Char('|'));
}

class EditorMenusTest : public MainWindowTest {
protected:
    void SetUp() override {
        makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}}});
        open();
        window->show();
        QApplication::processEvents();
    }
    EditorCommands* commands() { return window->editorPane().commands(); }
};

TEST_F(EditorMenusTest, MenuBarFollowsTheFocusBetweenTreeAndEditor) {
    auto* main = window->findChild<QMenuBar*>(QStringLiteral("MainMenu1"));
    auto* mm1 = window->findChild<QMenuBar*>(QStringLiteral("mm1"));
    ASSERT_NE(main, nullptr);
    ASSERT_NE(mm1, nullptr);
    window->activateWindow();
    window->notebook().editor()->setFocus();
    EXPECT_TRUE(WaitUntil([&] { return window->shownMenuBar() == mm1; }));
    EXPECT_TRUE(mm1->isVisible());
    EXPECT_FALSE(main->isVisible());
    window->notebook().tree()->setFocus();
    EXPECT_TRUE(WaitUntil([&] { return window->shownMenuBar() == main; }));
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(mm1->isVisible());
}

TEST_F(EditorMenusTest, EditorMenuBarHoldsEveryItemWithItsShortcut) {
    const QStringList bookmarks = [] {
        QStringList set, go;
        for (int n = 0; n < 10; ++n) {
            set << QStringLiteral("书签%1 [Ctrl+Shift+%1]").arg(n);
            go << QStringLiteral("书签%1 [Ctrl+%1]").arg(n);
        }
        return QStringList{set.join(QLatin1Char('|')), go.join(QLatin1Char('|'))};
    }();
    const std::pair<QString, QString> menus[] = {
        {QStringLiteral("文件(&F)"),
         QStringLiteral(
             "保存选择区域...|—|插入文件到光标处|导出到 .txt|导出到 .Html|导出到 .pdf|—|增加目录分类|"
             "目录分类管理|资料备份|历史版本|回收站|—|退出系统")},
        {QStringLiteral("编辑(&E)"),
         QStringLiteral("撤消(&U) [Ctrl+Z]|重做(&R) [Ctrl+Y]|—|剪切(&X) [Ctrl+X]|剪切并附加|复制(&C) "
                        "[Ctrl+C]|复制并附加|"
                        "粘贴(&P) [Ctrl+V]|—|删除(&D) [Del]|删除行>{删除光标处行|删除至行尾|删除至行首}|"
                        "删除词>{删除光标处词|删除至词尾|删除至词首}|清除全部|—|全部选择(&A) [Ctrl+A]|"
                        "选择行>{选择当前行|选择下一行|选择上一行}|"
                        "选择词>{选择当前词|选择下一词 [Alt+Shift+Right]|选择上一词 [Alt+Shift+Left]}|"
                        "选择模式>{正常选择模式|列选择模式|行选择模式}|—|只读")},
        {QStringLiteral("搜索(&S)"),
         QStringLiteral(
             "查找字符(&F)... [Ctrl+F]|查找下一个 [F3]|查找上一个 [Shift+F3]|查找下一个单词 [Ctrl+F3]|"
             "查找上一个单词 [Ctrl+Shift+F3]|—|替换(&R)... [Ctrl+R]|替换下一个 [F4]|替换上一个 [Shift+F4]|—|"
             "设置书签>{") +
             bookmarks[0] + QStringLiteral("}|查找书签>{") + bookmarks[1] +
             QStringLiteral("}|清除所有书签|—|跳转(&G)... [Ctrl+G]|跳转到上次修改处 [Ctrl+Alt+G]|匹配跳转")},
        {QStringLiteral("查看(&V)"), QStringLiteral("工具栏|列表栏|—|全目录查找")},
        {QStringLiteral("参数(&S)"), QStringLiteral("编辑选项(&E)")},
    };
    const QList<QAction*> bar = commands()->editorMenuBar()->actions();
    ASSERT_EQ(bar.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bar[i]->text(), menus[i].first);
        EXPECT_EQ(Items(bar[i]->menu()), menus[i].second) << menus[i].first.toStdString();
    }
}

// With the left column hidden the tree cannot take the focus back, and the editor's menu bar is
// the only one shown: 列表栏 and the category commands must be there, and work from there.
TEST_F(EditorMenusTest, MainCommandsStayReachableFromTheEditorsMenuBar) {
    auto* mm1 = window->findChild<QMenuBar*>(QStringLiteral("mm1"));
    ASSERT_NE(mm1, nullptr);
    QList<QAction*> reachable;
    std::function<void(const QList<QAction*>&)> collect = [&](const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            reachable << a;
            if (a->menu())
                collect(a->menu()->actions());
        }
    };
    collect(mm1->actions());
    for (const char* name : {"actListBar", "actToolBar", "actNewCategory", "actCategoryManager", "actBackup",
                             "actFindall", "actExit"})
        EXPECT_TRUE(reachable.contains(action(name))) << name;

    QAction* listBar = action("actListBar");
    ASSERT_TRUE(listBar->isChecked());
    listBar->trigger(); // hides the left column
    window->activateWindow();
    window->notebook().editor()->setFocus();
    EXPECT_TRUE(WaitUntil([&] { return window->shownMenuBar() == mm1; }));
    listBar->trigger(); // the same item, from the editor's bar, brings it back
    EXPECT_TRUE(listBar->isChecked());
    EXPECT_TRUE(window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->isVisible());
}

TEST_F(EditorMenusTest, ToolsAndContextMenusHoldTheirItemsInOrder) {
    EXPECT_EQ(
        Items(commands()->toolsMenu()),
        QStringLiteral("资料编辑操作|—|取消前次操作|—|插入80个-字符|插入当前时间|—|资料保存|—|关闭本菜单"));
    EXPECT_FALSE(commands()->toolsMenu()->actions().front()->isEnabled());
    QStringList set, go;
    for (int n = 0; n < 10; ++n) {
        set << QStringLiteral("书签%1 [Ctrl+Shift+%1]").arg(n);
        go << QStringLiteral("书签%1 [Ctrl+%1]").arg(n);
    }
    EXPECT_EQ(
        Items(commands()->contextMenu()),
        QStringLiteral(
            "资料保存 [Ctrl+S]|—|字符统计|—|排版-添加回车符|排版-取消回车符|—|撒消(&U)|—|剪切(&X) [Ctrl+X]|"
            "复制(&C) [Ctrl+C]|粘贴(&P) [Ctrl+V]|—|查找字符(&F)|查找下一个 [F3]|查找上一个 [Shift+F3]|—|"
            "跳转到上次修改处 [Ctrl+Alt+G]|—|设置书签>{") +
            set.join(QLatin1Char('|')) + QStringLiteral("}|查找书签>{") + go.join(QLatin1Char('|')) +
            QStringLiteral("}|清除所有书签|—|只读【不可编辑】"));
}

// The edit-tools menu opens right below its button, flush with the button's left edge, wherever
// the window stands and whether or not the tree shows.
TEST_F(EditorMenusTest, ToolsMenuDropsDownFromItsButton) {
    QToolButton* button = window->findChild<QToolButton*>(QStringLiteral("btn10"));
    ASSERT_NE(button, nullptr);
    QMenu* menu = commands()->toolsMenu();
    for (const QPoint windowAt : {QPoint(40, 30), QPoint(200, 120)}) {
        window->move(windowAt);
        QApplication::processEvents();
        button->click();
        ASSERT_TRUE(WaitUntil([menu] { return menu->isVisible(); })) << windowAt.x();
        const QPoint below = button->mapToGlobal(QPoint(0, button->height()));
        // Right below the button; flush with its left unless the screen's edge pushes it left.
        EXPECT_EQ(menu->geometry().top(), below.y()) << windowAt.x();
        EXPECT_LE(menu->geometry().left(), below.x()) << windowAt.x();
        EXPECT_TRUE(menu->geometry().left() == below.x() ||
                    menu->geometry().right() >= menu->screen()->geometry().right() - 1)
            << windowAt.x();
        EXPECT_FALSE(menu->geometry().intersects(QRect(button->mapToGlobal(QPoint(0, 0)), button->size())));
        menu->hide();
    }
}

TEST_F(EditorMenusTest, ReadOnlyItemsShowAndToggleTheEditorsState) {
    auto* chk1 = window->findChild<QCheckBox*>(QStringLiteral("chk1"));
    QAction* item = commands()->action(QStringLiteral("pm2ReadOnly"));
    QAction* mm1Item = commands()->action(QStringLiteral("actEditReadOnly"));
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(mm1Item->isChecked());
    item->trigger(); // off
    EXPECT_FALSE(chk1->isChecked());
    EXPECT_FALSE(mm1Item->isChecked());
    chk1->click(); // on again
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(mm1Item->isChecked());
}

TEST_F(EditorMenusTest, EditorOptionsAreAppliedAndKeptInTheSettingsFile) {
    WhenModalShown([](QWidget* dialog) {
        dialog->findChild<QSpinBox*>(QStringLiteral("tabWidth"))->setValue(8);
        dialog->findChild<QSpinBox*>(QStringLiteral("edgeColumn"))->setValue(72);
        dialog->findChild<QCheckBox*>(QStringLiteral("gutterShown"))->setChecked(false);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    commands()->action(QStringLiteral("actEditOptions"))->trigger();
    EXPECT_EQ(window->notebook().editor()->tabWidth(), 8);
    EXPECT_EQ(window->notebook().editor()->marginWidth(0), 0);
    EXPECT_EQ(window->editorPane().columnWrap()->edgeColumn(), 72);
    EXPECT_EQ(iniValue(QStringLiteral("EditorOptions"), QStringLiteral("TabWidth")), QStringLiteral("8"));

    TFmain& again = exitAndReopen();
    EXPECT_EQ(again.editorPane().commands()->options().tabWidth, 8);
    EXPECT_FALSE(again.editorPane().commands()->options().gutterShown);
    EXPECT_EQ(again.notebook().editor()->tabWidth(), 8);
    EXPECT_EQ(again.editorPane().columnWrap()->edgeColumn(), 72);
}

TEST_F(EditorMenusTest, PdfExportCarriesTheWindowCaptionAndVersionInItsHeader) {
    const QString path = dir.filePath(QStringLiteral("note.pdf"));
    dialogs().answerSaveFile(path);
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actOutputFilesPdf")));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString pages = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_TRUE(pages.contains(QStringLiteral("青简札记 ") + window->statusText(TFmain::kVersionPanel)))
        << pages.toStdString();
    EXPECT_TRUE(pages.contains(QStringLiteral("说明")));
}

} // namespace
} // namespace qj::test
