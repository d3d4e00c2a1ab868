#include "app/notebook/Notebook.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/NoteTreeItems.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/NotebookTexts.h"
#include "app/shell/ErrorHandler.h"
#include "seams/StandardBoxes.h"
#include "store/CurrentCategory.h"
#include "store/NoteEditState.h"
#include "store/TreePictures.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QSet>

namespace qj {

struct Notebook::Private {
    Private(Notebook* owner, Dialogs& seam, QWidget* parentForDialogs)
        : q(owner), dialogs(seam), dialogParent(parentForDialogs), tree(new NoteTreeWidget),
          titleBar(new NoteTitleBar), editor(new NoteEditor), menu(std::make_unique<QMenu>()) {}

    Notebook* q;
    Dialogs& dialogs;
    QWidget* dialogParent;
    QPointer<NoteTreeWidget> tree;
    QPointer<NoteTitleBar> titleBar;
    QPointer<NoteEditor> editor;
    std::unique_ptr<QMenu> menu;
    QPointer<QAction> saveAction, addSiblingAction, addChildAction, deleteAction;
    std::function<void(const QString&)> errorHandler;

    DataFile* file = nullptr;
    std::unique_ptr<CurrentCategory> category;
    std::vector<QTreeWidgetItem*> itemOf; // by node
    NoteEditState edit;
    QString shownTitle; // the title of the note the editor holds, as it was loaded or renamed
    bool loading = false;
    bool dirtyShown = false;
    bool readOnlyChosen = true; // the read-only switch as the user set it

    // The editor takes typing only while it holds a note: a text typed with no note to write
    // into would be lost without a question.
    void applyReadOnly() { editor->setReadOnly(readOnlyChosen || !edit.edited()); }

    const NoteTree& notes() const { return category->tree(); }
    QTreeWidgetItem* item(NodeRef node) const {
        return node >= 0 && static_cast<size_t>(node) < itemOf.size() ? itemOf[node] : nullptr;
    }
    NodeRef selectedNode() const {
        QTreeWidgetItem* selected = tree->selectedItem();
        return selected ? NodeOfItem(selected) : kNoNode;
    }

    void reportError(const QString& text) const {
        if (errorHandler)
            errorHandler(text);
        else
            ShowGeneralError(dialogs, dialogParent, text);
    }

    // Runs a command that writes records. A refused write is reported and the tree is brought back
    // to what the table holds. Returns false when the command failed.
    template <class F> bool run(F&& command) {
        try {
            command();
            return true;
        } catch (const StoreError& error) {
            reportError(error.text());
            resync();
            return false;
        }
    }

    void updateActions() {
        const bool open = category != nullptr;
        for (QAction* a : {addSiblingAction.data(), addChildAction.data(), deleteAction.data()})
            if (a)
                a->setEnabled(open);
        if (saveAction)
            saveAction->setEnabled(edit.IsDirty());
    }

    void showDirty() {
        const bool dirty = edit.IsDirty();
        titleBar->setDirty(dirty);
        if (saveAction)
            saveAction->setEnabled(dirty);
        if (dirty != dirtyShown) {
            dirtyShown = dirty;
            emit q->dirtyChanged(dirty);
        }
    }

    void emitStatus() {
        QTreeWidgetItem* selected = tree->selectedItem();
        emit q->treePositionChanged(
            selected ? NodeStatusText(NoteTreeWidget::levelOf(selected), selected->childCount()) : QString());
    }

    void selectItem(QTreeWidgetItem* target) {
        if (!target)
            return;
        for (QTreeWidgetItem* p = target->parent(); p; p = p->parent())
            p->setExpanded(true);
        tree->setCurrentItem(target);
        tree->scrollToItem(target);
    }

    // Rebuilds every item from the store's tree; selects `select` and expands `expanded` (rowids).
    void rebuildItems(NodeRef select, const QSet<std::int64_t>& expanded = {}) {
        const QSignalBlocker blocker(tree);
        tree->setUpdatesEnabled(false);
        tree->clear();
        itemOf.clear();
        if (category) {
            itemOf.resize(static_cast<size_t>(notes().NodeCount()), nullptr);
            tree->addTopLevelItems(BuildAllItems(notes(), itemOf));
            for (NodeRef n = 0; n < static_cast<NodeRef>(itemOf.size()); ++n)
                if (itemOf[n] && expanded.contains(notes().Record(n).rowid))
                    itemOf[n]->setExpanded(true);
            selectItem(item(select));
        }
        tree->setUpdatesEnabled(true);
        emitStatus();
    }

    // The records of the expanded nodes.
    QSet<std::int64_t> expandedRecords() const {
        QSet<std::int64_t> rowids;
        for (NodeRef n = 0; n < static_cast<NodeRef>(itemOf.size()); ++n)
            if (itemOf[n] && itemOf[n]->isExpanded())
                rowids.insert(notes().Record(n).rowid);
        return rowids;
    }

    // After a failed write: the tree shows what the table holds, the selection and the open
    // branches kept where they still exist.
    void resync() {
        if (!category)
            return;
        const NodeRef selected = selectedNode();
        const std::optional<std::int64_t> selectedRecord =
            selected == kNoNode ? std::nullopt : std::optional(notes().Record(selected).rowid);
        const QSet<std::int64_t> expanded = expandedRecords();
        try {
            category->Reload();
        } catch (const StoreError& error) {
            reportError(error.text());
            category.reset();
            rebuildItems(kNoNode);
            updateActions();
            return;
        }
        rebuildItems(selectedRecord ? notes().FindRecord(*selectedRecord) : kNoNode, expanded);
    }

    // Shows a note: its title in the title bar (unless told otherwise), its text in the editor,
    // the text clean.
    void loadNode(NodeRef node, bool showTitle = true) {
        const QString info = category->Info(node);
        if (showTitle)
            titleBar->setTitle(notes().Title(node));
        shownTitle = notes().Title(node);
        loading = true;
        editor->loadText(info);
        loading = false;
        edit.Loaded(category->name(), notes().Record(node));
        applyReadOnly();
        showDirty();
    }

    void loadNothing() {
        loading = true;
        editor->clearCompletely();
        loading = false;
        edit.Cleared();
        applyReadOnly();
        showDirty();
    }

    bool editedNoteIsHere() const {
        return category && edit.edited() && edit.edited()->category == category->name();
    }

    // Writes the editor's text into the edited note. False when nothing was written (the text
    // stays dirty): the write failed, or the note is gone and the text was not filed as a new note.
    bool saveText() {
        if (!file) {
            edit.Saved();
            showDirty();
            return true;
        }
        SaveResult result = SaveResult::NoNote;
        try {
            result = SaveNoteText(*file, edit, editor->text());
        } catch (const StoreError& error) {
            reportError(error.text());
            return false;
        }
        if (result == SaveResult::Gone)
            return fileTextOfGoneNote();
        applyReadOnly();
        showDirty();
        return true;
    }

    // The edited note's record vanished (another program deleted it): the text stays in the editor,
    // changed, and the user may file it as a new note (a root at the end) of the current category.
    bool fileTextOfGoneNote() {
        resync(); // the tree shows what the table holds
        if (!category) {
            MessageBox(dialogs, dialogParent, QStringLiteral("提示"), GoneNoteText(shownTitle),
                       MessageIcon::Warning);
            return false;
        }
        const DialogButton answer =
            MessageBox(dialogs, dialogParent, QStringLiteral("提示"), GoneNoteQuestion(shownTitle),
                       MessageIcon::Warning, {DialogButton::Yes, DialogButton::No}, DialogButton::Yes);
        if (answer != DialogButton::Yes)
            return false;
        return run([&] {
            const NodeRef node = category->AddNote(kNoNode, shownTitle, editor->text());
            QTreeWidgetItem* newItem = BuildSubtreeItems(notes(), node, itemOf);
            tree->addTopLevelItem(newItem);
            selectItem(newItem);
            shownTitle = notes().Title(node);
            titleBar->setTitle(shownTitle);
            edit.Loaded(category->name(), notes().Record(node));
            applyReadOnly();
            showDirty();
            emitStatus();
        });
    }

    void addNode(bool child, const QString& typed, std::optional<NoteKey>* made = nullptr) {
        run([&] {
            const NodeRef selected = selectedNode();
            const NodeRef node =
                child ? category->AddChild(selected, typed) : category->AddSibling(selected, typed);
            const NodeRef parent = notes().Parent(node);
            QTreeWidgetItem* newItem = BuildSubtreeItems(notes(), node, itemOf);
            if (QTreeWidgetItem* parentItem = item(parent))
                parentItem->addChild(newItem);
            else
                tree->addTopLevelItem(newItem);
            selectItem(newItem);
            emitStatus();
            if (made)
                *made = notes().Key(node);
        });
    }

    void renameNode(NodeRef node, const QString& title) {
        run([&] {
            category->Rename(node, title);
            if (QTreeWidgetItem* it = item(node))
                it->setText(0, notes().Title(node));
            if (editedNoteIsHere() && edit.edited()->record == notes().Record(node)) {
                shownTitle = notes().Title(node);
                titleBar->setTitle(shownTitle);
            }
        });
    }

    // The node that takes the selection when `gone` disappears: next sibling, previous one, parent.
    QTreeWidgetItem* neighbourOf(QTreeWidgetItem* gone) const {
        QTreeWidgetItem* parent = gone->parent();
        const int index = parent ? parent->indexOfChild(gone) : tree->indexOfTopLevelItem(gone);
        const int count = parent ? parent->childCount() : tree->topLevelItemCount();
        auto at = [&](int i) { return parent ? parent->child(i) : tree->topLevelItem(i); };
        if (index + 1 < count)
            return at(index + 1);
        if (index > 0)
            return at(index - 1);
        return parent;
    }

    // Deletes the node with its subtree (records and items). Returns false when the write failed.
    bool deleteNode(NodeRef node) {
        return run([&] {
            QTreeWidgetItem* gone = item(node);
            QTreeWidgetItem* selected = tree->selectedItem();
            bool selectionGoes = false;
            for (QTreeWidgetItem* p = selected; p; p = p->parent())
                selectionGoes |= p == gone;
            QTreeWidgetItem* next = selectionGoes && gone ? neighbourOf(gone) : nullptr;

            const std::vector<NodeRef> nodes = notes().SubtreePreOrder(node);
            const std::vector<RecordRef> records = category->Delete(node);
            edit.Deleted(category->name(), records);
            applyReadOnly();
            for (NodeRef n : nodes)
                if (static_cast<size_t>(n) < itemOf.size())
                    itemOf[n] = nullptr;
            {
                const QSignalBlocker blocker(tree);
                delete gone;
            }
            if (next)
                selectItem(next);
            emitStatus();
        });
    }

    bool dropNode(NodeRef dragged, NodeRef target, bool copy) {
        if (!category || !notes().IsAlive(dragged) || !notes().IsAlive(target) ||
            !notes().CanDrop(dragged, target))
            return false;
        return run([&] {
            QTreeWidgetItem* targetItem = item(target);
            if (!copy) {
                if (!category->Move(dragged, target))
                    return; // already its parent: nothing happens
                QTreeWidgetItem* moved = item(dragged);
                {
                    const QSignalBlocker blocker(tree);
                    if (QTreeWidgetItem* oldParent = moved->parent())
                        oldParent->removeChild(moved);
                    else
                        tree->takeTopLevelItem(tree->indexOfTopLevelItem(moved));
                    targetItem->addChild(moved);
                }
                selectItem(moved);
            } else {
                const NodeRef top = category->Copy(dragged, target);
                QTreeWidgetItem* copyItem = BuildSubtreeItems(notes(), top, itemOf);
                targetItem->addChild(copyItem);
                selectItem(copyItem);
            }
            // Notes whose Parent the drop made meaningful (a loop opened) go where a fresh build
            // puts them.
            if (category->Resettle())
                rebuildItems(selectedNode(), expandedRecords());
            emitStatus();
        });
    }

    // The Delete key: the standard confirmation, then the node and its subtree go. When the shown
    // note went with them, the editor shows the note selected now.
    void deleteKey() {
        const NodeRef node = selectedNode();
        if (!category || node == kNoNode)
            return;
        const DialogButton answer =
            ConfirmBox(dialogs, dialogParent, DeleteItemConfirmation(notes().Title(node)),
                       {DialogButton::Ok, DialogButton::Cancel});
        if (answer != DialogButton::Ok)
            return;
        const bool wasShown = editedNoteIsHere();
        if (!deleteNode(node))
            return;
        if (wasShown && !edit.edited())
            showSelectedAfterDelete();
    }

    void showSelectedAfterDelete() {
        const NodeRef now = selectedNode();
        if (now != kNoNode) {
            loadNode(now);
        } else if (!edit.edited()) {
            loadNothing();
            titleBar->clear();
        }
    }

    // Tv1MouseDown: the save question when the text is dirty, then the pressed note is shown.
    void treePressed() {
        if (!category)
            return;
        if (edit.IsDirty()) {
            if (askSave() == DialogButton::Yes) {
                if (!saveText())
                    return;
                // The saved note stays shown and selected.
                if (editedNoteIsHere())
                    selectItem(item(notes().FindRecord(edit.edited()->record.rowid)));
            } else {
                edit.ChangesDropped();
            }
        }
        const NodeRef node = selectedNode();
        if (node != kNoNode)
            loadNode(node);
        else
            showDirty();
    }

    DialogButton askSave() const {
        return MessageBox(dialogs, dialogParent, QStringLiteral("提示"),
                          QStringLiteral("文本内容已改变，需要保存吗？"), MessageIcon::Question,
                          {DialogButton::Yes, DialogButton::No}, DialogButton::Yes);
    }

    void editorChanged() {
        if (loading)
            return;
        if (editor->isReadOnly()) {
            titleBar->setDirty(false);
            return;
        }
        if (!edit.edited())
            return; // no note to write into
        edit.Changed();
        showDirty();
    }

    void buildMenu();
};

void Notebook::Private::buildMenu() {
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    struct Item {
        const char* name;
        const char* text;
        const char* icon;
        void (Notebook::*slot)();
    };
    static const Item items[] = {
        {"N1", "添加同级节点", ":/icons/actAddSibling16.png", &Notebook::addSibling},
        {"N2", "添加下级子节点", ":/icons/actAddChild16.png", &Notebook::addChild},
        {nullptr, nullptr, nullptr, nullptr},
        {"N4", "删除", ":/icons/actDelete16.png", &Notebook::deleteSelected},
        {"N5", "重命名", nullptr, &Notebook::rename},
        {nullptr, nullptr, nullptr, nullptr},
        {"N8", "全部展开", nullptr, &Notebook::expandAll},
        {"N9", "全部折叠", nullptr, &Notebook::collapseAll},
    };
    for (const Item& entry : items) {
        if (!entry.name) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(entry.text));
        action->setObjectName(QString::fromUtf8(entry.name));
        if (entry.icon)
            action->setIcon(QIcon(QString::fromUtf8(entry.icon)));
        QObject::connect(action, &QAction::triggered, q, entry.slot);
    }
    QObject::connect(menu.get(), &QMenu::aboutToShow, q, [this] {
        const bool open = category != nullptr;
        const bool selected = open && selectedNode() != kNoNode;
        for (const char* name : {"N1", "N2"})
            menu->findChild<QAction*>(QString::fromUtf8(name))->setEnabled(open);
        for (const char* name : {"N4", "N5"})
            menu->findChild<QAction*>(QString::fromUtf8(name))->setEnabled(selected);
    });
}

Notebook::Notebook(Dialogs& dialogs, QWidget* dialogParent, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>(this, dialogs, dialogParent)) {
    d->buildMenu();
    NoteTreeWidget* tree = d->tree;
    connect(tree, &NoteTreeWidget::mousePressed, this, [this] { d->treePressed(); });
    connect(tree, &NoteTreeWidget::mouseReleased, this, [this] {
        if (!d->edit.IsDirty())
            d->titleBar->setDirty(false);
    });
    connect(tree, &NoteTreeWidget::itemSelectionChanged, this, [this] { d->emitStatus(); });
    connect(tree, &NoteTreeWidget::deleteKeyPressed, this, [this] { d->deleteKey(); });
    connect(tree, &NoteTreeWidget::titleEdited, this, [this](QTreeWidgetItem* item, const QString& title) {
        if (d->category)
            d->renameNode(NodeOfItem(item), title);
    });
    connect(tree, &NoteTreeWidget::nodeDropped, this,
            [this](QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool copy) {
                d->dropNode(NodeOfItem(dragged), NodeOfItem(target), copy);
            });
    connect(tree, &NoteTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { d->menu->popup(d->tree->viewport()->mapToGlobal(pos)); });
    connect(tree, &NoteTreeWidget::focusEntered, this, &Notebook::treeEntered);

    connect(d->editor, &NoteEditor::textChanged, this, [this] { d->editorChanged(); });
    connect(d->editor, &NoteEditor::focusEntered, this, &Notebook::editorEntered);
    connect(d->titleBar->readOnlyBox(), &QCheckBox::toggled, this, &Notebook::setReadOnly);
    d->titleBar->readOnlyBox()->setChecked(d->editor->isReadOnly());
}

Notebook::~Notebook() {
    for (QWidget* w : {static_cast<QWidget*>(d->tree), static_cast<QWidget*>(d->titleBar),
                       static_cast<QWidget*>(d->editor)})
        if (w && !w->parent())
            delete w;
}

void Notebook::setErrorHandler(std::function<void(const QString&)> handler) {
    d->errorHandler = std::move(handler);
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
    d->saveAction = save;
    d->addSiblingAction = addSibling;
    d->addChildAction = addChild;
    d->deleteAction = del;
    d->updateActions();
}

void Notebook::openCategory(DataFile& file, const QString& tableName) {
    d->category.reset();
    d->file = &file;
    try {
        d->category = std::make_unique<CurrentCategory>(file, tableName);
    } catch (...) {
        d->rebuildItems(kNoNode);
        d->updateActions();
        throw;
    }
    // The first record in stored order is the first node built.
    const NodeRef first = d->notes().IsEmpty() ? kNoNode : 0;
    d->rebuildItems(first);
    // The title bar keeps its text until a note is pressed.
    if (first != kNoNode)
        d->loadNode(first, false);
    else
        d->loadNothing();
    d->updateActions();
}

void Notebook::closeCategory() {
    d->category.reset();
    d->rebuildItems(kNoNode);
    d->updateActions();
}

void Notebook::categoryDropped(const QString& tableName) {
    d->edit.CategoryDropped(tableName);
    if (!d->edit.edited()) {
        d->edit.Cleared();
        d->applyReadOnly();
        d->showDirty();
    }
    if (d->category && d->category->name() == tableName)
        closeCategory();
}

bool Notebook::hasCategory() const {
    return d->category != nullptr;
}
QString Notebook::categoryName() const {
    return d->category ? d->category->name() : QString();
}
bool Notebook::isDirty() const {
    return d->edit.IsDirty();
}

bool Notebook::askSaveIfDirty() {
    if (!d->edit.IsDirty())
        return true;
    if (d->askSave() == DialogButton::Yes)
        return d->saveText();
    d->edit.ChangesDropped();
    d->showDirty();
    return true;
}

std::optional<Notebook::NoteId> Notebook::selectedId() const {
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

std::optional<Notebook::NoteId> Notebook::findByTitle(const QString& title) const {
    if (!d->category)
        return std::nullopt;
    for (NodeRef node : d->notes().AllPreOrder())
        if (d->notes().Title(node) == title)
            return d->notes().Key(node);
    return std::nullopt;
}

QList<Notebook::NoteId> Notebook::findAllByTitle(const QString& title) const {
    QList<NoteId> found;
    if (d->category)
        for (NodeRef node : d->notes().AllPreOrder())
            if (d->notes().Title(node) == title)
                found.append(d->notes().Key(node));
    return found;
}

bool Notebook::selectNote(NoteId id) {
    if (!d->category)
        return false;
    QTreeWidgetItem* target = d->item(d->notes().Find(id));
    if (!target)
        return false;
    d->selectItem(target);
    return true;
}

void Notebook::expandNote(NoteId id) {
    if (d->category)
        if (QTreeWidgetItem* target = d->item(d->notes().Find(id)))
            target->setExpanded(true);
}

std::optional<Notebook::NoteId> Notebook::addSiblingNamed(const QString& title) {
    std::optional<NoteId> made;
    if (d->category)
        d->addNode(false, title, &made);
    return made;
}

std::optional<Notebook::NoteId> Notebook::addChildNamed(const QString& title) {
    std::optional<NoteId> made;
    if (d->category)
        d->addNode(true, title, &made);
    return made;
}

bool Notebook::dropNote(NoteId draggedId, NoteId targetId, bool copy) {
    if (!d->category)
        return false;
    return d->dropNode(d->notes().Find(draggedId), d->notes().Find(targetId), copy);
}

void Notebook::loadSelected() {
    if (!d->category)
        return;
    const NodeRef node = d->selectedNode();
    if (node != kNoNode)
        d->loadNode(node);
}

void Notebook::clearEditor() {
    d->loading = true;
    d->editor->clearCompletely();
    d->loading = false;
}

void Notebook::replaceText(const QString& text) {
    const bool readOnly = d->editor->isReadOnly();
    d->editor->setReadOnly(false);
    d->editor->selectAll();
    d->editor->replaceSelectedText(text);
    d->editor->setReadOnly(readOnly);
    if (d->edit.edited()) {
        d->edit.Changed();
        d->showDirty();
    }
}

bool Notebook::fileTextIntoNote(NoteId id, const QString& text) {
    if (!d->category)
        return false;
    const NodeRef node = d->notes().Find(id);
    if (node == kNoNode || !askSaveIfDirty())
        return false;
    d->selectItem(d->item(node));
    d->loadNode(node);
    setReadOnly(false);
    clearEditor();
    d->editor->insert(text);
    if (!d->saveText())
        return false;
    return true;
}

void Notebook::addSibling() {
    addNote(false);
}
void Notebook::addChild() {
    addNote(true);
}

void Notebook::addNote(bool child) {
    if (!d->category)
        return;
    const QString caption = child ? QStringLiteral("添加下级子节点") : QStringLiteral("添加同级节点");
    InputRequest request;
    request.caption = caption;
    request.prompt = QStringLiteral("输入你要添加节点的名字");
    request.text = caption;
    const std::optional<QString> typed = d->dialogs.inputText(d->dialogParent, request);
    if (!typed)
        return;
    std::optional<NoteId> made;
    d->addNode(child, *typed, &made);
    if (!made)
        return;
    // With no note in the editor (an empty category), the new note is the one to write into.
    if (!d->edit.edited())
        d->loadNode(d->notes().Find(*made));
    setReadOnly(false);
}

void Notebook::deleteSelected() {
    const NodeRef node = d->category ? d->selectedNode() : kNoNode;
    if (node == kNoNode)
        return;
    const DialogButton answer =
        MessageBox(d->dialogs, d->dialogParent, QStringLiteral("提示"),
                   QStringLiteral("确认要删除当前位置及子节点的所有内容吗？"), MessageIcon::Question,
                   {DialogButton::Yes, DialogButton::No}, DialogButton::No);
    if (answer != DialogButton::Yes)
        return;
    if (!d->deleteNode(node))
        return;
    // The editor shows the note selected now. A changed text of a note that still exists is asked
    // about first rather than dropped unseen.
    if (!askSaveIfDirty())
        return;
    d->showSelectedAfterDelete();
}

void Notebook::rename() {
    const NodeRef node = d->category ? d->selectedNode() : kNoNode;
    if (node == kNoNode)
        return;
    InputRequest request;
    request.caption = QStringLiteral("重命名");
    request.prompt = QStringLiteral("输入你要重命名节点的名字");
    request.text = d->notes().Title(node);
    const std::optional<QString> typed = d->dialogs.inputText(d->dialogParent, request);
    if (typed)
        d->renameNode(node, *typed);
}

void Notebook::expandAll() {
    d->tree->expandAll();
}
void Notebook::collapseAll() {
    d->tree->collapseAll();
}

void Notebook::save() {
    d->saveText();
}

void Notebook::setReadOnly(bool readOnly) {
    const bool changed = d->readOnlyChosen != readOnly;
    d->readOnlyChosen = readOnly;
    d->applyReadOnly();
    {
        const QSignalBlocker blocker(d->titleBar->readOnlyBox());
        d->titleBar->readOnlyBox()->setChecked(readOnly);
    }
    if (changed)
        emit readOnlyChanged(readOnly);
}

} // namespace qj
