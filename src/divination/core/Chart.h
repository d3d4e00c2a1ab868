#pragma once
// The chart state of the divination window and the operations that arrange it: the primary
// hexagram (本卦) with its line marks, najia, relatives and 世/应, the changed hexagram (变卦)
// with the same columns, the hidden spirits (伏神), the six spirits, the two labels and the
// date texts. Every column has six rows; row 0 is line 6 (top), row 5 is line 1 (bottom).

#include "divination/core/Trigrams.h"

#include <array>
#include <string>
#include <string_view>

namespace qj {

inline constexpr int kChartRows = 6;
inline constexpr int kNoMovingLine = 6;

using ChartColumn = std::array<std::string, kChartRows>;

struct ChartLabel {
    std::string caption; // HexagramLabel
    std::string hint;    // HexagramHint
    friend bool operator==(const ChartLabel&, const ChartLabel&) = default;
};

struct ChartDateTexts {
    std::string gregorian; // "  2006年 5月 1日" cut from the calendar's Gregorian caption
    std::string pillar;    // "丙戌年 壬辰月 庚寅日 甲子时 (午未 空)"
    std::string lunar;     // "丙戌(狗) 四月初四日"
    friend bool operator==(const ChartDateTexts&, const ChartDateTexts&) = default;
};

struct ChartState {
    int upper = 1;        // primary upper trigram 0..8 (0 is read as 8 by ArrangeChart)
    int lower = 1;        // primary lower trigram 0..8
    int changedUpper = 1; // set by RefreshChangedHexagram
    int changedLower = 1;
    int dayStem = 1;                    // 1..10
    int dayBranch = 1;                  // 1..12
    int monthBranch = 3;                // 1..12, branch of the chart day's month pillar (寅 by default)
    int movingPosition = kNoMovingLine; // row the next ArrangeChart marks as moving; 6 = none

    ChartColumn lines; // the line marks: the authoritative store of the six line states
    ChartColumn najia;
    ChartColumn relatives;
    ChartColumn shiYing; // "世", "应" or two blanks
    ChartColumn changedLines;
    ChartColumn changedNajia;
    ChartColumn changedRelatives;
    ChartColumn changedShiYing;
    ChartColumn hiddenNajia;     // najia of a hidden spirit, or four blanks
    ChartColumn hiddenRelatives; // relative of a hidden spirit, or six blanks
    ChartColumn spirits;

    ChartLabel primaryLabel;
    ChartLabel changedLabel;
    bool hiddenHintEnabled = false; // the hidden najia column's hint is shown

    ChartDateTexts dates;
    std::string shensha;

    friend bool operator==(const ChartState&, const ChartState&) = default;
};

// Hint of the hidden najia column, enabled while the pure hexagram's line 6 is hidden.
inline constexpr std::string_view kHiddenNajiaHint = "伏克飞神为除暴， ";
inline constexpr std::string_view kNoHiddenNajia = "    ";
inline constexpr std::string_view kNoHiddenRelative = "      ";
inline constexpr std::string_view kNoShiYing = "  ";

// Rebuild every column and both labels from the trigrams, the day stem and the moving-line
// position. Trigram 0 becomes 8 (坤). Throws std::out_of_range for trigrams outside 0..8.
void ArrangeChart(ChartState& chart);
// Rebuild najia, spirits, primary label, relatives, changed hexagram, hidden spirits and the
// shensha line around the line column and the trigrams as they stand (a coin casting writes the
// lines itself; the moving-line position is neither used nor changed).
void ArrangeAroundLines(ChartState& chart);
// Rebuild the changed hexagram and both 世/应 columns from the primary line column.
void RefreshChangedHexagram(ChartState& chart);
// Switch the line of `row` (0..5) between static and moving, then refresh the changed hexagram.
void ToggleMoving(ChartState& chart, int row);

// Reckon the changed hexagram's relatives against its own palace instead of the primary one (a
// school's choice; the chart as arranged follows the primary palace).
void ReckonChangedRelativesByOwnPalace(ChartState& chart);

// The line state held by a row of the line column.
LineState LineStateAt(const ChartState& chart, int row);

} // namespace qj
