#include "calendar/core/Holidays.h"
#include "calendar/core/HolidayFiles.h"

#include "common/DateTime.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

using namespace qj;

namespace {

int Day(int y, int m, int d) {
    return DayNumber(EncodeDate(y, m, d));
}

HolidayFile ShippedFile() {
    std::ifstream in(QJ_HOLIDAYS_FILE, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return ParseHolidayFile(text.str());
}

std::string At(const HolidayCalendar& calendar, int y, int m, int d) {
    const HolidayDay* day = calendar.find(Day(y, m, d));
    return day ? std::string(DayOffText(day->kind)) + day->name : "";
}

} // namespace

// The shipped arrangements, from the State Council's notices: the days off and worked of a few
// years, their ends, and that every day worked is a Saturday or Sunday.
TEST(Holidays, ShippedArrangements) {
    const HolidayFile file = ShippedFile();
    ASSERT_EQ(file.error, "");
    HolidayCalendar calendar;
    calendar.add(file.years);
    std::vector<int> expectedYears;
    for (int y = 2008; y <= 2026; ++y)
        expectedYears.push_back(y);
    EXPECT_EQ(calendar.years(), expectedYears);
    struct Count {
        int year, rest, work;
    };
    for (const Count c : {Count{2020, 30, 6}, Count{2024, 30, 8}, Count{2025, 28, 5}, Count{2026, 33, 6}}) {
        int rest = 0, work = 0;
        for (const HolidayDay& day : *calendar.year(c.year))
            ++(day.kind == DayOff::Rest ? rest : work);
        EXPECT_EQ(rest, c.rest) << c.year;
        EXPECT_EQ(work, c.work) << c.year;
    }
    struct Case {
        int y, m, d;
        const char* expected;
    };
    const Case cases[] = {
        {2024, 2, 4, "班春节"},
        {2024, 2, 9, ""},
        {2024, 2, 10, "休春节"},
        {2024, 2, 17, "休春节"},
        {2024, 2, 18, "班春节"},
        {2024, 10, 12, "班国庆节"},
        {2020, 1, 19, "班春节"},
        {2020, 2, 1, "休春节"},
        {2020, 2, 2, "休春节"},
        {2020, 2, 3, ""},
        {2025, 1, 28, "休春节"},
        {2025, 10, 8, "休国庆节、中秋节"},
        {2025, 10, 11, "班国庆节、中秋节"},
        {2026, 2, 14, "班春节"},
        {2026, 2, 23, "休春节"},
        {2026, 2, 24, ""},
        {2007, 12, 29, "班元旦"},
        {2008, 1, 1, "休元旦"},
        {2015, 9, 3, "休抗战胜利纪念日"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(At(calendar, c.y, c.m, c.d), c.expected) << c.y << "-" << c.m << "-" << c.d;
    for (const int year : calendar.years()) {
        for (const HolidayDay& day : *calendar.year(year)) {
            if (day.kind == DayOff::Work) {
                EXPECT_TRUE(DayOfWeek(day.day) == 0 || DayOfWeek(day.day) == 6) << year << " day " << day.day;
            }
        }
    }
}

// A file with one fault is refused whole, with the fault's line; the sound variant of each
// limit is taken.
TEST(Holidays, FaultyFilesAreRefusedWhole) {
    const std::string good = "year 2030\n2030-01-01 休 元旦\n";
    struct Case {
        std::string text;
        const char* error; // empty: taken
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF# 注释\n\n" + good, ""},
        {good + "2030-02-01..2030-03-03 休 长假\n", ""}, // 31 days
        {good + "2030-02-01..2030-03-04 休 长假\n",
         "第3行：日期段“2030-02-01..2030-03-04”应从前往后，且不超过 31 天"},
        {good + "2030-02-02..2030-02-01 休 春节\n", "第3行：日期段“2030-02-02..2030-02-01”应从前往后"},
        {"year 2030\n2029-12-01 班 元旦\n", ""},
        {"year 2030\n2029-11-30 班 元旦\n", "第2行：日期“2029-11-30”不属于 2030 年的安排"},
        {"year 2030\n2031-01-01 休 元旦\n", "第2行：日期“2031-01-01”不属于 2030 年的安排"},
        {"year 1901\n1900-12-31 休 元旦\n", ""},
        {"year 2050\n2050-12-31 休 元旦\n", ""},
        {"year 1900\n1900-01-01 休 元旦\n", "第1行：年份 1900 不在 1901–2050 之内"},
        {"year 2051\n2051-01-01 休 元旦\n", "第1行：年份 2051 不在 1901–2050 之内"},
        {"year 20x0\n", "第1行：年份“20x0”不是一个数"},
        {"year\n", "第1行：年份“”不是一个数"},
        {"2030-01-01 休 元旦\n", "第1行：日期之前缺少“year 年份”一行"},
        {"year 2030\n2030-02-30 休 春节\n", "第2行：日期“2030-02-30”不对"},
        {"year 2030\n2030-1-1 休 元旦\n", "第2行：日期“2030-1-1”不对"},
        {"year 2030\n2030-01-01..2030-01-0x 休 元旦\n", "第2行：日期“2030-01-0x”不对"},
        {"year 2030\n2030-01-01 放 元旦\n", "第2行：日期后应为“休”或“班”，而不是“放”"},
        {"year 2030\n2030-01-01 休\n", "第2行：缺少节日名称"},
        {good + "2029-12-31..2030-01-01 休 元旦\n",
         "第3行：日期“2029-12-31..2030-01-01”中有一天前面已经安排过"},
        {good + "year 2030\n", "第3行：年份 2030 前面已经出现过"},
        {"year 2030\nyear 2031\n2031-01-01 休 元旦\n", "第1行：年份 2030 没有任何日期"},
        {good + "year 2031\n", "第3行：年份 2031 没有任何日期"},
        {"# 只有注释\n", "文件里没有任何年份的安排"},
        {"year 2030\n2030-01-01 休 \xB4\xBA\xBD\xDA\n", "文件不是 UTF-8 文本"}, // GBK 春节
        {"year 2030\n2030-01-01 \xE4\xBC 元旦\n", "文件不是 UTF-8 文本"},       // cut short
    };
    for (const Case& c : cases) {
        const HolidayFile file = ParseHolidayFile(c.text);
        SCOPED_TRACE(c.text);
        if (*c.error == '\0') {
            EXPECT_EQ(file.error, "");
            EXPECT_FALSE(file.years.empty());
        } else {
            EXPECT_EQ(file.error.substr(0, std::string(c.error).size()), c.error);
            EXPECT_TRUE(file.years.empty());
        }
    }
}

// A later file's year replaces the whole year; other years stay; a year's December days that a
// later year arranges too are the later year's.
TEST(Holidays, LaterFilesReplaceWholeYears) {
    HolidayCalendar calendar;
    EXPECT_TRUE(calendar.empty());
    calendar.add(ParseHolidayFile("year 2030\n2030-01-01..2030-01-02 休 元旦\n2030-12-31 休 跨年\n"
                                  "year 2031\n2031-01-01 休 元旦\n")
                     .years);
    calendar.add(ParseHolidayFile("year 2030\n2030-01-01 休 新元旦\n").years);
    EXPECT_EQ(At(calendar, 2030, 1, 1), "休新元旦");
    EXPECT_EQ(At(calendar, 2030, 1, 2), "");
    EXPECT_EQ(At(calendar, 2030, 12, 31), "");
    EXPECT_EQ(At(calendar, 2031, 1, 1), "休元旦");
    calendar.add(ParseHolidayFile("year 2032\n2031-12-31 班 元旦\n").years);
    calendar.add(ParseHolidayFile("year 2031\n2031-12-31 休 除夕\n").years);
    EXPECT_EQ(At(calendar, 2031, 12, 31), "班元旦");
    EXPECT_EQ(calendar.year(2029), nullptr);
    EXPECT_EQ(calendar.years(), (std::vector<int>{2030, 2031, 2032}));
}

// The shipped file and the user's holidays-*.txt in name order; a faulty, oversized or unreadable
// file is named and left out, and other names are not read.
TEST(Holidays, FilesOfTheDataFolder) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("qj-holidays-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const auto write = [&](const char* name, const std::string& text) {
        std::ofstream(folder / name) << text;
    };
    write("holidays-2027.txt", "year 2027\n2027-01-01 休 元旦\n");
    write("holidays-2027b.txt", "year 2027\n2027-01-01 班 调换\n");
    write("holidays-bad.txt", "year 2028\n2028-01-01 休 元旦\n2028-02-30 休 春节\n");
    write("holidays-big.txt", "#" + std::string(kLargestHolidayFile, 'x'));
    write("holidays.txt.bak", "year 2029\n2029-01-01 休 元旦\n");
    write("holidays-.txt", "year 2029\n2029-01-01 休 元旦\n");
    fs::create_directory(folder / "holidays-dir.txt");
    const HolidayLoad load = LoadHolidayFiles(QJ_HOLIDAYS_FILE, folder);
    EXPECT_EQ(load.refused,
              (std::vector<std::string>{
                  "节假日文件 holidays-bad.txt 有误，未采用：第3行：日期“2028-02-30”不对（应写作 "
                  "YYYY-MM-DD，且确有这一天）",
                  "节假日文件 holidays-big.txt 有误，未采用：文件太大（超过 1 MB）"}));
    EXPECT_EQ(At(load.calendar, 2027, 1, 1), "班调换");
    EXPECT_EQ(At(load.calendar, 2028, 1, 1), "");
    EXPECT_EQ(At(load.calendar, 2029, 1, 1), "");
    EXPECT_EQ(At(load.calendar, 2024, 2, 10), "休春节");

    // Without the shipped file there are only the user's; an unreadable file is named.
    const HolidayLoad missing = LoadHolidayFiles(folder / "holidays.txt", folder / "no-such-folder");
    EXPECT_EQ(missing.refused, std::vector<std::string>{});
    EXPECT_TRUE(missing.calendar.empty());
    const HolidayLoad unreadable = LoadHolidayFiles(folder / "holidays-dir.txt", "");
    EXPECT_EQ(unreadable.refused,
              (std::vector<std::string>{"节假日文件 holidays-dir.txt 有误，未采用：读不到这个文件"}));
    fs::remove_all(folder);
}
