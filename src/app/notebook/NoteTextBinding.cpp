#include "app/notebook/NoteTextBinding.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"

#include <QAction>
#include <QCheckBox>

namespace qj {

NoteTextBinding::NoteTextBinding(NoteEditor* editor, NoteTitleBar* titleBar, QObject* parent)
    : QObject(parent), editor_(editor), titleBar_(titleBar) {
    connect(editor, &NoteEditor::textChanged, this, &NoteTextBinding::editorChanged);
    connect(titleBar->readOnlyBox(), &QCheckBox::toggled, this, &NoteTextBinding::setReadOnly);
    titleBar->readOnlyBox()->setChecked(editor->isReadOnly());
}

void NoteTextBinding::setSaveAction(QAction* save) {
    saveAction_ = save;
    if (saveAction_)
        saveAction_->setEnabled(edit_.IsDirty());
}

bool NoteTextBinding::holds(const QString& category, RecordRef record) const {
    return edit_.edited() && edit_.edited()->category == category && edit_.edited()->record == record;
}

template <class F> void NoteTextBinding::loading(F&& change) {
    loading_ = true;
    change();
    loading_ = false;
}

void NoteTextBinding::load(const QString& category, RecordRef record, const QString& title,
                           const QString& text) {
    titleBar_->setTitle(title);
    shownTitle_ = title;
    loading([&] { editor_->loadText(text); });
    edit_.Loaded(category, record, title);
    refresh();
}

void NoteTextBinding::loadNothing() {
    clearEditor();
    edit_.Cleared();
    refresh();
}

void NoteTextBinding::clearEditor() {
    loading([&] { editor_->clearCompletely(); });
}

void NoteTextBinding::renamed(const QString& title) {
    shownTitle_ = title;
    edit_.Renamed(title);
    titleBar_->setTitle(title);
}

void NoteTextBinding::refresh() {
    applyReadOnly();
    showDirty();
}

void NoteTextBinding::showDirty() {
    const bool dirty = edit_.IsDirty();
    titleBar_->setDirty(dirty);
    if (saveAction_)
        saveAction_->setEnabled(dirty);
    if (dirty != dirtyShown_) {
        dirtyShown_ = dirty;
        emit dirtyChanged(dirty);
    }
}

// The editor takes typing only while it holds a note: a text typed with no note to write into
// would be lost without a question.
// The box "只读" shows the editor's real state; with no note it cannot be unticked.
void NoteTextBinding::applyReadOnly() {
    const bool readOnly = readOnlyChosen_ || writeProtected_ || !edit_.edited();
    editor_->setReadOnly(readOnly);
    QCheckBox* box = titleBar_->readOnlyBox();
    const QSignalBlocker blocker(box);
    box->setChecked(readOnly);
    box->setEnabled(edit_.edited().has_value() && !writeProtected_);
}

void NoteTextBinding::setWriteProtected(bool on) {
    writeProtected_ = on;
    applyReadOnly();
}

void NoteTextBinding::setReadOnly(bool readOnly) {
    const bool changed = readOnlyChosen_ != readOnly;
    readOnlyChosen_ = readOnly;
    applyReadOnly();
    if (changed)
        emit readOnlyChanged(readOnly);
}

void NoteTextBinding::replaceText(const QString& text) {
    const bool readOnly = editor_->isReadOnly();
    editor_->setReadOnly(false);
    editor_->selectAll();
    editor_->replaceSelectedText(text);
    editor_->setReadOnly(readOnly);
    if (edit_.edited()) {
        edit_.Changed();
        showDirty();
        emit typed();
    }
}

void NoteTextBinding::insert(const QString& text) {
    editor_->insert(text);
}

QString NoteTextBinding::editorText() const {
    return editor_->text();
}

void NoteTextBinding::clearTitle() {
    titleBar_->clear();
}

void NoteTextBinding::editorChanged() {
    // A composition's text is not typed until the input method commits it.
    if (loading_ || editor_->isComposing())
        return;
    if (editor_->isReadOnly()) {
        titleBar_->setDirty(false);
        return;
    }
    if (!edit_.edited())
        return; // no note to write into
    edit_.Changed();
    showDirty();
    emit typed();
}

} // namespace qj
