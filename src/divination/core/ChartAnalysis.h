#pragma once
// The reading of a chart (分析): for the primary and the changed hexagram their facts (互/错/综卦,
// 六冲/六合卦, 卦身), 伏吟 and 反吟, for every line its standing in the month and on the day, the
// void, the change of a moving line, the 神煞 it carries, the 三合局 that moving lines form with
// the day and the month, and the help with a chosen 用神. Pure data: no texts (see
// AnalysisText.h), no allocation, so that a chart is read in well under a microsecond.

#include "divination/core/BranchRelations.h"
#include "divination/core/Chart.h"
#include "divination/core/DayShensha.h"
#include "divination/core/HexagramFacts.h"
#include "divination/core/Trigrams.h"

#include <array>
#include <optional>

namespace qj {

// The date a chart is read against.
struct ChartDay {
    int monthBranch = 3; // 1..12
    int dayStem = 1;     // 1..10
    int dayBranch = 1;   // 1..12, of the same parity as the stem
};
ChartDay ChartDayOf(const ChartState& chart);

// Whose palace the changed hexagram's relatives are reckoned against.
enum class ChangedPalace {
    Primary, // the primary hexagram's palace, as the chart shows them
    Own,     // the changed hexagram's own palace
};

struct AnalysisOptions {
    ChangedPalace changedPalace = ChangedPalace::Primary;
    BodyRule body = BodyRule::Month;
};

// 旺 相 休 囚 死: the line's phase against the month's. 当令者旺，令生者相，生令者休，
// 克令者囚，令克者死.
enum class Season { Prosperous, Strong, Resting, Trapped, Dead };

// How the day's branch stands to a line.
struct DayRelation {
    PhaseRelation phase = PhaseRelation::Same; // the day's phase seen from the day: Generates = 日生爻
    bool same = false;                         // the line's branch is the day's (临日)
    bool clash = false;                        // 日冲
    bool combine = false;                      // 日合
    bool broken = false;     // 日破: a static line out of season (休囚死 or 月破) clashed by the day
    bool hiddenMove = false; // 暗动: a static line in season (旺相) clashed by the day
};

// The change of a moving line into its changed line.
struct LineChange {
    int branch = 0;                           // the changed line's branch
    int relative = 0;                         // its relative rank by the chosen palace
    Advance advance = Advance::None;          // 化进神 / 化退神
    PhaseRelation back = PhaseRelation::Same; // the changed line seen from itself: Generates = 回头生
    bool intoVoid = false;                    // 化空
    bool intoBroken = false;                  // 化破 (the changed branch clashes the month)
    bool intoTomb = false;                    // 化墓
    bool intoExtinct = false;                 // 化绝
};

struct LineReading {
    int line = 0;     // 1..6
    int branch = 0;   // 1..12
    int phase = 0;    // 1..5
    int relative = 0; // 1..5
    LineState state = LineState::YoungYin;
    Season season = Season::Prosperous;
    bool monthBroken = false;  // 月破
    bool monthCombine = false; // 月合
    bool onMonth = false;      // 临月建
    DayRelation day;
    bool isVoid = false;              // 旬空
    std::optional<LineChange> change; // moving lines only
    unsigned shensha = 0;             // bit per Shensha value carried by the line's branch
};

// Where a trigram's branches repeat (伏吟) or clash (反吟) in its change.
struct Recitation {
    bool fuYin = false;       // the moving trigram changes into one with the same branches (乾↔震)
    bool fanYinLines = false; // every line of the moving trigram changes into the branch that clashes it
    bool fanYinTrigram = false; // the trigram changes into the one opposite it (乾↔巽 坎↔离 艮↔坤 震↔兑)
};

// A 三合局 completed by moving lines, their changes, the day and the month.
struct FrameFormed {
    int frame = 0; // 1..4 (FrameOf)
    // For each of the frame's three branches where it came from: bit 0 a moving line, bit 1 a
    // changed line, bit 2 the day, bit 3 the month.
    std::array<unsigned, 3> sources{};
};

// 用神 help.
enum class UseGodChoice { Relative, Shi, Ying };
struct UseGodRequest {
    UseGodChoice choice = UseGodChoice::Relative;
    int relative = 5; // 1..5 for UseGodChoice::Relative
};

enum class UseGodPlace {
    Line,        // on one or more primary lines
    ChangedLine, // only on the changed lines of moving lines
    DayOrMonth,  // only in the day's or the month's branch (日月为用)
    Hidden,      // only as a hidden spirit (伏神) of the palace's pure hexagram
};

struct HiddenUseGod {
    int line = 0;         // 1..6, the pure hexagram's line and the 飞神's line
    int branch = 0;       // the 伏神's branch
    int flyingBranch = 0; // the 飞神's branch (the primary line there)
    PhaseRelation flyingToHidden = PhaseRelation::Same; // Generates = 飞生伏, Controls = 飞克伏 …
};

struct UseGodReading {
    int relative = 0; // the 用神's relative rank
    UseGodPlace place = UseGodPlace::Line;
    unsigned lines = 0;        // primary lines (bit n − 1) carrying it
    unsigned changedLines = 0; // changed lines of moving lines carrying it
    bool inDay = false;        // the day's branch has its phase
    bool inMonth = false;
    // The 伏神 when no primary line has the 用神's phase. Each trigram's najia holds a 土 branch in
    // both its inner and its outer half, so the relative that stands twice in a pure hexagram (its
    // 土 one) is never missing, and a missing relative has exactly one line to hide under.
    std::optional<HiddenUseGod> hidden;
    unsigned sourceLines = 0; // 原神 lines
    unsigned enemyLines = 0;  // 忌神 lines
    unsigned foeLines = 0;    // 仇神 lines
};

struct ChartAnalysis {
    ChartDay day;
    HexagramFacts primary;
    HexagramFacts changed;
    bool hasMoving = false;
    std::array<Recitation, 2> recitation{}; // [0] inner trigram, [1] outer trigram
    std::array<LineReading, 6> lines{};     // index 0 = line 1
    BranchSet voids = 0;
    std::array<BranchSet, kShenshaCount> shensha{}; // branches of each star on the day
    std::array<FrameFormed, kFrameCount> frames{};
    int frameCount = 0;
    std::optional<UseGodReading> useGod;
};

// Reads the chart against a day. Throws std::out_of_range or std::invalid_argument for a day that
// is no pillar, and std::logic_error for a chart whose line column holds no line marks.
ChartAnalysis AnalyseChart(const ChartState& chart, const ChartDay& day, const AnalysisOptions& options = {},
                           std::optional<UseGodRequest> useGod = std::nullopt);

// Season of a phase in the month of `monthBranch`.
Season SeasonOf(int phase, int monthBranch);

} // namespace qj
