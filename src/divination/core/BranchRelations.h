#pragma once
// The relations between branches and between phases that a chart's reading rests on: the
// generating and controlling cycles of the five phases, the six clashes (六冲) and six
// combinations (六合) of branches, the four three-branch frames (三合局), the tomb (墓) and
// extinction (绝) branch of a phase, advancing and retreating changes (进神/退神) and the void
// branches (旬空) of a day pillar. Branch numbers 1..12 (子..亥), stem numbers 1..10 (甲..癸),
// phase ranks 1..5 in the generating order 金 水 木 火 土.

#include <array>
#include <cstdint>

namespace qj {

// A set of branches: bit n − 1 stands for branch number n.
using BranchSet = std::uint16_t;
constexpr BranchSet BranchBit(int branchNumber) {
    return static_cast<BranchSet>(1u << (branchNumber - 1));
}

// How phase `a` stands to phase `b`, seen from `a`.
enum class PhaseRelation {
    Same,         // 比和
    Generates,    // a 生 b
    GeneratedBy,  // b 生 a
    Controls,     // a 克 b
    ControlledBy, // b 克 a
};
PhaseRelation PhaseRelationOf(int phaseA, int phaseB);
// The phase that generates `phase` (土 for 金) and the one that controls it (火 for 金).
int GeneratorOf(int phase);
int ControllerOf(int phase);

// 子午 丑未 寅申 卯酉 辰戌 巳亥 clash; 子丑 寅亥 卯戌 辰酉 巳申 午未 combine.
bool BranchesClash(int a, int b);
bool BranchesCombine(int a, int b);
// The branch that clashes `branch` (午 for 子).
int ClashOf(int branch);

// The four frames, numbered 1..4: 申子辰 水, 亥卯未 木, 寅午戌 火, 巳酉丑 金.
inline constexpr int kFrameCount = 4;
struct Frame {
    std::array<int, 3> branches; // growth (长生), peak (帝旺), tomb (墓) branch
    int phase;
};
const Frame& FrameOf(int frameNumber);
// The frame a branch belongs to, 1..4.
int FrameOfBranch(int branch);

// Tomb and extinction branch of a phase (金 丑 寅, 水 辰 巳, 木 未 申, 火 戌 亥, 土 as 水).
int TombOf(int phase);
int ExtinctionOf(int phase);

// A change within one phase one step forward (亥→子, 寅→卯, 巳→午, 申→酉, 丑→辰, 辰→未, 未→戌,
// 戌→丑) advances; the reverse retreats.
enum class Advance { None, Forward, Backward };
Advance AdvanceOf(int fromBranch, int toBranch);

// The two void branches of the ten-day decade of a day pillar. Throws std::invalid_argument for a
// stem and branch that make no pillar (one odd, one even) and std::out_of_range outside 1..10 or
// 1..12.
BranchSet VoidBranchesOf(int dayStem, int dayBranch);

} // namespace qj
