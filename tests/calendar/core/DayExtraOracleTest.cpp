// Our day extras against lunar-javascript on every day of 1901–2050 (oracle/almanac-oracle.txt,
// made by oracle/gen-almanac-oracle.js).
#include "calendar/core/DayExtra.h"
#include "calendar/core/ExactSolarTerms.h"
#include "calendar/core/Sexagenary.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace qj;

namespace {

struct Oracle {
    std::array<std::vector<std::string>, 60> pillars;
    std::map<std::pair<int, int>, DateTimeValue> terms;
    std::map<int, std::vector<int>> dogDayBounds; // 初伏, 中伏, 末伏 first days, 末伏 last day
    std::map<int, std::pair<int, int>> nineNines; // first and last day
    std::map<int, std::string> days;
};

int DayOf(const std::string& yyyymmdd) {
    return DayNumber(EncodeDate(std::stoi(yyyymmdd.substr(0, 4)), std::stoi(yyyymmdd.substr(4, 2)),
                                std::stoi(yyyymmdd.substr(6, 2))));
}

const Oracle& TheOracle() {
    static const Oracle oracle = [] {
        Oracle o;
        std::ifstream in(QJ_ALMANAC_ORACLE);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string kind;
            int key = 0;
            fields >> kind >> key;
            std::vector<std::string> rest;
            for (std::string f; fields >> f;)
                rest.push_back(f);
            if (kind == "P") {
                o.pillars[key] = rest;
            } else if (kind == "T") {
                int y, mo, d, h, mi, s;
                std::sscanf(rest[1].c_str(), "%d-%d-%d", &y, &mo, &d);
                std::sscanf(rest[2].c_str(), "%d:%d:%d", &h, &mi, &s);
                o.terms[{key, std::stoi(rest[0])}] = EncodeDateTime(y, mo, d, h, mi, s);
            } else if (kind == "F") {
                for (const std::string& day : rest)
                    o.dogDayBounds[key].push_back(DayOf(day));
            } else if (kind == "J") {
                o.nineNines[key] = {DayOf(rest[0]), DayOf(rest[1])};
            } else if (kind == "D") {
                o.days[key] = rest.at(0);
            }
        }
        return o;
    }();
    return oracle;
}

// January days on which the oracle counts the day's star back from the 甲子 day that opens the
// rising stars after 冬至 (一白 the day before it, 二黑 the day before that …), where we go on with
// the falling stars from 夏至; it does so only in January (its December days go on falling): each
// year with the number of days from 1 January on.
constexpr std::pair<int, int> kStarsCountedBack[] = {
    {1906, 19}, {1929, 18}, {1940, 21}, {1952, 18}, {1963, 20},
    {1986, 19}, {2009, 18}, {2032, 18}, {2043, 20},
};

// Terms the oracle puts within seconds of midnight, which we put on the other side of it.
// (1951's 冬至: the oracle 00:00:01 on 23 December, we 23:59:53 on the 22nd; our 数九 of that
// winter starts a day earlier.)
const std::vector<std::string> kTermsOnAnotherDay = {"1951-12-23 00:00 23"};

int Digit(char c) {
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

// The 甲子 day nearest 夏至, from which the day stars fall.
int JiaziNearSummer(int year) {
    const int summer = ExactSolarTermDay(year, 11);
    const int pillar = (summer + 8) % 60;
    return summer + (pillar > 29 ? 60 - pillar : -pillar);
}

} // namespace

TEST(DayExtraOracle, TablesOfPillarsStemsAndBranches) {
    const Oracle& o = TheOracle();
    for (int p = 0; p < 60; ++p) {
        const std::vector<std::string>& f = o.pillars[p];
        ASSERT_EQ(f.size(), 9u) << p;
        std::string fetus = f[5];
        fetus[fetus.find('_')] = ' ';
        EXPECT_EQ(NaYinOf(p), f[0]) << p;
        EXPECT_EQ(kPengZuStemLines[p % 10], f[1]) << p;
        EXPECT_EQ(kPengZuBranchLines[p % 12], f[2]) << p;
        EXPECT_EQ(ClashText(p), f[3] + f[4]) << p;
        EXPECT_EQ(kFetusGods[p], fetus) << p;
        EXPECT_EQ(kFortuneGodDirections[p % 10], f[6]) << p;
        EXPECT_EQ(kYangNobleDirections[p % 10], f[7]) << p;
        EXPECT_EQ(kYinNobleDirections[p % 10], f[8]) << p;
    }
}

TEST(DayExtraOracle, EveryTermWithinTwoMinutes) {
    const Oracle& o = TheOracle();
    ASSERT_EQ(o.terms.size(), 150u * 24u);
    double largest = 0;
    std::string where;
    for (const auto& [key, time] : o.terms) {
        const double seconds = std::abs(ExactSolarTermTime(key.first, key.second) - time) * 86400.0;
        if (seconds > largest) {
            largest = seconds;
            where = std::to_string(key.first) + " term " + std::to_string(key.second);
        }
    }
    // A term within seconds of midnight may fall on the day before or after the oracle's.
    std::vector<std::string> otherDay;
    for (const auto& [key, time] : o.terms)
        if (ExactSolarTermDay(key.first, key.second) != DayNumber(time))
            otherDay.push_back(TermTimeText(time) + " " + std::to_string(key.second));
    EXPECT_EQ(otherDay, kTermsOnAnotherDay);
    std::printf("largest difference of %zu terms: %.1f s (%s)\n", o.terms.size(), largest, where.c_str());
    EXPECT_LE(largest, 120.0);
}

// The oracle's month (and the year of the nine stars) changes on the day the Sun reaches the
// month's opening term; ours follows the pillars the calendar shows, which change on the day of
// the mean-year term. Between the two days the month-bound values differ, and only there.
TEST(DayExtraOracle, EveryDayOf1901To2050) {
    const Oracle& o = TheOracle();
    ASSERT_EQ(o.days.size(), 150u);
    int days = 0, termMonthDays = 0;
    std::map<int, int> countedBack;
    for (const auto& [year, digits] : o.days) {
        ASSERT_EQ(digits.size(), 6u * (IsLeapYear(year) ? 366 : 365)) << year;
        const DateTimeValue first = EncodeDate(year, 1, 1);
        for (std::size_t i = 0; i * 6 < digits.size(); ++i, ++days) {
            const DateTimeValue date = first + static_cast<double>(i);
            const DayExtra extra = DayExtraOf(date);
            const char* d = digits.c_str() + i * 6;
            const int dayBranch = extra.dayCount % 12;
            const int oracleMonthBranch = Digit(d[3]);
            SCOPED_TRACE(TermTimeText(date));
            EXPECT_EQ(extra.mansion, Digit(d[0]));
            if (extra.dayStar != Digit(d[2])) {
                const int winter = ExactSolarTermDay(year - 1, 23);
                const int pillar = (winter + 8) % 60;
                const int rising = winter + (pillar > 29 ? 60 - pillar : -pillar);
                const int today = DayNumber(date);
                EXPECT_EQ(Digit(d[2]), (8 + rising - today) % 9);
                EXPECT_EQ(extra.dayStar, 8 - (today - JiaziNearSummer(year - 1)) % 9);
                ++countedBack[year];
            }
            EXPECT_EQ(DutyGodIndex(oracleMonthBranch, dayBranch), Digit(d[1]));
            if (extra.monthCount % 12 == oracleMonthBranch) {
                EXPECT_EQ(extra.dutyGod, Digit(d[1]));
                EXPECT_EQ(extra.yearStar, Digit(d[4]));
                EXPECT_EQ(extra.monthStar, Digit(d[5]));
                continue;
            }
            ++termMonthDays;
            const YearMonthDay ymd = DecodeDate(date);
            const int opening = 2 * (ymd.month - 1);
            const int meanDay = DayNumber(SolarTermTime(year, opening));
            const int sunDay = DayNumber(o.terms.at({year, opening}));
            const int today = DayNumber(date);
            EXPECT_TRUE(today >= std::min(meanDay, sunDay) && today < std::max(meanDay, sunDay));
        }
    }
    EXPECT_EQ(days, 54787);
    EXPECT_EQ(countedBack, (std::map<int, int>(std::begin(kStarsCountedBack), std::end(kStarsCountedBack))));
    std::printf("days whose month differs by the mean-year terms: %d\n", termMonthDays);
}

TEST(DayExtraOracle, DogDaysAndNineNinesOfEveryDay) {
    const Oracle& o = TheOracle();
    for (int year = 1901; year <= 2050; ++year) {
        const std::vector<int>& fu = o.dogDayBounds.at(year);
        ASSERT_EQ(fu.size(), 4u);
        const std::array<int, 3> ends = {fu[1], fu[2], fu[3] + 1};
        const auto [nineFirst, nineLast] = o.nineNines.at(year);
        ASSERT_EQ(nineLast - nineFirst, 80);
        // Our 冬至 of 1951 is a day before the oracle's (see kTermsOnAnotherDay).
        const int ourNineFirst = nineFirst - (year == 1951 ? 1 : 0);
        EXPECT_EQ(ExactSolarTermDay(year, 23), ourNineFirst);
        for (int day = DayNumber(EncodeDate(year, 1, 1)); day <= DayNumber(EncodeDate(year, 12, 31)); ++day) {
            PeriodDay expected;
            for (int period = 0; period < 3; ++period)
                if (day >= fu[period] && day < ends[period])
                    expected = {period, day - fu[period] + 1, ends[period] - fu[period]};
            EXPECT_EQ(DogDaysOf(day), expected) << year << " day " << day;
        }
        // The nine nines run from 冬至 over 81 days into the next year; the day before is in none.
        EXPECT_EQ(NineNinesOf(ourNineFirst - 1).period, -1) << year;
        for (int k = 0; k < 90; ++k) {
            const PeriodDay expected = k < 81 ? PeriodDay{k / 9, k % 9 + 1, 9} : PeriodDay{};
            EXPECT_EQ(NineNinesOf(ourNineFirst + k), expected) << year << " day " << k;
        }
    }
}
