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
#include <utility>
#include <vector>

namespace qj {

// How far blanks may hang past a row's last column. The editor's wrap width leaves this room
// beyond the wrap column (see RowBreakStyler.h).
inline constexpr int kHangingColumns = 2;

// True when a row may end after `before` and the next start with `after`.
bool MayBreakBetween(char32_t before, char32_t after);
// ColumnsOf for characters past ASCII and the common ideographs.
int WideColumnsOf(char32_t c);
// Columns a character takes: 2 for CJK, full-width forms and the punctuation Chinese faces draw
// full width (“”‘’—…), 1 otherwise.
inline int ColumnsOf(char32_t c) {
    return c < 0x80 ? 1 : c >= 0x4E00 && c <= 0x9FFF ? 2 : WideColumnsOf(c);
}

// The character starting at byte `at` and its length in bytes (U+FFFD and 1 for a malformed byte).
inline std::pair<char32_t, size_t> DecodeUtf8At(std::string_view s, size_t at) {
    const auto b = static_cast<unsigned char>(s[at]);
    const size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > s.size())
        return {0xFFFD, 1};
    char32_t c = length == 1 ? b : b & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[at + i]);
        if ((next >> 6) != 0x2)
            return {0xFFFD, 1};
        c = (c << 6) | (next & 0x3F);
    }
    return {c, length};
}

// The byte offsets in a UTF-8 line (without its line break) where its second and later rows start
// when it wraps at `columns` (at least 1). A malformed byte counts as one character of one column.
std::vector<size_t> RowStarts(std::string_view utf8Line, int columns);

} // namespace qj
