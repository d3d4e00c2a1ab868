#pragma once
// Description texts the divination window shows as tooltips and in message boxes: the six
// relatives, the six spirits, the five phases, the ten stems and the twelve branches. Line breaks
// inside the texts are CR LF; a blank line between parts is CR CR LF.

#include <string>
#include <string_view>

namespace qj {

std::string_view RelativeDescription(int relativeRank); // 1..5, 兄弟 … 父母
std::string_view SpiritDescription(int spiritNumber);   // 1..6, 青龙 … 玄武
std::string_view PhaseDescription(int phaseRank);       // 1..5, 金 水 木 火 土
std::string_view StemDescription(int stemNumber);       // 1..10
std::string_view BranchDescription(int branchNumber);   // 1..12

// Tooltip of a najia entry ("甲子水"): the stem's description, CR CR LF, the branch's relation
// text, CR CR LF, the phase's description. Empty when the entry is not stem + branch + phase.
std::string NajiaDescription(std::string_view najiaEntry);

} // namespace qj
