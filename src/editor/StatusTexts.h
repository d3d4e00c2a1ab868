#pragma once
// The editor's two status bar read-outs.

#include <QString>

namespace qj {

// Caret line and column (both 1-based): "行:%6d, 列:%3d", numbers right-aligned in fields of 6 and 3
// characters, longer numbers printed in full.
QString CaretReadout(int line, int column);

// The wrap column and the pixel width of the caret line's text: " 80 列换行 372".
QString WrapReadout(int wrapColumn, int lineWidth);

} // namespace qj
