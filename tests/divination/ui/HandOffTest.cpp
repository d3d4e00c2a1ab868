// 数据存在剪贴板并且退出: the report filed as a note of the real notebook and put on the clipboard.

#include "DivinationFixture.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTreeWidget.h"
#include "seams/StandardBoxes.h"
#include "support/UiHelpers.h"

#include <sqlite3.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

namespace qj::test {
namespace {

class HandOffTest : public DivinationTest {
protected:
    // 财运 / 股票 / 涨跌: the category note 涨跌 lies two levels down.
    void openTree() {
        open({{0, 0, QStringLiteral("财运"), QString()},
              {1, 0, QStringLiteral("股票"), QString()},
              {2, 1, QStringLiteral("涨跌"), QString()},
              {3, 3, QStringLiteral("出行"), QStringLiteral("旧记")}});
        window->show();
        QGuiApplication::clipboard()->setText(QStringLiteral("之前的剪贴板"));
    }
    // The memo's lines, each ended by CR LF: the text the note and the clipboard receive.
    QString reportAsFiled() const {
        return memoText().split(QLatin1Char('\n')).join(QStringLiteral("\r\n")) + "\r\n";
    }
};

TEST_F(HandOffTest, YesFilesTheReportUnderTheNoteNamedByTheCategoryAtAnyDepth) {
    openTree();
    makeReport(QStringLiteral("涨跌"), QStringLiteral("明日涨否"));
    const QString report = reportAsFiled();
    fake.dialogs.clearCalls();
    fake.dialogs.answerMessage(DialogButton::Yes);
    window->HandOffReport();

    ASSERT_EQ(fake.dialogs.calls().size(), 1u);
    const DialogCall asked = fake.dialogs.last();
    EXPECT_EQ(asked.caption, QString::fromUtf8(kConfirmCaption));
    EXPECT_EQ(asked.text, QStringLiteral("确认是否将[明日涨否]\r\r\n添加到 【涨跌】 类别中 ？"));
    EXPECT_EQ(asked.buttons, (std::vector<DialogButton>{DialogButton::Yes, DialogButton::No}));

    const std::vector<NoteRecord> stored = records();
    ASSERT_EQ(stored.size(), 5u);
    EXPECT_EQ(stored.back(), (NoteRecord{4, 2, QStringLiteral("明日涨否"), report}));
    EXPECT_EQ(notebook->selectedId(), NoteId{4});
    EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("明日涨否"));
    EXPECT_FALSE(notebook->isDirty());
    EXPECT_FALSE(notebook->editor()->isReadOnly());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), report);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(HandOffTest, AnUnknownCategoryFilesTheNoteBesideTheSelectedOne) {
    openTree();
    notebook->selectNote(NoteId{3});
    makeReport(QStringLiteral("无此类别"), QStringLiteral("问事"));
    fake.dialogs.answerMessage(DialogButton::Yes);
    window->HandOffReport();
    const std::vector<NoteRecord> stored = records();
    ASSERT_EQ(stored.size(), 5u);
    EXPECT_EQ(stored.back().name, QStringLiteral("问事"));
    EXPECT_EQ(notebook->topLevelTitles(),
              (QStringList{QStringLiteral("财运"), QStringLiteral("出行"), QStringLiteral("问事")}));
}

TEST_F(HandOffTest, NoFilesNothingButStillCopiesAndCloses) {
    openTree();
    makeReport(QStringLiteral("涨跌"), QStringLiteral("明日涨否"));
    const QString report = reportAsFiled();
    const std::vector<NoteRecord> before = records();
    fake.dialogs.clearCalls();
    fake.dialogs.answerMessage(DialogButton::No);
    fake.dialogs.answerMessage(DialogButton::Ok);
    window->HandOffReport();
    ASSERT_EQ(fake.dialogs.calls().size(), 2u);
    EXPECT_EQ(fake.dialogs.last().text, QStringLiteral("当前已内容存到剪贴板。。。"));
    EXPECT_EQ(records(), before);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), report);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(HandOffTest, AnEmptyMemoOnlyClosesTheWindow) {
    openTree();
    const std::vector<NoteRecord> before = records();
    window->HandOffReport();
    EXPECT_TRUE(fake.dialogs.calls().empty());
    EXPECT_EQ(records(), before);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("之前的剪贴板"));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(HandOffTest, ARefusedNoteKeepsTheWindowOpenInFrontWithTheReportOnTheClipboard) {
    openTree();
    makeReport(QStringLiteral("涨跌"), QStringLiteral("今年如何"));
    const QString report = reportAsFiled();
    const std::vector<NoteRecord> before = records();
    // Another program holds the data file: the write is refused.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(dir.filePath(QStringLiteral("dataly.dat"))).constData(), &other),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    fake.dialogs.answerMessage(DialogButton::Yes);
    fake.dialogs.answerMessage(DialogButton::Ok); // the notebook's error box
    QWidget elsewhere;                            // the box's own window took the focus
    elsewhere.show();
    elsewhere.activateWindow();
    window->HandOffReport();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(fake.dialogs.last().icon, MessageIcon::Error);
    EXPECT_EQ(records(), before);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), report);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == window.get(); }))
        << "the window is in front again";
    EXPECT_EQ(memoText().isEmpty(), false);
}

// Whichever write the notebook refuses, the new note or its text, the window stays open with the
// report it could not file; a note filed whole closes it.
TEST_F(HandOffTest, TheWindowStaysOpenWithItsReportWhileTheNotebookRefuses) {
    const struct {
        const char* refused; // a check of the category's table that refuses the write; nullptr: none
        bool filed;
    } cases[] = {{"Name <> '今年如何'", false},
                 {"Info IS NULL OR Info NOT LIKE '%今年如何%'", false},
                 {nullptr, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused ? c.refused : "nothing refused");
        TearDown();
        QFile::remove(dir.filePath(QStringLiteral("dataly.dat")));
        openTree();
        if (c.refused) {
            // The new note refused, or its text: the table made anew with a check.
            sqlite3* other = nullptr;
            ASSERT_EQ(sqlite3_open(QFile::encodeName(dir.filePath(QStringLiteral("dataly.dat"))).constData(),
                                   &other),
                      SQLITE_OK);
            const std::string remake =
                std::string("ALTER TABLE \"占卜\" RENAME TO old; CREATE TABLE \"占卜\" (ID INTEGER, Parent "
                            "INTEGER, Name VARCHAR(50) NOT NULL, Info TEXT, CHECK (") +
                c.refused + ")); INSERT INTO \"占卜\" SELECT * FROM old; DROP TABLE old;";
            EXPECT_EQ(sqlite3_exec(other, remake.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(other);
        }
        makeReport(QStringLiteral("涨跌"), QStringLiteral("今年如何"));
        const QString memo = memoText();
        fake.dialogs.clearCalls();
        fake.dialogs.answerMessage(DialogButton::Yes);
        if (!c.filed)
            fake.dialogs.answerMessage(DialogButton::Ok); // the notebook's error box
        window->HandOffReport();
        EXPECT_EQ(fake.dialogs.calls().size(), c.filed ? 1u : 2u);
        EXPECT_EQ(window->isVisible(), !c.filed);
        EXPECT_EQ(memoText(), c.filed ? QString() : memo);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), memo.split(QLatin1Char('\n')).join("\r\n") + "\r\n");
    }
}

// The note takes the question its report answers: one typed after the reading (重新起卦, a new
// question, no new reading) does not title the old report; a new reading takes the new question,
// and a text the user wrote into the memo after a new chart the question field.
TEST_F(HandOffTest, TheFiledNoteIsTitledWithTheQuestionOfItsReport) {
    enum class Then { Reword, ReadAgain, WriteAfterNewChart };
    const struct {
        Then then;
        const char* title;
    } cases[] = {{Then::Reword, "甲问"}, {Then::ReadAgain, "乙问"}, {Then::WriteAfterNewChart, "乙问"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.then));
        TearDown();
        QFile::remove(dir.filePath(QStringLiteral("dataly.dat")));
        openTree();
        makeReport(QStringLiteral("涨跌"), QStringLiteral("甲问"));
        window->btnRecastClick();
        child<QLineEdit>("edtQuestion")->setText(QStringLiteral("乙问"));
        if (c.then == Then::ReadAgain)
            makeReport(QStringLiteral("涨跌"), QStringLiteral("乙问"));
        if (c.then == Then::WriteAfterNewChart) {
            action("actYearStem")->trigger();
            ASSERT_EQ(memoText(), QString());
            child<QPlainTextEdit>("mmoReport")->setPlainText(QStringLiteral("占卦内容: 乙问"));
        }
        const QString report = reportAsFiled();
        fake.dialogs.clearCalls();
        fake.dialogs.answerMessage(DialogButton::Yes);
        window->HandOffReport();
        ASSERT_FALSE(fake.dialogs.calls().empty());
        EXPECT_EQ(fake.dialogs.calls()[0].text, QStringLiteral("确认是否将[") + QString::fromUtf8(c.title) +
                                                    QStringLiteral("]\r\r\n添加到 【涨跌】 类别中 ？"));
        const NoteRecord filed = records().back();
        EXPECT_EQ(filed.name, QString::fromUtf8(c.title));
        EXPECT_EQ(filed.info, report);
        EXPECT_TRUE(filed.info.contains(QStringLiteral("占卦内容: ") + QString::fromUtf8(c.title)));
    }
}

// A filed report is not offered again: reopened, the window has no report, and a second hand-off
// (Return on the toolbar button) files nothing.
TEST_F(HandOffTest, AFiledReportIsNotOfferedAgain) {
    openTree();
    makeReport(QStringLiteral("涨跌"), QStringLiteral("今年如何"));
    fake.dialogs.answerMessage(DialogButton::Yes);
    window->HandOffReport();
    const std::vector<NoteRecord> filed = records();
    ASSERT_EQ(filed.size(), 5u);
    window->show();
    EXPECT_EQ(memoText(), QString());
    EXPECT_TRUE(action("actStart")->isEnabled());
    fake.dialogs.clearCalls();
    window->HandOffReport();
    EXPECT_TRUE(fake.dialogs.calls().empty());
    EXPECT_EQ(records(), filed);
}

// A new chart after a reading drops the report written for the old one: the memo is empty, and
// the hand-off files nothing until a new reading.
TEST_F(HandOffTest, ANewChartDropsTheReportOfTheOldOne) {
    openTree();
    makeReport(QStringLiteral("涨跌"), QStringLiteral("今年如何"));
    ASSERT_FALSE(memoText().isEmpty());
    pickInCalendar(EncodeDate(2006, 5, 20), 3);
    window->showFromCalendar();
    EXPECT_EQ(memoText(), QString());
    EXPECT_TRUE(action("actStart")->isEnabled());
    const std::vector<NoteRecord> before = records();
    fake.dialogs.clearCalls();
    window->HandOffReport();
    EXPECT_TRUE(fake.dialogs.calls().empty());
    EXPECT_EQ(records(), before);
}

// A file may repeat an ID: choosing a category selects the note of that title, not the first note
// holding its ID, and a report filed under it goes there.
TEST_F(HandOffTest, ACategoryWhoseIdIsRepeatedIsTheNoteOfThatTitle) {
    open({{3, 0, QStringLiteral("出行"), QStringLiteral("旧记")}, {3, 0, QStringLiteral("涨跌"), QString()}});
    window->show();
    filing->selectTitled(QStringLiteral("涨跌"));
    EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("涨跌"));

    makeReport(QStringLiteral("涨跌"), QStringLiteral("明日涨否"));
    fake.dialogs.answerMessage(DialogButton::Yes);
    window->HandOffReport();
    EXPECT_EQ(records().back().name, QStringLiteral("明日涨否"));
    EXPECT_EQ(notebook->selectedTitle(), QStringLiteral("明日涨否"));
    const NoteTreeWidget* tree = notebook->tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(1)->childCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("出行"));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
}

} // namespace
} // namespace qj::test
