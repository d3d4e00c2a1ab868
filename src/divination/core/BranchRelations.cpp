#include "divination/core/BranchRelations.h"

#include "calendar/core/Sexagenary.h"
#include "divination/core/Trigrams.h"

#include <stdexcept>
#include <string>

namespace qj {
namespace {

constexpr int Wrap(int n, int m) {
    return ((n % m) + m) % m;
}

// Frames in the order of their phase in the 三合 verse: 申子辰合水, 亥卯未合木, 寅午戌合火,
// 巳酉丑合金; each listed as 长生, 帝旺, 墓.
constexpr std::array<Frame, kFrameCount> kFrames{{
    {{9, 1, 5}, 2},  // 申子辰 水
    {{12, 4, 8}, 3}, // 亥卯未 木
    {{3, 7, 11}, 4}, // 寅午戌 火
    {{6, 10, 2}, 1}, // 巳酉丑 金
}};

// By phase rank 金 水 木 火 土: 墓 and 绝 of the twelve stages; 土 follows 水 (水土同宫).
constexpr std::array<int, 5> kTomb{2, 5, 8, 11, 5};       // 丑 辰 未 戌 辰
constexpr std::array<int, 5> kExtinction{3, 6, 9, 12, 6}; // 寅 巳 申 亥 巳

void CheckBranch(int branch) {
    if (branch < 1 || branch > 12)
        throw std::out_of_range("branch number " + std::to_string(branch) + " is outside 1..12");
}

} // namespace

PhaseRelation PhaseRelationOf(int a, int b) {
    // Along the generating order each phase generates the next and controls the one after.
    switch (Wrap(b - a, 5)) {
    case 0:
        return PhaseRelation::Same;
    case 1:
        return PhaseRelation::Generates;
    case 2:
        return PhaseRelation::Controls;
    case 3:
        return PhaseRelation::ControlledBy;
    default:
        return PhaseRelation::GeneratedBy;
    }
}

int GeneratorOf(int phase) {
    return Wrap(phase - 2, 5) + 1;
}

int ControllerOf(int phase) {
    return Wrap(phase - 3, 5) + 1;
}

bool BranchesClash(int a, int b) {
    return Wrap(a - b, 12) == 6;
}

bool BranchesCombine(int a, int b) {
    // With 子 = 0: 子丑 sum to 1, every other pair to 13.
    return Wrap((a - 1) + (b - 1), 12) == 1;
}

int ClashOf(int branch) {
    return Wrap(branch + 5, 12) + 1;
}

const Frame& FrameOf(int frameNumber) {
    return kFrames.at(static_cast<size_t>(frameNumber - 1));
}

int FrameOfBranch(int branch) {
    CheckBranch(branch);
    // 申子辰 are 9 1 5: branches of one frame are four apart.
    constexpr std::array<int, 4> kByRemainder{1, 4, 3, 2}; // (branch − 1) mod 4 = 0 子辰申 …
    return kByRemainder[static_cast<size_t>((branch - 1) % 4)];
}

int TombOf(int phase) {
    return kTomb.at(static_cast<size_t>(phase - 1));
}

int ExtinctionOf(int phase) {
    return kExtinction.at(static_cast<size_t>(phase - 1));
}

Advance AdvanceOf(int from, int to) {
    if (from == to || BranchPhaseRank(from) != BranchPhaseRank(to))
        return Advance::None;
    // 土 branches 丑 辰 未 戌 lie three apart; the others advance to the next branch.
    const int step = BranchPhaseRank(from) == 5 ? 3 : 1;
    if (Wrap(to - from, 12) == step)
        return Advance::Forward;
    if (Wrap(from - to, 12) == step)
        return Advance::Backward;
    return Advance::None;
}

BranchSet VoidBranchesOf(int dayStem, int dayBranch) {
    if (dayStem < 1 || dayStem > 10)
        throw std::out_of_range("stem number " + std::to_string(dayStem) + " is outside 1..10");
    CheckBranch(dayBranch);
    if ((dayStem - dayBranch) % 2 != 0)
        throw std::invalid_argument("stem " + std::to_string(dayStem) + " and branch " +
                                    std::to_string(dayBranch) + " make no day pillar");
    // The sexagenary index i with i mod 10 = stem and i mod 12 = branch (0-based): 6s − 5b mod 60.
    const int index = Wrap(6 * (dayStem - 1) - 5 * (dayBranch - 1), 60);
    const std::array<int, 2> voids = VoidBranches(index);
    return static_cast<BranchSet>(BranchBit(voids[0] + 1) | BranchBit(voids[1] + 1));
}

} // namespace qj
