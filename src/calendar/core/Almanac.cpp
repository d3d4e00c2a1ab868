#include "calendar/core/Almanac.h"

#include "calendar/core/AlmanacTables.h"
#include "calendar/core/CalendarNames.h"
#include "calendar/core/DateCn.h"

#include <cstdlib>

namespace qj {

namespace {

// The four-digit key of a festival entry as a number (MMDD).
int EntryKey(std::string_view entry) {
    return (entry[0] - '0') * 1000 + (entry[1] - '0') * 100 + (entry[2] - '0') * 10 + (entry[3] - '0');
}

// Festival texts by key (month × 100 + day, 0000–1231), read once from a list: the text of every
// entry with that key from its fifth character on (the blank included), a later entry replacing an
// earlier one.
class FestivalIndex {
public:
    template <size_t N> explicit FestivalIndex(const std::array<std::string_view, N>& list) {
        for (std::string_view entry : list) {
            const int key = EntryKey(entry);
            if (key >= 0 && key < kKeys)
                texts_[key] = entry.substr(4);
        }
    }
    std::string_view Find(int key) const {
        return key >= 0 && key < kKeys ? texts_[key] : std::string_view();
    }

private:
    static constexpr int kKeys = 1300;
    std::array<std::string_view, kKeys> texts_{};
};

const FestivalIndex& SolarFestivals() {
    static const FestivalIndex index(kSolarFestivals);
    return index;
}

const FestivalIndex& LunarFestivals() {
    static const FestivalIndex index(kLunarFestivals);
    return index;
}

// The entry keyed 0100: New Year's Eve, the day before 正月初一.
constexpr int kNewYearsEveKey = 100;

} // namespace

std::string SolarFestivalOf(DateTimeValue date) {
    const YearMonthDay ymd = DecodeDate(date);
    return std::string(SolarFestivals().Find(ymd.month * 100 + ymd.day));
}

std::string LunarFestivalOf(DateTimeValue date) {
    const int code = LunarCodeOf(date);
    std::string text;
    // A leap month's key carries a minus sign and matches no entry.
    if (code > 0)
        text = LunarFestivals().Find(code);
    // 除夕 is the last day before 正月初一: only the 29th or 30th of a 蜡月 can be it. Its entry is
    // the last of the list, so like any later match it takes the place of an earlier one (a 蜡月廿九
    // that is also 除夕 shows 除夕).
    const int month = std::abs(code / 100), day = std::abs(code) % 100;
    if (month == 12 && day >= 29 && LunarCodeOf(DayNumber(date) + 1.0) == 101)
        text = LunarFestivals().Find(kNewYearsEveKey);
    return text;
}

int DayOfficerIndex(int monthBranch, int dayBranch) {
    return ((dayBranch - monthBranch) % 12 + 12) % 12;
}

std::string DayOfficerText(std::string_view monthBranch, std::string_view dayBranch) {
    const int i = BranchIndexOf(monthBranch);
    const int j = BranchIndexOf(dayBranch);
    if (i < 0 || j < 0)
        return {};
    return std::string(kDayOfficerTexts[DayOfficerIndex(i, j)]);
}

std::string DayAlmanacText(std::string_view dayPillar) {
    for (std::string_view line : kDayAlmanacLines)
        if (line.substr(0, dayPillar.size()) == dayPillar && dayPillar.size() == 6)
            return std::string(line);
    return {};
}

std::string MonthTermNote(int signedLunarMonth) {
    const int m = std::abs(signedLunarMonth);
    if (m < 1 || m > 12)
        return {};
    return std::string(kMonthTermNotes[m]);
}

std::string MonthTermNotePrefix(int signedLunarMonth) {
    const int m = std::abs(signedLunarMonth);
    if (m < 1 || m > 12)
        return {};
    return std::string(kMonthTermNotePrefixes[m]);
}

} // namespace qj
