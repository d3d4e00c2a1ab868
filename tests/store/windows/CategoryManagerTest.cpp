// The category manager "当前所有目录分类" on the real main window and data file.

#include "MainWindowFixture.h"

#include "app/CategorySelector.h"
#include "app/StoreWindows.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/Notebook.h"
#include "store/windows/addTable.h"
#include "support/UiHelpers.h"

#include <QAction>
#include <QListWidget>
#include <QLocale>

namespace qj::test {
namespace {

class CategoryManagerTest : public MainWindowTest {
protected:
    void SetUp() override {
        makeDataFile({
            {QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
            {QStringLiteral("work"), {{0, 0, QStringLiteral("work"), QStringLiteral("plan")}}},
            {QStringLiteral("读书"), {{0, 0, QStringLiteral("读书"), QStringLiteral("书单")}}},
        });
        ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=work\r\n")));
        open();
        manager = window->storeWindows().categoryManager();
        ASSERT_TRUE(manager);
        manager->FormShow();
        dialogs().clearCalls();
    }
    QString curTb() const { return iniValue(QStringLiteral("Info"), QStringLiteral("CurTb")); }
    // Selects a row of the list as the user would.
    void pick(const QString& name) {
        auto* list = manager->findChild<QListWidget*>(QStringLiteral("Lst1"));
        list->setCurrentRow(static_cast<int>(manager->names().indexOf(name)));
    }
    QStringList messageTexts() const {
        QStringList out;
        for (const DialogCall& c : fake->dialogs.calls())
            out << c.text;
        return out;
    }

    TFaddTable* manager = nullptr;
};

TEST_F(CategoryManagerTest, ShowsEveryCategoryAndTheCurrentOne) {
    EXPECT_EQ(manager->windowTitle(), QStringLiteral("当前所有目录分类"));
    EXPECT_EQ(manager->size(), QSize(TFaddTable::kWidth, TFaddTable::kHeight));
    EXPECT_EQ(manager->names(), (QStringList{"帮助", "work", "读书"}));
    EXPECT_EQ(manager->defaultLabel(), QStringLiteral(" work"));
}

TEST_F(CategoryManagerTest, DeletingANonFirstCategoryMakesTheFirstCurrentAndDefault) {
    pick(QStringLiteral("读书"));
    dialogs().answerMessage(DialogButton::Yes); // the warning
    dialogs().answerMessage(DialogButton::Ok);  // 设置完成!
    manager->BtnDelClick();

    ASSERT_EQ(dialogs().calls().size(), 2u);
    const DialogCall& warn = dialogs().calls()[0];
    EXPECT_EQ(warn.caption, QStringLiteral("非常危险提示 ！！！"));
    // The warning names the category it will delete.
    EXPECT_EQ(warn.text,
              QStringLiteral(
                  "目录分类【读书】\r\r\n"
                  "此操作将删除选择的目录分类中所有数据，数据不可恢复.\r\r\n真的要将这个目录分类删除吗?"));
    EXPECT_EQ(warn.icon, MessageIcon::Warning);
    EXPECT_EQ(warn.defaultButton, DialogButton::No);
    EXPECT_EQ(dialogs().calls()[1].text, QStringLiteral("设置完成!"));

    EXPECT_EQ(storedCategories(), (QStringList{"帮助", "work"}));
    EXPECT_EQ(manager->names(), (QStringList{"帮助", "work"}));
    EXPECT_EQ(window->categorySelector()->names(), (QStringList{"帮助", "work"}));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("帮助"));
    EXPECT_EQ(window->categorySelector()->currentText(), QStringLiteral("帮助"));
    EXPECT_EQ(curTb(), QStringLiteral("帮助"));
    EXPECT_EQ(manager->defaultLabel(), QStringLiteral("帮助"));
}

// An unsaved text of another category is asked about before the first category is shown; the
// shown category is closed before its table goes, so its unsaved text is dropped unasked and
// saved nowhere.
TEST_F(CategoryManagerTest, DeletingAsksAboutAnUnsavedTextOnlyWhenItsCategoryStays) {
    typeIntoEditor(QStringLiteral("留"));
    pick(QStringLiteral("读书"));
    dialogs().answerMessage(DialogButton::Yes); // the warning
    dialogs().answerMessage(DialogButton::Yes); // save the text
    dialogs().answerMessage(DialogButton::Ok);  // 设置完成!
    manager->BtnDelClick();
    EXPECT_EQ(messageTexts().mid(1), (QStringList{"文本内容已改变，需要保存吗？", "设置完成!"}));
    EXPECT_TRUE(storedInfo(QStringLiteral("work"), 0)->startsWith(QStringLiteral("留")));

    pick(QStringLiteral("work"));
    dialogs().answerMessage(DialogButton::Ok);
    manager->BtnCurTbClick();
    ASSERT_EQ(window->notebook().categoryName(), QStringLiteral("work"));
    typeIntoEditor(QStringLiteral("弃"));
    ASSERT_TRUE(window->notebook().isDirty());
    dialogs().clearCalls();
    dialogs().answerMessage(DialogButton::Yes); // the warning
    dialogs().answerMessage(DialogButton::Ok);  // 设置完成!
    manager->BtnDelClick();
    EXPECT_EQ(messageTexts().mid(1), QStringList{QStringLiteral("设置完成!")});
    EXPECT_EQ(storedCategories(), QStringList{QStringLiteral("帮助")});
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QStringLiteral("说明"));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("帮助"));
    EXPECT_FALSE(window->notebook().isDirty());
}

TEST_F(CategoryManagerTest, DeletingNeedsAYes) {
    pick(QStringLiteral("work"));
    dialogs().answerMessage(DialogButton::No);
    manager->BtnDelClick();
    EXPECT_EQ(storedCategories(), (QStringList{"帮助", "work", "读书"}));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("work"));
}

TEST_F(CategoryManagerTest, DeletingTheOnlyCategoryAsksForANewOne) {
    for (const char* gone : {"帮助", "读书"}) {
        pick(QString::fromUtf8(gone));
        dialogs().answerMessage(DialogButton::Yes);
        dialogs().answerMessage(DialogButton::Ok);
        manager->BtnDelClick();
    }
    ASSERT_EQ(manager->names(), QStringList{QStringLiteral("work")});

    // Cancelled: no category, nothing shown, the editor empty and read-only.
    dialogs().clearCalls();
    dialogs().answerMessage(DialogButton::Yes);
    dialogs().cancelInput();
    manager->BtnDelClick();
    EXPECT_EQ(dialogs().calls().back().caption, QStringLiteral("新建目录分类"));
    EXPECT_TRUE(storedCategories().isEmpty());
    EXPECT_TRUE(manager->names().isEmpty());
    EXPECT_EQ(manager->defaultLabel(), TFaddTable::noCategoryText());
    EXPECT_FALSE(window->notebook().hasCategory());
    EXPECT_TRUE(window->categorySelector()->names().isEmpty());
    EXPECT_TRUE(window->notebook().editor()->text().isEmpty());
    EXPECT_TRUE(window->notebook().editor()->isReadOnly());

    // Closing with no category left disables the note commands; a new category enables them.
    manager->SpeedButton4Click();
    EXPECT_FALSE(FindAction(window.get(), QStringLiteral("actAddSibling"))->isEnabled());
    dialogs().answerInput(QStringLiteral("新目录"));
    manager->FormShow();
    manager->btn2Click();
    EXPECT_EQ(manager->names(), QStringList{QStringLiteral("新目录")});
    EXPECT_EQ(manager->defaultLabel(), QStringLiteral("新目录"));
    EXPECT_EQ(curTb(), QStringLiteral("新目录"));
    EXPECT_TRUE(FindAction(window.get(), QStringLiteral("actAddSibling"))->isEnabled());
}

TEST_F(CategoryManagerTest, DeletingTheLastCategoryThenCreatingOneMakesItCurrentAndDefault) {
    for (const char* gone : {"帮助", "读书"}) {
        pick(QString::fromUtf8(gone));
        dialogs().answerMessage(DialogButton::Yes);
        dialogs().answerMessage(DialogButton::Ok);
        manager->BtnDelClick();
    }
    dialogs().answerMessage(DialogButton::Yes);
    dialogs().answerInput(QStringLiteral("日记"));
    dialogs().answerMessage(DialogButton::Ok); // 设置完成!
    manager->BtnDelClick();
    EXPECT_EQ(storedCategories(), QStringList{QStringLiteral("日记")});
    EXPECT_EQ(manager->names(), QStringList{QStringLiteral("日记")});
    EXPECT_EQ(manager->defaultLabel(), QStringLiteral("日记"));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("日记"));
    EXPECT_EQ(curTb(), QStringLiteral("日记"));
}

TEST_F(CategoryManagerTest, DefaultWritesTheStartupCategoryAndOpensIt) {
    pick(QStringLiteral("读书"));
    dialogs().answerMessage(DialogButton::Ok);
    manager->BtnCurTbClick();
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("设置完成!")});
    EXPECT_EQ(curTb(), QStringLiteral("读书"));
    EXPECT_EQ(manager->defaultLabel(), QStringLiteral("读书"));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("读书"));
    EXPECT_EQ(window->categorySelector()->currentText(), QStringLiteral("读书"));
}

TEST_F(CategoryManagerTest, DefaultAsksAboutAnUnsavedTextBeforeEmptyingTheEditor) {
    typeIntoEditor(QStringLiteral("未存"));
    pick(QStringLiteral("读书"));
    dialogs().answerMessage(DialogButton::Yes); // save it
    dialogs().answerMessage(DialogButton::Ok);
    manager->BtnCurTbClick();
    EXPECT_EQ(messageTexts(), (QStringList{"文本内容已改变，需要保存吗？", "设置完成!"}));
    EXPECT_TRUE(storedInfo(QStringLiteral("work"), 0)->startsWith(QStringLiteral("未存")));
}

TEST_F(CategoryManagerTest, EmptyingEverythingNeedsTodaysDateExactly) {
    // The system's short date format of a Chinese desktop.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    struct RestoreLocale {
        QLocale locale;
        ~RestoreLocale() { QLocale::setDefault(locale); }
    } restore{before};
    fake->clock.set(QDate(2024, 3, 5), QTime(9, 0));
    const QString date = QStringLiteral("2024/3/5");
    for (const char* wrong : {" 2024/3/5", "2024/3/5 ", "2024-3-5", "2024/03/05", "**********"}) {
        dialogs().clearCalls();
        dialogs().answerMessage(DialogButton::Yes);
        dialogs().answerInput(QString::fromUtf8(wrong));
        manager->BtnDelallClick();
        ASSERT_EQ(dialogs().calls().size(), 2u) << wrong; // no message after a wrong date
        EXPECT_EQ(storedCategories().size(), 3) << wrong;
    }
    const DialogCall& ask = dialogs().calls()[1];
    EXPECT_EQ(ask.caption, QStringLiteral("删除所有数据  ") + date);
    EXPECT_EQ(ask.text, QStringLiteral("请再次确认【删除所有数据】\r\r\n请输入密码："));
    EXPECT_EQ(ask.startText, QStringLiteral("**********"));
    EXPECT_EQ(dialogs().calls()[0].caption, QStringLiteral("超级危险提示 ！！！"));
    EXPECT_EQ(dialogs().calls()[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs().calls()[0].defaultButton, DialogButton::No);

    dialogs().answerMessage(DialogButton::Yes);
    dialogs().cancelInput();
    manager->BtnDelallClick();
    EXPECT_EQ(storedCategories().size(), 3);

    dialogs().answerMessage(DialogButton::Yes);
    dialogs().answerInput(date);
    manager->BtnDelallClick();
    EXPECT_TRUE(storedCategories().isEmpty());
    EXPECT_TRUE(manager->names().isEmpty());
    EXPECT_EQ(manager->defaultLabel(), TFaddTable::noCategoryText());
    EXPECT_FALSE(window->notebook().hasCategory());
    EXPECT_TRUE(window->categorySelector()->names().isEmpty()); // never lists a dropped table

    dialogs().clearCalls();
    dialogs().answerMessage(DialogButton::Ok);
    manager->BtnDelallClick();
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("当前没有可以删除的目录分类")});
    dialogs().answerMessage(DialogButton::Ok);
    manager->BtnCurTbClick();
    EXPECT_EQ(messageTexts().back(), QStringLiteral("当前没有目录分类可是设置！"));
}

TEST_F(CategoryManagerTest, ClosingWithOneCategoryMakesItCurrentAndDefault) {
    for (const char* gone : {"帮助", "读书"}) {
        pick(QString::fromUtf8(gone));
        dialogs().answerMessage(DialogButton::Yes);
        dialogs().answerMessage(DialogButton::Ok);
        manager->BtnDelClick();
    }
    ASSERT_TRUE(window->dataFile());
    window->settingsStore().saveStartupCategory(QStringLiteral("x"));
    window->notebook().titleBar()->setTitle(QStringLiteral("标题"));
    manager->SpeedButton4Click();
    EXPECT_EQ(curTb(), QStringLiteral("work"));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("work"));
    EXPECT_TRUE(window->notebook().titleBar()->text().isEmpty());
}

TEST_F(CategoryManagerTest, NewCancelledChangesNothing) {
    dialogs().cancelInput();
    manager->btn2Click();
    EXPECT_EQ(manager->names(), (QStringList{"帮助", "work", "读书"}));
    EXPECT_EQ(manager->defaultLabel(), QStringLiteral(" work"));
}

} // namespace
} // namespace qj::test
