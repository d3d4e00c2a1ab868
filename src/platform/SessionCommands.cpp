#include "platform/SessionCommands.h"

#include <QtGlobal>

#include <iterator>

namespace qj {

namespace {

struct CommandRow {
    const char* program;
    const char* arguments; // blank-separated, no quoting needed
};

// Indexed by AlarmAction; "%1" stands for the session id.
#ifdef Q_OS_WIN
constexpr CommandRow kCommands[] = {
    {"", ""}, {"shutdown", "-s -t 10"}, {"shutdown", "-r -f -t 5"}, {"shutdown", "-l"}};
#else
constexpr CommandRow kCommands[] = {
    {"", ""}, {"systemctl", "poweroff"}, {"systemctl", "reboot"}, {"loginctl", "terminate-session %1"}};
#endif

// Session ids are short names of letters and digits; anything else is dropped rather than passed
// on. Nothing usable left names the caller's own session.
QString SafeSessionId(const QString& id) {
    QString out;
    for (QChar c : id)
        if ((c.unicode() < 0x80 && c.isLetterOrNumber()) || c == QLatin1Char('_') || c == QLatin1Char('-'))
            out += c;
    return out.isEmpty() ? QStringLiteral("self") : out;
}

} // namespace

SessionCommand SessionCommandFor(AlarmAction action, const QString& sessionId) {
    const int index = static_cast<int>(action);
    if (index < 0 || index >= static_cast<int>(std::size(kCommands)))
        return {};
    SessionCommand command;
    command.program = QString::fromLatin1(kCommands[index].program);
    for (const QString& argument :
         QString::fromLatin1(kCommands[index].arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        command.arguments << (argument == QLatin1String("%1") ? SafeSessionId(sessionId) : argument);
    return command;
}

SessionCommand SessionCommandFor(AlarmAction action) {
    return SessionCommandFor(action, qEnvironmentVariable("XDG_SESSION_ID"));
}

} // namespace qj
