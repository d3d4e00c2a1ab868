// Runs the built qingjian-cli as a user would and reads what it prints.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Result RunCli(const std::vector<std::string>& args) {
    const auto dir = std::filesystem::temp_directory_path() / ("qj-cli-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string command = ShellQuote(QJ_CLI_PATH);
    for (const auto& a : args)
        command += " " + ShellQuote(a);
    command += " >" + ShellQuote((dir / "out").string()) + " 2>" + ShellQuote((dir / "err").string()) +
               " </dev/null";
    const int raw = std::system(command.c_str());
    Result r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFile(dir / "out");
    r.err = ReadFile(dir / "err");
    std::filesystem::remove_all(dir);
    return r;
}

std::vector<std::string> KeysOf(const std::string& line) {
    std::vector<std::string> keys;
    static const std::regex key(R"re("([a-z_]+)":)re");
    for (auto it = std::sregex_iterator(line.begin(), line.end(), key); it != std::sregex_iterator(); ++it)
        keys.push_back((*it)[1]);
    return keys;
}

bool Has(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

} // namespace

TEST(Cli, DayReportsEveryKeyInOrder) {
    const Result r = RunCli({"day", "2006-05-01", "--hour-index", "6"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = r.Lines();
    ASSERT_EQ(lines.size(), 1u);
    const std::string& line = lines[0];
    const std::vector<std::string> keys = {"date",
                                           "weekday",
                                           "lunar_code",
                                           "lunar_year",
                                           "lunar_month",
                                           "lunar_day",
                                           "lunar_text",
                                           "year_count",
                                           "month_count",
                                           "day_count",
                                           "pillars",
                                           "void",
                                           "solar_term",
                                           "solar_festival",
                                           "lunar_festival",
                                           "officer_index",
                                           "officer",
                                           "almanac",
                                           "month_term_note_prefix",
                                           "captions",
                                           "gregorian",
                                           "lunar",
                                           "pillar",
                                           "extra",
                                           "na_yin",
                                           "year",
                                           "month",
                                           "day",
                                           "hour",
                                           "clash",
                                           "peng_zu",
                                           "mansion",
                                           "mansion_luck",
                                           "duty_god",
                                           "duty_god_path",
                                           "nine_stars",
                                           "year",
                                           "month",
                                           "day",
                                           "fetus_god",
                                           "fortune_god",
                                           "yang_noble",
                                           "yin_noble",
                                           "dog_days",
                                           "nine_nines",
                                           "exact_solar_term",
                                           "holiday"};
    EXPECT_EQ(KeysOf(line), keys);
    for (
        const char* part : {
            R"j("date":"2006-05-01","weekday":1,"lunar_code":404,"lunar_year":2006,"lunar_month":4,"lunar_day":4,)j",
            R"j("lunar_text":"四月初四","year_count":142,"month_count":1288,"day_count":38846,)j",
            R"j("pillars":"丙戌 壬辰 庚寅 壬午","void":"午未","solar_term":"",)j",
            R"j("solar_festival":" 国际劳动节","lunar_festival":" 文殊菩萨圣诞","officer_index":10,)j",
            R"j("officer":"开日：[吉日]开始、开展的日子。\r\n　宜：)j",
            R"j("almanac":"庚寅日： 喜神西北　鹤神正北　财神正东　空亡未申　吉时：子丑辰巳",)j",
            R"j("month_term_note_prefix":"四月立夏",)j",
            R"j("captions":{"gregorian":"公历: 2006年 5月 1日","lunar":"农历: 丙戌(狗) 四月初四日午时",)j",
            R"j("pillar":"丙戌 壬辰 庚寅 壬午 (午未 空)"},"extra":{)j",
            R"j("na_yin":{"year":"屋上土","month":"长流水","day":"松柏木","hour":"杨柳木"},)j",
            R"j("clash":"冲猴(甲申)煞北","peng_zu":["庚不经络织机虚张","寅不祭祀神鬼不尝"],)j",
            R"j("mansion":"心","mansion_luck":"凶","duty_god":"司命","duty_god_path":"黄道",)j",
            R"j("nine_stars":{"year":"三碧木星","month":"三碧木星","day":"三碧木星"},)j",
            R"j("fetus_god":"碓磨炉 外正北","fortune_god":"西南","yang_noble":"正南","yin_noble":"东北",)j",
            R"j("dog_days":"","nine_nines":"","exact_solar_term":null,"holiday":null}})j",
        })
        EXPECT_TRUE(Has(line, part)) << part << "\nin " << line;
}

TEST(Cli, DayWithTimeAndWithoutHour) {
    // On the day of 立夏 a time of day hides the term; no hour chosen uses the 子 hour.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"day", "2006-05-06", "--time", "08:00:00"},
          std::vector<std::string>{"day", "--time=08:00:00", "2006-05-06"}}) {
        const Result r = RunCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(Has(r.out, R"j("solar_term":"")j"));
        EXPECT_TRUE(Has(r.out, R"j("lunar":"农历: 丙戌(狗) 四月初九日")j"));
        EXPECT_TRUE(Has(r.out, R"j("pillars":"丙戌 癸巳 乙未 丙子")j"));
    }
    const Result whole = RunCli({"day", "2006-05-06"});
    EXPECT_TRUE(Has(whole.out, R"j("solar_term":"立夏")j"));
    // 立春 2006 is at 06:01:13: the year pillar changes with it.
    EXPECT_TRUE(Has(RunCli({"day", "2006-02-04", "--time", "06:01:13"}).out, R"j("year_count":141,)j"));
    EXPECT_TRUE(Has(RunCli({"day", "2006-02-04", "--time", "06:01:14"}).out, R"j("year_count":142,)j"));
    // The last hour, minute and second of a day exist (the ones after them are refused below).
    for (const char* time : {"23:59:59", "08:59:00", "08:00:59", "00:00:00"})
        EXPECT_EQ(RunCli({"day", "2006-05-06", "--time", time}).status, 0) << time;
}

// 23:00 and later is the 子 hour that starts the next day's cycle: the pillars field and the pillar
// caption of one call name the same hour pillar, chosen or not, on both sides of 23:00.
TEST(Cli, DayPillarsAndPillarCaptionNameTheSameHour) {
    const struct {
        const char* time;
        const char* hourIndex;
        const char* hourPillar;
    } cases[] = {
        {"22:59:59", "0", "丙子"},  {"23:00:00", "0", "戊子"},  {"23:59:59", "0", "戊子"},
        {"23:59:59", "-1", "戊子"}, {"22:59:59", "-1", "丙子"}, {"23:59:59", "1", "丁丑"},
        {"00:00:00", "0", "丙子"},
    };
    static const std::regex pillars(R"re("pillars":"[^ ]+ [^ ]+ [^ ]+ ([^"]+)")re");
    static const std::regex caption(R"re("pillar":"[^ ]+ [^ ]+ [^ ]+ ([^ ]+) \()re");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.time) + " " + c.hourIndex);
        const Result r = RunCli({"day", "2006-01-01", "--time", c.time, "--hour-index", c.hourIndex});
        ASSERT_EQ(r.status, 0) << r.err;
        std::smatch field, shown;
        ASSERT_TRUE(std::regex_search(r.out, field, pillars)) << r.out;
        ASSERT_TRUE(std::regex_search(r.out, shown, caption)) << r.out;
        EXPECT_EQ(field[1], c.hourPillar);
        EXPECT_EQ(shown[1], c.hourPillar);
    }
}

TEST(Cli, DaysWritesOneLinePerDay) {
    const Result r = RunCli({"days", "2006-01-28", "2006-01-30"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = r.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(Has(lines[0], R"j("date":"2006-01-28")j"));
    EXPECT_TRUE(Has(lines[1], R"j("date":"2006-01-29")j"));
    EXPECT_TRUE(Has(lines[1], R"j("lunar_festival":" 春节, 弥勒佛圣诞!")j"));
    EXPECT_TRUE(Has(lines[2], R"j("date":"2006-01-30")j"));
    const Result all = RunCli({"days", "1901-01-01", "2050-12-31"});
    ASSERT_EQ(all.status, 0);
    EXPECT_EQ(all.Lines().size(), 54787u);
}

TEST(Cli, LunarDates) {
    const Result one = RunCli({"lunar-to-solar", "2006", "-7", "1"});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out, "{\"year\":2006,\"month\":-7,\"day\":1,\"date\":\"2006-08-24\"}\n");

    const Result year = RunCli({"lunar-days", "2006", "2006"});
    ASSERT_EQ(year.status, 0) << year.err;
    const auto lines = year.Lines();
    ASSERT_EQ(lines.size(), 385u);
    EXPECT_EQ(lines.front(), R"j({"year":2006,"month":1,"day":1,"date":"2006-01-29"})j");
    EXPECT_EQ(lines.back(), R"j({"year":2006,"month":12,"day":30,"date":"2007-02-17"})j");
    // The leap month follows its namesake: 七月 has 30 days here, then 闰七月初一.
    const std::string leapStart = R"j({"year":2006,"month":-7,"day":1,"date":"2006-08-24"})j";
    size_t found = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i] == leapStart) {
            found = i;
            EXPECT_EQ(lines[i - 1], R"j({"year":2006,"month":7,"day":30,"date":"2006-08-23"})j");
        }
    }
    EXPECT_GT(found, 0u);
}

TEST(Cli, BadInputFailsWithStatusTwoAndNoOutput) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"no-such-command"},
        {"day"},
        {"day", "2006-02-30"},
        {"day", "1900-12-31"},
        {"day", "2051-01-01"},
        {"day", "2006-5-1"},
        {"day", "2006-05-01", "2006-05-02"},
        {"day", "2006-05-01", "--hour-index", "12"},
        {"day", "2006-05-01", "--hour-index", "-2"},
        {"day", "2006-05-01", "--hour-index", "x"},
        {"day", "2006-05-01", "--hour-index"},
        {"day", "2006-05-01", "--time", "24:00:00"},
        {"day", "2006-05-01", "--time", "25:00:00"},
        {"day", "2006-05-01", "--time", "08:60:00"},
        {"day", "2006-05-01", "--time", "08:00:60"},
        {"day", "2006-05-01", "--time", "08:99:99"},
        {"day", "2006-05-01", "--time", "8:00"},
        {"day", "2006-05-01", "--bogus", "1"},
        {"day", "2006-05-01", "-x"},
        {"days", "2006-05-02", "2006-05-01"},
        {"days", "2050-12-31", "2051-01-01"},
        {"lunar-to-solar", "2006", "-8", "1"},
        {"lunar-to-solar", "2006", "0", "1"},
        {"lunar-to-solar", "2006", "1", "0"},
        {"lunar-to-solar", "2006", "-7", "30"},
        {"lunar-to-solar", "2100", "1", "1"},
        {"lunar-to-solar", "2006", "1"},
        {"lunar-days", "1900", "1901"},
        {"lunar-days", "2000", "1999"},
        {"lunar-days", "2099", "2100"},
        {"holidays"},
        {"holidays", "1900"},
        {"holidays", "2051"},
        {"holidays", "2007"}, // before the first arranged year
        {"holidays", "2024", "2025"},
        // Arguments that are not UTF-8 would reach the JSON output as they are.
        {"notes", "search", "no-such.dat", "\xFF\xFE"},
        {"notes", "tree", "no-such.dat", "\xD1\xA7\xCF"},
        {"day", "2006-05-01", "--bogus\x80", "1"},
    };
    for (const auto& args : cases) {
        std::string shown;
        for (const auto& a : args)
            shown += a + " ";
        const Result r = RunCli(args);
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_FALSE(r.err.empty()) << shown;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << shown << r.err; // one line
    }
}

TEST(Cli, HelpListsTheCommands) {
    const Result r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* name : {"day YYYY-MM-DD", "days ", "lunar-to-solar ", "lunar-days ", "holidays YEAR"})
        EXPECT_TRUE(Has(r.out, name)) << name;
}

// The shipped arrangements and a data folder's own files: a sound one adds its year, a faulty one
// is named on standard error and changes nothing.
TEST(Cli, HolidaysOfTheShippedFileAndTheDataFolder) {
    const Result shipped = RunCli({"holidays", "2024"});
    ASSERT_EQ(shipped.status, 0) << shipped.err;
    EXPECT_EQ(shipped.err, "");
    EXPECT_EQ(shipped.Lines().size(), 38u);
    EXPECT_EQ(shipped.Lines().at(1), R"j({"date":"2024-02-04","weekday":0,"kind":"班","name":"春节"})j");
    EXPECT_TRUE(Has(RunCli({"day", "2024-02-10"}).out, R"j("holiday":{"kind":"休","name":"春节"}})j"));

    const auto folder =
        std::filesystem::temp_directory_path() / ("qj-cli-holidays-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "holidays-2027.txt") << "year 2027\n2027-02-05..2027-02-11 休 春节\n";
    std::ofstream(folder / "holidays-2028.txt") << "year 2028\n2028-01-01 放 元旦\n";
    const std::string bad =
        "qingjian-cli: 节假日文件 holidays-2028.txt 有误，未采用：第2行：日期后应为“休”或“班”，而不是“放”\n";
    const Result added = RunCli({"holidays", "2027", "--data-folder", folder.string()});
    EXPECT_EQ(added.status, 0);
    EXPECT_EQ(added.err, bad);
    EXPECT_EQ(added.Lines().size(), 7u);
    const Result refused = RunCli({"holidays", "2028", "--data-folder", folder.string()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
              bad + "qingjian-cli holidays: no holiday arrangement for 2028 (the files arrange 2008–2027)\n");
    EXPECT_TRUE(Has(RunCli({"day", "2027-02-05", "--data-folder", folder.string()}).out,
                    R"j("holiday":{"kind":"休","name":"春节"}})j"));
    std::filesystem::remove_all(folder);
}

// The calendar file of holidays and 纪念日: it validates (tests/calendar/core/check_ics.py, and
// Python's icalendar where installed), and a second export has the same UIDs.
TEST(Cli, CalendarIcsValidatesAndKeepsItsUids) {
    const auto folder = std::filesystem::temp_directory_path() / ("qj-cli-ics-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "reminders.txt")
        << "grandma\t农历\t闰4\t8\t闰月\t廿九\t2月28日\t3\t外婆生日, 家宴\t带蛋糕;早到\n"
           "leap\t公历\t2\t29\t闰月\t廿九\t3月1日\t0\t闰日\t\n";
    const std::vector<std::string> args = {"calendar", "ics",        "--from",      "2020",         "--to",
                                           "2025",     "--holidays", "--reminders", folder.string()};
    const Result first = RunCli(args);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "");
    std::ofstream(folder / "out.ics", std::ios::binary) << first.out;
    // 6 years: 6 + 6 reminder days and the 217 holiday days of 2020–2025.
    const std::string check = "/usr/bin/python3 " QJ_SOURCE_DIR "/tests/calendar/core/check_ics.py " +
                              (folder / "out.ics").string() + " --expect-events 229 > " +
                              (folder / "uids").string();
    EXPECT_EQ(std::system(check.c_str()), 0);
    EXPECT_NE(first.out.find("UID:reminder-grandma-2020@qingjian\r\n"), std::string::npos);
    EXPECT_NE(first.out.find("UID:holiday-20240210@qingjian\r\n"), std::string::npos);
    EXPECT_NE(first.out.find("SUMMARY:外婆生日\\, 家宴\r\n"), std::string::npos);
    const Result second = RunCli(args);
    const std::regex stamp("DTSTAMP:[0-9T]+Z");
    EXPECT_EQ(std::regex_replace(second.out, stamp, ""), std::regex_replace(first.out, stamp, ""));
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"calendar", "ics", "--from", "2020", "--to", "2025"},
          std::vector<std::string>{"calendar", "ics", "--from", "2026", "--to", "2025", "--holidays"},
          std::vector<std::string>{"calendar", "ics", "--from", "1900", "--to", "2025", "--holidays"},
          std::vector<std::string>{"calendar", "ics", "--from", "2020", "--to", "2051", "--holidays"},
          std::vector<std::string>{"calendar", "ics", "--to", "2025", "--holidays"},
          std::vector<std::string>{"calendar", "list"},
          std::vector<std::string>{"calendar", "ics", "--from", "2020", "--to", "2025", "--reminders",
                                   "/no/such"}}) {
        const Result r = RunCli(bad);
        EXPECT_EQ(r.status, 2) << bad.back();
        EXPECT_EQ(r.out, "");
    }
    std::ofstream(folder / "reminders.txt") << "x\t农历\t13\t1\t闰月\t廿九\t2月28日\t0\t坏\t\n";
    const Result refused = RunCli(args);
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("第1行：没有“农历13月1日”这个日子"), std::string::npos);
    std::filesystem::remove_all(folder);
}
