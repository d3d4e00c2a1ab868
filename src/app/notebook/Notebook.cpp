#include "app/notebook/Notebook.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/NoteTreeWidget.h"

#include <QMenu>

namespace qj {

struct Notebook::Private {
    Dialogs& dialogs;
    QWidget* dialogParent;
    QPointer<NoteTreeWidget> tree;
    QPointer<NoteTitleBar> titleBar;
    QPointer<NoteEditor> editor;
    std::unique_ptr<QMenu> menu;
};

Notebook::Notebook(Dialogs& dialogs, QWidget* dialogParent, QObject* parent)
    : QObject(parent), d(new Private{dialogs, dialogParent, new NoteTreeWidget, new NoteTitleBar,
                                     new NoteEditor, std::make_unique<QMenu>()}) {
    d->menu->setObjectName(QStringLiteral("PopupMenu1"));
}

Notebook::~Notebook() {
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
void Notebook::bindActions(QAction*, QAction*, QAction*, QAction*) {}
void Notebook::openCategory(DataFile&, const QString&) {}
void Notebook::closeCategory() {}
bool Notebook::hasCategory() const {
    return false;
}
QString Notebook::categoryName() const {
    return {};
}
bool Notebook::isDirty() const {
    return false;
}
bool Notebook::askSaveIfDirty() {
    return true;
}
std::optional<int> Notebook::selectedId() const {
    return d->tree->selectedId();
}
QString Notebook::selectedTitle() const {
    return {};
}
QStringList Notebook::topLevelTitles() const {
    return {};
}
std::optional<int> Notebook::findByTitle(const QString&) const {
    return std::nullopt;
}
bool Notebook::selectNote(int) {
    return false;
}
void Notebook::expandNote(int) {}
std::optional<int> Notebook::addSiblingNamed(const QString&) {
    return std::nullopt;
}
std::optional<int> Notebook::addChildNamed(const QString&) {
    return std::nullopt;
}
bool Notebook::dropNote(int, int, bool) {
    return false;
}
void Notebook::loadSelected() {}
void Notebook::clearEditor() {
    d->editor->clearCompletely();
}
void Notebook::addSibling() {}
void Notebook::addChild() {}
void Notebook::deleteSelected() {}
void Notebook::rename() {}
void Notebook::expandAll() {
    d->tree->expandAll();
}
void Notebook::collapseAll() {
    d->tree->collapseAll();
}
void Notebook::save() {}
void Notebook::setReadOnly(bool readOnly) {
    d->editor->setReadOnly(readOnly);
}

} // namespace qj
