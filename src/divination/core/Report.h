#pragma once
// The reading report (断卦) of a chart: a fixed-layout plain text, one memo line per entry.

#include "divination/core/Chart.h"

#include <string>
#include <string_view>
#include <vector>

namespace qj {

enum class ReportStyle {
    New, // 新式: line bars and moving markers
    Old, // 古式: line marks
};

struct ReportInputs {
    std::string category; // 起卦类别
    std::string method;   // 方式
    std::string name;     // 姓名
    std::string sex;      // 性别
    std::string question; // 占卦内容
};

// The report's lines in memo order. `now` is the current date and time as the caller writes it
// (date, blank, time). A text holding CR LF (the hexagram hint) gives one memo line per part.
std::vector<std::string> BuildReport(const ChartState& chart, const ReportInputs& inputs, ReportStyle style,
                                     std::string_view now);

// One line row of the report for chart row 0..5 (row 0 = line 6).
std::string ReportLineRow(const ChartState& chart, int row, ReportStyle style);

// The memo's whole text: every line followed by CR LF.
std::string ReportText(const std::vector<std::string>& lines);

} // namespace qj
