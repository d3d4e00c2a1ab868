#include "AnalysisFixture.h"

#include "divination/core/ChartDate.h"
#include "divination/core/Hexagrams.h"
#include "divination/core/Relatives.h"

#include <gtest/gtest.h>

#include <string>

namespace qj {
namespace {

// One line of a chart read against a day, with its marks as the panel writes them.
struct LineCase {
    const char* source; // book and case, or the book's rule the row puts to the test
    const char* lines;  // line states 0..3, line 6 first
    ChartDay day;
    int line;
    const char* month;
    const char* dayMarks;
    const char* change;
    bool isVoid;
};

// 增删卜易, 飞伏神章: 巳月己酉日占生子不存, 得山火贲之天雷无妄 (旬空寅卯).
constexpr const char* kBi = "122301";
constexpr ChartDay kSiMonthJiYou{Si, Ji, You};
// 乾为天 without a moving line: line 1 is 子水.
constexpr const char* kQian = "111111";
constexpr ChartDay kYinMonthJiaZi{Yin, Jia, Zi};

const LineCase kLineCases[] = {
    {"增删卜易 占生子不存: 内卦亥水财 破而被克", kBi, kSiMonthJiYou, 3, "囚 月破", "日生", "回头克 化墓",
     false},
    {"增删卜易 占生子不存: 五爻子水 变出申金", kBi, kSiMonthJiYou, 5, "囚", "日生", "回头生", false},
    {"增删卜易 占生子不存: 四爻戌土化午火", kBi, kSiMonthJiYou, 4, "相", "泄日", "回头生", false},
    {"增删卜易 占生子不存: 世爻卯木 旬空逢日冲", kBi, kSiMonthJiYou, 1, "休", "日克 日冲 日破", "", true},
    {"增删卜易 占生子不存: 上爻寅木 旬空", kBi, kSiMonthJiYou, 6, "休", "日克", "", true},
    // 增删卜易 暗动章、月破章: 旺相之爻日冲为暗动，休囚之爻日冲为日破 — one 子 line, 庚午日, five months.
    {"暗动: 子月 子水旺", kQian, {Zi, Geng, Wu}, 1, "旺 临月", "耗日 日冲 暗动", "", false},
    {"暗动: 申月 子水相", kQian, {Shen, Geng, Wu}, 1, "相", "耗日 日冲 暗动", "", false},
    {"日破: 寅月 子水休", kQian, {Yin, Geng, Wu}, 1, "休", "耗日 日冲 日破", "", false},
    {"日破: 辰月 子水死", kQian, {Chen, Geng, Wu}, 1, "死", "耗日 日冲 日破", "", false},
    {"月破又日破: 午月 子水囚", kQian, {Wu, Geng, Wu}, 1, "囚 月破", "耗日 日冲 日破", "", false},
    {"动爻逢日冲 不论暗动日破", "111113", {Zi, Geng, Wu}, 1, "旺 临月", "耗日 日冲", "回头克", false},
    {"月破之爻虽旺 逢日冲亦破: 未月己未日 天风姤初爻丑土",
     "111110",
     {Wei, Ji, Wei},
     1,
     "旺 月破",
     "日扶 日冲 日破",
     "",
     true},
    {"月合 日合: 丑月乙丑日 子水", kQian, {Chou, Yi, Chou}, 1, "死 月合", "日克 日合", "", false},
    {"临日: 酉月甲子日 子水", kQian, {You, Jia, Zi}, 1, "相", "日扶 临日", "", false},
    // 增删卜易 进神退神章: 亥化子、寅化卯、巳化午、申化酉、丑化辰、辰化未、未化戌、戌化丑为进神，反之为退神.
    {"进神 化空: 泽天夬上爻未化戌 甲子日旬空戌亥", "211111", kYinMonthJiaZi, 6, "死", "耗日", "化进神 化空",
     false},
    {"进神: 同爻 甲申日旬空午未", "211111", {Yin, Jia, Shen}, 6, "死", "泄日", "化进神", true},
    {"退神: 乾为天上爻戌化未 甲子日戌空", "311111", kYinMonthJiaZi, 6, "死", "耗日", "化退神", true},
    {"退神 化空: 同爻 甲申日", "311111", {Yin, Jia, Shen}, 6, "死", "泄日", "化退神 化空", false},
    {"化破: 丑月 戌化未", "311111", {Chou, Jia, Zi}, 6, "旺", "耗日", "化退神 化破", true},
    {"进神 化墓: 兑为泽三爻丑化辰", "011211", kYinMonthJiaZi, 3, "死", "耗日 日合", "化进神 化墓", false},
    {"化绝: 坤为地上爻酉化寅 金绝在寅", "200000", kYinMonthJiaZi, 6, "囚", "泄日", "化绝", false},
    {"回头生 化绝: 坎为水二爻辰化巳 土随水绝在巳", "010030", kYinMonthJiaZi, 2, "死", "耗日", "回头生 化绝",
     false},
    {"回头克 化破 化绝: 坤为地三爻卯化申", "000200", kYinMonthJiaZi, 3, "旺", "日生", "回头克 化破 化绝",
     false},
};

TEST(Analysis, LinesReadAgainstMonthAndDay) {
    for (const LineCase& c : kLineCases) {
        SCOPED_TRACE(c.source);
        const ChartAnalysis a = Analysed(c.lines, c.day);
        const LineReading& r = a.lines[static_cast<size_t>(c.line - 1)];
        EXPECT_EQ(MonthMarks(r), c.month);
        EXPECT_EQ(DayMarks(r), c.dayMarks);
        EXPECT_EQ(ChangeMarks(r), c.change);
        EXPECT_EQ(r.isVoid, c.isVoid);
    }
}

struct HexagramCase {
    const char* source;
    const char* lines; // line states, line 6 first
    const char* self;
    const char* mutual;
    const char* opposite;
    const char* reversed;
    const char* harmony;
    int shi;
    const char* body;
};

// 互卦 from lines 2–4 (lower) and 3–5 (upper) counted from the bottom; 卦身: 阴世则从午月起，
// 阳世还从子月生 (卜筮正宗 卦身诀), counted from line 1 to the 世 line.
const HexagramCase kHexagramCases[] = {
    {"纯卦 六冲: 乾为天 卦身巳不上卦", "111111", "乾为天 [乾宫]", "乾为天 [乾宫]", "坤为地 [坤宫]",
     "乾为天 [乾宫]", "六冲卦", 6, "巳 (不上卦)"},
    {"纯卦 阴世从午: 坤为地", "000000", "坤为地 [坤宫]", "坤为地 [坤宫]", "乾为天 [乾宫]", "坤为地 [坤宫]",
     "六冲卦", 6, "亥 (五爻)"},
    {"纯卦 阳世从子: 离为火", "101101", "离为火 [离宫]", "泽风大过 [震宫]", "坎为水 [坎宫]", "离为火 [离宫]",
     "六冲卦", 6, "巳 (上爻)"},
    {"纯卦 阴世 卦身不上卦: 坎为水", "010010", "坎为水 [坎宫]", "山雷颐 [巽宫]", "离为火 [离宫]",
     "坎为水 [坎宫]", "六冲卦", 6, "亥 (不上卦)"},
    {"一世 阴世从午: 天风姤", "111110", "天风姤 [乾宫]", "乾为天 [乾宫]", "地雷复 [坤宫]", "泽天夬 [坤宫]",
     "", 1, "午 (四爻)"},
    {"增删卜易 占生子不存: 山火贲 六合 阳世从子", "100101", "山火贲 [艮宫]", "雷水解 [震宫]", "泽水困 [兑宫]",
     "火雷噬嗑 [巽宫]", "六合卦", 1, "子 (五爻)"},
    {"屯互剥 屯综蒙", "010001", "水雷屯 [坎宫]", "山地剥 [乾宫]", "火风鼎 [离宫]", "山水蒙 [离宫]", "", 2,
     "未 (不上卦)"},
    {"归魂 世在三爻: 火天大有", "101111", "火天大有 [乾宫]", "泽天夬 [坤宫]", "水地比 [坤宫]",
     "天火同人 [离宫]", "", 3, "寅 (二爻)"},
    {"游魂 世在四爻: 火地晋", "101000", "火地晋 [乾宫]", "水山蹇 [兑宫]", "水天需 [坤宫]", "地火明夷 [坎宫]",
     "", 4, "卯 (三爻)"},
    {"六合 三世阴世: 天地否", "111000", "天地否 [乾宫]", "风山渐 [艮宫]", "地天泰 [坤宫]", "地天泰 [坤宫]",
     "六合卦", 3, "申 (五爻)"},
    {"六冲 非纯卦: 天雷无妄", "111001", "天雷无妄 [巽宫]", "风山渐 [艮宫]", "地风升 [震宫]",
     "山天大畜 [艮宫]", "六冲卦", 4, "卯 (不上卦)"},
};

TEST(Analysis, HexagramFactsOfClassicalHexagrams) {
    for (const HexagramCase& c : kHexagramCases) {
        SCOPED_TRACE(c.source);
        const HexagramFacts f = Analysed(c.lines, kYinMonthJiaZi).primary;
        EXPECT_EQ(HexagramNameWithPalace(f.self), c.self);
        EXPECT_EQ(HexagramNameWithPalace(f.mutual), c.mutual);
        EXPECT_EQ(HexagramNameWithPalace(f.opposite), c.opposite);
        EXPECT_EQ(HexagramNameWithPalace(f.reversed), c.reversed);
        EXPECT_EQ(HarmonyName(f.harmony), c.harmony);
        EXPECT_EQ(f.shiLine, c.shi);
        EXPECT_EQ(BodyText(f), c.body);
    }
}

// The other school's 卦身, the 世身 of 卜筮全书's 安身决 (子午持世身居初 … 巳亥持世身居六): the
// same hexagrams, the line named by the 世 line's branch.
TEST(Analysis, TheShiBodyRuleNamesALineByTheShiBranch) {
    const struct {
        const char* lines;
        const char* body;
    } cases[] = {
        {"111111", "申 (五爻)"}, {"000000", "丑 (四爻)"}, {"101101", "巳 (上爻)"}, {"010010", "寅 (初爻)"},
        {"111110", "亥 (二爻)"}, {"100101", "戌 (四爻)"}, {"010001", "辰 (三爻)"}, {"101111", "未 (五爻)"},
        {"101000", "酉 (四爻)"}, {"111000", "午 (四爻)"}, {"111001", "子 (初爻)"},
    };
    AnalysisOptions shi;
    shi.body = BodyRule::Shi;
    for (const auto& c : cases) {
        EXPECT_EQ(BodyText(Analysed(c.lines, kYinMonthJiaZi, shi).primary), c.body) << c.lines;
        EXPECT_EQ(BodyText(Analysed(c.lines, kYinMonthJiaZi, shi).changed), c.body) << c.lines << " (static)";
    }
}

// The marks [六冲卦] and [六合卦] of the hexagram descriptions and the rule (every inner line
// clashes, or combines with, the outer line three above it) agree on all 64 hexagrams.
TEST(Analysis, ClashAndCombineHexagramsAgreeWithTheDescriptions) {
    for (LinePattern p = 0; p < 64; ++p) {
        const HexagramFacts f = FactsOf(p);
        const std::string& description = HexagramDescription(f.self.place.index);
        SCOPED_TRACE(description);
        EXPECT_EQ(f.harmony == Harmony::Clash, description.starts_with("[六冲卦]"));
        EXPECT_EQ(f.harmony == Harmony::Combine, description.starts_with("[六合卦]"));
    }
}

// 增删卜易 反伏章: 卦之反吟 乾化巽、坎化离、艮化坤、震化兑 (and back); 爻之反吟 every line changing into
// the branch that clashes it; 伏吟 乾震互变 (the same branches).
TEST(Analysis, FuYinAndFanYin) {
    const struct {
        const char* source;
        const char* lines;
        const char* expected;
    } cases[] = {
        {"乾之无妄 内卦伏吟", "111331", "伏吟(内卦)"},
        {"乾之姤 内卦乾化巽 卦反吟", "111113", "反吟(内卦 卦反)"},
        {"坤之升 内卦未巳卯化丑亥酉 爻反吟", "000220", "反吟(内卦 爻反)"},
        {"坤之剥 外卦坤化艮 卦反吟", "200000", "反吟(外卦 卦反)"},
        {"乾之夬 外卦乾化兑 无反伏", "311111", ""},
        {"静卦 无反伏", kQian, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(RecitationText(Analysed(c.lines, kYinMonthJiaZi)), c.expected);
    }
}

// 三合局 needs a moving line or its change: the day and the month bring two branches at most,
// and static lines take no part.
TEST(Analysis, ThreeHarmonyFramesNeedAMovingLine) {
    const struct {
        const char* source;
        const char* lines;
        ChartDay day;
        std::vector<std::string> frames;
    } cases[] = {
        {"乾三爻辰动 申日子月", "111311", {Zi, Jia, Shen}, {"申子辰合水局 (日申 月子 动爻辰)"}},
        {"乾三爻辰静 上爻动", "311111", {Zi, Jia, Shen}, {}},
        {"乾静卦 日月只得两支", kQian, {Zi, Jia, Shen}, {}},
        {"增删卜易 占生子不存: 子水动化申 亥水化辰",
         kBi,
         kSiMonthJiYou,
         {"申子辰合水局 (变爻申 动爻子 变爻辰)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(FrameTexts(Analysed(c.lines, c.day)), c.frames);
    }
}

TEST(Analysis, ShenshaOfTheDay) {
    const struct {
        ChartDay day;
        const char* expected;
    } cases[] = {
        {{Yin, Jia, Zi}, "驿马寅 桃花酉 贵人丑未 禄神寅 羊刃卯 文昌巳 将星子 华盖辰 天医丑"},
        {{Hai, Xin, Mao}, "驿马巳 桃花子 贵人寅午 禄神酉 羊刃申 文昌子 将星卯 华盖未 天医戌"},
        {{Wu, Gui, You}, "驿马亥 桃花午 贵人卯巳 禄神子 羊刃亥 文昌卯 将星酉 华盖丑 天医巳"},
        {{Zi, Bing, Xu}, "驿马申 桃花卯 贵人酉亥 禄神巳 羊刃午 文昌申 将星午 华盖戌 天医亥"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DayShenshaText(Analysed(kQian, c.day)), c.expected);
}

TEST(Analysis, UseGod) {
    const UseGodRequest children{UseGodChoice::Relative, 2};
    const UseGodRequest wealth{UseGodChoice::Relative, 3};
    const struct {
        const char* source;
        const char* lines;
        ChartDay day;
        UseGodRequest request;
        const char* where;
        const char* roles;
    } cases[] = {
        {"增删卜易 占生子不存: 主卦无子孙 以变卦子孙为用", kBi, kSiMonthJiYou, children,
         "用神子孙: 本卦不现, 见于变卦 五爻, 伏于三爻妻财亥水之下 (伏神申金, 伏生飞)",
         "原神 二爻 四爻  忌神 无  仇神 初爻 上爻"},
        {"增删卜易 占生子不存: 世爻",
         kBi,
         kSiMonthJiYou,
         {UseGodChoice::Shi, 0},
         "用神世爻(官鬼): 初爻",
         "原神 三爻 五爻  忌神 无  仇神 二爻 四爻"},
        {"同卦 应爻",
         kBi,
         kSiMonthJiYou,
         {UseGodChoice::Ying, 0},
         "用神应爻(兄弟): 四爻",
         "原神 无  忌神 初爻 上爻  仇神 三爻 五爻"},
        {"天风姤 财不现 日辰寅木为用",
         "111110",
         {Zi, Jia, Yin},
         wealth,
         "用神妻财: 本卦不现, 以日辰为用, 伏于二爻子孙亥水之下 (伏神寅木, 飞生伏)",
         "原神 二爻  忌神 三爻 五爻  仇神 初爻 上爻"},
        {"天风姤 财不现 月建卯木为用",
         "111110",
         {Mao, Jia, Zi},
         wealth,
         "用神妻财: 本卦不现, 以月建为用, 伏于二爻子孙亥水之下 (伏神寅木, 飞生伏)",
         "原神 二爻  忌神 三爻 五爻  仇神 初爻 上爻"},
        {"天风姤 财不现 日月亦无 取伏神",
         "111110",
         {Zi, Jia, Zi},
         wealth,
         "用神妻财: 本卦不现, 伏于二爻子孙亥水之下 (伏神寅木, 飞生伏)",
         "原神 二爻  忌神 三爻 五爻  仇神 初爻 上爻"},
        {"乾为天 父母两现",
         kQian,
         kYinMonthJiaZi,
         {UseGodChoice::Relative, 5},
         "用神父母: 三爻 上爻",
         "原神 四爻  忌神 二爻  仇神 初爻"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const ChartAnalysis a = Analysed(c.lines, c.day, {}, c.request);
        ASSERT_TRUE(a.useGod);
        const std::vector<std::string> section = AnalysisSection(a, c.request);
        ASSERT_GE(section.size(), 2u);
        EXPECT_EQ(section[section.size() - 2], c.where);
        EXPECT_EQ(section.back(), c.roles);
    }
}

// The section a report ends with: its table lines up by GBK columns (a Chinese character takes two).
TEST(Analysis, SectionOfTheClassicalCaseAndOfAStaticChart) {
    const UseGodRequest children{UseGodChoice::Relative, 2};
    const std::vector<std::string> s = AnalysisSection(Analysed(kBi, kSiMonthJiYou, {}, children), children);
    const auto blanks = [](int n) { return std::string(static_cast<size_t>(n), ' '); };
    const std::vector<std::string> expected{
        "分析：",
        "本卦 山火贲 [艮宫] 六合卦  卦身 子 (五爻)",
        "      互卦 雷水解 [震宫]  错卦 泽水困 [兑宫]  综卦 火雷噬嗑 [巽宫]",
        "变卦 天雷无妄 [巽宫] 六冲卦  卦身 卯 (不上卦)",
        "      互卦 风山渐 [艮宫]  错卦 地风升 [震宫]  综卦 山天大畜 [艮宫]",
        "月建 巳  日辰 己酉  旬空 寅卯",
        "三合 申子辰合水局 (变爻申 动爻子 变爻辰)",
        "神煞 驿马亥 桃花午 贵人子申 禄神午 羊刃巳 文昌酉 将星酉 华盖丑 天医辰",
        "爻位  六亲" + blanks(8) + "月建" + blanks(12) + "日辰" + blanks(18) + "空" + blanks(2) + "动变" +
            blanks(22) + "神煞",
        "上爻  官鬼寅木    休" + blanks(14) + "日克" + blanks(18) + "空",
        "五爻  妻财子水    囚" + blanks(14) + "日生" + blanks(22) + "→申 回头生" + blanks(15) + "贵人",
        "四爻  兄弟戌土    相" + blanks(14) + "泄日" + blanks(22) + "→午 回头生",
        "三爻  妻财亥水    囚 月破" + blanks(9) + "日生" + blanks(22) + "→辰 回头克 化墓" + blanks(10) +
            "驿马",
        "二爻  兄弟丑土    相" + blanks(14) + "泄日" + blanks(48) + "华盖",
        "初爻  官鬼卯木    休" + blanks(14) + "日克 日冲 日破" + blanks(8) + "空",
        "用神子孙: 本卦不现, 见于变卦 五爻, 伏于三爻妻财亥水之下 (伏神申金, 伏生飞)",
        "原神 二爻 四爻  忌神 无  仇神 初爻 上爻",
    };
    EXPECT_EQ(s, expected);

    // A static chart has no changed hexagram, no 伏吟 or 反吟, and without a 用神 no 用神 lines.
    const std::vector<std::string> still = AnalysisSection(Analysed(kQian, kYinMonthJiaZi), std::nullopt);
    EXPECT_EQ(still.size(), 12u);
    for (const std::string& line : still)
        EXPECT_FALSE(line.starts_with("变卦") || line.starts_with("伏吟") || line.starts_with("用神") ||
                     line.starts_with("三合"))
            << line;
}

TEST(Analysis, ChangedRelativesFollowTheChosenPalace) {
    // 乾之夬: the changed 未土 is 父母 against the 乾 palace (金), 兄弟 against 夬's own 坤 palace (土).
    const ChartAnalysis primary = Analysed("311111", kYinMonthJiaZi);
    const ChartAnalysis own = Analysed("311111", kYinMonthJiaZi, {ChangedPalace::Own});
    EXPECT_EQ(RelativeName(primary.lines[5].change->relative), "父母");
    EXPECT_EQ(RelativeName(own.lines[5].change->relative), "兄弟");
    // The 用神 兄弟 shows on the changed line only when the changed relatives are the own palace's.
    const UseGodRequest brothers{UseGodChoice::Relative, 1};
    EXPECT_EQ(Analysed("311111", kYinMonthJiaZi, {}, brothers).useGod->changedLines, 0u);
    EXPECT_EQ(Analysed("311111", kYinMonthJiaZi, {ChangedPalace::Own}, brothers).useGod->changedLines,
              1u << 5);
}

TEST(Analysis, RefusesADayThatIsNoPillarAndAnUnknownRelative) {
    const ChartState c = ChartOfLines(kQian);
    EXPECT_THROW(AnalyseChart(c, {0, Jia, Zi}), std::out_of_range);
    EXPECT_THROW(AnalyseChart(c, {13, Jia, Zi}), std::out_of_range);
    EXPECT_THROW(AnalyseChart(c, {Yin, 0, Zi}), std::out_of_range);
    EXPECT_THROW(AnalyseChart(c, {Yin, 11, Zi}), std::out_of_range);
    EXPECT_THROW(AnalyseChart(c, {Yin, Jia, 0}), std::out_of_range);
    EXPECT_THROW(AnalyseChart(c, {Yin, Gui, 13}), std::out_of_range);
    EXPECT_THROW(AnalyseChart(c, {Yin, Jia, Chou}), std::invalid_argument);
    EXPECT_NO_THROW(AnalyseChart(c, {Hai, Gui, Hai}));
    EXPECT_NO_THROW(AnalyseChart(c, {Zi, Jia, Zi}));
    for (int relative : {0, 6})
        EXPECT_THROW(AnalyseChart(c, kYinMonthJiaZi, {}, UseGodRequest{UseGodChoice::Relative, relative}),
                     std::out_of_range);
    for (int relative : {1, 5})
        EXPECT_EQ(AnalyseChart(c, kYinMonthJiaZi, {}, UseGodRequest{UseGodChoice::Relative, relative})
                      .useGod->relative,
                  relative);
}

TEST(Analysis, ChartDayTakesTheMonthOfTheCalendarDate) {
    // 2006: the calendar starts the 癸巳 month on 6 May (立夏); 5 May is still in 壬辰, as its pillar
    // caption shows.
    ChartState c;
    SetChartDay(c, EncodeDate(2006, 5, 5));
    EXPECT_EQ(ChartDayOf(c).monthBranch, Chen);
    SetChartDay(c, EncodeDate(2006, 5, 6));
    EXPECT_EQ(ChartDayOf(c).monthBranch, Si);
    EXPECT_EQ(ChartDayOf(c).dayStem, c.dayStem);
    EXPECT_EQ(ChartDayOf(c).dayBranch, c.dayBranch);
}

} // namespace
} // namespace qj
