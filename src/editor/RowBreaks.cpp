#include "editor/RowBreaks.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qj {
namespace {

// Scripts written without blanks between words: a row may end beside any of their characters.
constexpr std::array<std::pair<char32_t, char32_t>, 10> kCjkRanges{{
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

// Punctuation that never starts a row: the full-width forms and their half-width forms.
constexpr std::u32string_view kClosing = U"，。、；：？！）》」』．〉】〕］｝”’,.;:?!)]}｡､｣";
// Punctuation that never ends a row.
constexpr std::u32string_view kOpening = U"（《「『〈【〔［｛“‘([{｢";

bool IsCjk(char32_t c) {
    return std::any_of(kCjkRanges.begin(), kCjkRanges.end(),
                       [c](const auto& range) { return c >= range.first && c <= range.second; });
}

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

// The character starting at `at` and its length in bytes (1 for a malformed byte).
std::pair<char32_t, size_t> Decode(std::string_view s, size_t at) {
    const auto b = static_cast<unsigned char>(s[at]);
    size_t length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
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

} // namespace

bool MayBreakBetween(char32_t before, char32_t after) {
    if (IsBlank(before) || IsBlank(after))
        return false;
    if (!IsCjk(before) && !IsCjk(after))
        return false; // inside a Latin word or number
    return kClosing.find(after) == std::u32string_view::npos &&
           kOpening.find(before) == std::u32string_view::npos;
}

std::vector<char> RowBreakStyles(std::string_view utf8Line) {
    std::vector<char> styles(utf8Line.size());
    char style = 0;
    char32_t previous = U' ';
    for (size_t at = 0; at < utf8Line.size();) {
        const auto [c, length] = Decode(utf8Line, at);
        if (MayBreakBetween(previous, c))
            style ^= 1;
        std::fill_n(styles.begin() + static_cast<std::ptrdiff_t>(at), length, style);
        previous = c;
        at += length;
    }
    return styles;
}

} // namespace qj
