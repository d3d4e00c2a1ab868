#include "divination/core/Trigrams.h"

#include "common/Gbk.h"

#include <stdexcept>
#include <string>

namespace qj {
namespace {

constexpr std::array<Trigram, kTrigramCount> kTrigrams{{
    {"乾", "天", "金", "111", "乾西北", "父亲", "乾为君兮首与马，[老阳]体至刚；"},
    {"兑", "泽", "金", "011", "兑正西", "少女", "兑为口羊女之流。[少阴]；"},
    {"离", "火", "火", "101", "离正南", "中女", "离虽为目又为雉，[少阴]；"},
    {"震", "雷", "木", "001", "震正东", "长男", "震卦但为龙与足，[少阳]；"},
    {"巽", "风", "木", "110", "巽东南", "长女", "巽卦但为鸡与股，[少阴]；"},
    {"坎", "水", "水", "010", "坎正北", "中男", "坎虽为耳又为豕，[少阳]；"},
    {"艮", "山", "土", "100", "艮东北", "少男", "艮为手狗男之详。[少阳]；"},
    {"坤", "地", "土", "000", "坤西南", "母亲", "坤为臣兮腹与牛，[老阴]体至柔；"},
}};

// 48 entries, trigram by trigram: inner lines 1..3, then outer lines 4..6.
constexpr std::array<std::array<std::string_view, 6>, kTrigramCount> kNajia{{
    {{"甲子水", "甲寅木", "甲辰土", "壬午火", "壬申金", "壬戌土"}}, // 乾
    {{"丁巳火", "丁卯木", "丁丑土", "丁亥水", "丁酉金", "丁未土"}}, // 兑
    {{"己卯木", "己丑土", "己亥水", "己酉金", "己未土", "己巳火"}}, // 离
    {{"庚子水", "庚寅木", "庚辰土", "庚午火", "庚申金", "庚戌土"}}, // 震
    {{"辛丑土", "辛亥水", "辛酉金", "辛未土", "辛巳火", "辛卯木"}}, // 巽
    {{"戊寅木", "戊辰土", "戊午火", "戊申金", "戊戌土", "戊子水"}}, // 坎
    {{"丙辰土", "丙午火", "丙申金", "丙戌土", "丙子水", "丙寅木"}}, // 艮
    {{"乙未土", "乙巳火", "乙卯木", "癸丑土", "癸亥水", "癸酉金"}}, // 坤
}};

struct LineStateRow {
    std::string_view mark;
    bool primaryYang;
    bool changedYang;
    std::string_view bar;
    std::string_view movingMarker;
};

constexpr std::string_view kYinBar = "▅▅　▅▅";
constexpr std::string_view kYangBar = "▅▅▅▅▅";

constexpr std::array<LineStateRow, 4> kLineStates{{
    {"/ /", false, false, kYinBar, "    "},
    {" / ", true, true, kYangBar, "    "},
    {" X ", false, true, kYinBar, "X-> "},
    {" O ", true, false, kYangBar, "O-> "},
}};

constexpr std::array<std::string_view, 10> kStems{"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
constexpr std::array<std::string_view, 12> kBranches{"子", "丑", "寅", "卯", "辰", "巳",
                                                     "午", "未", "申", "酉", "戌", "亥"};
constexpr std::array<std::string_view, 5> kPhases{"金", "水", "木", "火", "土"};
// Phase rank of each branch: 子 水, 丑 土, 寅 木, 卯 木, 辰 土, 巳 火, 午 火, 未 土, 申 金, 酉 金, 戌 土, 亥
// 水.
constexpr std::array<int, 12> kBranchPhaseRank{2, 5, 3, 3, 5, 4, 4, 5, 1, 1, 5, 2};

const LineStateRow& RowOf(LineState s) {
    return kLineStates.at(static_cast<size_t>(s));
}

template <size_t N> int IndexIn(const std::array<std::string_view, N>& names, std::string_view name) {
    for (size_t i = 0; i < N; ++i)
        if (names[i] == name)
            return static_cast<int>(i) + 1;
    return 0;
}

} // namespace

const Trigram& TrigramOf(int trigramNumber) {
    if (trigramNumber < 1 || trigramNumber > kTrigramCount)
        throw std::out_of_range("trigram number " + std::to_string(trigramNumber) + " is outside 1..8");
    return kTrigrams[trigramNumber - 1];
}

int TrigramOfCode(std::string_view code) {
    for (int i = 0; i < kTrigramCount; ++i)
        if (kTrigrams[i].code == code)
            return i + 1;
    return 0;
}

std::string_view LineMark(LineState s) {
    return RowOf(s).mark;
}
std::string_view LineBar(LineState s) {
    return RowOf(s).bar;
}
std::string_view MovingMarker(LineState s) {
    return RowOf(s).movingMarker;
}
bool IsYangInPrimary(LineState s) {
    return RowOf(s).primaryYang;
}
bool IsYangInChanged(LineState s) {
    return RowOf(s).changedYang;
}
bool IsMoving(LineState s) {
    return s == LineState::OldYin || s == LineState::OldYang;
}

bool LineStateOfMark(std::string_view mark, LineState& state) {
    for (size_t i = 0; i < kLineStates.size(); ++i) {
        if (kLineStates[i].mark == mark) {
            state = static_cast<LineState>(i);
            return true;
        }
    }
    return false;
}

std::string_view StaticMark(bool yang) {
    return LineMark(yang ? LineState::YoungYang : LineState::YoungYin);
}

std::string_view StemName(int stemNumber) {
    return kStems.at(stemNumber - 1);
}
std::string_view BranchName(int branchNumber) {
    return kBranches.at(branchNumber - 1);
}
std::string_view PhaseName(int phaseRank) {
    return kPhases.at(phaseRank - 1);
}
int PhaseRankOf(std::string_view phase) {
    return IndexIn(kPhases, phase);
}
int BranchNumberOf(std::string_view branch) {
    return IndexIn(kBranches, branch);
}
int StemNumberOf(std::string_view stem) {
    return IndexIn(kStems, stem);
}
int BranchPhaseRank(int branchNumber) {
    return kBranchPhaseRank.at(branchNumber - 1);
}

std::array<std::string_view, 3> NajiaOf(int trigramNumber, TrigramPlace place) {
    TrigramOf(trigramNumber); // range check
    const auto& all = kNajia[trigramNumber - 1];
    const size_t first = place == TrigramPlace::Inner ? 0 : 3;
    return {all[first], all[first + 1], all[first + 2]};
}

std::string_view CharacterAt(std::string_view text, int index) {
    size_t pos = 0;
    for (int i = 0; pos < text.size(); ++i) {
        const size_t from = pos;
        NextCodePoint(text, pos);
        if (i == index)
            return text.substr(from, pos - from);
    }
    return {};
}

} // namespace qj
