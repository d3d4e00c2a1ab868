#include "cli/AnalysisJson.h"

#include "cli/Command.h"
#include "divination/core/AnalysisText.h"
#include "divination/core/Relatives.h"

#include <string>

namespace qj::cli {
namespace {

std::string Entry(int branch) {
    return std::string(BranchName(branch)) + std::string(PhaseName(BranchPhaseRank(branch)));
}

void LinesArray(JsonWriter& json, std::string_view key, unsigned lines) {
    json.Key(key).BeginArray();
    for (int line = 1; line <= 6; ++line)
        if (lines & (1u << (line - 1)))
            json.Int(line);
    json.EndArray();
}

void WriteHexagramOf(JsonWriter& json, std::string_view key, const HexagramOfLines& h) {
    json.Key(key).BeginObject();
    json.Field("name", HexagramName(h.place.index));
    json.Field("palace", TrigramOf(h.place.palace).name);
    json.Field("hexagram", h.place.index);
    json.EndObject();
}

void WriteFacts(JsonWriter& json, std::string_view key, const HexagramFacts& f) {
    json.Key(key).BeginObject();
    json.Field("name", HexagramName(f.self.place.index));
    json.Field("palace", TrigramOf(f.self.place.palace).name);
    json.Field("harmony", HarmonyName(f.harmony));
    json.Field("shi_line", f.shiLine);
    json.Field("body", BranchName(f.bodyBranch));
    LinesArray(json, "body_lines", f.bodyLines);
    WriteHexagramOf(json, "mutual", f.mutual);
    WriteHexagramOf(json, "opposite", f.opposite);
    WriteHexagramOf(json, "reversed", f.reversed);
    json.EndObject();
}

void WriteLine(JsonWriter& json, const LineReading& r) {
    json.BeginObject();
    json.Field("line", r.line);
    json.Field("branch", Entry(r.branch));
    json.Field("relative", RelativeName(r.relative));
    json.Field("moving", IsMoving(r.state));
    json.Field("season", SeasonName(r.season));
    json.Field("month_broken", r.monthBroken);
    json.Field("month", MonthMarks(r));
    json.Field("day_broken", r.day.broken);
    json.Field("hidden_moving", r.day.hiddenMove);
    json.Field("day", DayMarks(r));
    json.Field("void", r.isVoid);
    json.Key("change");
    if (r.change) {
        json.BeginObject();
        json.Field("branch", Entry(r.change->branch));
        json.Field("relative", RelativeName(r.change->relative));
        json.Field("marks", ChangeMarks(r));
        json.EndObject();
    } else {
        json.Null();
    }
    json.Key("shensha").BeginArray();
    for (int s = 0; s < kShenshaCount; ++s)
        if (r.shensha & (1u << s))
            json.String(ShenshaName(static_cast<Shensha>(s)));
    json.EndArray();
    json.EndObject();
}

void WriteUseGod(JsonWriter& json, const ChartAnalysis& a, const UseGodRequest& request) {
    const UseGodReading& u = *a.useGod;
    json.Key("yongshen").BeginObject();
    json.Field("choice", UseGodChoiceName(request));
    json.Field("relative", RelativeName(u.relative));
    constexpr std::string_view kPlaces[] = {"line", "changed_line", "day_or_month", "hidden"};
    json.Field("place", kPlaces[static_cast<size_t>(u.place)]);
    LinesArray(json, "lines", u.lines);
    LinesArray(json, "changed_lines", u.changedLines);
    json.Key("hidden");
    if (u.hidden) {
        json.BeginObject();
        json.Field("line", u.hidden->line);
        json.Field("branch", Entry(u.hidden->branch));
        json.Field("flying", Entry(u.hidden->flyingBranch));
        json.EndObject();
    } else {
        json.Null();
    }
    LinesArray(json, "yuanshen", u.sourceLines);
    LinesArray(json, "jishen", u.enemyLines);
    LinesArray(json, "choushen", u.foeLines);
    json.Field("text", UseGodText(a, u, request));
    json.EndObject();
}

} // namespace

UseGodRequest ParseUseGod(std::string_view text) {
    if (text == "世" || text == "世爻")
        return {UseGodChoice::Shi, 0};
    if (text == "应" || text == "应爻")
        return {UseGodChoice::Ying, 0};
    if (const int rank = RelativeRankOf(text); rank != 0)
        return {UseGodChoice::Relative, rank};
    throw UsageError("yongshen '" + std::string(text) + "' is none of 兄弟 子孙 妻财 官鬼 父母 世 应");
}

std::optional<AnalysisChoice> ParseAnalysisChoice(const ParsedArgs& parsed) {
    const auto useGod = parsed.Option("yongshen");
    const auto palace = parsed.Option("changed-palace");
    const auto body = parsed.Option("body");
    if (!parsed.Option("analysis")) {
        if (useGod || palace || body)
            throw UsageError("--yongshen, --changed-palace and --body need --analysis");
        return std::nullopt;
    }
    AnalysisChoice choice;
    if (useGod)
        choice.useGod = ParseUseGod(*useGod);
    if (palace) {
        if (*palace == "own")
            choice.options.changedPalace = ChangedPalace::Own;
        else if (*palace != "primary")
            throw UsageError("changed-palace '" + *palace + "' is neither primary nor own");
    }
    if (body) {
        if (*body == "shi")
            choice.options.body = BodyRule::Shi;
        else if (*body != "month")
            throw UsageError("body '" + *body + "' is neither month nor shi");
    }
    return choice;
}

void WriteAnalysis(JsonWriter& json, const ChartState& chart, const AnalysisChoice& choice) {
    const ChartAnalysis a = AnalyseChart(chart, ChartDayOf(chart), choice.options, choice.useGod);
    json.Key("analysis").BeginObject();
    json.Field("month_branch", BranchName(a.day.monthBranch));
    json.Field("day", std::string(StemName(a.day.dayStem)) + std::string(BranchName(a.day.dayBranch)));
    json.Field("void", BranchesText(a.voids));
    json.Field("changed_palace", choice.options.changedPalace == ChangedPalace::Own ? "own" : "primary");
    json.Field("body_rule", choice.options.body == BodyRule::Shi ? "shi" : "month");
    WriteFacts(json, "primary", a.primary);
    WriteFacts(json, "changed", a.changed);
    json.Field("recitation", RecitationText(a));
    json.Key("frames").BeginArray();
    for (const std::string& frame : FrameTexts(a))
        json.String(frame);
    json.EndArray();
    json.Key("shensha").BeginArray();
    for (int s = 0; s < kShenshaCount; ++s) {
        json.BeginObject();
        json.Field("name", ShenshaName(static_cast<Shensha>(s)));
        json.Field("by", ShenshaBasis(static_cast<Shensha>(s)));
        json.Field("branches", BranchesText(a.shensha[static_cast<size_t>(s)]));
        json.EndObject();
    }
    json.EndArray();
    json.Key("lines").BeginArray(); // line 6 first, as the rows
    for (int line = 6; line >= 1; --line)
        WriteLine(json, a.lines[static_cast<size_t>(line - 1)]);
    json.EndArray();
    if (choice.useGod)
        WriteUseGod(json, a, *choice.useGod);
    json.EndObject();
}

} // namespace qj::cli
