#pragma once
// The sixty-four hexagrams in palace order: eight palaces in trigram order, eight hexagrams each
// (pure hexagram, five generations, 游魂, 归魂), their names, descriptions, labels and hints, and
// the 世/应 rule.

#include <string>
#include <string_view>

namespace qj {

inline constexpr int kHexagramCount = 64;

struct HexagramPlace {
    int index = 0;    // 1..64, row of the palace-ordered table
    int palace = 0;   // 1..8, trigram number of the palace
    int position = 0; // 1..8 within the palace: 1 pure, 2..6 generations, 7 游魂, 8 归魂
    friend bool operator==(const HexagramPlace&, const HexagramPlace&) = default;
};

// The hexagram whose upper and lower trigrams are the given trigram numbers (1..8 each).
HexagramPlace FindHexagram(int upper, int lower);

// Name of a hexagram as the chart label shows it ("雷地予" for the 震 palace's second).
std::string_view HexagramName(int index);
// "[六冲卦]乾为天：乾者，健也，……" — optional mark, name, full-width colon, gloss.
const std::string& HexagramDescription(int index);

// "天风姤 [乾宫卦属金]", with " 游魂" or " 归魂" at palace positions 7 and 8.
std::string HexagramLabel(int upper, int lower);
// The palace trigram's direction, family and verse texts, CR LF, the hexagram's description.
std::string HexagramHint(int upper, int lower);

// Line (1..6, counted from the bottom) that holds 世 at a palace position, and the 应 line
// three lines away from a 世 line.
int ShiLineOf(int palacePosition);
int YingLineOf(int shiLine);

} // namespace qj
