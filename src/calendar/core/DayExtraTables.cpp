#include "calendar/core/DayExtraTables.h"

namespace qj {

const std::array<std::string_view, 30> kNaYin = {
    "海中金", "炉中火", "大林木", "路旁土", "剑锋金", "山头火", "涧下水", "城头土", "白蜡金", "杨柳木",
    "泉中水", "屋上土", "霹雳火", "松柏木", "长流水", "沙中金", "山下火", "平地木", "壁上土", "金箔金",
    "覆灯火", "天河水", "大驿土", "钗钏金", "桑柘木", "大溪水", "沙中土", "天上火", "石榴木", "大海水",
};

const std::array<std::string_view, 10> kPengZuStemLines = {
    "甲不开仓财物耗散", "乙不栽植千株不长", "丙不修灶必见灾殃", "丁不剃头头必生疮", "戊不受田田主不祥",
    "己不破券二比并亡", "庚不经络织机虚张", "辛不合酱主人不尝", "壬不泱水更难提防", "癸不词讼理弱敌强",
};

const std::array<std::string_view, 12> kPengZuBranchLines = {
    "子不问卜自惹祸殃", "丑不冠带主不还乡", "寅不祭祀神鬼不尝", "卯不穿井水泉不香",
    "辰不哭泣必主重丧", "巳不远行财物伏藏", "午不苫盖屋主更张", "未不服药毒气入肠",
    "申不安床鬼祟入房", "酉不会客醉坐颠狂", "戌不吃犬作怪上床", "亥不嫁娶不利新郎",
};

const std::array<LuckName, 28> kMansions = {{
    {"角", true},  {"亢", false}, {"氐", false}, {"房", true},  {"心", false}, {"尾", true},  {"箕", true},
    {"斗", true},  {"牛", false}, {"女", false}, {"虚", false}, {"危", false}, {"室", true},  {"壁", true},
    {"奎", false}, {"娄", true},  {"胃", true},  {"昴", false}, {"毕", true},  {"觜", false}, {"参", true},
    {"井", true},  {"鬼", false}, {"柳", false}, {"星", false}, {"张", true},  {"翼", false}, {"轸", true},
}};

const std::array<LuckName, 12> kDutyGods = {{
    {"青龙", true},
    {"明堂", true},
    {"天刑", false},
    {"朱雀", false},
    {"金匮", true},
    {"天德", true},
    {"白虎", false},
    {"玉堂", true},
    {"天牢", false},
    {"玄武", false},
    {"司命", true},
    {"勾陈", false},
}};

const std::array<int, 12> kDutyGodOffsetOfMonthBranch = {4, 2, 0, 10, 8, 6, 4, 2, 0, 10, 8, 6};

const std::array<std::string_view, 9> kNineStars = {
    "一白水星", "二黑土星", "三碧木星", "四绿木星", "五黄土星",
    "六白金星", "七赤金星", "八白土星", "九紫火星",
};

const std::array<std::string_view, 60> kFetusGods = {
    "占门碓 外东南", "碓磨厕 外东南", "厨灶炉 外正南", "仓库门 外正南", "房床栖 外正南", "占门床 外正南",
    "占碓磨 外正南", "厨灶厕 外西南", "仓库炉 外西南", "房床门 外西南", "占门栖 外西南", "碓磨床 外西南",
    "厨灶碓 外西南", "仓库厕 外正西", "房床炉 外正西", "占大门 外正西", "碓磨栖 外正西", "厨灶床 外正西",
    "仓库碓 外西北", "房床厕 外西北", "占门炉 外西北", "碓磨门 外西北", "厨灶栖 外西北", "仓库床 外西北",
    "房床碓 外正北", "占门厕 外正北", "碓磨炉 外正北", "厨灶门 外正北", "仓库栖 外正北", "占房床 房内北",
    "占门碓 房内北", "碓磨厕 房内北", "厨灶炉 房内北", "仓库门 房内北", "房床栖 房内中", "占门床 房内中",
    "占碓磨 房内南", "厨灶厕 房内南", "仓库炉 房内南", "房床门 房内西", "占门栖 房内东", "碓磨床 房内东",
    "厨灶碓 房内东", "仓库厕 房内东", "房床炉 房内中", "占大门 外东北", "碓磨栖 外东北", "厨灶床 外东北",
    "仓库碓 外东北", "房床厕 外东北", "占门炉 外东北", "碓磨门 外正东", "厨灶栖 外正东", "仓库床 外正东",
    "房床碓 外正东", "占门厕 外正东", "碓磨炉 外东南", "厨灶门 外东南", "仓库栖 外东南", "占房床 外东南",
};

const std::array<std::string_view, 10> kFortuneGodDirections = {
    "正北", "西南", "西北", "东南", "东北", "正北", "西南", "西北", "东南", "东北",
};
const std::array<std::string_view, 10> kYangNobleDirections = {
    "西南", "西南", "正西", "西北", "东北", "正北", "正南", "东北", "正东", "东南",
};
const std::array<std::string_view, 10> kYinNobleDirections = {
    "东北", "正北", "西北", "正西", "西南", "西南", "东北", "正南", "东南", "正东",
};

const std::array<std::string_view, 4> kShaDirections = {"南", "东", "北", "西"};

const std::array<std::string_view, 3> kDogDayNames = {"初伏", "中伏", "末伏"};
const std::array<std::string_view, 9> kNineNineNames = {
    "一九", "二九", "三九", "四九", "五九", "六九", "七九", "八九", "九九",
};

} // namespace qj
