#pragma once
// Facts of one hexagram read from its six lines: its place in the palace table, its 互卦, 错卦 and
// 综卦, whether it is a 六冲卦 or 六合卦, its 世 line and its 卦身. Lines are given as a six-bit
// pattern: bit n − 1 is line n (1 = bottom), set for a yang line.

#include "divination/core/BranchRelations.h"
#include "divination/core/Hexagrams.h"

namespace qj {

using LinePattern = unsigned; // 0..63

struct HexagramOfLines {
    LinePattern lines = 0;
    int upper = 0; // trigram numbers 1..8
    int lower = 0;
    HexagramPlace place;
    friend bool operator==(const HexagramOfLines&, const HexagramOfLines&) = default;
};

enum class Harmony {
    None,
    Clash,   // 六冲卦: every inner line clashes the outer line three above it
    Combine, // 六合卦: every inner line combines with the outer line three above it
};

// How the 卦身 is found; the schools differ.
enum class BodyRule {
    Month, // 月卦身: 阴世则从午月起，阳世还从子月生，自初爻数至世爻 (the branch so reached)
    Shi, // 世身 (卜筮全书·安身决): 子午持世身居初，丑未持世身居二，寅申持世身居三，
         // 卯酉持世身居四，辰戌持世身居五，巳亥持世身居六 (the line so named)
};

struct HexagramFacts {
    HexagramOfLines self;
    HexagramOfLines mutual;   // 互卦: lower trigram from lines 2–4, upper from lines 3–5
    HexagramOfLines opposite; // 错卦: every line turned
    HexagramOfLines reversed; // 综卦: line order reversed (line 1 ↔ line 6)
    Harmony harmony = Harmony::None;
    int shiLine = 0;        // 1..6
    int bodyBranch = 0;     // 卦身: the 月卦身's branch, or the branch of the 世身's line; 1..12
    unsigned bodyLines = 0; // bit n − 1: line n carries the 卦身 branch (0: 卦身不上卦)
};

HexagramOfLines HexagramOfPattern(LinePattern lines);
// The six-bit pattern of a hexagram given by its trigram numbers.
LinePattern PatternOf(int upper, int lower);
LinePattern MutualOf(LinePattern lines);
LinePattern OppositeOf(LinePattern lines);
LinePattern ReversedOf(LinePattern lines);

// Branch numbers of the six lines (index 0 = line 1) of the hexagram's najia.
std::array<int, 6> NajiaBranches(int upper, int lower);

// 卦身 by the rule 阴世则从午月起，阳世还从子月生: counting from line 1 up to the 世 line,
// starting at 午 when the 世 line is yin and at 子 when it is yang.
int BodyBranchOf(LinePattern lines, int shiLine);

// The line of the 世身 for the 世 line's branch `shiBranch` (1..12): 1..6.
int ShiBodyLine(int shiBranch);

HexagramFacts FactsOf(LinePattern lines, BodyRule body = BodyRule::Month);

} // namespace qj
