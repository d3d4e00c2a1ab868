// The alert's session actions run the platform's commands; the reminder runs none.

#include "platform/SessionCommands.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

TEST(SessionCommands, EachActionHasItsCommandLine) {
    struct Case {
        AlarmAction action;
        const char* line;
    };
#ifdef Q_OS_WIN
    const Case cases[] = {{AlarmAction::Reminder, ""},
                          {AlarmAction::PowerOff, "shutdown -s -t 10"},
                          {AlarmAction::Restart, "shutdown -r -f -t 5"},
                          {AlarmAction::LogOff, "shutdown -l"}};
#else
    const Case cases[] = {{AlarmAction::Reminder, ""},
                          {AlarmAction::PowerOff, "systemctl poweroff"},
                          {AlarmAction::Restart, "systemctl reboot"},
                          {AlarmAction::LogOff, "loginctl terminate-session \"c2\""}};
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.action));
        EXPECT_EQ(SessionCommandLine(c.action, QStringLiteral("c2")), QString::fromLatin1(c.line));
    }
    EXPECT_TRUE(SessionCommandLine(static_cast<AlarmAction>(4), QStringLiteral("c2")).isEmpty());
}

#ifndef Q_OS_WIN
TEST(SessionCommands, LogOffNamesOnlyASafeSessionId) {
    struct Case {
        const char* id;
        const char* line;
    };
    const Case cases[] = {
        {"3", "loginctl terminate-session \"3\""},
        {"", "loginctl terminate-session \"\""}, // logind takes the caller's own session
        {"7\" ; rm -rf ~ \"", "loginctl terminate-session \"7rm-rf\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(SessionCommandLine(AlarmAction::LogOff, QString::fromLatin1(c.id)),
                  QString::fromLatin1(c.line));
    }
}
#endif

} // namespace
} // namespace qj
