#include "divination/core/Chart.h"

#include "divination/core/DayStars.h"
#include "divination/core/Hexagrams.h"
#include "divination/core/Relatives.h"
#include "divination/core/Spirits.h"

#include <stdexcept>
#include <string>

namespace qj {
namespace {

// Row of line n (1 = bottom … 6 = top).
constexpr int RowOfLine(int line) {
    return kChartRows - line;
}

void CheckRow(int row) {
    if (row < 0 || row >= kChartRows)
        throw std::out_of_range("chart row " + std::to_string(row) + " is outside 0..5");
}

int PalacePhaseRank(const HexagramPlace& h) {
    return PhaseRankOf(TrigramOf(h.palace).phase);
}

HexagramPlace PrimaryPlace(const ChartState& chart) {
    return FindHexagram(chart.upper, chart.lower);
}

// Najia of a hexagram, rows 0..5: outer lines 6, 5, 4 above inner lines 3, 2, 1.
void FillNajia(ChartColumn& column, int upper, int lower) {
    const auto inner = NajiaOf(lower, TrigramPlace::Inner);
    const auto outer = NajiaOf(upper, TrigramPlace::Outer);
    for (int i = 0; i < 3; ++i) {
        column[RowOfLine(i + 1)] = inner[i];
        column[RowOfLine(i + 4)] = outer[i];
    }
}

// Static lines of two trigram codes, rows 0..2 from the upper code, 3..5 from the lower.
void FillStaticLines(ChartColumn& column, int upper, int lower) {
    const std::string_view up = TrigramOf(upper).code;
    const std::string_view low = TrigramOf(lower).code;
    for (int i = 0; i < 3; ++i) {
        column[i] = StaticMark(up[i] == '1');
        column[3 + i] = StaticMark(low[i] == '1');
    }
}

void FillRelatives(ChartColumn& relatives, const ChartColumn& najia, int palacePhaseRank) {
    for (int row = 0; row < kChartRows; ++row)
        relatives[row] = RelativeOf(BranchNumberOf(CharacterAt(najia[row], 1)), palacePhaseRank);
}

void FillShiYing(ChartColumn& column, int palacePosition) {
    const int shi = ShiLineOf(palacePosition);
    const int ying = YingLineOf(shi);
    for (int line = 1; line <= kChartRows; ++line)
        column[RowOfLine(line)] = line == shi ? "世" : line == ying ? "应" : kNoShiYing;
}

void FillSpirits(ChartState& chart) {
    for (int line = 1; line <= kChartRows; ++line)
        chart.spirits[RowOfLine(line)] = SpiritName(SpiritOfLine(chart.dayStem, line));
}

void FillPrimaryLabel(ChartState& chart) {
    chart.primaryLabel.caption = HexagramLabel(chart.upper, chart.lower);
    chart.primaryLabel.hint = HexagramHint(chart.upper, chart.lower);
}

// The lines of the palace's pure hexagram whose phase no line of the primary hexagram carries.
void FillHiddenSpirits(ChartState& chart) {
    const HexagramPlace h = PrimaryPlace(chart);
    const int phaseRank = PalacePhaseRank(h);
    ChartColumn pure;
    FillNajia(pure, h.palace, h.palace);
    for (int line = 1; line <= kChartRows; ++line) {
        const int row = RowOfLine(line);
        const std::string_view phase = CharacterAt(pure[row], 2);
        bool present = false;
        for (const std::string& entry : chart.najia)
            present = present || CharacterAt(entry, 2) == phase;
        if (present) {
            chart.hiddenNajia[row] = kNoHiddenNajia;
            chart.hiddenRelatives[row] = kNoHiddenRelative;
        } else {
            chart.hiddenNajia[row] = pure[row];
            chart.hiddenRelatives[row] = RelativeOf(BranchNumberOf(CharacterAt(pure[row], 1)), phaseRank);
        }
        chart.hiddenHintEnabled = !present; // decided line by line, so line 6 decides
    }
}

int NormalTrigram(int trigram) {
    if (trigram < 0 || trigram > kTrigramCount)
        throw std::out_of_range("trigram number " + std::to_string(trigram) + " is outside 0..8");
    return trigram == 0 ? kTrigramCount : trigram;
}

} // namespace

LineState LineStateAt(const ChartState& chart, int row) {
    CheckRow(row);
    LineState s{};
    if (!LineStateOfMark(chart.lines[row], s))
        throw std::logic_error("chart row " + std::to_string(row) + " holds no line mark");
    return s;
}

void RefreshChangedHexagram(ChartState& chart) {
    const HexagramPlace primary = PrimaryPlace(chart);
    std::string digits(kChartRows, '0');
    for (int row = 0; row < kChartRows; ++row)
        digits[row] = IsYangInChanged(LineStateAt(chart, row)) ? '1' : '0';
    chart.changedUpper = TrigramOfCode(std::string_view(digits).substr(0, 3));
    chart.changedLower = TrigramOfCode(std::string_view(digits).substr(3, 3));
    chart.changedLabel.caption = HexagramLabel(chart.changedUpper, chart.changedLower);
    chart.changedLabel.hint = HexagramHint(chart.changedUpper, chart.changedLower);
    FillStaticLines(chart.changedLines, chart.changedUpper, chart.changedLower);
    FillNajia(chart.changedNajia, chart.changedUpper, chart.changedLower);
    // The changed hexagram's relatives are reckoned against the primary hexagram's palace.
    FillRelatives(chart.changedRelatives, chart.changedNajia, PalacePhaseRank(primary));
    FillShiYing(chart.shiYing, primary.position);
    FillShiYing(chart.changedShiYing, FindHexagram(chart.changedUpper, chart.changedLower).position);
}

void ReckonChangedRelativesByOwnPalace(ChartState& chart) {
    FillRelatives(chart.changedRelatives, chart.changedNajia,
                  PalacePhaseRank(FindHexagram(chart.changedUpper, chart.changedLower)));
}

void ToggleMoving(ChartState& chart, int row) {
    const auto s = static_cast<int>(LineStateAt(chart, row));
    chart.lines[row] = LineMark(static_cast<LineState>(s > 1 ? s - 2 : s + 2));
    RefreshChangedHexagram(chart);
}

void ArrangeAroundLines(ChartState& chart) {
    const int upper = NormalTrigram(chart.upper);
    const int lower = NormalTrigram(chart.lower);
    for (int row = 0; row < kChartRows; ++row)
        LineStateAt(chart, row); // refuse a line column that holds something else than marks
    chart.upper = upper;
    chart.lower = lower;
    FillNajia(chart.najia, chart.upper, chart.lower);
    FillSpirits(chart);
    FillPrimaryLabel(chart);
    FillRelatives(chart.relatives, chart.najia, PalacePhaseRank(PrimaryPlace(chart)));
    RefreshChangedHexagram(chart);
    FillHiddenSpirits(chart);
    chart.shensha = ShenshaText(chart.dayStem, chart.dayBranch);
}

void ArrangeChart(ChartState& chart) {
    if (chart.movingPosition < 0 || chart.movingPosition > kNoMovingLine)
        throw std::out_of_range("moving-line position " + std::to_string(chart.movingPosition) +
                                " is outside 0..6");
    const int upper = NormalTrigram(chart.upper);
    const int lower = NormalTrigram(chart.lower);
    chart.upper = upper;
    chart.lower = lower;
    FillStaticLines(chart.lines, chart.upper, chart.lower);
    ArrangeAroundLines(chart);
    if (chart.movingPosition < kNoMovingLine)
        ToggleMoving(chart, chart.movingPosition);
}

} // namespace qj
