#include "divination/core/ChartAnalysis.h"

#include "divination/core/Relatives.h"
#include "divination/core/UseGod.h"

#include <stdexcept>
#include <string>

namespace qj {
namespace {

constexpr int RowOfLine(int line) {
    return kChartRows - line;
}

int PalacePhase(const HexagramPlace& place) {
    return PhaseRankOf(TrigramOf(place.palace).phase);
}

// The trigram opposite in the Later-Heaven (后天) arrangement: 乾 巽, 坎 离, 艮 坤, 震 兑.
int LaterHeavenOpposite(int trigram) {
    constexpr std::array<int, 8> kOpposite{5, 4, 6, 2, 1, 3, 8, 7};
    return kOpposite.at(static_cast<size_t>(trigram - 1));
}

Recitation RecitationOf(const std::array<int, 6>& from, const std::array<int, 6>& to, int fromTrigram,
                        int toTrigram, int first) {
    Recitation r;
    if (fromTrigram == toTrigram)
        return r;
    bool same = true;
    bool clash = true;
    for (int i = first; i < first + 3; ++i) {
        same = same && from[i] == to[i];
        clash = clash && BranchesClash(from[i], to[i]);
    }
    r.fuYin = same;
    r.fanYinLines = clash;
    r.fanYinTrigram = LaterHeavenOpposite(fromTrigram) == toTrigram;
    return r;
}

void CheckDay(const ChartDay& day) {
    if (day.monthBranch < 1 || day.monthBranch > 12)
        throw std::out_of_range("month branch number " + std::to_string(day.monthBranch) +
                                " is outside 1..12");
}

DayRelation DayRelationOf(const LineReading& line, int dayBranch) {
    DayRelation d;
    d.phase = PhaseRelationOf(BranchPhaseRank(dayBranch), line.phase);
    d.same = line.branch == dayBranch;
    d.clash = BranchesClash(line.branch, dayBranch);
    d.combine = BranchesCombine(line.branch, dayBranch);
    if (d.clash && !IsMoving(line.state)) {
        // 旺相之爻，日辰冲之为暗动；休囚之爻，日辰冲之为日破. A line broken by the month is weak
        // whatever its season.
        const bool inSeason =
            (line.season == Season::Prosperous || line.season == Season::Strong) && !line.monthBroken;
        d.hiddenMove = inSeason;
        d.broken = !inSeason;
    }
    return d;
}

LineChange ChangeOf(const LineReading& line, int changedBranch, int relativePalacePhase, const ChartDay& day,
                    BranchSet voids) {
    LineChange c;
    c.branch = changedBranch;
    c.relative = RelativeRankFor(changedBranch, relativePalacePhase);
    c.advance = AdvanceOf(line.branch, changedBranch);
    c.back = PhaseRelationOf(BranchPhaseRank(changedBranch), line.phase);
    c.intoVoid = (voids & BranchBit(changedBranch)) != 0;
    c.intoBroken = BranchesClash(changedBranch, day.monthBranch);
    c.intoTomb = changedBranch == TombOf(line.phase);
    c.intoExtinct = changedBranch == ExtinctionOf(line.phase);
    return c;
}

// Frames whose three branches all stand among the moving lines, their changes, the day and the
// month. The day and the month bring two branches at most, so every frame found has a moving
// line or its change in it; static lines take no part.
void FindFrames(ChartAnalysis& a) {
    std::array<unsigned, 13> sources{};
    for (const LineReading& line : a.lines) {
        if (!line.change)
            continue;
        sources[static_cast<size_t>(line.branch)] |= 1u;
        sources[static_cast<size_t>(line.change->branch)] |= 2u;
    }
    sources[static_cast<size_t>(a.day.dayBranch)] |= 4u;
    sources[static_cast<size_t>(a.day.monthBranch)] |= 8u;
    for (int f = 1; f <= kFrameCount; ++f) {
        FrameFormed formed;
        formed.frame = f;
        bool complete = true;
        for (size_t i = 0; i < 3; ++i) {
            formed.sources[i] = sources[static_cast<size_t>(FrameOf(f).branches[i])];
            complete = complete && formed.sources[i] != 0;
        }
        if (complete)
            a.frames[static_cast<size_t>(a.frameCount++)] = formed;
    }
}

} // namespace

ChartDay ChartDayOf(const ChartState& chart) {
    return {chart.monthBranch, chart.dayStem, chart.dayBranch};
}

Season SeasonOf(int phase, int monthBranch) {
    switch (PhaseRelationOf(BranchPhaseRank(monthBranch), phase)) {
    case PhaseRelation::Same:
        return Season::Prosperous;
    case PhaseRelation::Generates:
        return Season::Strong;
    case PhaseRelation::GeneratedBy:
        return Season::Resting;
    case PhaseRelation::ControlledBy:
        return Season::Trapped;
    case PhaseRelation::Controls:
        break;
    }
    return Season::Dead;
}

ChartAnalysis AnalyseChart(const ChartState& chart, const ChartDay& day, const AnalysisOptions& options,
                           std::optional<UseGodRequest> useGod) {
    CheckDay(day);
    ChartAnalysis a;
    a.day = day;
    a.voids = VoidBranchesOf(day.dayStem, day.dayBranch);
    for (int s = 0; s < kShenshaCount; ++s)
        a.shensha[static_cast<size_t>(s)] =
            ShenshaBranches(static_cast<Shensha>(s), day.dayStem, day.dayBranch, day.monthBranch);

    LinePattern primaryLines = 0;
    LinePattern changedLines = 0;
    std::array<LineState, 6> states{};
    for (int line = 1; line <= kChartRows; ++line) {
        const LineState s = LineStateAt(chart, RowOfLine(line));
        states[static_cast<size_t>(line - 1)] = s;
        primaryLines |= (IsYangInPrimary(s) ? 1u : 0u) << (line - 1);
        changedLines |= (IsYangInChanged(s) ? 1u : 0u) << (line - 1);
        a.hasMoving = a.hasMoving || IsMoving(s);
    }
    a.primary = FactsOf(primaryLines, options.body);
    a.changed = FactsOf(changedLines, options.body);
    const HexagramOfLines& p = a.primary.self;
    const HexagramOfLines& c = a.changed.self;
    const std::array<int, 6> branches = NajiaBranches(p.upper, p.lower);
    const std::array<int, 6> changedBranches = NajiaBranches(c.upper, c.lower);
    a.recitation[0] = RecitationOf(branches, changedBranches, p.lower, c.lower, 0);
    a.recitation[1] = RecitationOf(branches, changedBranches, p.upper, c.upper, 3);

    const int palacePhase = PalacePhase(p.place);
    const int changedPalacePhase =
        options.changedPalace == ChangedPalace::Primary ? palacePhase : PalacePhase(c.place);
    for (size_t i = 0; i < 6; ++i) {
        LineReading& r = a.lines[i];
        r.line = static_cast<int>(i) + 1;
        r.state = states[i];
        r.branch = branches[i];
        r.phase = BranchPhaseRank(r.branch);
        r.relative = RelativeRankFor(r.branch, palacePhase);
        r.season = SeasonOf(r.phase, day.monthBranch);
        r.monthBroken = BranchesClash(r.branch, day.monthBranch);
        r.monthCombine = BranchesCombine(r.branch, day.monthBranch);
        r.onMonth = r.branch == day.monthBranch;
        r.day = DayRelationOf(r, day.dayBranch);
        r.isVoid = (a.voids & BranchBit(r.branch)) != 0;
        if (IsMoving(r.state))
            r.change = ChangeOf(r, changedBranches[i], changedPalacePhase, day, a.voids);
        for (int s = 0; s < kShenshaCount; ++s)
            if (a.shensha[static_cast<size_t>(s)] & BranchBit(r.branch))
                r.shensha |= 1u << s;
    }
    FindFrames(a);
    if (useGod)
        a.useGod = ReadUseGod(a, *useGod);
    return a;
}

} // namespace qj
