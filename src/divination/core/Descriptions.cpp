#include "divination/core/Descriptions.h"

#include "divination/core/Trigrams.h"

#include <array>

namespace qj {
namespace {

constexpr std::array<std::string_view, 5> kPhases{
    "金[4,9]:长生在巳,旺在酉,墓在丑,绝在寅"
    "\r\n"
    "-- 方向西 秋 燥 收 肺 肠 鼻 皮毛 忧 白色 辛味 哭声",
    "水[1,6]:长生在申,旺在子,墓在辰,绝在巳"
    "\r\n"
    "-- 方向北 冬 寒 藏 肾 膀胱 耳 骨 恐 黑色 咸味 呻声",
    "木[3,8]:长生在亥,旺在卯,墓在未,绝在申"
    "\r\n"
    "-- 方向东 春 风 生 肝 胆 目 筋 怒 青色 酸味 呼声",
    "火[2,7]:长生在寅,旺在午,墓在戌,绝在亥"
    "\r\n"
    "-- 方向南 夏 暑 长 心 小肠 舌 脉 喜 赤色 苦味 笑声",
    // 土 shares the four stages of 水.
    "土[5,0]:长生在申,旺在子,墓在辰,绝在巳"
    "\r\n"
    "-- 方向中 长夏 湿 化 脾 胃 口 肉 思 黄色 甘味 歌声",
};

constexpr std::array<std::string_view, 10> kStems{
    "甲为头、胆、大树、栋梁之材，颜色为青碧；甲、乙--东方--木",
    "乙为肩、肝、花草、绿色等；甲、乙--东方--木",
    "丙为太阳火；丙、丁--南方--火",
    "丁为灯烛火；丙、丁--南方--火",
    "戊为城墙堤岸土；戊、已--中央--土；",
    "己为田园湿土；戊、已--中央--土；",
    "庚为刀剑之金；庚、辛--西方--金；",
    "辛为珠玉宝石细软；庚、辛--西方--金；",
    "壬为江河海水；壬、癸--北方--水",
    "癸为雨露水等；壬、癸--北方--水",
};

#define QJ_CHOU_PUNISHMENT "丑刑未、未刑戌、戌刑丑，形成了丑未戌循环三刑，是无恩之刑；"
#define QJ_YIN_PUNISHMENT "寅刑巳、巳刑申、申刑寅，形成了寅巳申循环三刑，是持势之刑；"

constexpr std::array<std::string_view, 12> kBranches{
    "子合丑,申子辰合水局；子午相冲；子刑卯为无礼之刑；",
    "丑合子,巳酉丑合金局；丑未相冲；"
    "\r\n" QJ_CHOU_PUNISHMENT,
    "寅合亥,寅午戌合火局；寅申相冲；"
    "\r\n" QJ_YIN_PUNISHMENT,
    "卯合戌,亥卯未合木局；卯酉相冲；卯刑子为无礼之刑；",
    "辰合酉,申子辰合水局；辰戌相冲；辰辰自刑。",
    "巳合申,巳酉丑合金局；巳亥相冲；"
    "\r\n" QJ_YIN_PUNISHMENT,
    "午合未,寅午戌合火局；子午相冲；午午自刑。",
    "未合午,亥卯未合木局；丑未相冲；"
    "\r\n" QJ_CHOU_PUNISHMENT,
    "申合巳,申子辰合水局；寅申相冲；"
    "\r\n" QJ_YIN_PUNISHMENT,
    "酉合辰,巳酉丑合金局；卯酉相冲；酉酉自刑。",
    "戌合卯,寅午戌合火局；辰戌相冲；"
    "\r\n" QJ_CHOU_PUNISHMENT,
    "亥合寅,亥卯未合木局；巳亥相冲；亥亥自刑。",
};

#undef QJ_CHOU_PUNISHMENT
#undef QJ_YIN_PUNISHMENT

} // namespace

std::string_view PhaseDescription(int phaseRank) {
    return kPhases.at(phaseRank - 1);
}
std::string_view StemDescription(int stemNumber) {
    return kStems.at(stemNumber - 1);
}
std::string_view BranchDescription(int branchNumber) {
    return kBranches.at(branchNumber - 1);
}

std::string NajiaDescription(std::string_view entry) {
    const int stem = StemNumberOf(CharacterAt(entry, 0));
    const int branch = BranchNumberOf(CharacterAt(entry, 1));
    const int phase = PhaseRankOf(CharacterAt(entry, 2));
    if (stem == 0 || branch == 0 || phase == 0)
        return {};
    std::string s(StemDescription(stem));
    s += "\r\r\n";
    s += BranchDescription(branch);
    s += "\r\r\n";
    s += PhaseDescription(phase);
    return s;
}

} // namespace qj
