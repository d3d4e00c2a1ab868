// The window between showings, its category combo, and the columns' descriptions.

#include "DivinationFixture.h"

#include "app/notebook/NoteTreeWidget.h"
#include "divination/core/Descriptions.h"
#include "divination/core/Spirits.h"
#include "divination/ui/ChartColumnList.h"
#include "seams/StandardBoxes.h"

#include <QTest>

namespace qj::test {
namespace {

using ChartViewTest = DivinationTest;

TEST_F(ChartViewTest, HidingAndShowingKeepsChartTextsAndReport) {
    open({{0, 0, QStringLiteral("财运"), QString()}});
    window->show();
    action("actYearStem")->trigger();
    makeReport(QStringLiteral("财运"), QStringLiteral("求财"));
    const ChartState chart = window->chart();
    const QString report = memoText();
    window->close();
    EXPECT_FALSE(window->isVisible());
    window->show();
    EXPECT_EQ(window->chart(), chart);
    EXPECT_EQ(memoText(), report);
    EXPECT_EQ(methodText(), QStringLiteral("时间起卦[年干]"));
    EXPECT_EQ(child<QLineEdit>("edtQuestion")->text(), QStringLiteral("求财"));
}

TEST_F(ChartViewTest, ShowingRefillsTheCategoryComboFromTheTopLevelNotes) {
    open({{0, 0, QStringLiteral("财运"), QString()},
          {1, 0, QStringLiteral("股票"), QString()},
          {2, 2, QStringLiteral("出行"), QString()}});
    auto* combo = child<QComboBox>("cbbCategory");
    notebook->selectNote(NoteId{1});
    window->show();
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items, (QStringList{QStringLiteral("财运"), QStringLiteral("出行")}));
    EXPECT_EQ(combo->currentText(), QStringLiteral("股票")) << "the selected note, at any level";

    // With no note selected the text stays as it was.
    window->hide();
    combo->setEditText(QStringLiteral("自填"));
    notebook->tree()->clearSelection();
    notebook->tree()->setCurrentItem(nullptr);
    window->show();
    EXPECT_EQ(combo->currentText(), QStringLiteral("自填"));
}

TEST_F(ChartViewTest, ChoosingACategorySelectsTheLastNoteWithThatTitle) {
    open({{0, 0, QStringLiteral("财运"), QString()},
          {1, 0, QStringLiteral("重名"), QString()},
          {2, 2, QStringLiteral("重名"), QString()},
          {3, 3, QStringLiteral("出行"), QString()}});
    window->show();
    setCategory(QStringLiteral("重名"));
    EXPECT_EQ(notebook->selectedId(), NoteId{2});
    setCategory(QStringLiteral("没有"));
    EXPECT_EQ(notebook->selectedId(), NoteId{2}) << "no match selects nothing else";
}

TEST_F(ChartViewTest, DoubleClickShowsTheRowsDescriptionOnlyInTheDescribedColumns) {
    open();
    window->show();
    auto doubleClick = [&](const char* name, int row) {
        auto* list = child<ChartColumnList>(name);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualItemRect(list->item(row)).center());
    };
    const struct {
        const char* column;
        int row;
        bool described;
    } cases[] = {
        {"lstSpirits", 5, true},       {"lstRelatives", 0, true},         {"lstNajia", 3, true},
        {"lstChangedNajia", 3, false}, {"lstChangedRelatives", 0, false}, {"lstHiddenNajia", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        fake.dialogs.clearCalls();
        if (c.described)
            fake.dialogs.answerMessage(DialogButton::Ok);
        doubleClick(c.column, c.row);
        ASSERT_EQ(fake.dialogs.calls().size(), c.described ? 1u : 0u);
        if (!c.described)
            continue;
        EXPECT_EQ(fake.dialogs.last().caption, QString::fromUtf8(kInformationCaption));
        const QString text = fake.dialogs.last().text;
        const QString rowText = column(c.column)[c.row];
        // The description names the row it describes.
        EXPECT_TRUE(text.contains(rowText.left(1))) << text.toStdString();
        EXPECT_FALSE(child<ChartColumnList>(c.column)->toolTip().isEmpty());
    }
    // The spirit's description, exactly.
    fake.dialogs.clearCalls();
    fake.dialogs.answerMessage(DialogButton::Ok);
    doubleClick("lstSpirits", 0);
    const std::string spirit = column("lstSpirits")[0].toStdString();
    const std::string_view description = SpiritDescription(SpiritNumberOf(spirit));
    EXPECT_EQ(fake.dialogs.last().text,
              QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size())));
}

TEST_F(ChartViewTest, LeavingAColumnClearsTheSelectionOfEveryColumn) {
    open();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* lines = child<ChartColumnList>("lstLines");
    auto* spirits = child<ChartColumnList>("lstSpirits");
    spirits->setCurrentRow(2);
    lines->setFocus();
    lines->setCurrentRow(3);
    ASSERT_TRUE(lines->item(3)->isSelected());
    child<QLineEdit>("edtQuestion")->setFocus();
    for (const char* name : {"lstLines", "lstSpirits"})
        EXPECT_TRUE(child<ChartColumnList>(name)->selectedItems().isEmpty()) << name;
}

} // namespace
} // namespace qj::test
