#include "NotebookFixture.h"

#include "FaultInjection.h"

#include "store/CategoryTable.h"
#include "store/Sqlite.h"
#include "support/UiHelpers.h"

#include <QTest>
#include <QTreeWidgetItemIterator>

#include <cerrno>
#include <ostream>

namespace qj::test {

void PrintTo(const NoteRow& row, std::ostream* os) {
    *os << "{" << row.id << ", " << row.parent << ", \"" << row.name.toStdString() << "\", \""
        << row.info.toStdString() << "\"}";
}

void NotebookTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("dataly.dat"));
    CreateEmptyDataFile(path);
    file = std::make_unique<DataFile>(path);
    notebook = std::make_unique<Notebook>(dialogs, nullptr);
    notebook->bindActions(&saveAction, &addSiblingAction, &addChildAction, &deleteAction);
    QObject::connect(notebook.get(), &Notebook::treePositionChanged,
                     [this](const QString& text) { statusTexts.push_back(text); });
    tree = notebook->tree();
    editor = notebook->editor();
    titleBar = notebook->titleBar();
    tree->resize(300, 400);
    tree->show();
    editor->resize(400, 300);
    editor->show();
}

void NotebookTest::TearDown() {
    qj_fault_disarm();
    notebook.reset();
    file.reset();
}

void NotebookTest::open(const std::vector<NoteRow>& records) {
    file->CreateCategoryTable(kCategory);
    CategoryTable table(*file, kCategory);
    for (const NoteRow& r : records)
        table.Append(NoteId{r.id}, NoteId{r.parent}, r.name, r.info);
    notebook->openCategory(*file, kCategory);
}

void NotebookTest::openRaw(const QString& values) {
    file->CreateCategoryTable(kCategory);
    file->db().Exec(QStringLiteral("INSERT INTO %1 VALUES %2").arg(QuoteIdentifier(kCategory), values));
    notebook->openCategory(*file, kCategory);
}

std::vector<NoteRow> NotebookTest::rows() {
    std::vector<NoteRow> result;
    Statement st(file->db(), QStringLiteral("SELECT ID, Parent, Name, Info FROM %1 ORDER BY rowid")
                                 .arg(QuoteIdentifier(kCategory)));
    while (st.Step())
        result.push_back({st.Int(0), st.Int(1), st.Text(2), st.Text(3)});
    return result;
}

std::optional<NoteRow> NotebookTest::row(int id) {
    for (const NoteRow& r : rows())
        if (r.id == id)
            return r;
    return std::nullopt;
}

void NotebookTest::refuse() {
    // The disk is full: every write to the data file (and its journal) fails.
    qj_fault_arm("write", "dataly.dat", ENOSPC, 0);
}

void NotebookTest::refuseNoMore() {
    qj_fault_disarm();
}

QTreeWidgetItem* NotebookTest::item(int id) const {
    notebook->makeAllItems();
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (NoteTreeWidget::idOf(*it) == NoteId{id})
            return *it;
    return nullptr;
}

QTreeWidgetItem* NotebookTest::itemTitled(const QString& title) const {
    notebook->makeAllItems();
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0) == title)
            return *it;
    return nullptr;
}

void NotebookTest::pressTitled(const QString& title) {
    QTreeWidgetItem* target = itemTitled(title);
    ASSERT_NE(target, nullptr) << "no node " << title.toStdString();
    pressItem(target, Qt::LeftButton);
}

void NotebookTest::press(int id, Qt::MouseButton button) {
    QTreeWidgetItem* target = item(id);
    ASSERT_NE(target, nullptr) << "no node " << id;
    pressItem(target, button);
}

void NotebookTest::pressItem(QTreeWidgetItem* target, Qt::MouseButton button) {
    for (QTreeWidgetItem* p = target->parent(); p; p = p->parent())
        p->setExpanded(true);
    tree->scrollToItem(target);
    const QPoint at = tree->visualItemRect(target).center();
    QTest::mousePress(tree->viewport(), button, {}, at);
    QTest::mouseRelease(tree->viewport(), button, {}, at);
}

void NotebookTest::type(const QString& text) {
    notebook->setReadOnly(false);
    editor->setCursorPosition(editor->lines() - 1, editor->text(editor->lines() - 1).size());
    TypeText(editor, text);
}

void NotebookTest::selectWithKeyboard(int id) {
    // The selection moves as the arrow keys move it: no mouse press, no text load.
    tree->setFocus();
    tree->setCurrentItem(item(id));
}

} // namespace qj::test
