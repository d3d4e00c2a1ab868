#pragma once
// Pixel arithmetic of the editor's column wrap and right edge.

#include <QPoint>

namespace qj {

// Scintilla wraps a line where its text would reach the right margin. To wrap after `columns`
// half-width cells whatever the window's width, the right margin takes what the text area has
// beyond columns × cell + 1 pixel (a line of exactly `columns` cells must still fit). A window too
// narrow for the columns gets no margin: the text then wraps at the window's edge.
//   textAreaWidth: the viewport's width less the gutter and Scintilla's left margin.
//   columnsWidth:  the pixel width of `columns` half-width cells in the editor's font.
int WrapRightMargin(int textAreaWidth, int columnsWidth);

// The column whose edge line lies nearest to `x` pixels right of the text's start, at least 1.
int EdgeColumnAt(double x, double cellWidth);

} // namespace qj
