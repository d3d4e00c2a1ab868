// The reading-report builder on any chart the window can reach and any texts the user types: no
// crash, one memo line per entry (no line break inside a line), valid UTF-8 out for UTF-8 in.
#include "FuzzCheck.h"

#include "common/Gbk.h"
#include "divination/core/Report.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

using namespace qj;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    ChartState chart;
    chart.upper = in.ConsumeIntegralInRange(0, 8);
    chart.lower = in.ConsumeIntegralInRange(0, 8);
    chart.dayStem = in.ConsumeIntegralInRange(1, 10);
    chart.dayBranch = in.ConsumeIntegralInRange(1, 12);
    chart.movingPosition = in.ConsumeIntegralInRange(0, kNoMovingLine);
    ArrangeChart(chart);
    for (int toggles = in.ConsumeIntegralInRange(0, 6); toggles > 0; --toggles)
        ToggleMoving(chart, in.ConsumeIntegralInRange(0, kChartRows - 1));
    const ReportStyle style = in.ConsumeBool() ? ReportStyle::New : ReportStyle::Old;
    ReportInputs inputs;
    inputs.category = in.ConsumeRandomLengthString(64);
    inputs.method = in.ConsumeRandomLengthString(64);
    inputs.name = in.ConsumeRandomLengthString(64);
    inputs.sex = in.ConsumeRandomLengthString(16);
    const std::string now = in.ConsumeRandomLengthString(32);
    inputs.question = in.ConsumeRemainingBytesAsString();
    const bool utf8 = IsValidUtf8(inputs.category) && IsValidUtf8(inputs.method) && IsValidUtf8(inputs.name) &&
                      IsValidUtf8(inputs.sex) && IsValidUtf8(inputs.question) && IsValidUtf8(now);
    const std::vector<std::string> lines = BuildReport(chart, inputs, style, now);
    FUZZ_CHECK(!lines.empty());
    for (int row = 0; row < kChartRows; ++row)
        FUZZ_CHECK(IsValidUtf8(ReportLineRow(chart, row, style)));
    const std::string text = ReportText(lines);
    if (utf8)
        FUZZ_CHECK(IsValidUtf8(text));
    return 0;
}
