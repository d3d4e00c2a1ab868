// The alert's session actions run the platform's commands; the reminder runs none.

#include "platform/SessionCommands.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

QString Joined(const SessionCommand& c) {
    return (QStringList{c.program} + c.arguments).join(QLatin1Char('|'));
}

TEST(SessionCommands, EachActionHasItsCommand) {
    struct Case {
        AlarmAction action;
        const char* command; // program and arguments joined by "|"
    };
#ifdef Q_OS_WIN
    const Case cases[] = {{AlarmAction::Reminder, ""},
                          {AlarmAction::PowerOff, "shutdown|-s|-t|10"},
                          {AlarmAction::Restart, "shutdown|-r|-f|-t|5"},
                          {AlarmAction::LogOff, "shutdown|-l"}};
#else
    const Case cases[] = {{AlarmAction::Reminder, ""},
                          {AlarmAction::PowerOff, "systemctl|poweroff"},
                          {AlarmAction::Restart, "systemctl|reboot"},
                          {AlarmAction::LogOff, "loginctl|terminate-session|c2"}};
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.action));
        EXPECT_EQ(Joined(SessionCommandFor(c.action, QStringLiteral("c2"))), QString::fromLatin1(c.command));
    }
    EXPECT_TRUE(SessionCommandFor(AlarmAction::Reminder, QStringLiteral("c2")).isEmpty());
    EXPECT_TRUE(SessionCommandFor(static_cast<AlarmAction>(4), QStringLiteral("c2")).isEmpty());
    EXPECT_TRUE(SessionCommandFor(static_cast<AlarmAction>(-1), QStringLiteral("c2")).isEmpty());
}

#ifndef Q_OS_WIN
// Log-off always passes loginctl a session to end: without XDG_SESSION_ID (or with nothing usable
// in it) the session loginctl runs in, which is the program's own.
TEST(SessionCommands, LogOffAlwaysNamesASafeSession) {
    struct Case {
        const char* id;
        const char* session;
    };
    // Letters and digits outside ASCII are dropped too: loginctl would read them as another name.
    const Case cases[] = {
        {"3", "3"},     {"c_1-a", "c_1-a"}, {"", "self"}, {"\" ;", "self"}, {"7\" ; rm -rf ~ \"", "7rm-rf"},
        {"zZ9", "zZ9"}, {"c2ª", "c2"},      {"é1", "1"},  {"会话", "self"}, {"２", "self"},
        {"c٣", "c"},    {"Ⅻ", "self"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const SessionCommand command = SessionCommandFor(AlarmAction::LogOff, QString::fromUtf8(c.id));
        EXPECT_EQ(command.program, QStringLiteral("loginctl"));
        EXPECT_EQ(command.arguments,
                  (QStringList{QStringLiteral("terminate-session"), QString::fromLatin1(c.session)}));
    }
}

TEST(SessionCommands, LogOffReadsTheSessionOfTheEnvironment) {
    const QByteArray saved = qgetenv("XDG_SESSION_ID");
    const bool had = qEnvironmentVariableIsSet("XDG_SESSION_ID");
    qunsetenv("XDG_SESSION_ID");
    EXPECT_EQ(SessionCommandFor(AlarmAction::LogOff).arguments.value(1), QStringLiteral("self"));
    qputenv("XDG_SESSION_ID", "42");
    EXPECT_EQ(SessionCommandFor(AlarmAction::LogOff).arguments.value(1), QStringLiteral("42"));
    if (had)
        qputenv("XDG_SESSION_ID", saved);
    else
        qunsetenv("XDG_SESSION_ID");
}
#endif

} // namespace
} // namespace qj
