#include "editor/RowBreaks.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace qj {
namespace {

using Range = std::pair<char32_t, char32_t>;

// Scripts written without blanks between words: a row may end beside any of their characters.
constexpr std::array<Range, 10> kCjk{{
    {0x2E80, 0x303F},   // radicals, Kangxi radicals, ideographic description, CJK punctuation
    {0x3040, 0x31FF},   // kana, bopomofo, Hangul compatibility jamo, kanbun, strokes
    {0x3200, 0x4DBF},   // enclosed letters, compatibility, extension A
    {0x4E00, 0x9FFF},   // unified ideographs
    {0xA960, 0xA97F},   // Hangul jamo extended A
    {0xAC00, 0xD7AF},   // Hangul syllables
    {0xF900, 0xFAFF},   // compatibility ideographs
    {0xFE30, 0xFE4F},   // compatibility forms (vertical punctuation)
    {0xFF00, 0xFFEF},   // half-width and full-width forms
    {0x20000, 0x3FFFF}, // supplementary ideographic planes
}};

// Characters two columns wide.
constexpr std::array<Range, 12> kWide{{
    {0x1100, 0x115F},   // Hangul initial jamo
    {0x2014, 0x2026},   // dashes, curly quotes and the ellipsis: full width in Chinese faces
    {0x2E80, 0x303E},   // CJK radicals and punctuation
    {0x3041, 0x33FF},   // kana, bopomofo, enclosed and compatibility
    {0x3400, 0x4DBF},   // extension A
    {0x4E00, 0x9FFF},   // unified ideographs
    {0xA000, 0xA4CF},   // Yi
    {0xAC00, 0xD7A3},   // Hangul syllables
    {0xF900, 0xFAFF},   // compatibility ideographs
    {0xFE30, 0xFE4F},   // compatibility forms
    {0xFF00, 0xFF60},   // full-width forms
    {0x20000, 0x3FFFD}, // supplementary ideographic planes
}};

// Punctuation that never starts a row: the full-width forms and their half-width forms.
constexpr std::u32string_view kClosing = U"，。、；：？！）》」』．〉】〕］｝”’,.;:?!)]}｡､｣";
// Punctuation that never ends a row.
constexpr std::u32string_view kOpening = U"（《「『〈【〔［｛“‘([{｢";

bool In(const auto& ranges, char32_t c) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [c](const Range& r) { return c >= r.first && c <= r.second; });
}

// What the rules need to know of a character. ASCII and the common ideographs, nearly every
// character of a note, are told apart without the tables.
struct Kind {
    bool blank = false;
    bool cjk = false;
    bool wide = false;
    bool closing = false;
    bool opening = false;
};

Kind KindOf(char32_t c) {
    Kind k;
    if (c < 0x80) {
        k.blank = c == U' ' || c == U'\t';
        k.closing = c == U',' || c == U'.' || c == U';' || c == U':' || c == U'?' || c == U'!' || c == U')' ||
                    c == U']' || c == U'}';
        k.opening = c == U'(' || c == U'[' || c == U'{';
        return k;
    }
    if (c >= 0x4E00 && c <= 0x9FFF) {
        k.cjk = k.wide = true;
        return k;
    }
    k.cjk = In(kCjk, c);
    k.wide = In(kWide, c);
    k.closing = kClosing.find(c) != std::u32string_view::npos;
    k.opening = kOpening.find(c) != std::u32string_view::npos;
    return k;
}

bool MayBreak(const Kind& before, const Kind& after) {
    if (after.blank)
        return false; // blanks stay at the end of the row they follow
    if (before.blank)
        return true;
    if (!before.cjk && !after.cjk)
        return false; // inside a Latin word or number
    return !after.closing && !before.opening;
}

} // namespace

bool MayBreakBetween(char32_t before, char32_t after) {
    return MayBreak(KindOf(before), KindOf(after));
}

int WideColumnsOf(char32_t c) {
    return KindOf(c).wide ? 2 : 1;
}

// Greedy: characters go on the row until one that is not a blank would pass the last column; the
// row then ends at the last place it may end, or, when it may end nowhere, right there. Blanks
// that pass the last column hang on the row, unless the character after them would end more than
// kHangingColumns past it: then the row ends at its last column and the other blanks begin the
// next row.
std::vector<size_t> RowStarts(std::string_view line, int columns) {
    columns = std::max(columns, 1);
    std::vector<size_t> starts;
    size_t rowStart = 0;
    size_t lastBreak = 0;   // where the row may end last (rowStart: nowhere yet)
    size_t hangingFrom = 0; // the first blank past the last column (rowStart: none)
    int used = 0;
    Kind previous;
    previous.blank = true;
    for (size_t at = 0; at < line.size();) {
        const auto [c, length] = DecodeUtf8At(line, at);
        const Kind kind = KindOf(c);
        if (at > rowStart && MayBreak(previous, kind))
            lastBreak = at;
        const int width = kind.wide ? 2 : 1;
        if (kind.blank && used + width > columns && hangingFrom == rowStart)
            hangingFrom = at;
        // Twice at most: a word moved to the new row may fill it, and then the row ends here.
        while (at > rowStart && used + width > columns && !kind.blank) {
            size_t start = lastBreak > rowStart ? lastBreak : at;
            if (start == at && hangingFrom > rowStart && used + width > columns + kHangingColumns)
                start = hangingFrom;
            starts.push_back(start);
            rowStart = start;
            lastBreak = rowStart;
            hangingFrom = rowStart;
            used = 0;
            for (size_t p = start; p < at;) { // what moved to the new row
                const auto [moved, movedLength] = DecodeUtf8At(line, p);
                used += ColumnsOf(moved);
                p += movedLength;
            }
        }
        used += width;
        previous = kind;
        at += length;
    }
    return starts;
}

} // namespace qj
