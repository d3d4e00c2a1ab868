#pragma once
// The eight trigrams, the four line states and the najia (stem-branch) of every trigram line.
// Every number here is 1-based: trigram number 1..8 = 乾 兑 离 震 巽 坎 艮 坤, stem number
// 1..10 = 甲..癸, branch number 1..12 = 子..亥, phase rank 1..5 = 金 水 木 火 土 (generating order).

#include <array>
#include <string_view>

namespace qj {

struct Trigram {
    std::string_view name;      // 乾
    std::string_view image;     // 天
    std::string_view phase;     // 金
    std::string_view code;      // "111": top line first, "1" yang, "0" yin
    std::string_view direction; // 乾西北
    std::string_view family;    // 父亲
    std::string_view verse;
};

inline constexpr int kTrigramCount = 8;

// Row of the trigram table; throws std::out_of_range outside 1..8.
const Trigram& TrigramOf(int trigramNumber);
// The trigram whose code is `code` ("011" → 2), or 0 when no trigram has that code.
int TrigramOfCode(std::string_view code);

// Line states: 0 young yin, 1 young yang, 2 old yin (moving), 3 old yang (moving).
enum class LineState { YoungYin = 0, YoungYang = 1, OldYin = 2, OldYang = 3 };

std::string_view LineMark(LineState s);     // "/ /", " / ", " X ", " O "
std::string_view LineBar(LineState s);      // yin bar or yang bar, by primary polarity
std::string_view MovingMarker(LineState s); // "X-> ", "O-> " or four blanks
bool IsYangInPrimary(LineState s);          // polarity in the primary hexagram
bool IsYangInChanged(LineState s);          // polarity in the changed hexagram
bool IsMoving(LineState s);
// The state a line mark stands for; false when the text is none of the four marks.
bool LineStateOfMark(std::string_view mark, LineState& state);
// The static line of a polarity: '1' → " / ", '0' → "/ /".
std::string_view StaticMark(bool yang);

// Stem, branch and phase names; phase rank 1..5 in the order 金 水 木 火 土.
std::string_view StemName(int stemNumber);     // 1..10
std::string_view BranchName(int branchNumber); // 1..12
std::string_view PhaseName(int phaseRank);     // 1..5
// Phase rank of a one-character phase name, 0 when it is not one.
int PhaseRankOf(std::string_view phase);
// Branch number of a one-character branch name, 0 when it is not one.
int BranchNumberOf(std::string_view branch);
// Stem number of a one-character stem name, 0 when it is not one.
int StemNumberOf(std::string_view stem);
// Phase rank of a branch (子 水, 丑 土, 寅 木 ...).
int BranchPhaseRank(int branchNumber);

// A najia entry is stem + branch + phase of the branch, three characters ("甲子水").
// Entries of one trigram as the inner (lower) trigram, lines 1, 2, 3, or as the outer (upper)
// trigram, lines 4, 5, 6 — bottom line first.
enum class TrigramPlace { Inner, Outer };
std::array<std::string_view, 3> NajiaOf(int trigramNumber, TrigramPlace place);

// The n-th character (0-based) of a UTF-8 text of Chinese characters, e.g. the branch of a najia
// entry is character 1 and its phase character 2. Empty when the text is shorter.
std::string_view CharacterAt(std::string_view text, int index);

} // namespace qj
