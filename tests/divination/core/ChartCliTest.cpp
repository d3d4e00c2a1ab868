// Runs the built qingjian-cli with the chart commands and checks what it writes.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ShellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

RunResult RunCli(const std::vector<std::string>& args) {
    char errPath[] = "/tmp/qj_chart_cli_XXXXXX";
    const int fd = mkstemp(errPath);
    close(fd);
    std::string command = ShellQuoted(QJ_CLI_PATH);
    for (const std::string& a : args)
        command += " " + ShellQuoted(a);
    command += " 2>" + std::string(errPath);
    RunResult r;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        r.out.append(buffer, n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errPath);
    r.err.assign(std::istreambuf_iterator<char>(err), {});
    std::remove(errPath);
    return r;
}

QJsonObject RunChart(const std::vector<std::string>& args) {
    const RunResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out;
    return doc.object();
}

std::string Str(const QJsonValue& v) {
    return v.toString().toStdString();
}

TEST(ChartCli, SpecifiedChartWritesEveryKeyInOrder) {
    const RunResult r = RunCli({"chart", "--upper", "1", "--lower", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    size_t last = 0;
    for (const char* key : {"upper", "lower", "moving", "day_stem", "day_branch", "method", "primary",
                            "changed", "rows", "hidden_hint_enabled", "shensha", "date_texts", "report"}) {
        const size_t at = r.out.find("\"" + std::string(key) + "\":");
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, last) << key;
        last = at;
    }
    const QJsonObject o = RunChart({"chart", "--upper", "1", "--lower", "5"});
    EXPECT_EQ(o["moving"].toInt(), 6);
    EXPECT_EQ(o["day_stem"].toInt(), 7); // 2006-05-01 is a 庚寅 day
    EXPECT_EQ(o["day_branch"].toInt(), 3);
    EXPECT_EQ(Str(o["method"]), "指定起卦");
    const QJsonObject primary = o["primary"].toObject();
    EXPECT_EQ(Str(primary["label"]), "天风姤 [乾宫卦属金]");
    EXPECT_EQ(primary["hexagram"].toInt(), 2);
    EXPECT_EQ(primary["palace"].toInt(), 1);
    EXPECT_EQ(primary["position"].toInt(), 2);
    EXPECT_EQ(Str(primary["hint"]).find("\r\n天风姤："), Str(primary["hint"]).find("\r\n"));
    const QJsonArray rows = o["rows"].toArray();
    ASSERT_EQ(rows.size(), 6);
    const QJsonObject row4 = rows[4].toObject();
    EXPECT_EQ(row4.keys().size(), 11);
    EXPECT_EQ(Str(row4["hidden_najia"]), "甲寅木");
    EXPECT_EQ(Str(row4["hidden_relative"]), "妻财");
    EXPECT_EQ(Str(rows[0].toObject()["hidden_najia"]), "    ");
    EXPECT_EQ(Str(rows[5].toObject()["shiying"]), "世");
    EXPECT_EQ(Str(rows[5].toObject()["spirit"]), "白虎");
    EXPECT_FALSE(o["hidden_hint_enabled"].toBool());
    const QJsonObject dates = o["date_texts"].toObject();
    EXPECT_EQ(Str(dates["gregorian"]), " 2006年 5月 1日");
    EXPECT_EQ(Str(dates["lunar"]), "丙戌(狗) 四月初四日");
    EXPECT_EQ(Str(dates["pillar"]), "丙戌年 壬辰月 庚寅日 丙子时 (午未 空)");
    const QJsonArray report = o["report"].toArray();
    ASSERT_EQ(report.size(), 19);
    EXPECT_EQ(Str(report[0]).rfind("断卦时间: ", 0), 0u);
    EXPECT_EQ(Str(report[1]), "起卦类别:    方式:指定起卦   姓名:   性别:");
    EXPECT_EQ(Str(report[2]), "占卦内容: 占");
    EXPECT_EQ(Str(report[17]), "天风姤：姤者，遇也，风云相济之卦，君臣会合之象。");
}

TEST(ChartCli, DateAndReportOptions) {
    const QJsonObject o =
        RunChart({"chart",      "--upper",      "0",  "--lower",    "8",    "--moving", "5",    "--date",
                  "2006-05-06", "--hour-index", "6",  "--category", "财运", "--method", "自选", "--name",
                  "张三",       "--sex",        "女", "--question", "问事", "--style",  "old"});
    EXPECT_EQ(o["upper"].toInt(), 8);
    EXPECT_EQ(o["lower"].toInt(), 8);
    EXPECT_EQ(o["day_stem"].toInt(), 2);
    EXPECT_EQ(Str(o["method"]), "自选");
    EXPECT_EQ(Str(o["changed"].toObject()["label"]), "地雷复 [坤宫卦属土]");
    EXPECT_EQ(Str(o["date_texts"].toObject()["lunar"]), "丙戌(狗) 四月初九立夏日午时");
    const QJsonArray report = o["report"].toArray();
    EXPECT_EQ(Str(report[1]), "起卦类别: 财运   方式:自选   姓名:张三   性别:女");
    EXPECT_EQ(Str(report[2]), "占卦内容: 问事");
    EXPECT_EQ(Str(report[14]), "           兄弟乙未土  X     妻财庚子水  /  世 青龙");
}

TEST(ChartCli, CoinLinesLeaveTheMovingPositionAtItsStart) {
    const QJsonObject o = RunChart({"chart", "--lines", "201311"});
    EXPECT_EQ(o["moving"].toInt(), 6);
    EXPECT_EQ(Str(o["method"]), "手摇起卦");
    const QJsonArray rows = o["rows"].toArray();
    const char* marks[] = {" X ", "/ /", " / ", " O ", " / ", " / "};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(Str(rows[row].toObject()["line"]), marks[row]) << row;
    EXPECT_EQ(Str(o["primary"].toObject()["label"]), "雷天大壮 [坤宫卦属土]");
    EXPECT_EQ(Str(o["changed"].toObject()["label"]), "火泽睽 [艮宫卦属土]");
}

TEST(ChartCli, CastingsAgreeWithTheSpecifiedChartTheyAmountTo) {
    const QJsonObject numbers = RunChart({"cast", "numbers", "0009", "17"});
    EXPECT_EQ(Str(numbers["method"]), "数字起卦[0009/17]");
    QJsonObject specified = RunChart({"chart", "--upper", "1", "--lower", "1", "--moving", "2"});
    EXPECT_EQ(numbers["rows"], specified["rows"]);
    EXPECT_EQ(numbers["changed"], specified["changed"]);

    const QJsonObject withHour = RunChart({"cast", "numbers", "8", "16", "--hour", "23"});
    EXPECT_EQ(withHour["moving"].toInt(), 1);

    // 丙 year, 四月初九, 子 hour: 坤 over 乾, line 1 moving; the day becomes 乙未.
    const QJsonObject time =
        RunChart({"cast", "time", "--variant", "stem", "--date", "2006-05-06", "--hour-index", "0"});
    EXPECT_EQ(Str(time["method"]), "时间起卦[年干]");
    specified = RunChart({"chart", "--upper", "8", "--lower", "1", "--moving", "5", "--date", "2006-05-06",
                          "--hour-index", "0"});
    EXPECT_EQ(time["rows"], specified["rows"]);
    EXPECT_EQ(time["date_texts"], specified["date_texts"]);
    EXPECT_EQ(time["shensha"], specified["shensha"]);
    EXPECT_EQ(Str(RunChart({"cast", "time", "--variant", "branch"})["method"]), "时间起卦[年支]");
}

// A casting at 23:59 with the 子 hour reads the hour pillar the day command names for that time:
// the next day's 子 hour, in the date texts and in the report alike.
TEST(ChartCli, ALateRatHourCastingNamesTheDaysHourPillar) {
    for (auto [time, expected] : {std::pair{"23:59:59", "戊子"}, {"22:59:59", "丙子"}}) {
        SCOPED_TRACE(time);
        const QJsonObject day = RunChart({"day", "2006-01-01", "--time", time, "--hour-index", "0"});
        const QString hourPillar = day["pillars"].toString().split(QLatin1Char(' ')).last();
        EXPECT_EQ(hourPillar, QString::fromUtf8(expected));
        const QJsonObject cast = RunChart({"cast", "time", "--variant", "branch", "--date", "2006-01-01",
                                           "--time", time, "--hour-index", "0"});
        const QString pillarText = cast["date_texts"].toObject()["pillar"].toString();
        EXPECT_TRUE(pillarText.contains(hourPillar + QStringLiteral("时"))) << pillarText.toStdString();
        EXPECT_EQ(cast["report"].toArray()[5].toString(), QStringLiteral("干支农历: ") + pillarText);
    }
}

TEST(ChartCli, BadInputExitsWithStatusTwoAndOneLineOnStderr) {
    const std::vector<std::vector<std::string>> cases{
        {"chart", "--upper", "9", "--lower", "1"},
        {"chart", "--upper", "1"},
        {"chart", "--upper", "1", "--lower", "1", "--moving", "7"},
        {"chart", "--upper", "1", "--lower", "1", "--lines", "111111"},
        {"chart", "--lines", "11111"},
        {"chart", "--lines", "111114"},
        {"chart", "--upper", "1", "--lower", "1", "--date", "1900-12-31"},
        {"chart", "--upper", "1", "--lower", "1", "--date", "2051-01-01"},
        {"chart", "--upper", "1", "--lower", "1", "--date", "2006-02-30"},
        {"chart", "--upper", "1", "--lower", "1", "--hour-index", "12"},
        {"chart", "--upper", "1", "--lower", "1", "--style", "fancy"},
        {"chart", "--upper", "1", "--lower", "1", "--time", "25:00:00"},
        {"cast"},
        {"cast", "dice"},
        {"cast", "time"},
        {"cast", "time", "--variant", "moon"},
        {"cast", "numbers", "1.5", "2"},
        {"cast", "numbers", "-3", "2"},
        {"cast", "numbers", "2147483648", "2"},
        {"cast", "numbers", "1"},
        {"cast", "numbers", "1", "2", "--hour", "24"},
        {"chart", "--upper", "1", "--lower", "1", "--yongshen", "妻财"},
        {"chart", "--upper", "1", "--lower", "1", "--changed-palace", "own"},
        {"chart", "--upper", "1", "--lower", "1", "--analysis=yes"},
        {"chart", "--upper", "1", "--lower", "1", "--analysis", "--yongshen", "财"},
        {"chart", "--upper", "1", "--lower", "1", "--analysis", "--changed-palace", "mine"},
        {"chart", "--upper", "1", "--lower", "1", "--body", "shi"},
        {"chart", "--upper", "1", "--lower", "1", "--analysis", "--body", "year"},
        {"cast", "time", "--variant", "stem", "--analysis", "--yongshen", "世应"},
    };
    for (const auto& args : cases) {
        const RunResult r = RunCli(args);
        std::string shown;
        for (const auto& a : args)
            shown += a + " ";
        EXPECT_EQ(r.status, 2) << shown;
        EXPECT_TRUE(r.out.empty()) << shown << r.out;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << shown << r.err;
    }
}

// 增删卜易, 巳月己酉日占生子不存, 山火贲之天雷无妄: 2006-05-20 is a 己酉 day of the 巳 month.
TEST(ChartCli, AnalysisReadsTheChartAgainstItsDay) {
    const QJsonObject chart =
        RunChart({"chart", "--lines", "122301", "--date", "2006-05-20", "--analysis", "--yongshen", "子孙"});
    ASSERT_TRUE(chart.contains("analysis"));
    const QJsonObject a = chart["analysis"].toObject();
    EXPECT_EQ(a["month_branch"].toString(), QStringLiteral("巳"));
    EXPECT_EQ(a["day"].toString(), QStringLiteral("己酉"));
    EXPECT_EQ(a["void"].toString(), QStringLiteral("寅卯"));
    EXPECT_EQ(a["primary"].toObject()["harmony"].toString(), QStringLiteral("六合卦"));
    EXPECT_EQ(a["primary"].toObject()["mutual"].toObject()["name"].toString(), QStringLiteral("雷水解"));
    EXPECT_EQ(a["changed"].toObject()["name"].toString(), QStringLiteral("天雷无妄"));
    const QJsonArray lines = a["lines"].toArray();
    ASSERT_EQ(lines.size(), 6);
    const QJsonObject line3 = lines[3].toObject(); // line 6 first
    EXPECT_EQ(line3["line"].toInt(), 3);
    EXPECT_EQ(line3["month"].toString(), QStringLiteral("囚 月破"));
    EXPECT_EQ(line3["change"].toObject()["marks"].toString(), QStringLiteral("回头克 化墓"));
    EXPECT_TRUE(lines[5].toObject()["day_broken"].toBool());
    EXPECT_TRUE(lines[0].toObject()["change"].isNull());
    const QJsonObject yongshen = a["yongshen"].toObject();
    EXPECT_EQ(yongshen["place"].toString(), QStringLiteral("changed_line"));
    EXPECT_EQ(yongshen["hidden"].toObject()["line"].toInt(), 3);
    EXPECT_EQ(yongshen["choushen"].toArray(), QJsonArray({1, 6}));
    EXPECT_EQ(a["shensha"].toArray().size(), 9);
}

TEST(ChartCli, AnalysisOptionsOfEveryCommand) {
    // Without --yongshen no 用神; every name the option takes picks its 用神.
    EXPECT_FALSE(
        RunChart({"chart", "--upper", "1", "--lower", "1", "--analysis"})["analysis"].toObject().contains(
            "yongshen"));
    const struct {
        const char* option;
        const char* relative;
    } useGods[] = {{"兄弟", "兄弟"}, {"子孙", "子孙"}, {"妻财", "妻财"}, {"官鬼", "官鬼"},
                   {"父母", "父母"}, {"世", "父母"},   {"应爻", "父母"}};
    for (const auto& u : useGods) {
        const QJsonObject y = RunChart({"chart", "--upper", "1", "--lower", "1", "--analysis", "--yongshen",
                                        u.option})["analysis"]
                                  .toObject()["yongshen"]
                                  .toObject();
        EXPECT_EQ(y["relative"].toString(), QString::fromUtf8(u.relative)) << u.option;
    }
    // 乾之夬: the changed 未土 is 父母 against the 乾 palace, 兄弟 against 夬's own 坤 palace.
    const auto changedTop = [](const std::vector<std::string>& extra) {
        std::vector<std::string> args{"chart", "--upper", "1", "--lower", "1", "--moving", "0", "--analysis"};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunChart(args)["analysis"]
            .toObject()["lines"]
            .toArray()[0]
            .toObject()["change"]
            .toObject()["relative"]
            .toString();
    };
    EXPECT_EQ(changedTop({}), QStringLiteral("父母"));
    EXPECT_EQ(changedTop({"--changed-palace", "primary"}), QStringLiteral("父母"));
    EXPECT_EQ(changedTop({"--changed-palace", "own"}), QStringLiteral("兄弟"));
    // 乾为天's 卦身: 巳 (不上卦) by the month rule, 申 on line 5 by the 世身 rule.
    const auto body = [](const std::vector<std::string>& extra) {
        std::vector<std::string> args{"chart", "--upper", "1", "--lower", "1", "--analysis"};
        args.insert(args.end(), extra.begin(), extra.end());
        const QJsonObject a = RunChart(args)["analysis"].toObject();
        return a["body_rule"].toString() + QLatin1Char(' ') + a["primary"].toObject()["body"].toString();
    };
    EXPECT_EQ(body({}), QStringLiteral("month 巳"));
    EXPECT_EQ(body({"--body", "month"}), QStringLiteral("month 巳"));
    EXPECT_EQ(body({"--body", "shi"}), QStringLiteral("shi 申"));
    // The castings take --analysis too, and it adds nothing but the analysis.
    for (const std::vector<std::string>& cast :
         {std::vector<std::string>{"cast", "time", "--variant", "branch", "--date", "2006-05-20"},
          std::vector<std::string>{"cast", "numbers", "9", "1", "--date", "2006-05-20"}}) {
        QJsonObject plain = RunChart(cast);
        std::vector<std::string> withAnalysis = cast;
        withAnalysis.push_back("--analysis");
        QJsonObject analysed = RunChart(withAnalysis);
        ASSERT_TRUE(analysed.contains("analysis"));
        EXPECT_EQ(analysed["analysis"].toObject()["day"].toString(), QStringLiteral("己酉"));
        analysed.remove("analysis");
        plain.remove("report"); // its first line holds the time of the run
        analysed.remove("report");
        EXPECT_EQ(analysed, plain);
    }
}

} // namespace
