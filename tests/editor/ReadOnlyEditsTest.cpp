// What the editor's commands do to a read-only note (replace, the insert tools and their undo),
// and the small texts and boxes of the commands: the time text, UTF-16 files inserted, the
// replacement the replace dialog keeps.

#include "EditorFixture.h"

#include "editor/EditorCommands.h"
#include "editor/EditorText.h"
#include "editor/NotePrinter.h"
#include "editor/SearchDialog.h"
#include "support/FakeClock.h"
#include "support/Printers.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

namespace qj::test {
namespace {

class CommandsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        commands = pane->commands();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<SearchDialog*>(w))
                delete w;
        QLocale::setDefault(QLocale::system());
    }
    void trigger(const char* name) {
        QAction* a = commands->action(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    // The find or replace dialog the command opened (the tests close each after use).
    SearchDialog* openDialog(const char* command) {
        trigger(command);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<SearchDialog*>(w); d && d->isVisible())
                return d;
        return nullptr;
    }
    SearchOptions searching(const QString& text) {
        SearchOptions o;
        o.text = text;
        return o;
    }

    EditorCommands* commands = nullptr;
};

// Replacing in a read-only note says so when the text is there, and "not found" only when it is not;
// nothing changes either way.
TEST_F(CommandsTest, ReplacingInAReadOnlyNoteSaysItIsReadOnlyNeverNotFound) {
    const QString readOnlyText = QStringLiteral("资料处于只读状态，不能替换“apple”。请先取消“只读”。");
    const struct {
        const char* how;
        const char* text;
        QString said;
    } cases[] = {
        {"replace all", "apple pie, apple tart", readOnlyText},
        {"replace next", "apple pie, apple tart", readOnlyText},
        {"replace all", "pear pie", QStringLiteral("找不到“apple”。")},
        {"replace next", "pear pie", QStringLiteral("找不到“apple”。")},
    };
    for (const auto& c : cases) {
        load(QString::fromUtf8(c.text));
        editor->setReadOnly(true);
        SearchDialog* d = openDialog("actReplace");
        ASSERT_NE(d, nullptr);
        d->openWith(searching(QStringLiteral("apple")), QStringLiteral("梨"));
        dialogs.answerMessage(DialogButton::Ok);
        if (std::string(c.how) == "replace all")
            emit d->replaceAllRequested();
        else
            emit d->replaceRequested();
        EXPECT_EQ(dialogs.last().text, c.said) << c.how << " " << c.text;
        EXPECT_EQ(editor->text(), QString::fromUtf8(c.text)) << c.how;
        d->close();
    }
    // Writable, the same dialog replaces.
    load(QStringLiteral("apple pie, apple tart"));
    editor->setReadOnly(false);
    SearchDialog* d = openDialog("actReplace");
    ASSERT_NE(d, nullptr);
    d->openWith(searching(QStringLiteral("apple")), QStringLiteral("梨"));
    dialogs.answerMessage(DialogButton::Ok);
    emit d->replaceAllRequested();
    EXPECT_EQ(dialogs.last().text, QStringLiteral("共替换 2 处。"));
    EXPECT_EQ(editor->text(), QStringLiteral("梨 pie, 梨 tart"));
}

// The find dialog has no replacement field: using it keeps what the replace dialog was given.
TEST_F(CommandsTest, ReplaceDialogKeepsItsReplacementAfterTheFindDialogWasUsed) {
    load(QStringLiteral("a1 a2 a3"));
    editor->setReadOnly(false);
    SearchDialog* replace = openDialog("actReplace");
    ASSERT_NE(replace, nullptr);
    replace->openWith(searching(QStringLiteral("a")), QStringLiteral("b"));
    emit replace->findRequested();
    replace->close();
    SearchDialog* find = openDialog("actFind");
    ASSERT_NE(find, nullptr);
    ASSERT_NE(find, replace);
    find->openWith(searching(QStringLiteral("a")), QString());
    emit find->findRequested();
    find->close();
    trigger("actReplaceNext");
    EXPECT_EQ(editor->text(), QStringLiteral("a1 b2 a3"));
    EXPECT_EQ(openDialog("actReplace"), replace);
    EXPECT_EQ(replace->replacement(), QStringLiteral("b"));
    replace->close();
}

// The insert tools write while the editor is read-only; what they wrote can be taken back while it
// is, and nothing below it: the user's own changes stay refused until read-only is lifted.
TEST_F(CommandsTest, WhatTheInsertToolsWroteWhileReadOnlyCanBeUndoneAndNothingElse) {
    load(QStringLiteral("正文"));
    clock.set(QDate(2026, 12, 9), QTime(16, 24, 19));
    editor->setReadOnly(false);
    editor->insertAt(QStringLiteral("用户"), 0, 0); // the user's own change
    editor->setReadOnly(true);
    const QString typed = editor->text();
    trigger("N39");
    trigger("N42");
    const QString afterTools = editor->text();
    ASSERT_NE(afterTools, typed);
    for (const char* undo : {"N43", "actEditUndo"}) {
        trigger(undo);
        EXPECT_TRUE(editor->isReadOnly()) << undo;
    }
    EXPECT_EQ(editor->text(), typed);
    trigger("actEditUndo"); // the user's change is below: refused while read-only
    trigger("N43");
    EXPECT_EQ(editor->text(), typed);
    EXPECT_TRUE(editor->isReadOnly());
    // Writable again, undo takes the user's change back.
    editor->setReadOnly(false);
    trigger("actEditUndo");
    EXPECT_EQ(editor->text(), QStringLiteral("正文"));
}

TEST_F(CommandsTest, AChangeAfterAnInsertToolEndsWhatReadOnlyUndoMayTakeBack) {
    const struct {
        const char* change;
        std::function<void(QsciScintilla&)> apply;
    } changes[] = {
        {"typed", [](QsciScintilla& e) { e.insertAt(QStringLiteral("x"), 0, 0); }},
        {"new note loaded", [](QsciScintilla& e) { e.setText(QStringLiteral("另一条")); }},
    };
    for (const auto& c : changes) {
        load(QStringLiteral("正文"));
        editor->setReadOnly(true);
        trigger("N39");
        editor->setReadOnly(false);
        c.apply(*editor);
        editor->setReadOnly(true);
        const QString before = editor->text();
        trigger("actEditUndo");
        EXPECT_EQ(editor->text(), before) << c.change;
    }
    // A tool's step undone while writable is not counted twice.
    load(QStringLiteral("正文"));
    editor->setReadOnly(false);
    editor->insertAt(QStringLiteral("x"), 0, 0);
    trigger("N39");
    trigger("actEditUndo"); // takes the hyphens back while writable
    editor->setReadOnly(true);
    trigger("actEditUndo"); // the typed x is the user's: refused
    EXPECT_EQ(editor->text(), QStringLiteral("x正文"));
}

// The time is the short date and the long time of the locale without a time-zone name, in the
// inserted text and in the printed footer.
TEST_F(CommandsTest, TimeTextIsShortDateAndLongTimeWithoutZone) {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    clock.set(QDate(2026, 12, 9), QTime(16, 24, 19));
    load(QStringLiteral("记"));
    trigger("N42");
    EXPECT_EQ(editor->text(), QStringLiteral("2026/12/9 16:24:19记"));
    EXPECT_EQ(FooterText(QDateTime(QDate(2026, 12, 9), QTime(16, 24, 19)), 2, 9),
              QStringLiteral("2026/12/9 16:24:19   2/9"));
    // Midnight keeps its time in both.
    EXPECT_EQ(FooterText(QDateTime(QDate(2026, 1, 1), QTime(0, 0)), 1, 1),
              QStringLiteral("2026/1/1 00:00:00   1/1"));
}

TEST_F(CommandsTest, InsertedFilesWithAUtf16ByteOrderMarkAreDecoded) {
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"UTF-16 LE", QByteArray("\xFF\xFE\x66\x5B\x60\x4E\x0D\x00\x0A\x00\x78\x00", 12)}, // 学习 CR LF x
        {"UTF-16 BE", QByteArray("\xFE\xFF\x5B\x66\x4E\x60\x00\x0A\x00\x78", 10)},         // 学习 LF x
        {"UTF-8 with mark", QByteArray("\xEF\xBB\xBF\xE5\xAD\xA6\xE4\xB9\xA0\r\nx")},
        {"GBK", QByteArray("\xD1\xA7\xCF\xB0\r\nx")},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& f : files) {
        const QString path = dir.filePath(QString::fromLatin1(f.name) + QStringLiteral(".txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(f.bytes);
        file.close();
        load(QStringLiteral("[]"));
        editor->setReadOnly(false);
        editor->setCursorPosition(0, 1);
        dialogs.answerOpenFile(path);
        trigger("actInsertFile");
        EXPECT_EQ(editor->text(), QStringLiteral("[学习\r\nx]")) << f.name;
    }
}

} // namespace
} // namespace qj::test
