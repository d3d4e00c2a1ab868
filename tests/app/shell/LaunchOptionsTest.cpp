#include "app/shell/LaunchOptions.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

TEST(LaunchOptions, KnownOptionsNameWindowsAndAnythingElseIsRefused) {
    const QList<QPair<QString, QString>> options = {{"--calendar", "calendar"}, {"--search", "search"}};
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const LaunchRequest request = ParseLaunchArguments(c.arguments, options);
        EXPECT_EQ(request.windows, c.windows);
        EXPECT_EQ(!request.error.isEmpty(), c.refused);
        if (c.refused) {
            EXPECT_FALSE(request.error.contains('\n'));
            EXPECT_TRUE(request.error.contains(QStringLiteral("--calendar"))); // names what is accepted
        }
    }
}

} // namespace
} // namespace qj
