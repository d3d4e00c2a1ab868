// qingjian-cli month: one line per day cell of the grid, checked against the grid rules of the core.
#include "calendar/core/MonthGrid.h"
#include "cli/Json.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct Result {
    int status = -1;
    std::vector<std::string> lines;
    std::string err;
};

Result RunMonthCli(const std::string& args) {
    const std::string command = std::string("'") + QJ_CLI_PATH + "' " + args + " 2>/dev/null";
    Result r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return r;
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        r.lines.push_back(line);
    return r;
}

const char* ColourName(qj::CellColour colour) {
    static const char* const names[] = {"plain", "new_moon", "term", "sunday", "saturday", "today"};
    return names[static_cast<int>(colour)];
}

TEST(MonthCli, OneLinePerCellInRowOrderAsTheGridPaintsIt) {
    struct Case {
        int year, month, start;
        const char* today;
        qj::DateTimeValue todayValue;
    };
    const Case cases[] = {
        {2006, 5, 0, "2006-05-06", qj::EncodeDate(2006, 5, 6)},
        {2006, 8, 1, "2006-08-24", qj::EncodeDate(2006, 8, 24)},
        {2008, 1, 6, "2000-01-01", qj::EncodeDate(2000, 1, 1)},
        {1900, 2, 0, "1900-02-01", qj::EncodeDate(1900, 2, 1)},
    };
    for (const Case& c : cases) {
        char args[96];
        std::snprintf(args, sizeof args, "month %04d-%02d --start-of-week %d --today %s", c.year, c.month,
                      c.start, c.today);
        SCOPED_TRACE(args);
        const Result r = RunMonthCli(args);
        ASSERT_EQ(r.status, 0);
        ASSERT_EQ(r.lines.size(), 42u);
        size_t i = 0;
        for (int row = 1; row <= 6; ++row)
            for (int col = 0; col < 7; ++col) {
                const qj::DayCellLook cell = qj::DayCell(c.year, c.month, c.start, col, row, c.todayValue);
                qj::cli::JsonWriter json;
                json.BeginObject()
                    .Field("row", row)
                    .Field("col", col)
                    .Field("day", cell.day)
                    .Field("text", cell.text)
                    .Field("colour", ColourName(cell.Winning(false)))
                    .Field("festival", cell.festival)
                    .EndObject();
                EXPECT_EQ(r.lines[i++], json.Text());
            }
    }
}

TEST(MonthCli, KnownCells) {
    const Result r = RunMonthCli("month 2008-01 --today 2008-01-09");
    ASSERT_EQ(r.status, 0);
    // 2008-01-01 is a Tuesday: row 1 starts with two empty cells.
    EXPECT_EQ(r.lines[0], R"({"row":1,"col":0,"day":0,"text":"","colour":"plain","festival":false})");
    EXPECT_EQ(r.lines[9],
              R"({"row":2,"col":2,"day":8,"text":"`8 蜡月","colour":"new_moon","festival":true})");
    EXPECT_EQ(r.lines[10],
              R"({"row":2,"col":3,"day":9,"text":"9   初二","colour":"today","festival":false})");
}

TEST(MonthCli, BadInputFailsWithStatusTwoAndNoOutput) {
    for (const char* args :
         {"month", "month 2006-13", "month 2006-5", "month 06-05", "month 2006-05 --start-of-week 7",
          "month 2006-05 --today 2006-02-30", "month 2006-05 --week 1", "month 2006-05 2006-06"}) {
        const Result r = RunMonthCli(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(r.lines.empty()) << args;
    }
}

} // namespace
