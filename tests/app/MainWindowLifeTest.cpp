// Hiding, closing and ending the program.

#include "MainWindowFixture.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "support/UiHelpers.h"

#include <QSignalSpy>

namespace qj::test {
namespace {

class MainWindowLifeTest : public MainWindowTest {
protected:
    void SetUp() override {
        makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}}});
        open();
        window->show();
    }
};

TEST_F(MainWindowLifeTest, ClosingOrHidingKeepsTheProgramAndItsUnsavedText) {
    QSignalSpy ending(window.get(), &TFmain::ending);
    typeIntoEditor(QStringLiteral("草稿"));
    for (const char* how : {"close", "actHideMainW"}) {
        SCOPED_TRACE(how);
        window->show();
        if (QString::fromLatin1(how) == QStringLiteral("close"))
            EXPECT_FALSE(window->close());
        else
            ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actHideMainW")));
        EXPECT_TRUE(window->isHidden());
        EXPECT_EQ(ending.count(), 0);
        EXPECT_TRUE(dialogs().calls().empty());
        EXPECT_TRUE(window->notebook().isDirty());
        window->bringToFront();
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("草稿说明"));
    }
    // Only "退出系统" writes the settings.
    EXPECT_FALSE(dir.exists(QStringLiteral("Jotterly.ini")));
}

TEST_F(MainWindowLifeTest, ExitAsksAboutUnsavedText) {
    struct Case {
        DialogButton answer;
        QString stored;
        bool ends;
    };
    // Cancel keeps the program running with the text; No: the note keeps its stored text; then
    // Yes stores the typed one.
    const Case cases[] = {{DialogButton::Cancel, QStringLiteral("说明"), false},
                          {DialogButton::No, QStringLiteral("说明"), true},
                          {DialogButton::Yes, QStringLiteral("改说明\r\n"), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(ButtonName(c.answer));
        if (!window)
            open();
        QSignalSpy ending(window.get(), &TFmain::ending);
        typeIntoEditor(QStringLiteral("改"));
        dialogs().answerMessage(c.answer);
        ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actExit")));
        ASSERT_EQ(dialogs().calls().size(), 1u);
        const DialogCall& ask = dialogs().calls()[0];
        EXPECT_EQ(ask.caption, QStringLiteral("提示"));
        EXPECT_EQ(ask.text, QStringLiteral("文本内容已改变，需要保存吗？"));
        EXPECT_EQ(ask.icon, MessageIcon::Question);
        EXPECT_EQ(ask.buttons, (std::vector{DialogButton::Yes, DialogButton::No, DialogButton::Cancel}));
        EXPECT_EQ(ask.defaultButton, DialogButton::Yes);
        EXPECT_EQ(ending.count(), c.ends ? 1 : 0);
        EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), c.stored);
        if (!c.ends) {
            EXPECT_TRUE(window->notebook().isDirty());
            EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("改说明"));
            dialogs().clearCalls();
            continue;
        }
        EXPECT_EQ(iniValue(QStringLiteral("Settings"), QStringLiteral("ToolBar")), QStringLiteral("1"));
        closeWindow();
        fake = std::make_unique<FakeServices>(dir.folder());
    }
}

TEST_F(MainWindowLifeTest, ExitWithCleanTextAsksNothing) {
    QSignalSpy ending(window.get(), &TFmain::ending);
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actExit")));
    EXPECT_TRUE(dialogs().calls().empty());
    EXPECT_EQ(ending.count(), 1);
    EXPECT_TRUE(dir.exists(QStringLiteral("Jotterly.ini")));
}

} // namespace
} // namespace qj::test
