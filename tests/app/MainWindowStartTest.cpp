// Starting the main window: first run, the start-up category, missing and unreadable data files,
// and the frame the user sees.

#include "MainWindowFixture.h"

#include "app/CategorySelector.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/Notebook.h"
#include "store/DataFile.h"
#include "support/UiHelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidgetItemIterator>

namespace qj::test {
namespace {

int ExpandedItems(QTreeWidget* tree) {
    int n = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        n += (*it)->isExpanded() ? 1 : 0;
    return n;
}

TEST_F(MainWindowTest, FirstRunCreatesHelpFromTheGuideAndShowsIt) {
    makeDataFile({});
    // A guide with LF line breaks is stored with CR LF after every line.
    ASSERT_TRUE(dir.writeFile(QStringLiteral("readme.txt"), QStringLiteral("欢迎\n第二行\n").toUtf8()));
    TFmain& w = open();

    EXPECT_TRUE(w.isFirstRun());
    EXPECT_TRUE(dialogs().calls().empty());
    EXPECT_EQ(storedCategories(), QStringList{QStringLiteral("帮助")});
    EXPECT_EQ(storedRecordCount(QStringLiteral("帮助")), 1);
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QStringLiteral("欢迎\r\n第二行\r\n"));
    EXPECT_EQ(iniValue(QStringLiteral("Info"), QStringLiteral("CurTb")), QStringLiteral("帮助"));

    EXPECT_EQ(w.categorySelector()->names(), QStringList{QStringLiteral("帮助")});
    EXPECT_EQ(w.categorySelector()->currentText(), QStringLiteral("帮助"));
    EXPECT_EQ(w.notebook().selectedId(), NoteId{0});
    EXPECT_EQ(w.notebook().editor()->text(), QStringLiteral("欢迎\r\n第二行\r\n"));
    // The title bar names the note the editor shows, as after picking a category.
    EXPECT_EQ(w.notebook().titleBar()->text(), QStringLiteral("                 【帮助】"));
    EXPECT_FALSE(w.notebook().isDirty());
    EXPECT_FALSE(action("actSave")->isEnabled());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^版本: V\\d+\\.\\d+\\.\\d+\\.\\d+$"))
                    .match(w.statusText(TFmain::kVersionPanel))
                    .hasMatch())
        << w.statusText(TFmain::kVersionPanel).toStdString();

    // The second start is no first run and leaves the note alone.
    closeWindow();
    ASSERT_TRUE(dir.writeFile(QStringLiteral("readme.txt"), QByteArray("changed")));
    TFmain& again = open();
    EXPECT_FALSE(again.isFirstRun());
    EXPECT_EQ(storedRecordCount(QStringLiteral("帮助")), 1);
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QStringLiteral("欢迎\r\n第二行\r\n"));
}

TEST_F(MainWindowTest, FirstRunWithoutGuideLeavesTheHelpNoteEmpty) {
    makeDataFile({{QStringLiteral("工作"), {{0, 0, QStringLiteral("工作"), QStringLiteral("计划")}}}});
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=工作\r\n")));
    TFmain& w = open();

    EXPECT_TRUE(dialogs().calls().empty());
    EXPECT_EQ(storedCategories(), (QStringList{QStringLiteral("工作"), QStringLiteral("帮助")}));
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QString());
    // A first run always opens "帮助", whatever the settings said before.
    EXPECT_EQ(iniValue(QStringLiteral("Info"), QStringLiteral("CurTb")), QStringLiteral("帮助"));
    EXPECT_EQ(w.notebook().categoryName(), QStringLiteral("帮助"));
    EXPECT_TRUE(w.notebook().editor()->text().isEmpty());
}

TEST_F(MainWindowTest, StartupCategoryOpensCollapsedOnItsFirstRecord) {
    makeDataFile({
        {QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
        {QStringLiteral("工作"),
         {{5, 5, QStringLiteral("计划"), QStringLiteral("第一条\r\n")},
          {6, 5, QStringLiteral("周一"), QStringLiteral("会议")},
          {7, 6, QStringLiteral("上午"), QString()},
          {8, 8, QStringLiteral("总结"), QStringLiteral("年终")}}},
        {QStringLiteral("空"), {}},
    });
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=工作\r\n")));
    TFmain& w = open();

    EXPECT_FALSE(w.isFirstRun());
    EXPECT_TRUE(dialogs().calls().empty());
    // The selector lists the categories in the data file's order.
    EXPECT_EQ(w.categorySelector()->names(),
              (QStringList{QStringLiteral("帮助"), QStringLiteral("工作"), QStringLiteral("空")}));
    EXPECT_EQ(w.categorySelector()->currentText(), QStringLiteral("工作"));
    EXPECT_EQ(w.notebook().categoryName(), QStringLiteral("工作"));
    EXPECT_EQ(w.notebook().selectedId(), NoteId{5});
    EXPECT_EQ(w.notebook().topLevelTitles(), (QStringList{QStringLiteral("计划"), QStringLiteral("总结")}));
    EXPECT_EQ(ExpandedItems(w.notebook().tree()), 0);
    EXPECT_EQ(w.notebook().editor()->text(), QStringLiteral("第一条\r\n"));
    EXPECT_EQ(w.notebook().titleBar()->text(), NoteTitleBar::textFor(w.notebook().selectedTitle()));
    EXPECT_TRUE(action("actAddSibling")->isEnabled());
}

TEST_F(MainWindowTest, StartupCategoryThatNoLongerExistsFallsBackToTheFirstListed) {
    makeDataFile({
        {QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
        {QStringLiteral("工作"), {{0, 0, QStringLiteral("工作"), QString()}}},
    });
    for (const QString& stored :
         {QStringLiteral("已删除"), QStringLiteral("工"), QStringLiteral("帮助工作")}) {
        SCOPED_TRACE(stored.toStdString());
        ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=") + stored + QStringLiteral("\r\n")));
        TFmain& w = open();
        EXPECT_TRUE(dialogs().calls().empty());
        EXPECT_EQ(w.categorySelector()->currentText(), QStringLiteral("帮助"));
        EXPECT_EQ(w.notebook().categoryName(), QStringLiteral("帮助"));
        EXPECT_EQ(w.notebook().editor()->text(), QStringLiteral("说明"));
        closeWindow();
    }
}

TEST_F(MainWindowTest, EmptyCategoryOpensWithEmptyTreeAndEditor) {
    makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
                  {QStringLiteral("空"), {}}});
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=空\r\n")));
    TFmain& w = open();
    EXPECT_EQ(w.notebook().categoryName(), QStringLiteral("空"));
    EXPECT_EQ(w.notebook().tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(w.notebook().editor()->text().isEmpty());
}

// A data file made elsewhere with a trigger that would empty another category: the window names
// it once, and saving a note runs nothing of it.
TEST_F(MainWindowTest, TriggersOfTheDataFileAreNamedOnceAndNeverRun) {
    makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
                  {QStringLiteral("工作"), {{0, 0, QStringLiteral("工作"), QStringLiteral("周报")}}}});
    DataFile(dataPath()).db().Exec("CREATE TRIGGER evil AFTER UPDATE ON 帮助 BEGIN DELETE FROM 工作; END");
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=帮助\r\n")));
    dialogs().answerMessage(DialogButton::Ok);
    TFmain& w = open();
    ASSERT_EQ(dialogs().calls().size(), 1u);
    EXPECT_TRUE(dialogs().calls()[0].text.endsWith(
        QStringLiteral("数据文件中有触发器/视图，本程序不会执行它们：触发器 evil")))
        << dialogs().calls()[0].text.toStdString();
    typeIntoEditor(QStringLiteral("新"));
    action("actSave")->trigger();
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QStringLiteral("新说明\r\n"));
    EXPECT_EQ(storedInfo(QStringLiteral("工作"), 0), QStringLiteral("周报"));
    EXPECT_EQ(dialogs().calls().size(), 1u);
    EXPECT_TRUE(w.notebook().hasCategory());
}

// A folder in the data file's place is named as such, not reported as a missing file.
TEST_F(MainWindowTest, AFolderNamedAsTheDataFileIsNamedAsSuch) {
    ASSERT_TRUE(QDir().mkdir(dataPath()));
    dialogs().answerMessage(DialogButton::Ok);
    TFmain& w = open();
    ASSERT_EQ(dialogs().calls().size(), 1u);
    EXPECT_TRUE(dialogs().calls()[0].text.contains(QStringLiteral("是一个文件夹，不是数据文件")))
        << dialogs().calls()[0].text.toStdString();
    EXPECT_EQ(w.dataFile(), nullptr);
}

TEST_F(MainWindowTest, MissingDataFileIsReportedAndTheWindowOpensWithoutCategory) {
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Settings]\r\nToolBar=0\r\n")));
    dialogs().answerMessage(DialogButton::Ok);
    TFmain& w = open();

    ASSERT_EQ(dialogs().calls().size(), 1u);
    const DialogCall& call = dialogs().calls()[0];
    EXPECT_EQ(call.text, QStringLiteral("Not find data file !!!"));
    EXPECT_EQ(call.icon, MessageIcon::Error);
    EXPECT_EQ(call.buttons, std::vector<DialogButton>{DialogButton::Ok});
    EXPECT_FALSE(dir.exists(QStringLiteral("dataly.dat")));

    EXPECT_EQ(w.dataFile(), nullptr);
    EXPECT_EQ(w.categorySelector()->count(), 0);
    EXPECT_FALSE(w.notebook().hasCategory());
    for (const char* name : {"actAddSibling", "actAddChild", "actDelete", "actNewCategory"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    // The rest of the start still happens: settings, version text, tooltip colour.
    EXPECT_FALSE(action("actToolBar")->isChecked());
    EXPECT_TRUE(w.statusText(TFmain::kVersionPanel).startsWith(QStringLiteral("版本: V")));
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(255, 255, 193));
}

// A second copy that got past the single-copy rule (another runtime folder, another session)
// finds the data file held: it says so and leaves the file alone; once the first copy has ended
// the file opens again.
TEST_F(MainWindowTest, ADataFileHeldByARunningCopyIsLeftToIt) {
    makeDataFile({{QStringLiteral("日记"), {{0, 0, QStringLiteral("一"), QStringLiteral("甲")}}}});
    TFmain& first = open();
    ASSERT_NE(first.dataFile(), nullptr);
    EXPECT_FALSE(first.isDataFileHeldElsewhere());
    EXPECT_TRUE(dir.exists(QStringLiteral("dataly.dat.lock")));
    const QStringList categories = storedCategories();
    const QByteArray ini = dir.readIni();

    FakeServices otherServices(dir.folder());
    otherServices.dialogs.answerMessage(DialogButton::Ok);
    {
        TFmain second(otherServices.services());
        EXPECT_TRUE(second.isDataFileHeldElsewhere());
        EXPECT_EQ(second.dataFile(), nullptr);
        EXPECT_EQ(second.categorySelector()->count(), 0);
        ASSERT_EQ(otherServices.dialogs.calls().size(), 1u);
        const DialogCall& call = otherServices.dialogs.calls()[0];
        EXPECT_EQ(call.icon, MessageIcon::Error);
        EXPECT_EQ(call.text, TFmain::DataFileHeldElsewhereText(dataPath()));
        EXPECT_TRUE(call.text.contains(QStringLiteral("另一个运行中的青简札记")));
    }
    // The refused copy took nothing away from the first.
    EXPECT_TRUE(dir.exists(QStringLiteral("dataly.dat.lock")));
    EXPECT_EQ(storedCategories(), categories);
    EXPECT_EQ(dir.readIni(), ini);

    window.reset();
    EXPECT_FALSE(dir.exists(QStringLiteral("dataly.dat.lock")));
    fake = std::make_unique<FakeServices>(dir.folder());
    TFmain& again = open();
    EXPECT_FALSE(again.isDataFileHeldElsewhere());
    EXPECT_NE(again.dataFile(), nullptr);
}

// A data file that cannot be written says so at once and refuses the writing commands up front.
TEST_F(MainWindowTest, ReadOnlyDataFileShowsInCaptionAndStatusBarAndKeepsNotesAsTheyAre) {
    makeDataFile({{QStringLiteral("帮助"),
                   {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")},
                    {1, 0, QStringLiteral("子"), QString()}}}});
    TFmain& w = open();
    w.ShowDataFileReadOnly(QStringLiteral("数据文件 dataly.dat 不允许写入"));
    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("只读")));
    auto* note = w.statusBar()->findChild<QLabel*>(QStringLiteral("ReadOnlyNote"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("只读")));
    EXPECT_TRUE(note->toolTip().contains(QStringLiteral("数据文件 dataly.dat 不允许写入")));
    for (const char* name : {"actAddSibling", "actAddChild", "actDelete", "actNewCategory", "actInputFiles"})
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    QCheckBox* box = w.notebook().titleBar()->readOnlyBox();
    EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(box->isEnabled());
    w.notebook().setReadOnly(false);
    EXPECT_TRUE(w.notebook().editor()->isReadOnly()) << "the user's switch cannot open it";

    // What is still reachable is refused with a word, and nothing is written.
    NoteTreeWidget* tree = w.notebook().tree();
    const std::function<void()> attempts[] = {
        [&] { QTest::keyClick(tree, Qt::Key_Delete); },
        [&] { w.notebook().rename(); },
        [&] { w.notebook().dropNote(NoteId{1}, NoteId{0}, true); },
        [&] { w.CreateCategory(); },
    };
    for (const auto& attempt : attempts) {
        dialogs().clearCalls();
        dialogs().answerMessage(DialogButton::Ok);
        attempt();
        ASSERT_EQ(dialogs().calls().size(), 1u);
        EXPECT_TRUE(dialogs().last().text.contains(QStringLiteral("只读")));
    }
    EXPECT_EQ(storedRecordCount(QStringLiteral("帮助")), 2);
    EXPECT_EQ(storedCategories(), QStringList{QStringLiteral("帮助")});
    EXPECT_EQ(tree->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(MainWindowTest, FileThatIsNoDatabaseIsNamedAndLeftUntouched) {
    const QByteArray notes = "这不是数据库 just some text that is long enough to look like a header....";
    ASSERT_TRUE(dir.writeFile(QStringLiteral("dataly.dat"), notes));
    dialogs().answerMessage(DialogButton::Ok);
    TFmain& w = open();

    ASSERT_EQ(dialogs().calls().size(), 1u);
    const DialogCall& call = dialogs().calls()[0];
    EXPECT_EQ(call.caption, QStringLiteral("青简札记"));
    EXPECT_EQ(call.icon, MessageIcon::Error);
    EXPECT_TRUE(call.text.contains(QStringLiteral("dataly.dat"))) << call.text.toStdString();
    EXPECT_EQ(w.categorySelector()->count(), 0);
    EXPECT_FALSE(w.notebook().hasCategory());
    // The category manager's 新增 (and a backup) name the same cause, not a missing file.
    const QString cause = call.text;
    for (const std::function<void()>& later :
         std::vector<std::function<void()>>{[&] {
                                                dialogs().answerInput(QStringLiteral("读书"));
                                                w.CreateCategory();
                                            },
                                            [&] { w.ReportNoDataFile(); }}) {
        dialogs().clearCalls();
        dialogs().answerMessage(DialogButton::Ok);
        later();
        const std::vector<DialogCall> boxes = dialogs().callsOf(DialogKind::Message);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, cause);
    }

    w.actExitExecute();
    closeWindow();
    EXPECT_EQ(dir.readFile(QStringLiteral("dataly.dat")), notes);
}

// The toolbar's buttons (and the title bar's btn10) carry their pictures and reach the notebook's commands.
TEST_F(MainWindowTest, ToolbarButtonsReachTheNotebook) {
    makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}}});
    TFmain& w = open();
    auto* bar = w.findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    ASSERT_NE(bar, nullptr);
    for (QAction* a : bar->actions()) {
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a))) {
            EXPECT_FALSE(button->icon().isNull()) << a->objectName().toStdString();
        }
    }
    auto button = [&](const char* name) { return w.findChild<QToolButton*>(QString::fromLatin1(name)); };
    // The title bar's edit-tools button is a picture too.
    EXPECT_FALSE(button("btn10")->icon().pixmap(16, 16).isNull());
    for (const char* name : {"btn4", "btn5", "btn6", "btn8"})
        ASSERT_NE(button(name), nullptr) << name;

    dialogs().answerInput(QStringLiteral("同级"));
    button("btn4")->click();
    dialogs().answerInput(QStringLiteral("下级"));
    button("btn5")->click();
    EXPECT_EQ(storedRecordCount(QStringLiteral("帮助")), 3);
    EXPECT_EQ(dialogs().calls()[0].caption, QStringLiteral("添加同级节点"));
    EXPECT_EQ(dialogs().calls()[1].caption, QStringLiteral("添加下级子节点"));

    EXPECT_FALSE(button("btn8")->isEnabled());
    w.notebook().loadSelected();
    typeIntoEditor(QStringLiteral("正文"));
    ASSERT_TRUE(button("btn8")->isEnabled());
    button("btn8")->click();
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 2), QStringLiteral("正文\r\n"));
    EXPECT_FALSE(button("btn8")->isEnabled());

    dialogs().answerMessage(DialogButton::Yes);
    button("btn6")->click();
    EXPECT_EQ(storedRecordCount(QStringLiteral("帮助")), 2);
}

// The frame's menus and toolbar hold their items in order ("—" marks a separator).
TEST_F(MainWindowTest, MenusAndToolbarHoldTheirItemsInOrder) {
    makeDataFile({});
    TFmain& w = open();
    auto texts = [](const QList<QAction*>& actions, bool hints) {
        QStringList out;
        for (QAction* a : actions) {
            if (a->isSeparator())
                out << QStringLiteral("—");
            else if (!a->text().isEmpty() || !a->toolTip().isEmpty())
                out << (hints ? a->toolTip() : a->text());
        }
        return out;
    };
    const std::pair<const char*, const char*> menus[] = {
        {"文件(&F)",
         "资料保存|—|增加目录分类|目录分类管理|—|导入文件|导出到 .txt|导出到 .Html|导出到 .pdf|—|资料备份|历史版本|回收站|—|"
         "页面设置|打印预览|打印(&P)|—|退出系统"},
        {"内容(&N)", "显示日历|排卦处理|—|定时报警|八卦图|—|隐藏主窗口"},
        {"查看(&V)", "工具栏|列表栏|—|外挂资料1|外挂资料2|—|全目录查找"},
        {"选项(&O)", "字型设置|背景颜色设置|—|当前行字体颜色|当前行背景颜色|—|改变肤色"},
        {"帮助(&H)", "使用帮助|—|关于"},
    };
    const QList<QAction*> bar = w.findChild<QMenuBar*>(QStringLiteral("MainMenu1"))->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(std::size(menus)));
    for (size_t i = 0; i < std::size(menus); ++i) {
        QAction* menu = bar[static_cast<qsizetype>(i)];
        EXPECT_EQ(menu->text(), QString::fromUtf8(menus[i].first));
        ASSERT_NE(menu->menu(), nullptr);
        EXPECT_EQ(texts(menu->menu()->actions(), false).join(QLatin1Char('|')),
                  QString::fromUtf8(menus[i].second))
            << menus[i].first;
    }
    EXPECT_TRUE(FindAction(&w, QStringLiteral("actToolBar"))->isChecked());
    EXPECT_TRUE(FindAction(&w, QStringLiteral("actListBar"))->isChecked());

    auto* toolBar = w.findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(
        texts(toolBar->actions(), true).join(QLatin1Char('|')),
        QStringLiteral("添加同级节点|添加下级子节点|删除当前位置及子节点的所有内容|—|全目录查找|打印预览|"
                       "资料保存|—|显示排卦|显示日历|定时报警|关于|—|隐藏主窗口|退出系统|—"));
    auto* wrap = w.findChild<QCheckBox*>(QStringLiteral("ChkBox"));
    ASSERT_NE(wrap, nullptr);
    EXPECT_EQ(wrap->text(), QStringLiteral("   自动80列换行"));
    EXPECT_TRUE(wrap->isChecked());
}

// The left column's grounds: the category selector (closed and dropped down) and the note tree.
TEST_F(MainWindowTest, LeftColumnShowsItsGroundColours) {
    makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QString()}}}});
    TFmain& w = open();
    w.resize(800, 600);
    CategorySelector* selector = w.categorySelector();
    const QImage closed = selector->grab().toImage();
    // Right of the short name, left of the arrow.
    EXPECT_EQ(closed.pixelColor(closed.width() / 2, closed.height() / 2), QColor(225, 225, 255));
    EXPECT_EQ(selector->view()->palette().color(QPalette::Base), QColor(225, 225, 255));
    const QImage tree = w.notebook().tree()->viewport()->grab().toImage();
    EXPECT_EQ(tree.pixelColor(tree.width() - 5, tree.height() - 5), QColor(255, 255, 172));
}

} // namespace
} // namespace qj::test

namespace qj::test {
namespace {

TEST_F(MainWindowTest, SelectorDropsDownTenRowsWithAScrollBarBeyond) {
    std::vector<Category> categories;
    for (int i = 0; i < 25; ++i)
        categories.push_back({QStringLiteral("分类%1").arg(i), {{0, 0, QStringLiteral("首"), QString()}}});
    makeDataFile(categories);
    TFmain& w = open();
    w.show();
    CategorySelector* selector = w.categorySelector();
    selector->showPopup();
    QAbstractItemView* list = selector->view();
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }));
    const int rowHeight = list->visualRect(list->model()->index(0, 0)).height();
    EXPECT_EQ(rowHeight, 18);
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->verticalScrollBar()->isVisible(); }));
    EXPECT_EQ(list->viewport()->height() / rowHeight, 10);
    selector->hidePopup();
}

TEST_F(MainWindowTest, CtrlSIsTheSaveShortcut) {
    makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QString()}}}});
    open();
    EXPECT_EQ(action("actSave")->shortcut(), QKeySequence(QKeySequence::Save));
}

} // namespace
} // namespace qj::test
