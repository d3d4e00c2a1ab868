// The recovery journal in the main window: kept while a note's text is changed and unsaved, gone
// when it is clean again, and offered at the next start when a run left it.

#include "MainWindowFixture.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/Notebook.h"
#include "app/notebook/RecoveryJournalKeeper.h"
#include "store/RecoveryJournal.h"
#include "support/UiHelpers.h"

#include <QElapsedTimer>
#include <QHideEvent>
#include <QTest>
#include <QTreeWidget>

namespace qj::test {
namespace {

class RecoveryJournalWindow : public MainWindowTest {
public:
    using MainWindowTest::dialogs;
    using MainWindowTest::window;

    void SetUp() override { makeNotebook(); }
    // 日记 with two notes, shown at start.
    void makeNotebook() {
        QFile::remove(dataPath());
        makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
                      {QStringLiteral("日记"),
                       {{1, 0, QStringLiteral("一"), QStringLiteral("第一条")},
                        {2, 0, QStringLiteral("二"), QStringLiteral("第二条")}}}});
        dir.writeIni(QStringLiteral("[Info]\r\nCurTb=日记\r\n"));
    }
    QString journalPath() const { return dir.filePath(QStringLiteral("dataly.recovery")); }
    JournalContents journal() {
        if (window && window->recoveryJournal())
            window->recoveryJournal()->writer().waitIdle();
        return ReadJournal(journalPath());
    }
    // Typed and written at once (as when the window is left).
    void typeAndFlush(const QString& text) {
        typeIntoEditor(text);
        window->recoveryJournal()->flush();
    }
    void pressNote(int row) {
        QTreeWidget* tree = window->notebook().tree();
        const QPoint at = tree->visualItemRect(tree->topLevelItem(row)).center();
        QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at);
    }
    // A journal entry for note 2 ("二", record 2) of 日记, or for a record that is not there.
    void leaveEntry(std::int64_t rowid = 2, std::int64_t id = 2) {
        JournalEntry entry;
        entry.category = QStringLiteral("日记");
        entry.rowid = rowid;
        entry.id = id;
        entry.title = QStringLiteral("二");
        entry.written = QDateTime(QDate(2026, 12, 9), QTime(22, 15, 3));
        entry.text = QStringLiteral("没保存的\r\n两行").toUtf8();
        ASSERT_EQ(WriteJournal(journalPath(), entry), 0);
    }
};

TEST_F(RecoveryJournalWindow, KeepsTheChangedTextOfTheEditedNote) {
    open();
    window->recoveryJournal()->flush();
    EXPECT_EQ(journal().state, JournalRead::None); // clean: nothing to keep
    typeAndFlush(QStringLiteral("新"));
    const JournalContents kept = journal();
    ASSERT_EQ(kept.state, JournalRead::Entry);
    EXPECT_EQ(kept.entry.category, QStringLiteral("日记"));
    EXPECT_EQ(kept.entry.id, 1);
    EXPECT_EQ(kept.entry.title, QStringLiteral("一"));
    EXPECT_EQ(QString::fromUtf8(kept.entry.text), QStringLiteral("新第一条"));
    EXPECT_EQ(kept.entry.written, fake->clock.now());
    EXPECT_EQ(storedInfo(QStringLiteral("日记"), 1), QStringLiteral("第一条")); // the data file untouched
}

// Each way the text becomes clean again removes the entry; a failed save or Cancel keeps it.
TEST_F(RecoveryJournalWindow, EndsWhenTheTextIsCleanAgain) {
    const struct {
        const char* what;
        std::function<void(RecoveryJournalWindow&)> act;
        bool kept;
    } cases[] = {
        {"saved", [](RecoveryJournalWindow& t) { TriggerAction(t.window.get(), QStringLiteral("actSave")); },
         false},
        {"No at the question",
         [](RecoveryJournalWindow& t) {
             t.dialogs().answerMessage(DialogButton::No);
             t.pressNote(1);
         },
         false},
        {"Yes at the question",
         [](RecoveryJournalWindow& t) {
             t.dialogs().answerMessage(DialogButton::Yes);
             t.pressNote(1);
         },
         false},
        {"another note loaded", [](RecoveryJournalWindow& t) { t.window->notebook().loadSelected(); }, false},
        {"Cancel at 退出系统",
         [](RecoveryJournalWindow& t) {
             t.dialogs().answerMessage(DialogButton::Cancel);
             t.window->actExitExecute();
         },
         true},
        {"the window hidden", [](RecoveryJournalWindow& t) { t.window->hide(); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        open();
        window->show();
        typeAndFlush(QStringLiteral("改"));
        ASSERT_EQ(journal().state, JournalRead::Entry);
        c.act(*this);
        EXPECT_EQ(journal().state == JournalRead::Entry, c.kept);
        window.reset();
        RemoveJournal(journalPath());
    }
}

// Written two seconds after typing, not before; leaving the window writes at once.
TEST_F(RecoveryJournalWindow, WritesTwoSecondsAfterTypingOrAtOnceWhenLeft) {
    open();
    window->show();
    typeIntoEditor(QStringLiteral("等"));
    QTest::qWait(1500);
    EXPECT_EQ(journal().state, JournalRead::None);
    EXPECT_TRUE(WaitUntil([&] { return journal().state == JournalRead::Entry; }, 1500));
    typeIntoEditor(QStringLiteral("再"));
    QHideEvent hidden; // hidden (by the hot key, the tray) while it may stay the active window
    QCoreApplication::sendEvent(window.get(), &hidden);
    EXPECT_EQ(QString::fromUtf8(journal().entry.text), QStringLiteral("等再第一条"));
    // Another window taken up: what was typed is written at once.
    window->show();
    window->activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return window->isActiveWindow(); }, 1000));
    typeIntoEditor(QStringLiteral("走"));
    QWidget other;
    other.show();
    other.activateWindow();
    EXPECT_TRUE(WaitUntil([&] { return !window->isActiveWindow(); }, 1000));
    EXPECT_EQ(QString::fromUtf8(journal().entry.text), QStringLiteral("等再走第一条"));
}

TEST_F(RecoveryJournalWindow, OffersWhatARunLeftBeforeAnythingElse) {
    leaveEntry();
    dialogs().answerMessage(DialogButton::Yes);
    open();
    ASSERT_EQ(dialogs().calls().size(), 1u);
    const DialogCall& box = dialogs().calls()[0];
    EXPECT_EQ(box.text, QStringLiteral("上次没有正常退出，以下笔记有未保存的文字：\n\n"
                                       "目录分类：日记\n标题：二\n时间：2026-12-09 22:15:03\n字数：6"));
    EXPECT_EQ(box.buttonTexts, (std::vector<QString>{QStringLiteral("恢复"), QStringLiteral("另存为文件"),
                                                     QStringLiteral("放弃")}));
    EXPECT_EQ(box.defaultButton, DialogButton::Yes);
    // 恢复: that note, the journal's text in the editor as a change; nothing written.
    EXPECT_EQ(window->notebook().selectedTitle(), QStringLiteral("二"));
    EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("没保存的\r\n两行"));
    EXPECT_TRUE(window->notebook().isDirty());
    EXPECT_EQ(storedInfo(QStringLiteral("日记"), 2), QStringLiteral("第二条"));
    EXPECT_EQ(journal().state, JournalRead::Entry); // still changed, still kept
    TriggerAction(window.get(), QStringLiteral("actSave"));
    EXPECT_EQ(storedInfo(QStringLiteral("日记"), 2), QStringLiteral("没保存的\r\n两行\r\n"));
    EXPECT_EQ(journal().state, JournalRead::None);
}

TEST_F(RecoveryJournalWindow, DropsOrSavesTheLeftTextAsAFile) {
    const QString file = dir.filePath(QStringLiteral("恢复.txt"));
    const struct {
        const char* what;
        std::vector<DialogButton> answers;
        std::vector<std::optional<QString>> files;
        bool fileWritten;
    } cases[] = {
        {"放弃", {DialogButton::No}, {}, false},
        {"另存为文件", {DialogButton::Ok}, {file}, true},
        {"另存为文件 cancelled, then 放弃", {DialogButton::Ok, DialogButton::No}, {std::nullopt}, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(file);
        fake = std::make_unique<FakeServices>(dir.folder());
        leaveEntry();
        for (DialogButton b : c.answers)
            dialogs().answerMessage(b);
        for (const auto& f : c.files)
            f ? dialogs().answerSaveFile(*f) : dialogs().cancelSaveFile();
        open();
        EXPECT_EQ(journal().state, JournalRead::None);
        EXPECT_FALSE(window->notebook().isDirty());
        EXPECT_EQ(QFile::exists(file), c.fileWritten);
        if (c.fileWritten) {
            EXPECT_EQ(dir.readFile(QStringLiteral("恢复.txt")), QStringLiteral("没保存的\r\n两行").toUtf8());
        }
        EXPECT_EQ(storedInfo(QStringLiteral("日记"), 2), QStringLiteral("第二条"));
        window.reset();
    }
}

// The note is gone (its record, or another note in it now): offered as a new note.
TEST_F(RecoveryJournalWindow, OffersATextWhoseNoteIsGoneAsANewNote) {
    const std::pair<std::int64_t, std::int64_t> gone[] = {{99, 2}, {2, 5}};
    for (const auto& [rowid, id] : gone) {
        SCOPED_TRACE(rowid);
        fake = std::make_unique<FakeServices>(dir.folder());
        makeNotebook();
        leaveEntry(rowid, id);
        dialogs().answerMessage(DialogButton::Yes);
        open();
        ASSERT_GE(dialogs().calls().size(), 1u);
        EXPECT_TRUE(dialogs().calls()[0].text.startsWith(QStringLiteral("这条笔记已不存在")));
        EXPECT_EQ(dialogs().calls()[0].buttonTexts.front(), QStringLiteral("新笔记"));
        EXPECT_EQ(storedRecordCount(QStringLiteral("日记")), 3);
        EXPECT_EQ(window->notebook().selectedTitle(), QStringLiteral("二"));
        EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("没保存的\r\n两行"));
        EXPECT_TRUE(window->notebook().isDirty());
        EXPECT_EQ(storedInfo(QStringLiteral("日记"), 2), QStringLiteral("第二条"));
        window.reset();
    }
}

// A damaged or foreign journal is put aside unread; the program starts as always.
TEST_F(RecoveryJournalWindow, PutsADamagedJournalAside) {
    leaveEntry();
    QByteArray bytes = dir.readFile(QStringLiteral("dataly.recovery"));
    bytes.chop(1);
    dir.writeFile(QStringLiteral("dataly.recovery"), bytes);
    open();
    EXPECT_TRUE(dialogs().calls().empty());
    EXPECT_EQ(journal().state, JournalRead::None);
    EXPECT_EQ(dir.readFile(QStringLiteral("dataly.recovery.damaged")), bytes);
    EXPECT_FALSE(window->notebook().isDirty());
}

} // namespace
} // namespace qj::test
