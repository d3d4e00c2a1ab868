#include "app/notebook/NoteEditor.h"

namespace qj {

NoteEditor::NoteEditor(QWidget* parent) : QsciScintilla(parent) {
    setObjectName(QStringLiteral("mmo1"));
    setUtf8(true);
    // Note texts keep their lines ended by CR LF; Enter types the same.
    setEolMode(QsciScintilla::EolWindows);
    setReadOnly(true);
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

void NoteEditor::focusInEvent(QFocusEvent* event) {
    QsciScintilla::focusInEvent(event);
    emit focusEntered();
}

} // namespace qj
