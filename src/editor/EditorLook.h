#pragma once
// The note editor's fixed look and behaviour, and the options the user may change.

#include "shell/EditorOptions.h"

#include <QColor>
#include <QString>

class QsciScintilla;

namespace qj {

inline const QColor kEdgeColour{162, 208, 255};
inline const QColor kGutterBackground{245, 245, 245};
inline const QColor kGutterText{128, 128, 128};
inline const QColor kSelectionText{255, 255, 68};
// The selection's ground: a caption blue dark enough for the yellow selected text to read.
inline const QColor kSelectionBackground{61, 110, 184};
// Bookmark marks: the digit on a light yellow tab with a darker edge.
inline const QColor kBookmarkBack{255, 236, 140};
inline const QColor kBookmarkEdge{200, 160, 40};
inline const QColor kBookmarkDigit{0, 0, 160};

// The margins of the editor: line numbers, then the bookmark symbols.
enum EditorMargin { kLineNumberMargin = 0, kBookmarkMargin = 1 };

// The text the line numbers' margin is as wide as: room for 99999 lines and a little air, one digit
// more for every digit the line count has beyond five (1767812 lines need "00000000").
QString GutterWidthText(long lineCount);

// Sets up everything of the editor's look and behaviour that the user does not choose: the gutter
// (grey line numbers on light grey, as wide as the line count needs; bookmark symbols 0–9), the selection
// colours, the right edge's colour, auto-indent, blanks instead of tabs, grouped undo, caret past the line
// end, brace matching for the matching-bracket jump.
void ConfigureNoteEditor(QsciScintilla& editor);

// Applies the options dialog's choices (the edge column is the wrap's business: see ColumnWrap).
void ApplyEditorOptions(QsciScintilla& editor, const EditorOptions& options);

} // namespace qj
