#include "divination/core/Report.h"

namespace qj {
namespace {

// Blanks and control characters at both ends are dropped.
std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

// Add a text to the memo: every CR LF inside it starts a new line.
void AddLines(std::vector<std::string>& lines, std::string_view text) {
    for (;;) {
        const size_t at = text.find("\r\n");
        if (at == std::string_view::npos) {
            lines.emplace_back(text);
            return;
        }
        lines.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 2);
    }
}

LineState ChangedStateAt(const ChartState& chart, int row) {
    LineState s{};
    LineStateOfMark(chart.changedLines[row], s);
    return s;
}

} // namespace

std::string ReportLineRow(const ChartState& chart, int row, ReportStyle style) {
    const LineState primary = LineStateAt(chart, row);
    const LineState changed = ChangedStateAt(chart, row);
    std::string s;
    s.reserve(128);
    s += chart.hiddenRelatives[row];
    s += chart.hiddenNajia[row];
    s += ' ';
    s += chart.relatives[row];
    s += chart.najia[row];
    s += ' ';
    s += style == ReportStyle::New ? LineBar(primary) : LineMark(primary);
    s += ' ';
    s += chart.shiYing[row];
    s += ' ';
    if (style == ReportStyle::New)
        s += MovingMarker(primary);
    s += chart.changedRelatives[row];
    s += chart.changedNajia[row];
    s += ' ';
    s += style == ReportStyle::New ? LineBar(changed) : LineMark(changed);
    s += ' ';
    s += chart.changedShiYing[row];
    s += ' ';
    s += chart.spirits[row];
    return s;
}

std::vector<std::string> BuildReport(const ChartState& chart, const ReportInputs& in, ReportStyle style,
                                     std::string_view now) {
    std::vector<std::string> lines;
    lines.reserve(24);
    AddLines(lines, "断卦时间: " + std::string(now));
    AddLines(lines, "起卦类别: " + in.category + "   方式:" + in.method + "   姓名:" + in.name +
                        "   性别:" + in.sex);
    AddLines(lines, "占卦内容: " + in.question);
    AddLines(lines, "公历时间: " + std::string(Trimmed(chart.dates.gregorian)) + "  " + chart.dates.lunar);
    AddLines(lines, "日上神煞: " + chart.shensha);
    AddLines(lines, "干支农历: " + chart.dates.pillar);
    lines.emplace_back(72, '=');
    lines.push_back(std::string(11, ' ') + chart.primaryLabel.caption + "   变     " +
                    chart.changedLabel.caption);
    lines.emplace_back();
    for (int row = 0; row < kChartRows; ++row)
        lines.push_back(ReportLineRow(chart, row, style));
    lines.emplace_back(72, '-');
    AddLines(lines, "断卦： " + chart.primaryLabel.hint);
    lines.emplace_back();
    return lines;
}

std::string ReportText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace qj
