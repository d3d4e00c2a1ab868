// qingjian-cli names the data folder the program uses, and answers --help and --version.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun Shell(const std::string& command) {
    CliRun r;
    FILE* pipe = popen(("(" + command + ") 2>/dev/null </dev/null").c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        r.out.append(buffer, n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

const std::string kCli = std::string("'") + QJ_CLI_PATH + "'";
const std::string kBin = std::string(QJ_CLI_PATH).substr(0, std::string(QJ_CLI_PATH).rfind('/'));

TEST(WhereCli, NamesTheDataFolderByTheProgramsRule) {
    struct Case {
        const char* what;
        std::string command;
        std::string line;
    };
    const Case cases[] = {
        // The build's folder holds a data file: a portable copy.
        {"portable", "env -u QINGJIAN_DATA_DIR " + kCli + " notes where",
         R"({"mode":"portable","folder":")" + kBin + R"(","data_file":")" + kBin +
             R"(/dataly.dat","exists":true,"files":")" + kBin + "\"}\n"},
        {"by environment", "QINGJIAN_DATA_DIR=/nowhere/notes " + kCli + " notes where",
         R"({"mode":"named","folder":"/nowhere/notes","data_file":"/nowhere/notes/dataly.dat","exists":false,"files":")" +
             kBin + "\"}\n"},
        {"the option wins", "QINGJIAN_DATA_DIR=/nowhere/notes " + kCli + " notes where --data-folder /else/",
         R"({"mode":"named","folder":"/else","data_file":"/else/dataly.dat","exists":false,"files":")" +
             kBin + "\"}\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CliRun r = Shell(c.command);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, c.line);
    }
    const CliRun extra = Shell(kCli + " notes where " + kBin);
    EXPECT_EQ(extra.status, 2);
    EXPECT_EQ(extra.out, "");
}

TEST(WhereCli, HelpAndVersionExitZero) {
    const CliRun version = Shell(kCli + " --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "qingjian-cli 1.2.12.41\n");
    const CliRun help = Shell("env -u QINGJIAN_DATA_DIR " + kCli + " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("notes where"), std::string::npos);
    EXPECT_NE(help.out.find("The program's data file: " + kBin + "/dataly.dat"), std::string::npos)
        << help.out;
}

} // namespace
