#include "platform/SessionCommands.h"

#include <QtGlobal>

namespace qj {

namespace {

// Indexed by AlarmAction.
#ifdef Q_OS_WIN
constexpr const char* kCommands[] = {"", "shutdown -s -t 10", "shutdown -r -f -t 5", "shutdown -l"};
#else
constexpr const char* kCommands[] = {"", "systemctl poweroff", "systemctl reboot",
                                     "loginctl terminate-session \"%1\""};
#endif

// Session ids are short names of letters and digits; anything else is dropped rather than let
// it reach a command line.
QString SafeSessionId(const QString& id) {
    QString out;
    for (QChar c : id)
        if ((c.unicode() < 0x80 && c.isLetterOrNumber()) || c == QLatin1Char('_') || c == QLatin1Char('-'))
            out += c;
    return out;
}

} // namespace

QString SessionCommandLine(AlarmAction action, const QString& sessionId) {
    const int index = static_cast<int>(action);
    if (index < 0 || index >= static_cast<int>(std::size(kCommands)))
        return {};
    QString line = QString::fromLatin1(kCommands[index]);
    if (line.contains(QLatin1String("%1")))
        line = line.arg(SafeSessionId(sessionId));
    return line;
}

QString SessionCommandLine(AlarmAction action) {
    return SessionCommandLine(action, qEnvironmentVariable("XDG_SESSION_ID"));
}

} // namespace qj
