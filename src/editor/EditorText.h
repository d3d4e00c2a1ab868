#pragma once
// Reading the note editor's text the way the tools count it.
//
// Scintilla positions count UTF-8 bytes, QScintilla's line indexes count characters, and the tools
// count UTF-16 units of the text (a CR LF line break counts two): the conversions live here.

#include "editor/Reflow.h"

#include <QFont>
#include <QObject>
#include <QString>

#include <optional>

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

// CaretLineWidth for a read-out that follows every mouse move: measured again only when the caret
// went to another line, the text changed or the font did (a megabyte joined into one line takes a
// tenth of a second to measure).
class CaretLineMeter : public QObject {
public:
    explicit CaretLineMeter(QsciScintilla* editor);
    int width();

private:
    QsciScintilla* editor_;
    std::optional<int> width_;
    int line_ = -1;
    QString fontKey_;
};

} // namespace qj
