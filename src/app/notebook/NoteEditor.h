#pragma once

#include <Qsci/qsciscintilla.h>

#include <QColor>

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

    // The text colour of the active line (the caret's line), drawn over the editor's text colour.
    void setCaretLineForeground(const QColor& colour);
    QColor caretLineForeground() const;

    // An input method's composition is under way: its text is shown in the editor but not yet
    // typed (no change of the note until it is committed).
    bool isComposing() const { return composing_; }

signals:
    void focusEntered();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // A composition that ended without a commit takes back the blanks it filled in up to a caret
    // past the end of its line.
    void takeBackPadding();

    bool composing_ = false;
    long lengthBefore_ = 0;  // the text's length in bytes when the composition began
    long caretBefore_ = 0;   // the caret's position then
    long virtualBefore_ = 0; // and how far past its line's end it stood
};

} // namespace qj
