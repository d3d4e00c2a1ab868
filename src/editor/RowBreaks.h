#pragma once
// Where a line of note text wraps into rows of a number of columns, for Chinese text mixed with
// Latin words and numbers. A Chinese (CJK) character takes two columns, every other character one.
//
// A row may end between any two CJK characters, between a CJK character and a Latin word or number,
// and after a run of blanks; Latin words and numbers stay whole where they fit a row (a longer one
// is cut at the row's end); a row never starts with closing punctuation (，。、；：？！）》」』 and
// their half-width forms) nor ends with opening punctuation (（《「『 ...). Blanks at a row's end
// stay on it, up to kHangingColumns past its last column. Each row is as long as these rules let
// it be.

#include <string_view>
#include <vector>

namespace qj {

// How far blanks may hang past a row's last column. The editor's wrap width leaves this room
// beyond the wrap column (see RowBreakStyler.h).
inline constexpr int kHangingColumns = 2;

// True when a row may end after `before` and the next start with `after`.
bool MayBreakBetween(char32_t before, char32_t after);
// Columns a character takes: 2 for CJK, full-width forms and the punctuation Chinese faces draw
// full width (“”‘’—…), 1 otherwise.
int ColumnsOf(char32_t c);

// The byte offsets in a UTF-8 line (without its line break) where its second and later rows start
// when it wraps at `columns` (at least 1). A malformed byte counts as one character of one column.
std::vector<size_t> RowStarts(std::string_view utf8Line, int columns);

} // namespace qj
