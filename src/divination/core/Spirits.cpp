#include "divination/core/Spirits.h"

#include <array>
#include <stdexcept>
#include <string>

namespace qj {
namespace {
constexpr std::array<std::string_view, kSpiritCount> kSpirits{"青龙", "朱雀", "勾陈", "螣蛇", "白虎", "玄武"};
// 甲乙 青龙, 丙丁 朱雀, 戊 勾陈, 己 螣蛇, 庚辛 白虎, 壬癸 玄武.
constexpr std::array<int, 10> kFirstSpirit{1, 1, 2, 2, 3, 4, 5, 5, 6, 6};
} // namespace

std::string_view SpiritName(int spiritNumber) {
    return kSpirits.at(spiritNumber - 1);
}

int SpiritNumberOf(std::string_view name) {
    for (int i = 0; i < kSpiritCount; ++i)
        if (kSpirits[i] == name)
            return i + 1;
    return 0;
}

int FirstSpiritOf(int dayStemNumber) {
    if (dayStemNumber < 1 || dayStemNumber > 10)
        throw std::out_of_range("day stem number " + std::to_string(dayStemNumber) + " is outside 1..10");
    return kFirstSpirit[dayStemNumber - 1];
}

int SpiritOfLine(int dayStemNumber, int line) {
    return (FirstSpiritOf(dayStemNumber) - 1 + line - 1) % kSpiritCount + 1;
}

} // namespace qj
