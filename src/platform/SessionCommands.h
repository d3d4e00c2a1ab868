#pragma once
// The command lines that end the session for the alert's actions: power off, restart, log off.

#include <QString>

namespace qj {

// The alert's action list, by entry index.
enum class AlarmAction { Reminder = 0, PowerOff = 1, Restart = 2, LogOff = 3 };

// The command line that carries out `action` on this platform; empty for the reminder, which
// runs nothing. On Linux logging off names the desktop session `sessionId` (the session's
// XDG_SESSION_ID; empty lets logind take the caller's own session).
QString SessionCommandLine(AlarmAction action, const QString& sessionId);
// The same for the session this program runs in.
QString SessionCommandLine(AlarmAction action);

} // namespace qj
