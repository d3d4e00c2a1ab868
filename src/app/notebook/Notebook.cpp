#include "app/notebook/Notebook.h"

#include "app/notebook/NoteCommands.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTextBinding.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/NoteTreeItems.h"
#include "app/notebook/NoteTreeMenu.h"
#include "app/notebook/NoteTreeMirror.h"
#include "app/notebook/NoteTreeWidget.h"

#include <QAction>
#include <QMenu>

namespace qj {

// The three widgets, the items mirroring the store's tree, the note text and the commands.
struct Notebook::Private {
    Private(Notebook* q, Dialogs& dialogs, QWidget* dialogParent)
        : tree(new NoteTreeWidget), titleBar(new NoteTitleBar), editor(new NoteEditor), mirror(tree),
          text(editor, titleBar, q), commands(dialogs, dialogParent, mirror, text, q) {}

    QPointer<NoteTreeWidget> tree;
    QPointer<NoteTitleBar> titleBar;
    QPointer<NoteEditor> editor;
    NoteTreeMirror mirror;
    NoteTextBinding text;
    NoteCommands commands;
    std::unique_ptr<QMenu> menu;

    CurrentCategory* category() const { return commands.category(); }
    // The node of a note by ID (the first built when IDs repeat), or kNoNode.
    NodeRef find(NoteId id) const { return category() ? category()->tree().Find(id) : kNoNode; }
    // Selects the node's item; a node deeper than the tree shows is said so.
    bool select(NodeRef node) {
        QTreeWidgetItem* target = mirror.ensureItem(node);
        if (!target && node != kNoNode && category() && category()->tree().IsAlive(node))
            commands.tellTooDeep();
        mirror.selectItem(target);
        return target != nullptr;
    }
};

Notebook::Notebook(Dialogs& dialogs, QWidget* dialogParent, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>(this, dialogs, dialogParent)) {
    d->menu = BuildNoteTreeMenu(
        this, [this] { return d->category() != nullptr && !d->commands.isWriteProtected(); },
        [this] { return d->mirror.selectedNode() != kNoNode; });
    NoteTreeWidget* tree = d->tree;
    tree->setDropRule([this](const QTreeWidgetItem* dragged, const QTreeWidgetItem* target) {
        return d->category() && d->category()->tree().CanDrop(NodeOfItem(dragged), NodeOfItem(target));
    });
    connect(tree, &NoteTreeWidget::mousePressed, this, [this] { d->commands.pressed(); });
    connect(tree, &NoteTreeWidget::mouseReleased, this, [this] { d->commands.released(); });
    connect(tree, &NoteTreeWidget::itemSelectionChanged, this, [this] { d->commands.emitStatus(); });
    connect(tree, &NoteTreeWidget::deleteKeyPressed, this, [this] { d->commands.deleteKey(); });
    connect(tree, &NoteTreeWidget::titleEdited, this, [this](QTreeWidgetItem* item, const QString& title) {
        if (d->category())
            d->commands.rename(NodeOfItem(item), title);
    });
    connect(tree, &NoteTreeWidget::nodeDropped, this,
            [this](QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool copy) {
                d->commands.drop(NodeOfItem(dragged), NodeOfItem(target), copy);
            });
    connect(tree, &NoteTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { d->menu->popup(d->tree->viewport()->mapToGlobal(pos)); });
    connect(tree, &NoteTreeWidget::focusEntered, this, &Notebook::treeEntered);
    connect(d->editor, &NoteEditor::focusEntered, this, &Notebook::editorEntered);
    connect(&d->commands, &NoteCommands::statusChanged, this, &Notebook::treePositionChanged);
    connect(&d->text, &NoteTextBinding::dirtyChanged, this, &Notebook::dirtyChanged);
    connect(&d->text, &NoteTextBinding::typed, this, &Notebook::textTyped);
    connect(&d->text, &NoteTextBinding::readOnlyChanged, this, &Notebook::readOnlyChanged);
}

Notebook::~Notebook() {
    // The items come down after the commands: their selection signals must find no one.
    for (QObject* sender : {static_cast<QObject*>(d->tree), static_cast<QObject*>(d->editor)})
        if (sender)
            sender->disconnect(this);
    for (QWidget* w : {static_cast<QWidget*>(d->tree), static_cast<QWidget*>(d->titleBar),
                       static_cast<QWidget*>(d->editor)})
        if (w && !w->parent())
            delete w;
}

NoteTreeWidget* Notebook::tree() const {
    return d->tree;
}
NoteTitleBar* Notebook::titleBar() const {
    return d->titleBar;
}
NoteEditor* Notebook::editor() const {
    return d->editor;
}
QMenu* Notebook::treeMenu() const {
    return d->menu.get();
}

void Notebook::bindActions(QAction* save, QAction* addSibling, QAction* addChild, QAction* del) {
    d->text.setSaveAction(save);
    d->commands.bindActions(addSibling, addChild, del);
}

void Notebook::openCategory(DataFile& file, const QString& tableName) {
    d->commands.open(file, tableName);
}

void Notebook::switchCategory(DataFile& file, const QString& tableName) {
    d->commands.open(file, tableName, /*loadFirst=*/false);
}
void Notebook::setReopenHandler(std::function<void()> handler) {
    d->commands.setReopenHandler(std::move(handler));
}
void Notebook::reopenDataFile(DataFile& file) {
    d->commands.reopen(file);
}
void Notebook::closeCategory() {
    d->commands.close();
}
void Notebook::categoryDropped(const QString& tableName) {
    d->commands.categoryDropped(tableName);
}
bool Notebook::hasCategory() const {
    return d->category() != nullptr;
}
QString Notebook::categoryName() const {
    return d->category() ? d->category()->name() : QString();
}
bool Notebook::isDirty() const {
    return d->text.isDirty();
}
std::optional<EditedNote> Notebook::editedNote() const {
    return d->text.state().edited();
}
QByteArray Notebook::editorBytes() const {
    const auto length = d->editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const auto* buffer =
        reinterpret_cast<const char*>(d->editor->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    return buffer ? QByteArray(buffer, qsizetype(length)) : QByteArray();
}
bool Notebook::askSaveIfDirty(bool offerCancel) {
    return d->commands.askSaveIfDirty(offerCancel);
}

std::optional<NoteId> Notebook::selectedId() const {
    return d->tree->selectedId();
}

QString Notebook::selectedTitle() const {
    QTreeWidgetItem* selected = d->tree->selectedItem();
    return selected ? selected->text(0) : QString();
}

QStringList Notebook::topLevelTitles() const {
    QStringList titles;
    for (int i = 0; i < d->tree->topLevelItemCount(); ++i)
        titles.append(d->tree->topLevelItem(i)->text(0));
    return titles;
}

std::optional<RecordId> Notebook::findRecordByTitle(const QString& title) const {
    const QList<RecordId> found = findRecordsByTitle(title);
    if (found.isEmpty())
        return std::nullopt;
    return found.front();
}

QList<RecordId> Notebook::findRecordsByTitle(const QString& title) const {
    QList<RecordId> found;
    if (!d->category())
        return found;
    const NoteTree& notes = d->category()->tree();
    for (const auto& [node, level] : notes.PreOrderWithLevels())
        if (notes.TitleView(node) == title)
            found.append(notes.Record(node).rowid);
    return found;
}

bool Notebook::selectNote(NoteId id) {
    return d->select(d->find(id));
}

bool Notebook::selectRecord(RecordId rowid) {
    return d->category() && d->select(d->category()->tree().FindRecord(rowid));
}

void Notebook::expandRecord(RecordId rowid) {
    if (!d->category())
        return;
    if (QTreeWidgetItem* target = d->mirror.ensureItem(d->category()->tree().FindRecord(rowid)))
        target->setExpanded(true);
}

std::optional<NoteId> Notebook::addSiblingNamed(const QString& title) {
    return d->commands.add(false, title);
}
std::optional<NoteId> Notebook::addChildNamed(const QString& title) {
    return d->commands.add(true, title);
}

bool Notebook::dropNote(NoteId draggedId, NoteId targetId, bool copy) {
    return d->commands.drop(d->find(draggedId), d->find(targetId), copy);
}

void Notebook::loadSelected() {
    const NodeRef node = d->category() ? d->mirror.selectedNode() : kNoNode;
    if (node != kNoNode)
        d->commands.show(node);
}

void Notebook::clearEditor() {
    d->text.clearEditor();
}
void Notebook::replaceText(const QString& text) {
    d->text.replaceText(text);
}
bool Notebook::fileTextIntoNote(NoteId id, const QString& text) {
    return d->commands.fileTextInto(d->find(id), text);
}

void Notebook::addSibling() {
    d->commands.addWithInput(false);
}
void Notebook::addChild() {
    d->commands.addWithInput(true);
}
void Notebook::deleteSelected() {
    d->commands.deleteSelected();
}
void Notebook::rename() {
    d->commands.renameWithInput();
}
void Notebook::expandAll() {
    const bool all = d->mirror.makeAllItems();
    d->tree->expandAll();
    if (!all)
        d->commands.tellTooDeep();
}
void Notebook::makeAllItems() {
    d->mirror.makeAllItems();
}
void Notebook::collapseAll() {
    d->tree->collapseAll();
}
void Notebook::save() {
    d->commands.save();
}

bool Notebook::saveIfDirtyWithoutAsking() {
    if (!isDirty())
        return true;
    return d->commands.save() && !isDirty();
}
void Notebook::setReadOnly(bool readOnly) {
    d->text.setReadOnly(readOnly);
}

void Notebook::setWriteProtected(bool on) {
    d->commands.setWriteProtected(on);
    d->tree->setNotesWritable(!on);
}

} // namespace qj
