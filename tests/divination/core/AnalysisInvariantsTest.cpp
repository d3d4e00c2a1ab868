// Invariants that hold whatever the school, checked over every set of six line states (4,096),
// every day pillar (60) and every month branch (12).

#include "AnalysisFixture.h"

#include "divination/core/DayStars.h"
#include "divination/core/Relatives.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>

namespace qj {
namespace {

// Counts failures without a gtest assertion per check (millions of them), and describes the first
// with the case it was met in.
struct Failures {
    int count = 0;
    std::string first;
    int set = 0;
    ChartDay day;
    int relative = 0;
    void check(bool ok, const char* what) {
        if (ok || count++ > 0)
            return;
        first = std::string(what) + " (line states " + std::to_string(set) + ", month " +
                std::to_string(day.monthBranch) + ", day " + std::to_string(day.dayStem) + "/" +
                std::to_string(day.dayBranch) + ", 用神 " + std::to_string(relative) + ")";
    }
};

// The trigram of three lines given bottom first, found through its code (top line first).
int TrigramOfLines(bool bottom, bool middle, bool top) {
    std::string code{top ? '1' : '0', middle ? '1' : '0', bottom ? '1' : '0'};
    return TrigramOfCode(code);
}

// The 互卦, 错卦 and 综卦 of a pattern, checked against the rule read off the line column.
void CheckRelatedHexagrams(Failures& f, const ChartState& chart, const HexagramFacts& h) {
    std::array<bool, 7> yang{}; // by line number 1..6
    for (int line = 1; line <= 6; ++line)
        yang[line] = IsYangInPrimary(LineStateAt(chart, kChartRows - line));
    f.check(h.mutual.lower == TrigramOfLines(yang[2], yang[3], yang[4]), "互卦 lower from lines 2-4");
    f.check(h.mutual.upper == TrigramOfLines(yang[3], yang[4], yang[5]), "互卦 upper from lines 3-5");
    f.check(h.self.upper == chart.upper && h.self.lower == chart.lower, "hexagram of the lines");
    f.check(FactsOf(h.opposite.lines).opposite == h.self, "错 of 错");
    f.check(FactsOf(h.reversed.lines).reversed == h.self, "综 of 综");
    for (int line = 1; line <= 6; ++line) {
        f.check(((h.opposite.lines >> (line - 1)) & 1u) != static_cast<unsigned>(yang[line]), "错 turns");
        f.check(((h.reversed.lines >> (6 - line)) & 1u) == static_cast<unsigned>(yang[line]), "综 reverses");
    }
    f.check(h.shiLine == ShiLineOf(h.self.place.position), "世 line");
}

// 原神 generates the 用神's phase, 忌神 controls it, 仇神 controls the 原神; every line of the
// phase is marked and no other. A missing relative hides once, under the line of its pure line.
void CheckUseGod(Failures& f, const ChartState& chart) {
    for (int relative = 1; relative <= 5; ++relative) {
        const ChartAnalysis a =
            AnalyseChart(chart, {Yin, Jia, Zi}, {}, UseGodRequest{UseGodChoice::Relative, relative});
        const UseGodReading& u = *a.useGod;
        f.relative = relative;
        int phase = 0;
        for (const LineReading& r : a.lines) {
            const bool isUseGod = r.relative == relative;
            f.check(isUseGod == ((u.lines >> (r.line - 1)) & 1u), "用神 lines");
            if (isUseGod)
                phase = r.phase;
        }
        if (u.hidden) {
            f.check(u.lines == 0, "伏神 only when missing");
            f.check(RelativeRankFor(u.hidden->branch,
                                    PhaseRankOf(TrigramOf(a.primary.self.place.palace).phase)) == relative,
                    "伏神 relative");
            f.check(chart.hiddenNajia[static_cast<size_t>(kChartRows - u.hidden->line)] != kNoHiddenNajia,
                    "伏神 where the chart shows one");
            phase = BranchPhaseRank(u.hidden->branch);
            // A missing relative stands once in the pure hexagram (the twice-standing 土 one never
            // goes missing): there is one place to hide.
            const int palace = a.primary.self.place.palace;
            int inPure = 0;
            for (int branch : NajiaBranches(palace, palace))
                inPure += BranchPhaseRank(branch) == phase ? 1 : 0;
            f.check(inPure == 1, "a missing relative stands once in the pure hexagram");
        } else {
            f.check(u.lines != 0, "missing 用神 has a 伏神");
        }
        for (const LineReading& r : a.lines) {
            const unsigned bit = 1u << (r.line - 1);
            const PhaseRelation toUseGod = PhaseRelationOf(r.phase, phase);
            f.check(((u.sourceLines & bit) != 0) == (toUseGod == PhaseRelation::Generates), "原神");
            f.check(((u.enemyLines & bit) != 0) == (toUseGod == PhaseRelation::Controls), "忌神");
            const bool foe = PhaseRelationOf(r.phase, GeneratorOf(phase)) == PhaseRelation::Controls;
            f.check(((u.foeLines & bit) != 0) == foe, "仇神");
        }
    }
}

void CheckLine(Failures& f, const ChartAnalysis& a, const LineReading& r) {
    const int month = a.day.monthBranch;
    const bool prosperous = r.phase == BranchPhaseRank(month);
    f.check((r.season == Season::Prosperous) == prosperous, "旺 by the month's phase");
    f.check(static_cast<int>(r.season) >= 0 && static_cast<int>(r.season) < 5, "one season");
    f.check(r.monthBroken == ((r.branch + 6 - 1) % 12 + 1 == month), "月破");
    f.check(!(r.day.broken && r.day.hiddenMove), "日破 and 暗动 exclude each other");
    f.check((r.day.broken || r.day.hiddenMove) == (r.day.clash && !IsMoving(r.state)),
            "日破 or 暗动 exactly for a static line clashed by the day");
    f.check(r.isVoid == ((a.voids & BranchBit(r.branch)) != 0), "旬空");
    f.check(r.change.has_value() == IsMoving(r.state), "change only for moving lines");
    if (r.change)
        f.check(r.change->intoVoid == ((a.voids & BranchBit(r.change->branch)) != 0), "化空");
    for (int s = 0; s < kShenshaCount; ++s) {
        const bool carries = (a.shensha[static_cast<size_t>(s)] & BranchBit(r.branch)) != 0;
        f.check(carries == (((r.shensha >> s) & 1u) != 0), "神煞 on its branches only");
    }
}

// The stars the day's shensha line names (驿马, 桃花, 贵人, 禄, 羊刃) are the table's; every star has
// one branch (贵人 two); the void holds two branches.
void CheckDay(Failures& f, const ChartAnalysis& a) {
    const ChartDay& d = a.day;
    f.check(std::popcount(a.voids) == 2, "two void branches");
    for (int s = 0; s < kShenshaCount; ++s)
        f.check(std::popcount(a.shensha[static_cast<size_t>(s)]) ==
                    (s == static_cast<int>(Shensha::Noble) ? 2 : 1),
                "branches of a star");
    const std::string line = ShenshaText(d.dayStem, d.dayBranch);
    const auto named = [&](Shensha s) {
        std::string branches;
        for (int b = 1; b <= 12; ++b)
            if (a.shensha[static_cast<size_t>(s)] & BranchBit(b))
                branches += BranchName(b);
        return branches;
    };
    f.check(line.find("驿马[" + named(Shensha::Horse) + "]") != std::string::npos,
            "驿马 as the shensha line");
    f.check(line.find("桃花[" + named(Shensha::Peach) + "]") != std::string::npos,
            "桃花 as the shensha line");
    f.check(line.find("禄[" + named(Shensha::Salary) + "]") != std::string::npos, "禄 as the shensha line");
    f.check(line.find("羊刃[" + named(Shensha::Blade) + "]") != std::string::npos,
            "羊刃 as the shensha line");
    for (int b = 1; b <= 12; ++b)
        if (a.shensha[static_cast<size_t>(Shensha::Noble)] & BranchBit(b))
            f.check(line.find(b == Wu ? "马" : BranchName(b)) != std::string::npos,
                    "贵人 as the shensha line");
    for (int i = 0; i < a.frameCount; ++i)
        for (unsigned from : a.frames[static_cast<size_t>(i)].sources)
            f.check(from != 0, "every branch of a frame present");
}

TEST(AnalysisInvariants, EveryLineStateSetDayAndMonth) {
    Failures f;
    for (int set = 0; set < 4096; ++set) {
        std::string states(6, '0');
        for (int row = 0; row < kChartRows; ++row)
            states[static_cast<size_t>(row)] = static_cast<char>('0' + ((set >> (2 * row)) & 3));
        const ChartState chart = ChartOfLines(states);
        f.set = set;
        f.day = {Yin, Jia, Zi};
        CheckRelatedHexagrams(f, chart, FactsOf(PatternOf(chart.upper, chart.lower)));
        CheckUseGod(f, chart);
        f.relative = 0;
        for (int pillar = 0; pillar < 60; ++pillar) {
            for (int month = 1; month <= 12; ++month) {
                const ChartDay day{month, pillar % 10 + 1, pillar % 12 + 1};
                const ChartAnalysis a = AnalyseChart(chart, day);
                f.day = day;
                // The day's facts depend on the day alone: checked with the first line state set.
                if (set == 0)
                    CheckDay(f, a);
                for (const LineReading& r : a.lines)
                    CheckLine(f, a, r);
            }
        }
    }
    EXPECT_EQ(f.count, 0) << "first: " << f.first;
}

} // namespace
} // namespace qj
