#include "divination/core/AnalysisText.h"

#include "common/Gbk.h"
#include "divination/core/Relatives.h"

#include <array>

namespace qj {
namespace {

void Join(std::string& to, std::string_view part) {
    if (part.empty())
        return;
    if (!to.empty())
        to += ' ';
    to += part;
}

std::string Branch(int b) {
    return std::string(BranchName(b));
}

std::string Entry(int branch) {
    return Branch(branch) + std::string(PhaseName(BranchPhaseRank(branch)));
}

// `text` followed by blanks up to `columns` GBK columns (a Chinese character takes two).
std::string Padded(std::string text, int columns) {
    const int width = GbkByteLength(text);
    if (width < columns)
        text.append(static_cast<size_t>(columns - width), ' ');
    return text;
}

std::string WithoutTrailingBlanks(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string_view ChangeRelationName(PhaseRelation back) {
    switch (back) {
    case PhaseRelation::Generates:
        return "回头生";
    case PhaseRelation::Controls:
        return "回头克";
    default:
        return "";
    }
}

std::string_view DayPhaseName(PhaseRelation p) {
    switch (p) {
    case PhaseRelation::Generates:
        return "日生";
    case PhaseRelation::Controls:
        return "日克";
    case PhaseRelation::Same:
        return "日扶";
    case PhaseRelation::GeneratedBy:
        return "泄日";
    case PhaseRelation::ControlledBy:
        return "耗日";
    }
    return "";
}

std::string_view FlyingHiddenName(PhaseRelation p) {
    switch (p) {
    case PhaseRelation::Generates:
        return "飞生伏";
    case PhaseRelation::Controls:
        return "飞克伏";
    case PhaseRelation::GeneratedBy:
        return "伏生飞";
    case PhaseRelation::ControlledBy:
        return "伏克飞";
    case PhaseRelation::Same:
        return "飞伏比和";
    }
    return "";
}

} // namespace

std::string BranchesText(BranchSet set) {
    std::string s;
    for (int b = 1; b <= 12; ++b)
        if (set & BranchBit(b))
            s += BranchName(b);
    return s;
}

std::string_view LineName(int line) {
    constexpr std::array<std::string_view, 6> kNames{"初爻", "二爻", "三爻", "四爻", "五爻", "上爻"};
    return kNames.at(static_cast<size_t>(line - 1));
}

std::string_view SeasonName(Season s) {
    constexpr std::array<std::string_view, 5> kNames{"旺", "相", "休", "囚", "死"};
    return kNames.at(static_cast<size_t>(s));
}

std::string_view HarmonyName(Harmony h) {
    return h == Harmony::Clash ? "六冲卦" : h == Harmony::Combine ? "六合卦" : "";
}

std::string_view UseGodChoiceName(const UseGodRequest& r) {
    if (r.choice == UseGodChoice::Shi)
        return "世爻";
    if (r.choice == UseGodChoice::Ying)
        return "应爻";
    return RelativeName(r.relative);
}

std::string HexagramNameWithPalace(const HexagramOfLines& h) {
    std::string s(HexagramName(h.place.index));
    s += " [";
    s += TrigramOf(h.place.palace).name;
    s += "宫]";
    return s;
}

std::string BodyText(const HexagramFacts& f) {
    std::string s = Branch(f.bodyBranch) + " (";
    std::string where;
    for (int line = 1; line <= 6; ++line)
        if (f.bodyLines & (1u << (line - 1)))
            Join(where, LineName(line));
    s += where.empty() ? "不上卦" : where;
    s += ")";
    return s;
}

std::string MonthMarks(const LineReading& r) {
    std::string s(SeasonName(r.season));
    if (r.monthBroken)
        Join(s, "月破");
    if (r.monthCombine)
        Join(s, "月合");
    if (r.onMonth)
        Join(s, "临月");
    return s;
}

std::string DayMarks(const LineReading& r) {
    std::string s(DayPhaseName(r.day.phase));
    if (r.day.same)
        Join(s, "临日");
    if (r.day.combine)
        Join(s, "日合");
    if (r.day.clash)
        Join(s, "日冲");
    if (r.day.broken)
        Join(s, "日破");
    if (r.day.hiddenMove)
        Join(s, "暗动");
    return s;
}

std::string ChangeMarks(const LineReading& r) {
    std::string s;
    if (!r.change)
        return s;
    const LineChange& c = *r.change;
    Join(s, c.advance == Advance::Forward ? "化进神" : c.advance == Advance::Backward ? "化退神" : "");
    Join(s, ChangeRelationName(c.back));
    if (c.intoVoid)
        Join(s, "化空");
    if (c.intoBroken)
        Join(s, "化破");
    if (c.intoTomb)
        Join(s, "化墓");
    if (c.intoExtinct)
        Join(s, "化绝");
    return s;
}

std::string ChangeCell(const LineReading& r) {
    if (!r.change)
        return {};
    std::string s = "→" + Branch(r.change->branch);
    Join(s, ChangeMarks(r));
    return s;
}

std::string ShenshaMarks(const LineReading& r) {
    std::string s;
    for (int i = 0; i < kShenshaCount; ++i)
        if (r.shensha & (1u << i))
            Join(s, ShenshaName(static_cast<Shensha>(i)));
    return s;
}

std::string RecitationText(const ChartAnalysis& a) {
    std::string s;
    constexpr std::array<std::string_view, 2> kPlace{"内卦", "外卦"};
    for (size_t i = 0; i < 2; ++i) {
        const Recitation& r = a.recitation[i];
        if (r.fuYin)
            Join(s, "伏吟(" + std::string(kPlace[i]) + ")");
        if (r.fanYinTrigram || r.fanYinLines)
            Join(s, "反吟(" + std::string(kPlace[i]) + (r.fanYinTrigram ? " 卦反" : "") +
                        (r.fanYinLines ? " 爻反" : "") + ")");
    }
    return s;
}

std::vector<std::string> FrameTexts(const ChartAnalysis& a) {
    std::vector<std::string> texts;
    constexpr std::array<std::string_view, 4> kSource{"动爻", "变爻", "日", "月"};
    for (int i = 0; i < a.frameCount; ++i) {
        const FrameFormed& f = a.frames[static_cast<size_t>(i)];
        const Frame& frame = FrameOf(f.frame);
        std::string s;
        for (int b : frame.branches)
            s += BranchName(b);
        s += "合" + std::string(PhaseName(frame.phase)) + "局 (";
        std::string from;
        for (size_t m = 0; m < 3; ++m)
            for (size_t k = 0; k < 4; ++k)
                if (f.sources[m] & (1u << k))
                    Join(from, std::string(kSource[k]) + Branch(frame.branches[m]));
        texts.push_back(s + from + ")");
    }
    return texts;
}

std::string DayShenshaText(const ChartAnalysis& a) {
    std::string s;
    for (int i = 0; i < kShenshaCount; ++i)
        Join(s, std::string(ShenshaName(static_cast<Shensha>(i))) +
                    BranchesText(a.shensha[static_cast<size_t>(i)]));
    return s;
}

std::string LinesText(unsigned lines) {
    std::string s;
    for (int line = 1; line <= 6; ++line)
        if (lines & (1u << (line - 1)))
            Join(s, LineName(line));
    return s.empty() ? "无" : s;
}

std::string UseGodText(const ChartAnalysis& a, const UseGodReading& u, const UseGodRequest& request) {
    std::string s = "用神" + std::string(UseGodChoiceName(request));
    if (request.choice != UseGodChoice::Relative)
        s += "(" + std::string(RelativeName(u.relative)) + ")";
    s += ": ";
    switch (u.place) {
    case UseGodPlace::Line:
        s += LinesText(u.lines);
        break;
    case UseGodPlace::ChangedLine:
        s += "本卦不现, 见于变卦 " + LinesText(u.changedLines);
        break;
    case UseGodPlace::DayOrMonth:
        s += std::string("本卦不现, 以") + (u.inDay ? "日辰" : "月建") + "为用";
        break;
    case UseGodPlace::Hidden:
        s += "本卦不现";
        break;
    }
    if (u.hidden) {
        const HiddenUseGod& h = *u.hidden;
        const LineReading& flying = a.lines[static_cast<size_t>(h.line - 1)];
        s += ", 伏于" + std::string(LineName(h.line)) + std::string(RelativeName(flying.relative)) +
             Entry(h.flyingBranch) + "之下 (伏神" + Entry(h.branch) + ", " +
             std::string(FlyingHiddenName(h.flyingToHidden)) + ")";
    }
    return s;
}

std::string LineExplanation(const ChartAnalysis& a, int line) {
    const LineReading& r = a.lines.at(static_cast<size_t>(line - 1));
    const std::string entry = Entry(r.branch);
    const std::string month = Branch(a.day.monthBranch);
    const std::string day = std::string(StemName(a.day.dayStem)) + Branch(a.day.dayBranch);
    std::string s = std::string(LineName(line)) + entry + "：\n";
    s += "月建" + month + "，" + entry + "在此月为" + std::string(SeasonName(r.season)) +
         "（当令者旺，令生者相，生令者休，克令者囚，令克者死）";
    if (r.monthBroken)
        s += "；月建冲爻为月破";
    if (r.monthCombine)
        s += "；与月建相合";
    s += "。\n日辰" + day + "：" + DayMarks(r);
    if (r.day.broken)
        s += "（静爻休囚或月破，逢日冲为日破）";
    if (r.day.hiddenMove)
        s += "（静爻旺相，逢日冲为暗动）";
    s += "。";
    if (r.isVoid)
        s += "\n旬空：" + Branch(r.branch) + "为本旬空亡。";
    if (r.change) {
        s += "\n动化" + Entry(r.change->branch) + "：";
        const std::string marks = ChangeMarks(r);
        s += marks.empty() ? "无进退生克" : marks;
        s += "。";
    }
    const std::string stars = ShenshaMarks(r);
    if (!stars.empty())
        s += "\n神煞：" + stars +
             "（驿马、桃花、将星、华盖依日支，贵人、禄神、羊刃、文昌依日干，天医依月支）。";
    return s;
}

std::vector<std::string> AnalysisSection(const ChartAnalysis& a,
                                         const std::optional<UseGodRequest>& request) {
    std::vector<std::string> lines;
    lines.emplace_back("分析：");
    const auto hexagram = [&](const char* title, const HexagramFacts& f) {
        std::string s = std::string(title) + HexagramNameWithPalace(f.self);
        Join(s, HarmonyName(f.harmony));
        s += "  卦身 " + BodyText(f);
        lines.push_back(s);
        lines.push_back("      互卦 " + HexagramNameWithPalace(f.mutual) + "  错卦 " +
                        HexagramNameWithPalace(f.opposite) + "  综卦 " + HexagramNameWithPalace(f.reversed));
    };
    hexagram("本卦 ", a.primary);
    if (a.hasMoving) {
        hexagram("变卦 ", a.changed);
        const std::string recitation = RecitationText(a);
        if (!recitation.empty())
            lines.push_back("伏吟反吟 " + recitation);
    }
    lines.push_back("月建 " + Branch(a.day.monthBranch) + "  日辰 " + std::string(StemName(a.day.dayStem)) +
                    Branch(a.day.dayBranch) + "  旬空 " + BranchesText(a.voids));
    for (const std::string& frame : FrameTexts(a))
        lines.push_back("三合 " + frame);
    lines.push_back("神煞 " + DayShenshaText(a));
    lines.push_back(Padded("爻位", 6) + Padded("六亲", 12) + Padded("月建", 16) + Padded("日辰", 22) +
                    Padded("空", 4) + Padded("动变", 26) + "神煞");
    for (int line = 6; line >= 1; --line) {
        const LineReading& r = a.lines[static_cast<size_t>(line - 1)];
        lines.push_back(WithoutTrailingBlanks(
            Padded(std::string(LineName(line)), 6) +
            Padded(std::string(RelativeName(r.relative)) + Entry(r.branch), 12) + Padded(MonthMarks(r), 16) +
            Padded(DayMarks(r), 22) + Padded(r.isVoid ? "空" : "", 4) + Padded(ChangeCell(r), 26) +
            ShenshaMarks(r)));
    }
    if (request && a.useGod) {
        const UseGodReading& u = *a.useGod;
        lines.push_back(UseGodText(a, u, *request));
        lines.push_back("原神 " + LinesText(u.sourceLines) + "  忌神 " + LinesText(u.enemyLines) + "  仇神 " +
                        LinesText(u.foeLines));
    }
    return lines;
}

} // namespace qj
