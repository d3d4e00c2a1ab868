#include "divination/core/DayShensha.h"

#include <array>
#include <stdexcept>
#include <string>

namespace qj {
namespace {

// Source rules, one verse or rule per star; the 贵人, 禄 and 羊刃 rows agree with the day's
// shensha line of the chart.
//   驿马 by day branch: 申子辰马在寅，寅午戌马在申，巳酉丑马在亥，亥卯未马在巳.
//   桃花 (咸池) by day branch: 申子辰在酉，寅午戌在卯，巳酉丑在午，亥卯未在子.
//   将星 by day branch: the frame's peak branch — 申子辰在子，寅午戌在午，巳酉丑在酉，亥卯未在卯.
//   华盖 by day branch: the frame's tomb branch — 申子辰在辰，寅午戌在戌，巳酉丑在丑，亥卯未在未.
//   天乙贵人 by day stem: 甲戊兼牛羊，乙己鼠猴乡，丙丁猪鸡位，壬癸兔蛇藏，庚辛逢马虎.
//   禄神 by day stem: 甲禄寅，乙禄卯，丙戊禄巳，丁己禄午，庚禄申，辛禄酉，壬禄亥，癸禄子.
//   羊刃 by day stem: 甲卯 乙寅 丙戊午 丁己巳 庚酉 辛申 壬子 癸亥.
//   文昌 by day stem: 甲乙巳午报君知，丙戊申宫丁己鸡，庚猪辛鼠壬逢虎，癸人见卯入云梯.
//   天医 by month branch: the branch before the month's (正月寅月在丑 … 十二月丑月在子).
// Branch numbers: 子1 丑2 寅3 卯4 辰5 巳6 午7 未8 申9 酉10 戌11 亥12.

// By the day branch's frame, in frame order 申子辰, 亥卯未, 寅午戌, 巳酉丑.
constexpr std::array<int, kFrameCount> kHorse{3, 6, 9, 12};
constexpr std::array<int, kFrameCount> kPeach{10, 1, 4, 7};
constexpr std::array<int, kFrameCount> kGeneral{1, 4, 7, 10};
constexpr std::array<int, kFrameCount> kCanopy{5, 8, 11, 2};

// By the day stem 甲..癸.
constexpr std::array<std::array<int, 2>, 10> kNoble{
    {{2, 8}, {1, 9}, {12, 10}, {12, 10}, {2, 8}, {1, 9}, {3, 7}, {3, 7}, {4, 6}, {4, 6}}};
constexpr std::array<int, 10> kSalary{3, 4, 6, 7, 6, 7, 9, 10, 12, 1};
constexpr std::array<int, 10> kBlade{4, 3, 7, 6, 7, 6, 10, 9, 1, 12};
constexpr std::array<int, 10> kScholar{6, 7, 9, 10, 9, 10, 12, 1, 3, 4};

constexpr std::array<std::string_view, kShenshaCount> kNames{"驿马", "桃花", "贵人", "禄神", "羊刃",
                                                             "文昌", "将星", "华盖", "天医"};

void Check(int value, int last, const char* what) {
    if (value < 1 || value > last)
        throw std::out_of_range(std::string(what) + " " + std::to_string(value) + " is outside 1.." +
                                std::to_string(last));
}

} // namespace

std::string_view ShenshaName(Shensha s) {
    return kNames.at(static_cast<size_t>(s));
}

std::string_view ShenshaBasis(Shensha s) {
    switch (s) {
    case Shensha::Horse:
    case Shensha::Peach:
    case Shensha::General:
    case Shensha::Canopy:
        return "日支";
    case Shensha::Doctor:
        return "月支";
    default:
        return "日干";
    }
}

BranchSet ShenshaBranches(Shensha s, int dayStem, int dayBranch, int monthBranch) {
    Check(dayStem, 10, "stem number");
    Check(dayBranch, 12, "branch number");
    Check(monthBranch, 12, "month branch number");
    const size_t frame = static_cast<size_t>(FrameOfBranch(dayBranch) - 1);
    const size_t stem = static_cast<size_t>(dayStem - 1);
    switch (s) {
    case Shensha::Horse:
        return BranchBit(kHorse[frame]);
    case Shensha::Peach:
        return BranchBit(kPeach[frame]);
    case Shensha::Noble:
        return static_cast<BranchSet>(BranchBit(kNoble[stem][0]) | BranchBit(kNoble[stem][1]));
    case Shensha::Salary:
        return BranchBit(kSalary[stem]);
    case Shensha::Blade:
        return BranchBit(kBlade[stem]);
    case Shensha::Scholar:
        return BranchBit(kScholar[stem]);
    case Shensha::General:
        return BranchBit(kGeneral[frame]);
    case Shensha::Canopy:
        return BranchBit(kCanopy[frame]);
    case Shensha::Doctor:
        return BranchBit((monthBranch + 10) % 12 + 1);
    }
    return 0;
}

} // namespace qj
