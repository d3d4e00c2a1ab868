#pragma once
// Where a wrapped row of note text may end, for Chinese text mixed with Latin words and numbers.
//
// A row may end between any two Chinese (CJK) characters and between a CJK character and a Latin
// word; Latin words and numbers stay whole; a row never starts with closing punctuation (，。、；：
// ？！）》」』 and their half-width forms) nor ends with opening punctuation (（《「『 …). Breaks at
// blanks are the wrapping's own and are not listed here.

#include <string_view>
#include <vector>

namespace qj {

// True when a row may end after `before` and start with `after` (two characters side by side,
// neither a blank).
bool MayBreakBetween(char32_t before, char32_t after);

// Scintilla's word wrap ends a row only after a blank or where the style changes. The note text
// is drawn in two styles that look alike; this gives each byte of a UTF-8 line the style 0 or 1
// so that the style changes exactly where MayBreakBetween allows a row to end. A malformed byte
// counts as a character of its own that is not CJK.
std::vector<char> RowBreakStyles(std::string_view utf8Line);

} // namespace qj
