#pragma once
// The styles a wrapped line is drawn in, cut into short pieces so that Scintilla can keep each
// piece measured: it lays a line out again whole after every key, and it keeps the measurements
// of pieces shorter than 30 bytes. A piece ends where a row starts (RowStarts), where the text
// itself suggests (after a blank, or where a hash of the two characters around the place says),
// and before it would grow past kPieceBytes. The same text gets the same pieces in the same
// styles wherever it stands, so after a key only the pieces at row starts that moved are measured
// again.
//
// Scintilla may end a row at any change of style: a piece may therefore not end close after a row
// start, where Scintilla is still looking for the end of the row before (RowBreakStyler.h).

#include <string_view>
#include <vector>

namespace qj {

// The look-alike styles the pieces are drawn in: 0 .. kPieceStyles - 1.
inline constexpr int kPieceStyles = 8;
// The longest piece the pieces are cut to; Scintilla keeps pieces shorter than 30 bytes.
inline constexpr size_t kPieceBytes = 27;

// The style of each byte of a UTF-8 line (without its line break) wrapped at `columns` into rows
// starting at `rowStarts`. The style changes at every row start. Other pieces end only where the
// columns from the row start before reach `columns` + kHangingColumns + `slackColumns`;
// `slackColumns` < 0: pieces end at the row starts only.
// The slack for PieceStyles of a face: `cell` is the width of a column as the wrap width counts
// it, `samples` the drawn width of characters and the columns each takes. Characters drawn
// narrower than their columns let Scintilla look further into the wrap width; too far (half the
// row), and -1: pieces end at the row starts only.
struct DrawnWidth {
    double drawn;
    int columns;
};
int SlackColumns(double cell, const std::vector<DrawnWidth>& samples, int columns);

std::vector<char> PieceStyles(std::string_view utf8Line, const std::vector<size_t>& rowStarts, int columns,
                              int slackColumns);
// The same from the start of row `fromRow` (0: the line's first) on, for the bytes from there to the
// line's end, given the style of the byte before it (-1: none): what PieceStyles gives there.
std::vector<char> PieceStylesFrom(std::string_view utf8Line, const std::vector<size_t>& rowStarts,
                                  int columns, int slackColumns, size_t fromRow, int styleBefore);

} // namespace qj
