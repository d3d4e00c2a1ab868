#include "DivinationFixture.h"

#include "calendar/ui/CnCalendar.h"
#include "common/DateTime.h"
#include "divination/ui/ChartColumnList.h"
#include "store/CategoryTable.h"
#include "store/Sqlite.h"

#include <QTest>

#include <ostream>

namespace qj::test {

void PrintTo(const NoteRecord& r, std::ostream* os) {
    *os << "{" << r.id << ", " << r.parent << ", \"" << r.name.toStdString() << "\", " << r.info.size()
        << " chars}";
}

void DoubleClickRow(QListWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void DivinationTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    fake.clock.set(QDate(2006, 5, 1), QTime(12, 0));
}

void DivinationTest::TearDown() {
    window.reset();
    calendar.reset();
    calendarWindow.reset();
    filing.reset();
    notebook.reset();
    file.reset();
}

void DivinationTest::open(const std::vector<NoteRecord>& rows) {
    const QString path = dir.filePath(QStringLiteral("dataly.dat"));
    CreateEmptyDataFile(path);
    file = std::make_unique<DataFile>(path);
    file->CreateCategoryTable(kCategory);
    {
        CategoryTable table(*file, kCategory);
        for (const NoteRecord& r : rows)
            table.Append(NoteId{r.id}, NoteId{r.parent}, r.name, r.info);
    }
    notebook = std::make_unique<Notebook>(fake.dialogs, nullptr);
    notebook->openCategory(*file, kCategory);
    filing = std::make_unique<NotebookFiling>(*notebook);
    calendarWindow = std::make_unique<TFcnDate>(fake.services());
    calendar = std::make_unique<CalendarWindowLink>(*calendarWindow);
    pickInCalendar(EncodeDate(2006, 5, 1), -1);
    window = std::make_unique<TFPaiGua>(fake.services(), *calendar, *filing);
}

void DivinationTest::pickInCalendar(DateTimeValue day, int hourIndex) {
    calendarWindow->CnCalendar1()->MoveToDate(day);
    auto* hours = calendarWindow->findChild<QComboBox*>(QStringLiteral("ComboBox3"));
    ASSERT_NE(hours, nullptr);
    hours->setCurrentIndex(hourIndex);
    calendarWindow->CnCalendar1Change();
}

std::vector<NoteRecord> DivinationTest::records() const {
    std::vector<NoteRecord> result;
    Statement st(file->db(), QStringLiteral("SELECT ID, Parent, Name, Info FROM %1 ORDER BY rowid")
                                 .arg(QuoteIdentifier(kCategory)));
    while (st.Step())
        result.push_back({st.Int(0), st.Int(1), st.Text(2), st.Text(3)});
    return result;
}

std::vector<QString> DivinationTest::column(const char* name) const {
    std::vector<QString> rows;
    if (auto* list = child<ChartColumnList>(name))
        for (int row = 0; row < kChartRows; ++row)
            rows.push_back(list->rowText(row));
    return rows;
}

void DivinationTest::setCategory(const QString& text) {
    child<QComboBox>("cbbCategory")->setEditText(text);
}

void DivinationTest::makeReport(const QString& category, const QString& question) {
    setCategory(category);
    child<QLineEdit>("edtQuestion")->setText(question);
    fake.dialogs.answerInput(question);
    window->StartReading();
}

} // namespace qj::test
