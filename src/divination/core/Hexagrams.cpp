#include "divination/core/Hexagrams.h"

#include "divination/core/Trigrams.h"

#include <array>
#include <stdexcept>

namespace qj {
namespace {

constexpr std::array<std::string_view, kHexagramCount> kNames{
    "乾为天", "天风姤",   "天山遁",   "天地否",   "风地观",   "山地剥",   "火地晋",   "火天大有",
    "兑为泽", "泽水困",   "泽地萃",   "泽山咸",   "水山蹇",   "地山谦",   "雷山小过", "雷泽归妹",
    "离为火", "火山旅",   "火风鼎",   "火水未济", "山水蒙",   "风水涣",   "天水讼",   "天火同人",
    "震为雷", "雷地予",   "雷水解",   "雷风恒",   "地风升",   "水风井",   "泽风大过", "泽雷随",
    "巽为风", "风天小畜", "风火家人", "风雷益",   "天雷无妄", "火雷噬嗑", "山雷颐",   "山风蛊",
    "坎为水", "水泽节",   "水雷屯",   "水火既济", "泽火革",   "雷火丰",   "地火明夷", "地水师",
    "艮为山", "山火贲",   "山天大畜", "山泽损",   "火泽睽",   "天泽履",   "风泽中孚", "风山渐",
    "坤为地", "地雷复",   "地泽临",   "地天泰",   "雷天大壮", "泽天夬",   "水天需",   "水地比",
};

// The description text writes the 震 palace's second hexagram 雷地豫.
constexpr int kYuIndex = 26;
constexpr std::string_view kYuDescriptionName = "雷地豫";

constexpr std::array<std::string_view, kHexagramCount> kGlosses{
    // 乾
    "乾者，健也，六龙御天之卦，广大包容之象。",
    "姤者，遇也，风云相济之卦，君臣会合之象。",
    "遁者，退也，豹隐南山之卦，近善远恶之象。",
    "否者，塞也，天地不交之卦，人口不圆之象。",
    "观者，观也，云卷晴空之卦，春花竞发之象。",
    "剥者，落也，去旧生新之卦，群阴剥尽之象。",
    "晋者，进也，龙剑出匣之卦，以臣遇君之象。",
    "大有者，宽也，金玉满堂之卦，大明中天之象。",
    // 兑
    "兑者，悦也，江湖养物之卦，天降雨泽之象。",
    "困者，危也，河中无水之卦，守己待时之象。",
    "萃者，聚也，鱼龙会聚之卦，如水就下之象。",
    "咸者，感也，山泽通气之卦，至诚感神之象。",
    "蹇者，难也，飞雁衔芦之卦，背明向暗之象。",
    "谦者，退也，地中有山之卦，仰高就下之象。",
    "小过者，过也，飞鸟遗音之卦，上逆下顺之象。",
    "归妹者，大也，浮云蔽日之卦，阴阳不交之象。",
    // 离
    "离者，丽也，飞禽遇网之卦，大明当天之象。",
    "旅者，客也，如鸟焚巢之卦，乐极哀生之象。",
    "鼎者，定也，调和鼎鼐之卦，去旧取新之象。",
    "未济者，失也，竭海求珠之卦，忧中望喜之象。",
    "蒙者，昧也，人藏烟草之卦，万物始生之象。",
    "涣者，散也，顺水行舟之卦，大风吹物之象。",
    "讼者，论也，从鹰逐兔之卦，天水相违之象。",
    "同人者，亲也，游鱼从水之卦，管鲍分金之象。",
    // 震
    "震者，动也，震惊百里之卦，有声无形之象。",
    "豫者，悦也，鸾凤生雏之卦，万物发荣之象。",
    "解者，散也，春雷行雨之卦，忧散喜生之象。",
    "恒者，久也，日月长明之卦，四时不忒之象。",
    "升者，进也，灵鸟翱翔之卦，显达光明之象。",
    "井者，静也，珠藏渊底之卦，守静安常之象。",
    "大过者，祸也，寒木生花之卦，本末俱弱之象。",
    "随者，顺也，良工琢玉之卦，如水推车之象。",
    // 巽
    "巽者，顺也，风行草偃之卦，上行下效之象。",
    "小畜者，塞也，匣藏宝剑之卦，密云不雨之象。",
    "家人者，同也，入海求珠之卦，开花结子之象。",
    "益者，损也，鸿鹄遇风之卦，滴水天河之象。",
    "无妄者，天灾也，石中蕴玉之卦，守旧安常之象。",
    "噬嗑者，啮也，日中为市之卦，颐中有物之象。",
    "颐者，养也，龙隐深潭之卦，近善远恶之象。",
    "蛊者，事也，三虫食血之卦，以恶害义之象。",
    // 坎
    "坎者，陷也，船度重滩之卦，外虚中实之象。",
    "节者，止也，船行风横之卦，寒暑有节之象。",
    "屯者，难也，龙居浅水之卦，万物始生之象。",
    "既济者，合也，舟楫济川之卦，阴阳配合之象。",
    "革者，改也，豹变为虎之卦，改旧从新之象。",
    "丰者，大也，日丽中天之卦，背暗向明之象。",
    "明夷者，伤也，凤凰垂翼之卦，出明入暗之象。",
    "师者，众也，天马出群之卦，以寡伏众之象。",
    // 艮
    "艮者，止也，游鱼避网之卦，积小成高之象。",
    "贲者，饰也，猛虎负隅之卦，光明通泰之象。",
    "大畜者，聚也，积小成高之卦，龙潜大壑之象。",
    "损者，益也，凿石见玉之卦，握土为山之象。",
    "睽者，背也，猛虎陷井之卦，二女同居之象。",
    "履者，礼也，如履虎尾之卦，安中防危之象。",
    "中孚者，信也，鹤鸣子和之卦，事有定期之象。",
    "渐者，进也，高山植木之卦，积小成大之象。",
    // 坤
    "坤者，顺也，生载万物之卦，博厚无疆之象。",
    "复者，反也，淘沙见金之卦，反覆往来之象。",
    "临者，大也，凤入鸡群之卦，以上临下之象。",
    "泰者，通也，天地交畅之卦，小往大来之象。",
    "大壮者，志也，先顺后逆之卦，羝羊触藩之象。",
    "夬者，决也，神剑斩蛟之卦，先损后益之象。",
    "需者，须也，云霭中天之卦，密云不雨之象。",
    "比者，和也，众星拱北之卦，水行地上之象。",
};

// Hexagrams whose six lines clash pairwise (the eight pure hexagrams, 无妄, 大壮) or combine
// pairwise (否, 困, 旅, 豫, 节, 贲, 复, 泰), by table row.
constexpr std::array<int, 10> kSixClash{1, 9, 17, 25, 33, 41, 49, 57, 37, 61};
constexpr std::array<int, 8> kSixCombine{4, 10, 18, 26, 42, 50, 58, 60};
constexpr std::string_view kSixClashMark = "[六冲卦]";
constexpr std::string_view kSixCombineMark = "[六合卦]";

// 世 line by palace position 1..8.
constexpr std::array<int, 8> kShiLine{6, 1, 2, 3, 4, 5, 4, 3};

template <size_t N> bool Contains(const std::array<int, N>& rows, int row) {
    for (int r : rows)
        if (r == row)
            return true;
    return false;
}

void CheckIndex(int index) {
    if (index < 1 || index > kHexagramCount)
        throw std::out_of_range("hexagram index " + std::to_string(index) + " is outside 1..64");
}

// Walk the name table with the key of a trigram pair: a pure hexagram is found by its whole
// name (乾为天), any other by its first two characters (the images of upper and lower).
int SearchNameTable(int upper, int lower) {
    const Trigram& up = TrigramOf(upper);
    const Trigram& low = TrigramOf(lower);
    std::string key;
    if (upper == lower)
        key = std::string(up.name) + "为" + std::string(low.image);
    else
        key = std::string(up.image) + std::string(low.image);
    for (int i = 0; i < kHexagramCount; ++i) {
        const std::string_view name = kNames[i];
        if (upper == lower ? name == key : name.substr(0, key.size()) == key)
            return i + 1;
    }
    throw std::logic_error("no hexagram for the trigram pair " + key);
}

struct PairTable {
    std::array<std::array<int, kTrigramCount>, kTrigramCount> index{};
    PairTable() {
        for (int u = 1; u <= kTrigramCount; ++u)
            for (int l = 1; l <= kTrigramCount; ++l)
                index[u - 1][l - 1] = SearchNameTable(u, l);
    }
};

struct DescriptionTable {
    std::array<std::string, kHexagramCount> text;
    DescriptionTable() {
        for (int i = 1; i <= kHexagramCount; ++i) {
            std::string& s = text[i - 1];
            if (Contains(kSixClash, i))
                s += kSixClashMark;
            else if (Contains(kSixCombine, i))
                s += kSixCombineMark;
            s += i == kYuIndex ? kYuDescriptionName : kNames[i - 1];
            s += "：";
            s += kGlosses[i - 1];
        }
    }
};

} // namespace

HexagramPlace FindHexagram(int upper, int lower) {
    static const PairTable table;
    TrigramOf(upper);
    TrigramOf(lower);
    const int i = table.index[upper - 1][lower - 1];
    return {i, (i - 1) / 8 + 1, (i - 1) % 8 + 1};
}

std::string_view HexagramName(int index) {
    CheckIndex(index);
    return kNames[index - 1];
}

const std::string& HexagramDescription(int index) {
    static const DescriptionTable table;
    CheckIndex(index);
    return table.text[index - 1];
}

std::string HexagramLabel(int upper, int lower) {
    const HexagramPlace h = FindHexagram(upper, lower);
    const Trigram& palace = TrigramOf(h.palace);
    std::string label(kNames[h.index - 1]);
    label += " [";
    label += palace.name;
    label += "宫卦属";
    label += palace.phase;
    label += "]";
    if (h.position == 7)
        label += " 游魂";
    else if (h.position == 8)
        label += " 归魂";
    return label;
}

std::string HexagramHint(int upper, int lower) {
    const HexagramPlace h = FindHexagram(upper, lower);
    const Trigram& palace = TrigramOf(h.palace);
    std::string hint;
    hint.reserve(256);
    hint += palace.direction;
    hint += ' ';
    hint += palace.family;
    hint += ' ';
    hint += palace.verse;
    hint += "\r\n";
    hint += HexagramDescription(h.index);
    return hint;
}

int ShiLineOf(int palacePosition) {
    if (palacePosition < 1 || palacePosition > 8)
        throw std::out_of_range("palace position " + std::to_string(palacePosition) + " is outside 1..8");
    return kShiLine[palacePosition - 1];
}

int YingLineOf(int shiLine) {
    return shiLine > 3 ? shiLine - 3 : shiLine + 3;
}

} // namespace qj
