#include "cli/ChartCommands.h"

#include "cli/AnalysisJson.h"
#include "cli/Args.h"
#include "cli/Json.h"
#include "divination/core/Casting.h"
#include "divination/core/ChartDate.h"
#include "divination/core/Hexagrams.h"
#include "divination/core/Report.h"

#include <ctime>
#include <optional>

namespace qj::cli {

namespace {

constexpr YearMonthDay kFirstDay{1901, 1, 1};
constexpr YearMonthDay kLastDay{2050, 12, 31};
constexpr YearMonthDay kDefaultDay{2006, 5, 1};

constexpr const char* kChartUsage =
    "chart (--upper U --lower L [--moving P] | --lines SSSSSS) [--date YYYY-MM-DD] [--time HH:MM:SS] "
    "[--hour-index I] [--category S] [--method S] [--name S] [--sex S] [--question S] [--style new|old] "
    "[--analysis [--yongshen R] [--changed-palace primary|own] [--body month|shi]]";
constexpr const char* kCastUsage =
    "cast (time --variant stem|branch | numbers A B [--hour H]) [--date YYYY-MM-DD] [--time HH:MM:SS] "
    "[--hour-index I] [--category S] [--method S] [--name S] [--sex S] [--question S] [--style new|old] "
    "[--analysis [--yongshen R] [--changed-palace primary|own] [--body month|shi]]";

#define QJ_DATE_AND_REPORT_OPTIONS                                                                           \
    "date", "time", "hour-index", "category", "method", "name", "sex", "question", "style", "yongshen",      \
        "changed-palace", "body"

// The calendar window's grid date-time and hour list index, as the date options give them.
struct CalendarChoice {
    DateTimeValue date = 0;
    int hourIndex = -1;
};

CalendarChoice ParseCalendarChoice(const ParsedArgs& parsed) {
    CalendarChoice choice;
    if (const auto date = parsed.Option("date"))
        choice.date = ParseDate(*date, kFirstDay, kLastDay);
    else
        choice.date = EncodeDate(kDefaultDay.year, kDefaultDay.month, kDefaultDay.day);
    if (const auto time = parsed.Option("time"))
        choice.date += ParseTimeOfDay(*time);
    if (const auto hour = parsed.Option("hour-index"))
        choice.hourIndex = ParseInt(*hour, "hour index", -1, 11);
    return choice;
}

struct ReportChoice {
    ReportInputs inputs;
    std::optional<std::string> method;
    ReportStyle style = ReportStyle::New;
    std::optional<AnalysisChoice> analysis; // --analysis: the reading is added to the JSON
};

ReportChoice ParseReportChoice(const ParsedArgs& parsed) {
    ReportChoice choice;
    choice.inputs.category = parsed.Option("category").value_or("");
    choice.inputs.name = parsed.Option("name").value_or("");
    choice.inputs.sex = parsed.Option("sex").value_or("");
    choice.inputs.question = parsed.Option("question").value_or("占");
    choice.method = parsed.Option("method");
    choice.analysis = ParseAnalysisChoice(parsed);
    if (const auto style = parsed.Option("style")) {
        if (*style == "old")
            choice.style = ReportStyle::Old;
        else if (*style != "new")
            throw UsageError("style '" + *style + "' is neither new nor old");
    }
    return choice;
}

// The chart as the divination window opens it: 乾为天 without a moving line on the calendar
// window's day, with its date texts.
ChartState OpeningChart(const CalendarChoice& calendar) {
    ChartState chart;
    SetChartDay(chart, calendar.date);
    RefreshDatePanel(chart, CalendarCaptionsOf(calendar.date, calendar.hourIndex));
    chart.movingPosition = kNoMovingLine;
    chart.upper = 1;
    chart.lower = 1;
    ArrangeChart(chart);
    return chart;
}

std::string NowText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

void WriteHexagram(JsonWriter& json, const ChartLabel& label, int upper, int lower) {
    const HexagramPlace place = FindHexagram(upper, lower);
    json.BeginObject();
    json.Field("label", label.caption);
    json.Field("hint", label.hint);
    json.Field("hexagram", place.index);
    json.Field("palace", place.palace);
    json.Field("position", place.position);
    json.EndObject();
}

void WriteChart(Output& out, const CastResult& cast, const ReportChoice& report) {
    const ChartState& c = cast.chart;
    ReportInputs inputs = report.inputs;
    inputs.method = report.method.value_or(cast.method);
    const std::vector<std::string> lines = BuildReport(c, inputs, report.style, NowText());

    JsonWriter json;
    json.BeginObject();
    json.Field("upper", c.upper);
    json.Field("lower", c.lower);
    json.Field("moving", c.movingPosition);
    json.Field("day_stem", c.dayStem);
    json.Field("day_branch", c.dayBranch);
    json.Field("method", inputs.method);
    json.Key("primary");
    WriteHexagram(json, c.primaryLabel, c.upper, c.lower);
    json.Key("changed");
    WriteHexagram(json, c.changedLabel, c.changedUpper, c.changedLower);
    json.Key("rows").BeginArray();
    for (int row = 0; row < kChartRows; ++row) {
        json.BeginObject();
        json.Field("line", c.lines[row]);
        json.Field("najia", c.najia[row]);
        json.Field("relative", c.relatives[row]);
        json.Field("shiying", c.shiYing[row]);
        json.Field("changed_line", c.changedLines[row]);
        json.Field("changed_najia", c.changedNajia[row]);
        json.Field("changed_relative", c.changedRelatives[row]);
        json.Field("changed_shiying", c.changedShiYing[row]);
        json.Field("hidden_najia", c.hiddenNajia[row]);
        json.Field("hidden_relative", c.hiddenRelatives[row]);
        json.Field("spirit", c.spirits[row]);
        json.EndObject();
    }
    json.EndArray();
    json.Field("hidden_hint_enabled", c.hiddenHintEnabled);
    json.Field("shensha", c.shensha);
    json.Key("date_texts").BeginObject();
    json.Field("gregorian", c.dates.gregorian);
    json.Field("lunar", c.dates.lunar);
    json.Field("pillar", c.dates.pillar);
    json.EndObject();
    json.Key("report").BeginArray();
    for (const std::string& line : lines)
        json.String(line);
    json.EndArray();
    if (report.analysis)
        WriteAnalysis(json, c, *report.analysis);
    json.EndObject();
    out.Line(json);
}

// Six line states 0..3 written as digits, row 0 (line 6) first.
std::array<std::string_view, kChartRows> ParseLineStates(const std::string& text) {
    if (text.size() != kChartRows)
        throw UsageError("lines '" + text + "' must be six line states 0..3");
    std::array<std::string_view, kChartRows> marks;
    for (int row = 0; row < kChartRows; ++row) {
        if (text[row] < '0' || text[row] > '3')
            throw UsageError("lines '" + text + "' must be six line states 0..3");
        marks[row] = LineMark(static_cast<LineState>(text[row] - '0'));
    }
    return marks;
}

void RunChart(const Arguments& args, Output& out) {
    const ParsedArgs parsed =
        ParseArguments(args, {"upper", "lower", "moving", "lines", QJ_DATE_AND_REPORT_OPTIONS}, 0,
                       kChartUsage, {"analysis"});
    const CalendarChoice calendar = ParseCalendarChoice(parsed);
    const ReportChoice report = ParseReportChoice(parsed);
    const auto lines = parsed.Option("lines");
    const auto upper = parsed.Option("upper");
    const auto lower = parsed.Option("lower");
    const auto moving = parsed.Option("moving");
    CastResult cast;
    if (lines) {
        if (upper || lower || moving)
            throw UsageError("--lines cannot be combined with --upper, --lower or --moving");
        const auto marks = ParseLineStates(*lines);
        cast = CastByCoins(OpeningChart(calendar), marks);
    } else {
        if (!upper || !lower)
            throw UsageError("give --upper and --lower, or --lines; usage: " + std::string(kChartUsage));
        ChartState chart = OpeningChart(calendar);
        chart.upper = ParseInt(*upper, "upper trigram", 0, 8);
        chart.lower = ParseInt(*lower, "lower trigram", 0, 8);
        chart.movingPosition = moving ? ParseInt(*moving, "moving-line position", 0, 6) : kNoMovingLine;
        ArrangeChart(chart);
        cast = {chart, std::string(kSpecifiedMethod), true};
    }
    WriteChart(out, cast, report);
}

void RunCast(const Arguments& args, Output& out) {
    if (args.empty())
        throw UsageError(std::string("no casting given; usage: ") + kCastUsage);
    const std::string kind = args[0];
    const Arguments rest(args.begin() + 1, args.end());
    try {
        if (kind == "time") {
            const ParsedArgs parsed =
                ParseArguments(rest, {"variant", QJ_DATE_AND_REPORT_OPTIONS}, 0, kCastUsage, {"analysis"});
            const CalendarChoice calendar = ParseCalendarChoice(parsed);
            const ReportChoice report = ParseReportChoice(parsed);
            const auto variant = parsed.Option("variant");
            if (!variant || (*variant != "stem" && *variant != "branch"))
                throw UsageError("cast time needs --variant stem or --variant branch");
            const TimeVariant v = *variant == "stem" ? TimeVariant::YearStem : TimeVariant::YearBranch;
            WriteChart(out, CastByTime(OpeningChart(calendar), v, calendar.date, calendar.hourIndex), report);
        } else if (kind == "numbers") {
            const ParsedArgs parsed =
                ParseArguments(rest, {"hour", QJ_DATE_AND_REPORT_OPTIONS}, 2, kCastUsage, {"analysis"});
            const CalendarChoice calendar = ParseCalendarChoice(parsed);
            const ReportChoice report = ParseReportChoice(parsed);
            const auto hour = parsed.Option("hour");
            const int clockHour = hour ? ParseInt(*hour, "hour", 0, 23) : 0;
            WriteChart(out,
                       CastByNumbers(OpeningChart(calendar), parsed.positional[0], parsed.positional[1],
                                     hour.has_value(), clockHour),
                       report);
        } else {
            throw UsageError("unknown casting '" + kind + "'; usage: " + kCastUsage);
        }
    } catch (const CastingError& e) {
        throw UsageError(e.what());
    }
}

#undef QJ_DATE_AND_REPORT_OPTIONS

} // namespace

CommandGroup ChartCommands() {
    return {
        {"chart", kChartUsage,
         "a chart cast by naming the trigrams and the moving row (0 = line 6, 6 = none) or by six coin "
         "line states (row 0 first), with its reading report; --analysis adds its reading against the day "
         "(R: 兄弟 子孙 妻财 官鬼 父母 世 应)",
         RunChart},
        {"cast", kCastUsage,
         "a chart cast from the calendar date and hour (year stem or branch variant) or from two numbers, "
         "with its reading report; --analysis as for chart",
         RunCast},
    };
}

} // namespace qj::cli
