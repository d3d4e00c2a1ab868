#include "app/notebook/NoteEditor.h"

#include "editor/CaretLineText.h"
#include "editor/EditorLook.h"

#include <QInputMethodEvent>

namespace qj {

NoteEditor::NoteEditor(QWidget* parent) : QsciScintilla(parent) {
    setObjectName(QStringLiteral("mmo1"));
    setUtf8(true);
    // Note texts keep their lines ended by CR LF; Enter types the same.
    setEolMode(QsciScintilla::EolWindows);
    setReadOnly(true);
    ConfigureNoteEditor(*this);

    CaretLineText::of(this);
}

void NoteEditor::loadText(const QString& text) {
    const bool wasReadOnly = isReadOnly();
    setReadOnly(false);
    setText(text);
    setReadOnly(wasReadOnly);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setModified(false);
}

void NoteEditor::clearCompletely() {
    loadText(QString());
    markerDeleteAll();
}

void NoteEditor::setCaretLineForeground(const QColor& colour) {
    CaretLineText::of(this)->setColour(colour);
}

QColor NoteEditor::caretLineForeground() const {
    return CaretLineText::of(const_cast<NoteEditor*>(this))->colour();
}

void NoteEditor::focusInEvent(QFocusEvent* event) {
    QsciScintilla::focusInEvent(event);
    emit focusEntered();
}

void NoteEditor::inputMethodEvent(QInputMethodEvent* event) {
    const bool commits = !event->commitString().isEmpty() || event->replacementLength() != 0;
    const bool preedits = !event->preeditString().isEmpty();
    if (!composing_ && preedits && !commits && !isReadOnly()) {
        composing_ = true;
        lengthBefore_ = SendScintilla(SCI_GETLENGTH);
        caretBefore_ = SendScintilla(SCI_GETCURRENTPOS);
        virtualBefore_ = SendScintilla(SCI_GETSELECTIONNCARETVIRTUALSPACE, 0UL);
    }
    if (commits)
        composing_ = false; // the committed text is typed
    QsciScintilla::inputMethodEvent(event);
    if (composing_ && !preedits) {
        takeBackPadding();
        composing_ = false;
    }
}

void NoteEditor::takeBackPadding() {
    const long added = SendScintilla(SCI_GETLENGTH) - lengthBefore_;
    if (added <= 0 || virtualBefore_ <= 0)
        return;
    for (long at = caretBefore_; at < caretBefore_ + added; ++at)
        if (SendScintilla(SCI_GETCHARAT, static_cast<unsigned long>(at)) != ' ')
            return; // not the blanks the composition filled in: left as it is
    SendScintilla(SCI_DELETERANGE, static_cast<unsigned long>(caretBefore_), added);
    SendScintilla(SCI_SETSELECTION, static_cast<unsigned long>(caretBefore_), caretBefore_);
    SendScintilla(SCI_SETSELECTIONNCARETVIRTUALSPACE, 0UL, virtualBefore_);
    SendScintilla(SCI_SETSELECTIONNANCHORVIRTUALSPACE, 0UL, virtualBefore_);
}

} // namespace qj
