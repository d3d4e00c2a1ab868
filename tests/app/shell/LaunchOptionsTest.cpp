#include "app/shell/LaunchOptions.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

const QList<QPair<QString, QString>> kOptions = {{"--calendar", "calendar"}, {"--search", "search"}};

TEST(LaunchOptions, KnownOptionsNameWindowsAndAnythingElseIsRefused) {
    struct Case {
        QStringList arguments;
        QStringList windows;
        bool refused;
    };
    const Case cases[] = {
        {{}, {}, false},
        {{"--calendar"}, {"calendar"}, false},
        {{"--search", "--calendar", "--search"}, {"search", "calendar"}, false},
        {{"--calender"}, {}, true},
        {{"--calendar", "calendar"}, {}, true},
        {{"-c"}, {}, true},
        {{"--CALENDAR"}, {}, true},
        {{"--help=yes"}, {}, true},
        {{"--toggle=yes"}, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const LaunchRequest request = ParseLaunchArguments(c.arguments, kOptions);
        EXPECT_EQ(request.windows, c.windows);
        EXPECT_EQ(!request.error.isEmpty(), c.refused);
        if (c.refused) {
            EXPECT_FALSE(request.error.contains('\n'));
            // Names what is accepted, the general options too.
            for (const char* accepted :
                 {"--calendar", "--toggle", "--data-folder DIR", "--help", "--version"})
                EXPECT_TRUE(request.error.contains(QString::fromLatin1(accepted))) << accepted;
            EXPECT_FALSE(request.help || request.version);
            EXPECT_TRUE(request.dataFolder.isEmpty());
        }
    }
}

TEST(LaunchOptions, HelpVersionToggleAndTheDataFolder) {
    struct Case {
        QStringList arguments;
        bool help;
        bool version;
        bool toggle;
        QString folder;
        QStringList windows;
        bool refused;
    };
    const Case cases[] = {
        {{"--help"}, true, false, false, {}, {}, false},
        {{"-h"}, true, false, false, {}, {}, false},
        {{"--version"}, false, true, false, {}, {}, false},
        {{"--calendar", "--help"}, true, false, false, {}, {"calendar"}, false},
        {{"--data-folder", "/tmp/notes"}, false, false, false, "/tmp/notes", {}, false},
        {{"--data-folder=/tmp/笔记"}, false, false, false, "/tmp/笔记", {}, false},
        {{"--data-folder", "/a", "--data-folder=/b", "--search"},
         false,
         false,
         false,
         "/b",
         {"search"},
         false},
        {{"--data-folder", "--calendar"}, false, false, false, "--calendar", {}, false},
        {{"--data-folder"}, false, false, false, {}, {}, true},
        {{"--data-folder="}, false, false, false, {}, {}, true},
        {{"--data-folders", "/a"}, false, false, false, {}, {}, true},
        {{"--toggle"}, false, false, true, {}, {}, false},
        {{"--toggle", "--calendar", "--toggle"}, false, false, true, {}, {"calendar"}, false},
        {{"--toggle", "--bogus"}, false, false, false, {}, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const LaunchRequest request = ParseLaunchArguments(c.arguments, kOptions);
        EXPECT_EQ(request.help, c.help);
        EXPECT_EQ(request.version, c.version);
        EXPECT_EQ(request.toggle, c.toggle);
        EXPECT_EQ(request.dataFolder, c.folder);
        EXPECT_EQ(request.windows, c.windows);
        EXPECT_EQ(!request.error.isEmpty(), c.refused) << request.error.toStdString();
    }
    EXPECT_TRUE(ParseLaunchArguments({"--data-folder"}, kOptions).error.contains("--data-folder needs"));
}

TEST(LaunchOptions, UsageListsEveryOptionTheRuleAndTheFolderInUse) {
    const QString usage = LaunchUsage({{"--calendar", "显示日历"}, {"--alert", "定时报警"}},
                                      QStringLiteral("数据文件夹（安装）：/x"));
    for (const char* part :
         {"用法: qingjian", "--calendar\n      显示日历", "--alert\n      定时报警", "--data-folder DIR",
          "QINGJIAN_DATA_DIR", "--help", "--version", "--toggle\n", "“qingjian --toggle”", "portable",
          "~/.local/share/qingjian", "$XDG_DATA_HOME/qingjian", "数据文件夹（安装）：/x\n"})
        EXPECT_TRUE(usage.contains(QString::fromUtf8(part))) << part;
    EXPECT_TRUE(usage.endsWith(QStringLiteral("：/x\n")));
}

} // namespace
} // namespace qj
