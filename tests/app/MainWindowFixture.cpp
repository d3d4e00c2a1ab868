#include "MainWindowFixture.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "shell/ProfileFile.h"
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "support/UiHelpers.h"

#include <QAction>

namespace qj::test {

void MainWindowTest::makeDataFile(const std::vector<Category>& categories) {
    CreateEmptyDataFile(dataPath());
    DataFile file(dataPath());
    for (const Category& c : categories) {
        file.CheckNewCategoryName(c.name);
        file.CreateCategoryTable(c.name);
        CategoryTable table(file, c.name);
        for (const Record& r : c.records)
            table.Append(NoteId{r.id}, NoteId{r.parent}, r.name, r.info);
    }
}

TFmain& MainWindowTest::open() {
    window = std::make_unique<TFmain>(fake->services());
    return *window;
}

TFmain& MainWindowTest::exitAndReopen() {
    if (window)
        window->actExitExecute();
    window.reset();
    fake = std::make_unique<FakeServices>(dir.folder());
    return open();
}

void MainWindowTest::closeWindow() {
    window.reset();
}

QAction* MainWindowTest::action(const char* name) const {
    QAction* found = window->actions().named(QString::fromLatin1(name));
    if (!found)
        ADD_FAILURE() << "the main window has no action " << name;
    return found;
}

void MainWindowTest::typeIntoEditor(const QString& text) {
    window->notebook().setReadOnly(false);
    TypeText(window->notebook().editor(), text);
}

QStringList MainWindowTest::storedCategories() const {
    DataFile file(dataPath());
    return file.Categories();
}

std::optional<QString> MainWindowTest::storedInfo(const QString& category, int id) const {
    DataFile file(dataPath());
    CategoryTable table(file, category);
    for (const NoteHeader& h : table.LoadHeaders())
        if (h.id == NoteId{id})
            return table.ReadInfo(h.record());
    return std::nullopt;
}

int MainWindowTest::storedRecordCount(const QString& category) const {
    DataFile file(dataPath());
    CategoryTable table(file, category);
    return table.RecordCount();
}

QString MainWindowTest::iniValue(const QString& section, const QString& key) const {
    ProfileFile file(dir.filePath(QStringLiteral("Jotterly.ini")));
    return file.ReadString(section, key, QStringLiteral("<missing>"));
}

} // namespace qj::test
