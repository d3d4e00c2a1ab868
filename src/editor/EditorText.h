#pragma once
// Reading the note editor's text the way the tools count it.
//
// Scintilla positions count UTF-8 bytes, QScintilla's line indexes count characters, and the tools
// count UTF-16 units of the text (a CR LF line break counts two): the conversions live here.

#include "editor/Reflow.h"

#include <QFont>
#include <QString>

class QsciScintilla;

namespace qj {

// UTF-16 offset of a Scintilla position, and back.
qsizetype OffsetOfPosition(QsciScintilla& editor, long position);
long PositionOfOffset(QsciScintilla& editor, qsizetype offset);

// Start of the selection (the caret when nothing is selected), as a UTF-16 offset of the text.
qsizetype SelectionStartOffset(QsciScintilla& editor);

// Moves the caret in code: the column that up and down keep is taken from here.
void SetCaretPosition(QsciScintilla& editor, long position);

// The font Scintilla draws the text in (its default style).
QFont EditorDisplayFont(QsciScintilla& editor);
// Widths in that font, in pixels: of a whole run, and a fast per-character estimate for long texts.
TextMeasure EditorTextMeasure(QsciScintilla& editor);
TextMeasure EditorCharacterEstimate(QsciScintilla& editor);

// The text of a line without its line break.
QString LineText(QsciScintilla& editor, int line);
// Pixel width of the caret line's text in the editor's font.
int CaretLineWidth(QsciScintilla& editor);

} // namespace qj
