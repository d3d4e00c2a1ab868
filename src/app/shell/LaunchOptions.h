#pragma once
// The program's command line: options that each ask for one window to be shown at start
// ("qingjian --calendar"). Anything else is refused before anything starts.

#include <QString>
#include <QStringList>

namespace qj {

struct LaunchRequest {
    QStringList windows; // the windows asked for, in the order given, each once
    QString error;       // not empty: the one-line message for stderr; start nothing
};

// `arguments` without the program's name; `options` maps each accepted option ("--calendar") to
// the window it shows ("calendar").
LaunchRequest ParseLaunchArguments(const QStringList& arguments,
                                   const QList<QPair<QString, QString>>& options);

} // namespace qj
