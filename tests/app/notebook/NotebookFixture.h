#pragma once
// A notebook (tree, title bar, editor and their controller) on a real data file in a temporary
// folder, with scripted dialogs.

#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/Notebook.h"
#include "store/DataFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace qj::test {

struct NoteRow {
    int id;
    int parent;
    QString name;
    QString info;
    friend bool operator==(const NoteRow&, const NoteRow&) = default;
};

void PrintTo(const NoteRow& row, std::ostream* os);

class NotebookTest : public ::testing::Test {
protected:
    static inline const QString kCategory = QStringLiteral("札记");

    void SetUp() override;
    void TearDown() override;

    // Writes the category's records (in this stored order) and opens it in the notebook.
    void open(const std::vector<NoteRow>& rows);
    // The same with the records as SQL values, as another tool may have written them
    // ("(5, 0, '先', NULL), ('abc', 0, '文字', NULL)").
    void openRaw(const QString& values);
    // The records as the table holds them, in stored order.
    std::vector<NoteRow> rows();
    std::optional<NoteRow> row(int id);

    // From now on every write to the data file fails as on a full disk ("磁盘已满" in the
    // message); refuseNoMore() lifts it. Also lifted when the test ends.
    void refuse();
    void refuseNoMore();

    QTreeWidgetItem* item(int id) const;
    QTreeWidgetItem* itemTitled(const QString& title) const;
    // Presses the node by its title (IDs may repeat).
    void pressTitled(const QString& title);
    void pressItem(QTreeWidgetItem* target, Qt::MouseButton button);
    // A mouse press and release on the note's node (its ancestors expanded first).
    void press(int id, Qt::MouseButton button = Qt::LeftButton);
    // Lets the user type (read-only off) and types the text at the end of the editor.
    void type(const QString& text);
    void selectWithKeyboard(int id);

    TempProgramFolder dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<DataFile> file;
    std::unique_ptr<Notebook> notebook;
    NoteTreeWidget* tree = nullptr;
    NoteEditor* editor = nullptr;
    NoteTitleBar* titleBar = nullptr;
    QAction saveAction{QStringLiteral("资料保存")};
    QAction addSiblingAction{QStringLiteral("添加同级节点")};
    QAction addChildAction{QStringLiteral("添加下级子节点")};
    QAction deleteAction{QStringLiteral("删除")};
    std::vector<QString> statusTexts;
};

} // namespace qj::test
