#pragma once
// The texts of a chart's reading: the short marks the 分析 panel and the command line show, the
// Chinese explanations of the panel's tooltips, and the 分析 section a report may end with.

#include "divination/core/ChartAnalysis.h"

#include <string>
#include <string_view>
#include <vector>

namespace qj {

std::string_view LineName(int line);                       // 初爻 二爻 三爻 四爻 五爻 上爻
std::string_view SeasonName(Season s);                     // 旺 相 休 囚 死
std::string_view HarmonyName(Harmony h);                   // "六冲卦", "六合卦" or ""
std::string_view UseGodChoiceName(const UseGodRequest& r); // 父母 … 官鬼, 世爻, 应爻

// "天风姤 [乾宫]"
std::string HexagramNameWithPalace(const HexagramOfLines& h);
// "午 (初爻)" or "巳 (不上卦)"
std::string BodyText(const HexagramFacts& f);
// The branches of a set in their order, "子丑…" ("" for none).
std::string BranchesText(BranchSet set);

// The marks of one line, blank-separated, each empty when nothing applies:
std::string MonthMarks(const LineReading& r); // "旺", "死 月破", "相 月合", "旺 临月"
std::string DayMarks(const LineReading& r); // "日生", "日克 日冲 日破", "日合", "比 临日", "泄 冲 暗动"
std::string ChangeMarks(const LineReading& r); // "化进神 回头生 化空" … ("" for a static line)
// The changed branch and the marks: "→辰 回头克 化墓" ("" for a static line).
std::string ChangeCell(const LineReading& r);
std::string ShenshaMarks(const LineReading& r); // "驿马 贵人"
// "伏吟(内卦) 反吟(外卦)" or "".
std::string RecitationText(const ChartAnalysis& a);
// "申子辰合水局 (动爻申 变爻辰 日子)" per frame formed.
std::vector<std::string> FrameTexts(const ChartAnalysis& a);
// "驿马寅 桃花酉 贵人丑未 …": every star of the day with its branches.
std::string DayShenshaText(const ChartAnalysis& a);
// "用神妻财: 伏于二爻甲寅木之下 (飞神辛亥水, 飞生伏)", "用神父母: 初爻 三爻" …
std::string UseGodText(const ChartAnalysis& a, const UseGodReading& u, const UseGodRequest& request);
// "初爻 四爻" for a bit set of lines, "无" for none.
std::string LinesText(unsigned lines);

// What a tooltip says of a line's marks, one explanation per line of text.
std::string LineExplanation(const ChartAnalysis& a, int line);

// The 分析 section: a heading, the two hexagrams' facts, the day, a table of the six lines
// (line 6 first) aligned by GBK columns, and the 用神 when one is chosen.
std::vector<std::string> AnalysisSection(const ChartAnalysis& a, const std::optional<UseGodRequest>& request);

} // namespace qj
