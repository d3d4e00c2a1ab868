// The search window "全目录查找" on the real main window and data file.

#include "MainWindowFixture.h"

#include "app/CategorySelector.h"
#include "app/ProgramWindows.h"
#include "app/StoreWindows.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/Notebook.h"
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/windows/Findall.h"
#include "store/windows/SearchResultModel.h"
#include "support/UiHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPoint>
#include <QPointer>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace qj::test {
namespace {

class SearchWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        makeDataFile({
            {QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明 Hello")}}},
            {QStringLiteral("work"),
             {{0, 0, QStringLiteral("work"), QStringLiteral("plan")},
              {1, 0, QStringLiteral("  mon  "), QStringLiteral("meet hello and HELLO\r\n")},
              {2, 0, QStringLiteral("it's 50%"), QStringLiteral("a_b")}}},
        });
        ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=帮助\r\n")));
        open();
        ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actFindall")));
        find = window->findChild<TFind_all*>();
        ASSERT_TRUE(find);
        box = find->findChild<QLineEdit*>(QStringLiteral("edt1"));
    }
    void search(const QString& text, bool titles = false) {
        find->findChild<QRadioButton*>(titles ? QStringLiteral("rb1") : QStringLiteral("rb2"))->click();
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    QStringList rows() const {
        QStringList out;
        for (const SearchHit& h : find->result()->hits())
            out << h.category + QLatin1Char('/') + h.name;
        return out;
    }
    int rowOf(const QString& name) const {
        const auto& hits = find->result()->hits();
        for (size_t i = 0; i < hits.size(); ++i)
            if (hits[i].name == name)
                return static_cast<int>(i);
        return -1;
    }

    QPointer<TFind_all> find;
    QLineEdit* box = nullptr;
};

TEST_F(SearchWindowTest, ResultAndCaptionFollowTheSearch) {
    EXPECT_EQ(find->windowTitle(), QStringLiteral("资料查询-所有【目录分类】"));
    EXPECT_EQ(find->size(), QSize(TFind_all::kWidth, TFind_all::kHeight));
    struct Case {
        const char* text;
        bool titles;
        QStringList rows;
    } cases[] = {
        {"", false, {"帮助/帮助", "work/work", "work/  mon  ", "work/it's 50%"}},
        {"  hello \t", false, {"帮助/帮助", "work/  mon  "}},
        {"'s 50%", true, {"work/it's 50%"}}, // pasted: apostrophe and % are plain characters
        {"_", false, {"work/it's 50%"}},
        {"%", false, {}},
        {"MON", true, {"work/  mon  "}},
    };
    for (const Case& c : cases) {
        search(QString::fromUtf8(c.text), c.titles);
        EXPECT_EQ(rows(), c.rows) << c.text;
        EXPECT_EQ(find->windowTitle(), QString::number(c.rows.size()) + QStringLiteral("记录 - 帮助|work"))
            << c.text;
    }
    // Choosing 题目 or 内容 restores the caption and empties the box.
    find->findChild<QRadioButton*>(QStringLiteral("rb1"))->click();
    EXPECT_EQ(find->windowTitle(), QStringLiteral("资料查询-所有【目录分类】"));
    EXPECT_TRUE(box->text().isEmpty());
}

TEST_F(SearchWindowTest, DoubleClickOpensTheHitAndSelectsTheFirstOccurrence) {
    search(QStringLiteral("hello"));
    const int row = rowOf(QStringLiteral("  mon  "));
    ASSERT_GE(row, 0);
    find->DBGridEh1DblClick(row);

    Notebook& nb = window->notebook();
    EXPECT_EQ(nb.categoryName(), QStringLiteral("work"));
    EXPECT_EQ(window->categorySelector()->currentText(), QStringLiteral("work"));
    EXPECT_EQ(nb.selectedId(), NoteId{1});
    EXPECT_EQ(nb.titleBar()->text(), NoteTitleBar::textFor(QStringLiteral("mon")));
    EXPECT_EQ(nb.editor()->text(), QStringLiteral("meet hello and HELLO\r\n"));
    EXPECT_FALSE(nb.isDirty());
    EXPECT_EQ(find->windowTitle(), QStringLiteral("本文包含 2 要查询的内容！"));
    EXPECT_EQ(nb.editor()->selectedText(), QStringLiteral("hello"));
    EXPECT_EQ(iniValue(QStringLiteral("Info"), QStringLiteral("CurTb")), QStringLiteral("帮助"));
}

// A search that found nothing leaves nothing to double-click: no row, no note opened, no caption
// change. A search for no text (blanks only) lists every note: a double-click opens it but counts
// and selects nothing.
TEST_F(SearchWindowTest, DoubleClickAfterASearchForNothingOnlyOpensWhatIsListed) {
    search(QStringLiteral("%"));
    ASSERT_EQ(find->result()->rowCount(), 0);
    dialogs().clearCalls();
    for (int row : {0, -1, 1})
        find->DBGridEh1DblClick(row);
    QWidget* grid = find->findChild<QTableView*>(QStringLiteral("DBGridEh1"))->viewport();
    QTest::mouseDClick(grid, Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("帮助"));
    EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("说明 Hello"));
    EXPECT_EQ(find->windowTitle(), QStringLiteral("0记录 - 帮助|work"));
    EXPECT_TRUE(dialogs().calls().empty());

    search(QStringLiteral(" \t "));
    ASSERT_EQ(find->result()->rowCount(), 4);
    find->DBGridEh1DblClick(rowOf(QStringLiteral("  mon  ")));
    Notebook& nb = window->notebook();
    EXPECT_EQ(nb.categoryName(), QStringLiteral("work"));
    EXPECT_EQ(nb.editor()->text(), QStringLiteral("meet hello and HELLO\r\n"));
    EXPECT_EQ(find->windowTitle(), QStringLiteral("4记录 - 帮助|work"));
    EXPECT_FALSE(nb.editor()->hasSelectedText());
}

// A file edited by another tool may hold an ID twice: the hit opens its own record.
TEST_F(SearchWindowTest, RepeatedIdOpensTheRecordThatWasFound) {
    {
        DataFile other(dataPath());
        CategoryTable(other, QStringLiteral("work"))
            .Append(NoteId{1}, NoteId{0}, QStringLiteral("twin"), QStringLiteral("twin hello2"));
    }
    search(QStringLiteral("hello2"));
    ASSERT_EQ(rows(), QStringList{QStringLiteral("work/twin")});
    find->DBGridEh1DblClick(0);
    EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("twin hello2"));
    EXPECT_EQ(window->notebook().selectedTitle(), QStringLiteral("twin"));
}

TEST_F(SearchWindowTest, DoubleClickAsksAboutAnUnsavedTextFirst) {
    typeIntoEditor(QStringLiteral("新"));
    ASSERT_TRUE(window->notebook().isDirty());
    search(QStringLiteral("plan"));
    ASSERT_EQ(rows(), QStringList{QStringLiteral("work/work")});
    dialogs().clearCalls();
    dialogs().answerMessage(DialogButton::Yes);
    find->DBGridEh1DblClick(0);
    ASSERT_EQ(dialogs().calls().size(), 1u);
    EXPECT_EQ(dialogs().calls()[0].text, QStringLiteral("文本内容已改变，需要保存吗？"));
    EXPECT_TRUE(storedInfo(QStringLiteral("帮助"), 0)->startsWith(QStringLiteral("新")));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("work"));
    EXPECT_EQ(window->notebook().editor()->text(), QStringLiteral("plan"));
}

TEST_F(SearchWindowTest, PreviewModeOnlySetsTheTooltip) {
    search(QStringLiteral("hello"));
    find->findChild<QCheckBox*>(QStringLiteral("chk1"))->setChecked(true);
    find->DBGridEh1DblClick(rowOf(QStringLiteral("  mon  ")));
    EXPECT_EQ(find->previewHint(), QStringLiteral("work-【mon】\r\nmeet hello and HELLO\r\n\r\n。。。"));
    EXPECT_EQ(window->notebook().categoryName(), QStringLiteral("帮助"));
    EXPECT_EQ(find->windowTitle(), QStringLiteral("2记录 - 帮助|work"));
}

TEST_F(SearchWindowTest, TypedApostropheIsRefusedAndFocusClosesTheResult) {
    search(QString());
    ASSERT_EQ(find->result()->rowCount(), 4);
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(box, &in);
    EXPECT_EQ(find->result()->rowCount(), 0);

    box->setText(QStringLiteral("ab"));
    dialogs().clearCalls();
    dialogs().answerMessage(DialogButton::Ok);
    QTest::keyClick(box, Qt::Key_Apostrophe);
    ASSERT_EQ(dialogs().calls().size(), 1u);
    EXPECT_EQ(dialogs().calls()[0].text, QStringLiteral("请重新输入查找字符"));
    EXPECT_TRUE(box->text().isEmpty());
}

TEST_F(SearchWindowTest, EachCommandOpensAnotherWindowThatFreesItselfWhenClosed) {
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actFindall")));
    EXPECT_EQ(window->findChildren<TFind_all*>().size(), 2);
    find->close();
    EXPECT_TRUE(WaitUntil([&] { return find.isNull(); }));
    EXPECT_EQ(window->findChildren<TFind_all*>().size(), 1);
}

TEST_F(SearchWindowTest, SearchOptionOpensASearchWindow) {
    ProgramWindows windows(*window, fake->services());
    EXPECT_TRUE(ProgramWindows::launchOptions().contains(
        qMakePair(QStringLiteral("--search"), QStringLiteral("search"))));
    windows.show(QStringLiteral("search"));
    const auto all = window->findChildren<TFind_all*>();
    ASSERT_EQ(all.size(), 2);
    EXPECT_TRUE(all.back()->isVisible());
}

// The options below the search box: each one ticked as the settings file keeps it and kept there the
// moment it changes; each changes what is found only while ticked.
TEST_F(SearchWindowTest, OptionsFindMoreOnlyWhileTickedAndAreKept) {
    const auto option = [&](const char* name) {
        return find->findChild<QCheckBox*>(QString::fromLatin1(name));
    };
    struct Case {
        const char* option;
        const char* key;
        const char* text;
        bool titles;
        QStringList ticked; // the rows with the option ticked; none without it
    } cases[] = {
        {"chkWords", "Words", "HELLO meet", false, {"work/  mon  "}},
        {"chkVariants", "Variants", "說明", false, {"帮助/帮助"}},
        {"chkPinyin", "Pinyin", "bz", true, {"帮助/帮助"}},
    };
    for (const Case& c : cases) {
        search(QString::fromUtf8(c.text), c.titles);
        EXPECT_EQ(rows(), QStringList()) << c.option;
        option(c.option)->setChecked(true);
        EXPECT_EQ(iniValue(QStringLiteral("Search"), QString::fromLatin1(c.key)), QStringLiteral("1"));
        search(QString::fromUtf8(c.text), c.titles);
        EXPECT_EQ(rows(), c.ticked) << c.option;
        option(c.option)->setChecked(false);
        EXPECT_EQ(iniValue(QStringLiteral("Search"), QString::fromLatin1(c.key)), QStringLiteral("0"));
    }
    option("chkVariants")->setChecked(true);
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actFindall")));
    for (TFind_all* other : window->findChildren<TFind_all*>())
        EXPECT_TRUE(other->options().variants);
}

// With "上下文" the result shows each hit's text around its first occurrence, the words marked, and
// opening a hit marks every occurrence in the editor; without it the grid has its two columns.
TEST_F(SearchWindowTest, ContextShowsTheHitAndMarksEveryOccurrence) {
    search(QStringLiteral("hello"));
    EXPECT_EQ(find->result()->columnCount(), 2);
    find->findChild<QCheckBox*>(QStringLiteral("chkContext"))->setChecked(true);
    search(QStringLiteral("hello"));
    ASSERT_EQ(find->result()->columnCount(), 3);
    const QModelIndex cell = find->result()->index(rowOf(QStringLiteral("  mon  ")), 2);
    EXPECT_EQ(cell.data().toString(), QStringLiteral("meet hello and HELLO  "));
    EXPECT_EQ(cell.data(SearchResultModel::kMarksRole).toList(), (QVariantList{QPoint(5, 5), QPoint(15, 5)}));
    find->DBGridEh1DblClick(cell.row());
    NoteEditor* editor = window->notebook().editor();
    EXPECT_EQ(find->windowTitle(), QStringLiteral("本文包含 2 要查询的内容！"));
    EXPECT_EQ(editor->selectedText(), QStringLiteral("hello"));
    const auto marksAt = [&](long byte) {
        return editor->SendScintilla(QsciScintillaBase::SCI_INDICATORALLONFOR, byte);
    };
    EXPECT_NE(marksAt(16) & ~marksAt(12), 0) << "the second occurrence is marked";
    EXPECT_EQ(marksAt(6), marksAt(16));
}

} // namespace
} // namespace qj::test
