#pragma once
// The commands that end the session for the alert's actions: power off, restart, log off.

#include <QString>
#include <QStringList>

namespace qj {

// The alert's action list, by entry index.
enum class AlarmAction { Reminder = 0, PowerOff = 1, Restart = 2, LogOff = 3 };

// A program and its arguments, passed to it one by one (no shell splits them).
struct SessionCommand {
    QString program;
    QStringList arguments;
    bool isEmpty() const { return program.isEmpty(); }
};

// The command that carries out `action` on this platform; empty for the reminder, which runs
// nothing. On Linux logging off names the desktop session `sessionId` (the session's
// XDG_SESSION_ID); without a usable id it names "self", the session loginctl itself runs in.
SessionCommand SessionCommandFor(AlarmAction action, const QString& sessionId);
// The same for the session this program runs in.
SessionCommand SessionCommandFor(AlarmAction action);

} // namespace qj
