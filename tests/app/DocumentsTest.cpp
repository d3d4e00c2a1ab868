// The readings of the View menu and the guide of "使用帮助": opened through the launcher, or named
// in a message when missing.

#include "app/Documents.h"
#include "MainWindowFixture.h"

#include "support/UiHelpers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>

#include <functional>

namespace qj::test {
namespace {

class DocumentsTest : public MainWindowTest {
protected:
    void SetUp() override {
        makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QString()}}}});
        open();
    }

    QAction* item(const char* menu, const char* caption) const {
        for (QAction* a : window->findChild<QMenu*>(QString::fromLatin1(menu))->actions())
            if (a->text() == QString::fromUtf8(caption))
                return a;
        ADD_FAILURE() << caption;
        return nullptr;
    }
    void writeProgram(const QString& name) {
        ASSERT_TRUE(dir.writeFile(name, "#!/bin/sh\nexit 0\n"));
        QFile::setPermissions(dir.filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

struct DocumentItem {
    const char* menu;
    const char* caption;
    const char* file;
};

constexpr DocumentItem kItems[] = {
    {"menuReadings1", "《寿康宝鉴》", "reading1.chm"},
    {"menuReadings1", "《了凡四训》", "reading2.chm"},
    {"menuReadings1", "自定义-《custom1.chm》", "custom1.chm"},
    {"menuReadings1", "自定义-《custom2.chm》", "custom2.chm"},
    {"menuReadings1", "自定义-《custom1.exe》", "custom1.exe"},
    {"menuReadings1", "自定义-《custom2.exe》", "custom2.exe"},
    {"menuReadings2", "《周易预测与命理研究》", "reading5.exe"},
    {"menuReadings2", "《周易基础》", "reading4.chm"},
    {"menuReadings2", "《周公解梦》", "reading3.chm"},
};

TEST_F(DocumentsTest, MissingDocumentIsNamedWithItsFullPath) {
    for (const DocumentItem& d : kItems) {
        SCOPED_TRACE(d.caption);
        QAction* a = item(d.menu, d.caption);
        ASSERT_NE(a, nullptr);
        EXPECT_TRUE(a->isEnabled());
        dialogs().clearCalls();
        dialogs().answerMessage(DialogButton::Ok);
        a->trigger();
        ASSERT_EQ(dialogs().calls().size(), 1u);
        const DialogCall& box = dialogs().calls()[0];
        EXPECT_EQ(box.caption, QStringLiteral("Error"));
        EXPECT_EQ(box.icon, MessageIcon::Error);
        EXPECT_EQ(box.text, QDir::toNativeSeparators(dir.filePath(QString::fromLatin1(d.file))) +
                                QStringLiteral("\r\r\n文件未找到 !"));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_TRUE(fake->launcher.calls().empty());
}

TEST_F(DocumentsTest, DocumentsOpenWithTheDesktopAndProgramsStart) {
    ASSERT_TRUE(dir.writeFile(QStringLiteral("reading1.chm"), "ITSF"));
    writeProgram(QStringLiteral("custom1.exe"));
    writeProgram(QStringLiteral("custom2.exe"));
    struct Case {
        const char* caption;
        LaunchCall::Kind kind;
        const char* target;
    };
    // The two custom programs are scripts that can run here.
    constexpr auto kProgram = LaunchCall::Program;
    const Case cases[] = {
        {"《寿康宝鉴》", LaunchCall::Document, "reading1.chm"},
        {"自定义-《custom1.exe》", kProgram, "custom1.exe"},
        {"自定义-《custom2.exe》", kProgram, "custom2.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        fake->launcher.clear();
        item("menuReadings1", c.caption)->trigger();
        ASSERT_EQ(fake->launcher.calls().size(), 1u);
        EXPECT_EQ(fake->launcher.calls()[0].kind, c.kind);
        EXPECT_EQ(fake->launcher.calls()[0].target, dir.filePath(QString::fromLatin1(c.target)));
        EXPECT_TRUE(fake->launcher.calls()[0].arguments.isEmpty());
    }
    EXPECT_TRUE(dialogs().calls().empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A desktop without a program for the file (no xdg-open) is said so, for documents, programs that
// cannot start and the guide alike, never a silent nothing.
TEST_F(DocumentsTest, ADocumentNothingCanOpenIsSaidSo) {
    ASSERT_TRUE(dir.writeFile(QStringLiteral("reading1.chm"), "ITSF"));
    ASSERT_TRUE(dir.writeFile(QStringLiteral("guide.chm"), "ITSF"));
    writeProgram(QStringLiteral("custom1.exe"));
    fake->launcher.setSucceeds(false);
    struct Case {
        std::function<void()> open;
        const char* file;
    };
    const Case cases[] = {
        {[&] { item("menuReadings1", "《寿康宝鉴》")->trigger(); }, "reading1.chm"},
        {[&] { item("menuReadings1", "自定义-《custom1.exe》")->trigger(); }, "custom1.exe"},
        {[&] { TriggerAction(window.get(), QStringLiteral("actHelp")); }, "guide.chm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        dialogs().clearCalls();
        fake->launcher.clear();
        dialogs().answerMessage(DialogButton::Ok);
        c.open();
        EXPECT_EQ(fake->launcher.calls().size(), 1u);
        ASSERT_EQ(dialogs().calls().size(), 1u);
        const DialogCall& box = dialogs().calls()[0];
        EXPECT_EQ(box.icon, MessageIcon::Error);
        EXPECT_EQ(box.text, NoOpenerText(dir.filePath(QString::fromLatin1(c.file))));
        EXPECT_TRUE(box.text.contains(QStringLiteral("没有能打开这个文件的程序")));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(DocumentsTest, HelpOpensTheGuideOrSaysItIsMissing) {
    dialogs().answerMessage(DialogButton::Ok);
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actHelp")));
    ASSERT_EQ(dialogs().calls().size(), 1u);
    const DialogCall& box = dialogs().calls()[0];
    EXPECT_EQ(box.caption, QStringLiteral("Information"));
    EXPECT_EQ(box.icon, MessageIcon::Information);
    EXPECT_EQ(box.buttons, std::vector<DialogButton>{DialogButton::Ok});
    EXPECT_EQ(box.text, QStringLiteral("欢迎使用青简札记\r\r\n"
                                       "意见与建议：请通过项目主页反馈\r\n"
                                       "使用说明也在目录分类“帮助”的第一条资料里\r\n"
                                       "青简札记项目 出品\r\r\r\n"
                                       "帮助文件未找到 !"));
    EXPECT_TRUE(fake->launcher.calls().empty());

    ASSERT_TRUE(dir.writeFile(QStringLiteral("guide.chm"), "ITSF"));
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actHelp")));
    ASSERT_EQ(fake->launcher.calls().size(), 1u);
    EXPECT_EQ(fake->launcher.calls()[0].kind, LaunchCall::Document);
    EXPECT_EQ(fake->launcher.calls()[0].target, dir.filePath(QStringLiteral("guide.chm")));
    EXPECT_EQ(dialogs().calls().size(), 1u);
}

} // namespace
} // namespace qj::test
