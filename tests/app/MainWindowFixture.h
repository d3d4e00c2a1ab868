#pragma once
// Opens the main window on a temporary program folder with a real data file and scripted dialogs.

#include "app/Lymain.h"
#include "support/FakeServices.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QAction;

namespace qj::test {

// One note record as the test writes it into a category.
struct Record {
    int id;
    int parent;
    QString name;
    QString info;
};

struct Category {
    QString name;
    std::vector<Record> records;
};

class MainWindowTest : public ::testing::Test {
protected:
    // A data file holding these categories, in this order.
    void makeDataFile(const std::vector<Category>& categories);
    QString dataPath() const { return dir.filePath(QStringLiteral("dataly.dat")); }

    // Creates the main window (running its start-up) with fresh scripted dialogs.
    TFmain& open();
    // "退出系统" on the open window, then a new start on the same folder.
    TFmain& exitAndReopen();
    void closeWindow();

    QAction* action(const char* name) const;
    // Lets the user type into the editor (it starts read-only) and types `text`.
    void typeIntoEditor(const QString& text);

    // What the data file holds, read by a connection of its own.
    QStringList storedCategories() const;
    std::optional<QString> storedInfo(const QString& category, int id) const;
    int storedRecordCount(const QString& category) const;
    // The value of a key of the settings file, read as the program reads it.
    QString iniValue(const QString& section, const QString& key) const;

    ScriptedDialogs& dialogs() { return fake->dialogs; }

    TempProgramFolder dir;
    std::unique_ptr<FakeServices> fake = std::make_unique<FakeServices>(dir.folder());
    std::unique_ptr<TFmain> window;
};

} // namespace qj::test
