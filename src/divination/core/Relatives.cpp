#include "divination/core/Relatives.h"

#include "divination/core/Trigrams.h"

#include <array>

namespace qj {
namespace {
constexpr std::array<std::string_view, kRelativeCount> kRelatives{"兄弟", "子孙", "妻财", "官鬼", "父母"};
} // namespace

std::string_view RelativeName(int relativeRank) {
    return kRelatives.at(relativeRank - 1);
}

int RelativeRankOf(std::string_view name) {
    for (int i = 0; i < kRelativeCount; ++i)
        if (kRelatives[i] == name)
            return i + 1;
    return 0;
}

int RelativeRankFor(int branchNumber, int palacePhaseRank) {
    const int i = palacePhaseRank;
    const int j = BranchPhaseRank(branchNumber);
    // Steps along the generating order 金 水 木 火 土 from the palace phase to the line phase.
    return j >= i ? j - i + 1 : 5 - (i - j) + 1;
}

std::string_view RelativeOf(int branchNumber, int palacePhaseRank) {
    return RelativeName(RelativeRankFor(branchNumber, palacePhaseRank));
}

} // namespace qj
