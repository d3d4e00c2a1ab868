#pragma once
// How likely a byte string is to be text a Chinese-speaking user wrote, read once as UTF-8 and once
// as GBK. Each reading is scored by the characters it gives: ASCII costs nothing, the common hanzi
// (level 1 of GB2312) and Chinese punctuation cost least, rarer hanzi, kana and Latin letters more,
// controls, private-use characters and undecodable bytes most. A lower cost is the likelier reading.
// The same measure scores both readings, so the two costs can be compared directly.

#include <cstdint>
#include <string_view>

namespace qj {

enum class CharKind : std::uint8_t {
    Ascii,    // U+0000..U+007F
    Hanzi1,   // level-1 hanzi of GB2312 (the 3,755 common ones)
    Punct,    // Chinese and general punctuation, full-width forms
    Hanzi2,   // level-2 hanzi of GB2312
    Syllable, // kana, hangul
    OtherHan, // any other hanzi (traditional and rare forms)
    Letter,   // Latin letters beyond ASCII, Greek, Cyrillic
    Symbol,   // every other character
    Odd,      // controls, private use, specials (U+FFFD), surrogates: rarely in a text file
};

CharKind KindOf(char32_t codePoint);
int CostOf(CharKind kind);
// The cost of one byte that the reading cannot decode.
int UndecodableByteCost();

struct ReadingCost {
    long long cost = 0;
    bool valid = true; // every byte decoded
};

// The bytes read as UTF-8 (strict: no overlongs, surrogates or code points beyond U+10FFFF).
ReadingCost Utf8ReadingCost(std::string_view bytes);
// The bytes read as GBK, with GB18030's four-byte sequences accepted as rare characters.
ReadingCost GbkReadingCost(std::string_view bytes);

} // namespace qj
