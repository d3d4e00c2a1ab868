#include "divination/core/HexagramFacts.h"

#include "divination/core/Trigrams.h"

#include <array>

namespace qj {
namespace {

// Trigram code "abc" (top line first) as three bits, bit 0 = the trigram's bottom line.
unsigned TrigramBits(int trigram) {
    const std::string_view code = TrigramOf(trigram).code;
    return (code[2] == '1' ? 1u : 0u) | (code[1] == '1' ? 2u : 0u) | (code[0] == '1' ? 4u : 0u);
}

int TrigramOfBits(unsigned bits) {
    static const std::array<int, 8> kByBits = [] {
        std::array<int, 8> t{};
        for (int n = 1; n <= kTrigramCount; ++n)
            t[TrigramBits(n)] = n;
        return t;
    }();
    return kByBits[bits & 7u];
}

// Najia branch numbers by trigram (1..8) and place: [trigram − 1][0..2] inner lines 1..3,
// [3..5] outer lines 4..6, read once from the najia table.
const std::array<std::array<int, 6>, 8>& NajiaBranchTable() {
    static const std::array<std::array<int, 6>, 8> kTable = [] {
        std::array<std::array<int, 6>, 8> t{};
        for (int n = 1; n <= kTrigramCount; ++n) {
            const auto inner = NajiaOf(n, TrigramPlace::Inner);
            const auto outer = NajiaOf(n, TrigramPlace::Outer);
            for (size_t i = 0; i < 3; ++i) {
                t[n - 1][i] = BranchNumberOf(CharacterAt(inner[i], 1));
                t[n - 1][i + 3] = BranchNumberOf(CharacterAt(outer[i], 1));
            }
        }
        return t;
    }();
    return kTable;
}

Harmony HarmonyOf(const std::array<int, 6>& branches) {
    bool clash = true;
    bool combine = true;
    for (int i = 0; i < 3; ++i) {
        clash = clash && BranchesClash(branches[i], branches[i + 3]);
        combine = combine && BranchesCombine(branches[i], branches[i + 3]);
    }
    return clash ? Harmony::Clash : combine ? Harmony::Combine : Harmony::None;
}

} // namespace

LinePattern PatternOf(int upper, int lower) {
    return TrigramBits(lower) | (TrigramBits(upper) << 3);
}

HexagramOfLines HexagramOfPattern(LinePattern lines) {
    HexagramOfLines h;
    h.lines = lines & 63u;
    h.lower = TrigramOfBits(h.lines);
    h.upper = TrigramOfBits(h.lines >> 3);
    h.place = FindHexagram(h.upper, h.lower);
    return h;
}

LinePattern MutualOf(LinePattern lines) {
    // Lines 2, 3, 4 (bits 1..3) become the lower trigram, lines 3, 4, 5 (bits 2..4) the upper.
    return ((lines >> 1) & 7u) | (((lines >> 2) & 7u) << 3);
}

LinePattern OppositeOf(LinePattern lines) {
    return ~lines & 63u;
}

LinePattern ReversedOf(LinePattern lines) {
    LinePattern r = 0;
    for (int i = 0; i < 6; ++i)
        if (lines & (1u << i))
            r |= 1u << (5 - i);
    return r;
}

std::array<int, 6> NajiaBranches(int upper, int lower) {
    const auto& table = NajiaBranchTable();
    const auto& in = table.at(static_cast<size_t>(lower - 1));
    const auto& out = table.at(static_cast<size_t>(upper - 1));
    return {in[0], in[1], in[2], out[3], out[4], out[5]};
}

int BodyBranchOf(LinePattern lines, int shiLine) {
    const bool yang = (lines >> (shiLine - 1)) & 1u;
    const int first = yang ? 1 : 7; // 子 or 午 on line 1
    return (first - 1 + shiLine - 1) % 12 + 1;
}

int ShiBodyLine(int shiBranch) {
    return (shiBranch - 1) % 6 + 1; // 子 and 午 on line 1, … 巳 and 亥 on line 6
}

HexagramFacts FactsOf(LinePattern lines, BodyRule body) {
    HexagramFacts f;
    f.self = HexagramOfPattern(lines);
    f.mutual = HexagramOfPattern(MutualOf(f.self.lines));
    f.opposite = HexagramOfPattern(OppositeOf(f.self.lines));
    f.reversed = HexagramOfPattern(ReversedOf(f.self.lines));
    const std::array<int, 6> branches = NajiaBranches(f.self.upper, f.self.lower);
    f.harmony = HarmonyOf(branches);
    f.shiLine = ShiLineOf(f.self.place.position);
    if (body == BodyRule::Shi) {
        const int line = ShiBodyLine(branches[static_cast<size_t>(f.shiLine - 1)]);
        f.bodyBranch = branches[static_cast<size_t>(line - 1)];
        f.bodyLines = 1u << (line - 1);
        return f;
    }
    f.bodyBranch = BodyBranchOf(f.self.lines, f.shiLine);
    for (int i = 0; i < 6; ++i)
        if (branches[i] == f.bodyBranch)
            f.bodyLines |= 1u << i;
    return f;
}

} // namespace qj
