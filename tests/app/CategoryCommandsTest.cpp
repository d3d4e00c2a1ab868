// Creating a category with "增加目录分类" and switching categories in the selector.

#include "MainWindowFixture.h"

#include "app/CategorySelector.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/Notebook.h"
#include "support/UiHelpers.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace qj::test {
namespace {

class CategoryCommandsTest : public MainWindowTest {
protected:
    void SetUp() override {
        makeDataFile({
            {QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
            {QStringLiteral("work"),
             {{0, 0, QStringLiteral("work"), QStringLiteral("plan")},
              {1, 0, QStringLiteral("mon"), QStringLiteral("meet")}}},
        });
        ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=work\r\n")));
        open();
    }

    CategorySelector* selector() const { return window->categorySelector(); }

    // The user picks an entry in the selector.
    void pick(const QString& name) {
        const int index = selector()->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        selector()->setCurrentIndex(index);
        emit selector()->activated(index);
    }
};

TEST_F(CategoryCommandsTest, NewCategoryBecomesCurrentAndTheStartupCategory) {
    QSignalSpy created(window.get(), &TFmain::categoryCreated);
    dialogs().answerInput(QStringLiteral("读书"));
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actNewCategory")));

    ASSERT_EQ(dialogs().calls().size(), 1u);
    const DialogCall& ask = dialogs().calls()[0];
    EXPECT_EQ(ask.caption, QStringLiteral("新建目录分类"));
    EXPECT_EQ(ask.text, QStringLiteral("输入你要建立的目录分类名字"));
    EXPECT_EQ(ask.startText, QStringLiteral("目录分类名"));

    EXPECT_EQ(storedCategories(), (QStringList{"帮助", "work", "读书"}));
    EXPECT_EQ(storedRecordCount(QStringLiteral("读书")), 1);
    EXPECT_EQ(storedInfo(QStringLiteral("读书"), 0), QString());
    EXPECT_EQ(selector()->names(), (QStringList{"帮助", "work", "读书"}));
    EXPECT_EQ(selector()->currentText(), QStringLiteral("读书"));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("读书"));
    EXPECT_EQ(window->notebook().topLevelTitles(), QStringList{QStringLiteral("读书")});
    EXPECT_EQ(iniValue(QStringLiteral("Info"), QStringLiteral("CurTb")), QStringLiteral("读书"));
    EXPECT_EQ(window->notebook().titleBar()->text(), QStringLiteral("                 【读书】"));
    ASSERT_EQ(created.count(), 1);
    EXPECT_EQ(created[0][0].toString(), QStringLiteral("读书"));
}

// Names the data file must refuse, and what the user is told.
TEST_F(CategoryCommandsTest, RefusedNamesChangeNothing) {
    struct Case {
        QString name;
        QString caption;
        MessageIcon icon;
        QString text; // empty: any text
    };
    const Case cases[] = {
        {QStringLiteral("work"), QStringLiteral("提示"), MessageIcon::Information,
         QStringLiteral("当前要建立的目录分类名已存在！")},
        {QStringLiteral("帮助"), QStringLiteral("提示"), MessageIcon::Information,
         QStringLiteral("当前要建立的目录分类名已存在！")},
        {QStringLiteral("WORK"), QStringLiteral("青简札记"), MessageIcon::Error, {}},
        {QStringLiteral("Work"), QStringLiteral("青简札记"), MessageIcon::Error, {}},
        // The general error box ends the text with one full stop, never "。.".
        {QString(), QStringLiteral("青简札记"), MessageIcon::Error, QStringLiteral("目录分类名不能为空.")},
    };
    const QString titleBefore = window->notebook().titleBar()->text();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        dialogs().clearCalls();
        dialogs().answerInput(c.name);
        dialogs().answerMessage(DialogButton::Ok);
        ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actNewCategory")));
        ASSERT_EQ(dialogs().calls().size(), 2u);
        const DialogCall& told = dialogs().calls()[1];
        EXPECT_EQ(told.caption, c.caption);
        EXPECT_EQ(told.icon, c.icon);
        EXPECT_EQ(told.buttons, std::vector<DialogButton>{DialogButton::Ok});
        if (!c.text.isEmpty()) {
            EXPECT_EQ(told.text, c.text);
        }
        EXPECT_EQ(storedCategories(), (QStringList{"帮助", "work"}));
        EXPECT_EQ(selector()->names(), (QStringList{"帮助", "work"}));
        EXPECT_EQ(selector()->currentText(), QStringLiteral("work"));
        EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("work"));
        EXPECT_EQ(window->notebook().titleBar()->text(), titleBefore);
        EXPECT_EQ(iniValue(QStringLiteral("Info"), QStringLiteral("CurTb")), QStringLiteral("work"));
    }
}

TEST_F(CategoryCommandsTest, NamesThatLookLikeSqlAreJustNames) {
    const QString names[] = {
        QStringLiteral("a\"b"),
        QStringLiteral("O'Brien"),
        QStringLiteral("x\"; DROP TABLE \"帮助\"; --"),
        QStringLiteral("[work]"),
        QStringLiteral(" 前后空格 "),
        QStringLiteral("'引号'"),
    };
    QStringList expected{QStringLiteral("帮助"), QStringLiteral("work")};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        dialogs().answerInput(name);
        ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actNewCategory")));
        expected << name;
        EXPECT_EQ(storedCategories(), expected);
        EXPECT_EQ(window->notebook().categoryName(), name);
        EXPECT_EQ(window->notebook().topLevelTitles(), QStringList{name});
        EXPECT_EQ(iniValue(QStringLiteral("Info"), QStringLiteral("CurTb")), name);
    }
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QStringLiteral("说明"));
}

TEST_F(CategoryCommandsTest, CancelledInputChangesNothing) {
    const QString title = window->notebook().titleBar()->text();
    ASSERT_FALSE(title.isEmpty());
    dialogs().cancelInput();
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actNewCategory")));
    EXPECT_EQ(window->notebook().titleBar()->text(), title) << "the note stays shown, and so does its title";
    EXPECT_EQ(storedCategories(), (QStringList{"帮助", "work"}));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("work"));
}

// Picking a category shows its tree; the editor, the title bar and an unsaved text stay as they
// are, and the start-up category is not changed. Empty or not, the other category names no note.
TEST_F(CategoryCommandsTest, PickingACategoryShowsItsTreeAndLeavesTheEditorAlone) {
    const QString editorText = window->notebook().editor()->text();
    const QString title = window->notebook().titleBar()->text();
    pick(QStringLiteral("帮助"));
    EXPECT_TRUE(dialogs().calls().empty());
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("帮助"));
    EXPECT_EQ(window->notebook().topLevelTitles(), QStringList{QStringLiteral("帮助")});
    EXPECT_EQ(window->notebook().editor()->text(), editorText);
    EXPECT_EQ(window->notebook().titleBar()->text(), title);
    EXPECT_EQ(iniValue(QStringLiteral("Info"), QStringLiteral("CurTb")), QStringLiteral("work"));
    pick(QStringLiteral("work"));
    EXPECT_EQ(window->notebook().topLevelTitles(), QStringList{QStringLiteral("work")});
    EXPECT_EQ(window->notebook().titleBar()->text(), title);
}

TEST_F(CategoryCommandsTest, PickingAnEmptyCategoryKeepsTheShownNote) {
    closeWindow();
    ASSERT_TRUE(QFile::remove(dataPath()));
    makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
                  {QStringLiteral("空"), {}}});
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=帮助\r\n")));
    open();
    window->notebook().loadSelected();
    ASSERT_EQ(window->notebook().titleBar()->text(), QStringLiteral("                 【帮助】"));
    pick(QStringLiteral("空"));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("空"));
    EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("说明"));
    EXPECT_EQ(window->notebook().titleBar()->text(), QStringLiteral("                 【帮助】"));
}

TEST_F(CategoryCommandsTest, AnUnsavedTextSurvivesPickingAnotherCategoryAndIsSavedIntoItsOwnNote) {
    typeIntoEditor(QStringLiteral("新"));
    ASSERT_TRUE(window->notebook().isDirty());
    pick(QStringLiteral("帮助"));
    EXPECT_TRUE(dialogs().calls().empty()) << "nothing is asked: the text stays in the editor";
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("帮助"));
    EXPECT_TRUE(window->notebook().isDirty());
    EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("新plan"));
    // Saved now, the text goes into the note it was typed in, in its own category.
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actSave")));
    EXPECT_EQ(storedInfo(QStringLiteral("work"), 0), QStringLiteral("新plan\r\n"));
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QStringLiteral("说明"));
    EXPECT_FALSE(window->notebook().isDirty());

    // Pressing a note of the picked category asks about a text typed since.
    typeIntoEditor(QStringLiteral("丢"));
    dialogs().answerMessage(DialogButton::No);
    QTreeWidget* tree = window->notebook().tree();
    const QPoint onNote = tree->visualItemRect(tree->topLevelItem(0)).center();
    QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, onNote);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, onNote);
    ASSERT_EQ(dialogs().calls().size(), 1u);
    EXPECT_EQ(dialogs().calls()[0].text, QStringLiteral("文本内容已改变，需要保存吗？"));
    EXPECT_EQ(storedInfo(QStringLiteral("work"), 0), QStringLiteral("新plan\r\n"));
    EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("说明"));
    EXPECT_FALSE(window->notebook().isDirty());
}

} // namespace
} // namespace qj::test
