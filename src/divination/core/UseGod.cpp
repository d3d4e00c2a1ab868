#include "divination/core/UseGod.h"

#include "divination/core/Relatives.h"

#include <stdexcept>
#include <string>

namespace qj {
namespace {

int PalacePhase(const HexagramPlace& place) {
    return PhaseRankOf(TrigramOf(place.palace).phase);
}

// Phase of a relative in a palace: relative rank k is k − 1 steps along the generating order.
int PhaseOfRelative(int relative, int palacePhase) {
    return (palacePhase - 1 + relative - 1) % 5 + 1;
}

unsigned LinesOfPhase(const ChartAnalysis& a, int phase) {
    unsigned lines = 0;
    for (const LineReading& r : a.lines)
        if (r.phase == phase)
            lines |= 1u << (r.line - 1);
    return lines;
}

// The line of the palace's pure hexagram with the 用神's phase, under the primary line (飞神) at
// the same place.
HiddenUseGod FindHidden(const ChartAnalysis& a, int phase) {
    const int palace = a.primary.self.place.palace;
    const std::array<int, 6> pure = NajiaBranches(palace, palace);
    HiddenUseGod h;
    for (size_t i = 0; i < 6; ++i) {
        if (BranchPhaseRank(pure[i]) != phase)
            continue;
        h.line = static_cast<int>(i) + 1;
        h.branch = pure[i];
        h.flyingBranch = a.lines[i].branch;
        h.flyingToHidden = PhaseRelationOf(a.lines[i].phase, phase);
        break;
    }
    return h;
}

} // namespace

UseGodReading ReadUseGod(const ChartAnalysis& a, const UseGodRequest& request) {
    UseGodReading u;
    const int palacePhase = PalacePhase(a.primary.self.place);
    if (request.choice == UseGodChoice::Relative) {
        if (request.relative < 1 || request.relative > 5)
            throw std::out_of_range("relative rank " + std::to_string(request.relative) + " is outside 1..5");
        u.relative = request.relative;
    } else {
        const int shi = a.primary.shiLine;
        const int line = request.choice == UseGodChoice::Shi ? shi : YingLineOf(shi);
        u.relative = a.lines[static_cast<size_t>(line - 1)].relative;
    }
    const int phase = PhaseOfRelative(u.relative, palacePhase);
    if (request.choice == UseGodChoice::Relative) {
        u.lines = LinesOfPhase(a, phase);
    } else {
        const int shi = a.primary.shiLine;
        u.lines = 1u << ((request.choice == UseGodChoice::Shi ? shi : YingLineOf(shi)) - 1);
    }
    for (const LineReading& r : a.lines)
        if (r.change && r.change->relative == u.relative)
            u.changedLines |= 1u << (r.line - 1);
    u.inDay = BranchPhaseRank(a.day.dayBranch) == phase;
    u.inMonth = BranchPhaseRank(a.day.monthBranch) == phase;
    if (LinesOfPhase(a, phase) == 0)
        u.hidden = FindHidden(a, phase);
    // 主卦不现看变卦，变卦不现看日月，日月不现才取伏神.
    u.place = u.lines != 0           ? UseGodPlace::Line
              : u.changedLines != 0  ? UseGodPlace::ChangedLine
              : u.inDay || u.inMonth ? UseGodPlace::DayOrMonth
                                     : UseGodPlace::Hidden;
    const int source = GeneratorOf(phase);
    u.sourceLines = LinesOfPhase(a, source);
    u.enemyLines = LinesOfPhase(a, ControllerOf(phase));
    u.foeLines = LinesOfPhase(a, ControllerOf(source));
    return u;
}

} // namespace qj
