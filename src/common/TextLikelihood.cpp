#include "common/TextLikelihood.h"

#include "common/Gbk.h"

#include <array>

namespace qj {

namespace {

struct KindRange {
    char32_t first;
    char32_t last;
    CharKind kind;
};

// Kinds by Unicode block; a later row overrides an earlier one. The hanzi of GB2312 are marked
// afterwards from the GBK table itself.
constexpr KindRange kKindRanges[] = {
    {0x0000, 0x007F, CharKind::Ascii},
    {0x0080, 0x009F, CharKind::Odd}, // C1 controls
    {0x00C0, 0x024F, CharKind::Letter},
    {0x00D7, 0x00D7, CharKind::Symbol}, // ×
    {0x00F7, 0x00F7, CharKind::Symbol}, // ÷
    {0x0370, 0x03FF, CharKind::Letter}, // Greek
    {0x0400, 0x04FF, CharKind::Letter}, // Cyrillic
    {0x1E00, 0x1EFF, CharKind::Letter}, // Latin letters with marks (Vietnamese)
    {0x2000, 0x200F, CharKind::Odd},    // sized blanks, zero-width and direction marks
    {0x2010, 0x2027, CharKind::Punct},  // dashes, quotation marks, ellipsis
    {0x2028, 0x202F, CharKind::Odd},
    {0x2030, 0x203B, CharKind::Punct},    // per mille, primes, reference mark
    {0x3000, 0x303F, CharKind::Punct},    // ideographic space, 、。〈〉《》「」『』【】…
    {0x3040, 0x30FF, CharKind::Syllable}, // kana
    {0x3400, 0x4DBF, CharKind::OtherHan},
    {0x4E00, 0x9FFF, CharKind::OtherHan},
    {0xAC00, 0xD7A3, CharKind::Syllable}, // hangul
    {0xD800, 0xF8FF, CharKind::Odd},      // surrogates, private use
    {0xF900, 0xFAFF, CharKind::OtherHan},
    {0xFE30, 0xFE4F, CharKind::Punct}, // vertical forms of Chinese punctuation
    {0xFEFF, 0xFEFF, CharKind::Odd},   // a byte-order mark inside the text
    {0xFF01, 0xFF5E, CharKind::Punct}, // full-width forms
    {0xFFE0, 0xFFE6, CharKind::Punct},
    {0xFFF0, 0xFFFF, CharKind::Odd}, // specials, U+FFFD
    {0x20000, 0x3134F, CharKind::OtherHan},
    {0x31350, 0x10FFFF, CharKind::Odd}, // unassigned planes, tags, supplementary private use
};

// Cost of each kind, in the order of CharKind. Level-1 hanzi must cost less than any character
// of U+0080..U+07FF: those are what GBK's common hanzi turn into when their bytes are read as UTF-8.
constexpr int kKindCost[] = {
    0,  // Ascii
    1,  // Hanzi1
    1,  // Punct
    2,  // Hanzi2
    2,  // Syllable
    3,  // OtherHan
    4,  // Letter
    4,  // Symbol
    10, // Odd
};
constexpr int kUndecodableByteCost = 10;

using BmpKinds = std::array<CharKind, 0x10000>;

BmpKinds BuildBmpKinds() {
    BmpKinds kinds;
    kinds.fill(CharKind::Symbol);
    for (const KindRange& r : kKindRanges)
        for (char32_t cp = r.first; cp <= r.last && cp < 0x10000; ++cp)
            kinds[cp] = r.kind;
    // GB2312's hanzi are the double-byte codes B0A1..F7FE; rows B0..D7 are level 1.
    for (int lead = 0xB0; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            const char32_t cp =
                GbkPairCodePoint(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            if (cp != 0 && cp < 0x10000)
                kinds[cp] = lead <= 0xD7 ? CharKind::Hanzi1 : CharKind::Hanzi2;
        }
    }
    return kinds;
}

const BmpKinds& Kinds() {
    static const BmpKinds kinds = BuildBmpKinds();
    return kinds;
}

bool IsDigit(unsigned char b) {
    return b >= 0x30 && b <= 0x39;
}

} // namespace

CharKind KindOf(char32_t cp) {
    if (cp < 0x10000)
        return Kinds()[cp];
    CharKind kind = CharKind::Symbol;
    for (const KindRange& r : kKindRanges)
        if (cp >= r.first && cp <= r.last)
            kind = r.kind;
    return kind;
}

int CostOf(CharKind kind) {
    return kKindCost[static_cast<int>(kind)];
}

int UndecodableByteCost() {
    return kUndecodableByteCost;
}

ReadingCost Utf8ReadingCost(std::string_view bytes) {
    ReadingCost r;
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t from = pos;
        const char32_t cp = NextCodePoint(bytes, pos);
        if (cp == 0xFFFD && pos - from != 3) {
            r.valid = false;
            r.cost += kUndecodableByteCost;
            continue;
        }
        r.cost += CostOf(KindOf(cp));
    }
    return r;
}

ReadingCost GbkReadingCost(std::string_view bytes) {
    ReadingCost r;
    const auto at = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    for (size_t pos = 0; pos < bytes.size();) {
        const unsigned char lead = at(pos);
        if (lead < 0x80) {
            ++pos;
            continue; // ASCII costs nothing
        }
        if (pos + 1 < bytes.size()) {
            if (const char32_t cp = GbkPairCodePoint(lead, at(pos + 1))) {
                r.cost += CostOf(KindOf(cp));
                pos += 2;
                continue;
            }
            // GB18030's four-byte form: lead, digit, lead, digit.
            if (lead != 0x80 && lead != 0xFF && pos + 3 < bytes.size() && IsDigit(at(pos + 1)) &&
                at(pos + 2) >= 0x81 && at(pos + 2) <= 0xFE && IsDigit(at(pos + 3))) {
                r.cost += CostOf(CharKind::Symbol);
                pos += 4;
                continue;
            }
        }
        r.valid = false;
        r.cost += kUndecodableByteCost;
        ++pos;
    }
    return r;
}

} // namespace qj
