#include "store/AsciiFind.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace qj {

namespace {

constexpr bool IsAsciiLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// How often a byte of the needle is expected in note texts (lower is rarer): the byte the scan
// jumps to with memchr. UTF-8 lead bytes of Chinese characters are everywhere; a letter costs two
// scans (both cases) and is weighed by its frequency in English words.
constexpr std::array<int, 256> MakeByteCost() {
    std::array<int, 256> cost{};
    constexpr char kLettersByFrequency[] = "zqxjkvbpygfwmucldrhsnioate";
    for (int b = 0; b < 256; ++b) {
        if (b >= 0xC0)
            cost[b] = 1000; // lead byte of a multi-byte character
        else if (b >= 0x80)
            cost[b] = 40; // continuation byte: spread over 64 values
        else if (b == ' ' || b == '\r' || b == '\n')
            cost[b] = 500;
        else if (b >= '0' && b <= '9')
            cost[b] = 30;
        else
            cost[b] = 10; // punctuation
    }
    for (int i = 0; kLettersByFrequency[i]; ++i) {
        const int c = kLettersByFrequency[i];
        cost[c] = cost[c - 'a' + 'A'] = 20 + 12 * i;
    }
    return cost;
}
constexpr std::array<int, 256> kByteCost = MakeByteCost();

bool EqualsFolded(const unsigned char* text, const std::string& foldedNeedle) {
    for (size_t i = 0; i < foldedNeedle.size(); ++i)
        if (FoldAscii(text[i]) != static_cast<unsigned char>(foldedNeedle[i]))
            return false;
    return true;
}

// The next `byte` at or after `from`, or `end`.
const unsigned char* NextOf(const unsigned char* from, const unsigned char* end, unsigned char byte) {
    const void* p = std::memchr(from, byte, static_cast<size_t>(end - from));
    return p ? static_cast<const unsigned char*>(p) : end;
}

} // namespace

size_t FindIgnoringAsciiCase(std::string_view haystack, std::string_view needle) {
    constexpr size_t npos = std::string_view::npos;
    if (needle.empty())
        return 0;
    if (needle.size() > haystack.size())
        return npos;
    bool hasLetter = false;
    size_t anchor = 0;
    for (size_t i = 0; i < needle.size(); ++i) {
        const auto c = static_cast<unsigned char>(needle[i]);
        hasLetter = hasLetter || IsAsciiLetter(c);
        if (kByteCost[c] < kByteCost[static_cast<unsigned char>(needle[anchor])])
            anchor = i;
    }
    if (!hasLetter) {
        const void* at = memmem(haystack.data(), haystack.size(), needle.data(), needle.size());
        return at ? static_cast<size_t>(static_cast<const char*>(at) - haystack.data()) : npos;
    }

    std::string folded(needle);
    for (char& c : folded)
        c = static_cast<char>(FoldAscii(static_cast<unsigned char>(c)));
    const auto* begin = reinterpret_cast<const unsigned char*>(haystack.data());
    // Candidates for the anchor byte lie in [first, last).
    const unsigned char* first = begin + anchor;
    const unsigned char* last = begin + (haystack.size() - needle.size()) + anchor + 1;
    const auto lower = static_cast<unsigned char>(folded[anchor]);
    if (!IsAsciiLetter(lower)) {
        for (const unsigned char* p = NextOf(first, last, lower); p < last; p = NextOf(p + 1, last, lower))
            if (EqualsFolded(p - anchor, folded))
                return static_cast<size_t>(p - anchor - begin);
        return npos;
    }
    const auto upper = static_cast<unsigned char>(lower - ('a' - 'A'));
    const unsigned char* nextLower = NextOf(first, last, lower);
    const unsigned char* nextUpper = NextOf(first, last, upper);
    while (nextLower < last || nextUpper < last) {
        const unsigned char* p;
        if (nextLower < nextUpper) {
            p = nextLower;
            nextLower = NextOf(p + 1, last, lower);
        } else {
            p = nextUpper;
            nextUpper = NextOf(p + 1, last, upper);
        }
        if (EqualsFolded(p - anchor, folded))
            return static_cast<size_t>(p - anchor - begin);
    }
    return npos;
}

bool Matches(const TextMatch& match, std::string_view text) {
    if (!match.anchors.empty() &&
        std::none_of(match.anchors.begin(), match.anchors.end(), [&](const std::string& anchor) {
            return FindIgnoringAsciiCase(text, anchor) != std::string_view::npos;
        }))
        return false;
    return !match.verify || match.verify(text);
}

} // namespace qj
