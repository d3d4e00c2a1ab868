#include "divination/core/ChartDate.h"

#include "calendar/core/Captions.h"
#include "calendar/core/Sexagenary.h"
#include "common/Gbk.h"
#include "divination/core/DayStars.h"

#include <climits>

namespace qj {

CalendarCaptions CalendarCaptionsOf(DateTimeValue calendarDate, int hourIndex) {
    return {GregorianCaption(calendarDate, hourIndex), LunarCaption(calendarDate, hourIndex),
            PillarCaption(calendarDate, hourIndex)};
}

void RefreshDatePanel(ChartState& chart, const CalendarCaptions& captions) {
    // Pillar caption "丙戌 壬辰 庚寅 壬午 (午未 空)": bytes 1–4, 6–9, 11–14 and 16–19 are the
    // four pillars, bytes 21–29 the void branches.
    const std::string& p = captions.pillar;
    std::string pillar;
    pillar.reserve(64);
    pillar += GbkCopy(p, 1, 4);
    pillar += "年 ";
    pillar += GbkCopy(p, 6, 4);
    pillar += "月 ";
    pillar += GbkCopy(p, 11, 4);
    pillar += "日 ";
    pillar += GbkCopy(p, 16, 4);
    pillar += "时 ";
    pillar += GbkCopy(p, 21, 9);
    chart.dates.pillar = std::move(pillar);
    // Lunar caption without its leading "农历: " (six bytes).
    chart.dates.lunar = GbkCopy(captions.lunar, 7, INT_MAX / 2);
    // 20 bytes of the Gregorian caption after "公历:" (five bytes), leading blank included.
    chart.dates.gregorian = GbkCopy(captions.gregorian, 6, 20);
    chart.shensha = ShenshaText(chart.dayStem, chart.dayBranch);
}

void SetChartDay(ChartState& chart, DateTimeValue calendarDate) {
    const CyclicCounts counts = CyclicCountsOf(calendarDate);
    chart.dayStem = counts.DayCount % 10 + 1;
    chart.dayBranch = counts.DayCount % 12 + 1;
    chart.monthBranch = counts.MonthCount % 12 + 1;
}

} // namespace qj
