#pragma once
// The divination window on a real notebook (a data file in a temporary program folder) and a real
// calendar window, with scripted dialogs and a clock the test sets.

#include "app/DivinationLinks.h"
#include "app/notebook/Notebook.h"
#include "calendar/ui/CnDate.h"
#include "divination/ui/PaiGua.h"
#include "store/DataFile.h"
#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace qj::test {

struct NoteRecord {
    int id;
    int parent;
    QString name;
    QString info;
    friend bool operator==(const NoteRecord&, const NoteRecord&) = default;
};
void PrintTo(const NoteRecord& r, std::ostream* os);

// A double-click on a row as the mouse makes it: press and release, then the double-click.
void DoubleClickRow(QListWidget* list, int row);

class DivinationTest : public ::testing::Test {
protected:
    static inline const QString kCategory = QStringLiteral("占卜");

    void SetUp() override;
    void TearDown() override;

    // Writes these records into the category, opens it in the notebook, then creates the calendar
    // window on 2006-05-01 without an hour, and the divination window.
    void open(const std::vector<NoteRecord>& records = {});
    std::vector<NoteRecord> records() const;
    // Picks a day and an hour (−1: none) in the calendar window.
    void pickInCalendar(DateTimeValue day, int hourIndex);

    template <class T> T* child(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAction* action(const char* name) const { return child<QAction>(name); }
    // The six rows of a chart column, as shown.
    std::vector<QString> column(const char* name) const;
    QString methodText() const { return child<QComboBox>("cbbMethod")->currentText(); }
    QString memoText() const { return child<QPlainTextEdit>("mmoReport")->toPlainText(); }
    // Chooses a text in the category combo as the user would by typing it.
    void setCategory(const QString& text);
    // A report in the memo (category and question filled, the input box answered with OK).
    void makeReport(const QString& category, const QString& question);

    TempProgramFolder dir;
    FakeServices fake{dir.folder()};
    std::unique_ptr<DataFile> file;
    std::unique_ptr<Notebook> notebook;
    std::unique_ptr<NotebookFiling> filing;
    std::unique_ptr<TFcnDate> calendarWindow;
    std::unique_ptr<CalendarWindowLink> calendar;
    std::unique_ptr<TFPaiGua> window;
};

} // namespace qj::test
