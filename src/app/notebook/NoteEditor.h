#pragma once

#include <Qsci/qsciscintilla.h>

namespace qj {

// The note text editor "mmo1" on QScintilla, in UTF-8 mode, lines ended by CR LF. It starts
// read-only. The editor
// tools (fonts, colours, wrap, menus, printing) build on it elsewhere.
class NoteEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit NoteEditor(QWidget* parent = nullptr);

    // Replaces the whole text as a load: no undo step, modified mark cleared.
    void loadText(const QString& text);
    // Empties text, undo history and bookmarks.
    void clearCompletely();

signals:
    void focusEntered();

protected:
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace qj
