#pragma once
// The program's command line: options that each ask for one window to be shown at start
// ("qingjian --calendar"), --toggle (what the hot key does, for a desktop's own key bindings),
// --data-folder DIR (the data folder to use), --help and --version.
// Anything else is refused before anything starts.

#include <QString>
#include <QStringList>

namespace qj {

inline constexpr char kToggleOption[] = "--toggle";

struct LaunchRequest {
    QStringList windows;  // the windows asked for, in the order given, each once
    QString dataFolder;   // --data-folder DIR (or --data-folder=DIR); empty: not given
    bool help = false;    // --help or -h: print the usage and end
    bool version = false; // --version: print the version and end
    bool toggle = false;  // --toggle: the running copy hides or shows itself as the hot key does
    QString error;        // not empty: the one-line message for stderr; start nothing
};

// `arguments` without the program's name; `options` maps each accepted option ("--calendar") to
// the window it shows ("calendar").
LaunchRequest ParseLaunchArguments(const QStringList& arguments,
                                   const QList<QPair<QString, QString>>& options);

// The text --help prints: how to start the program, every option (`options`: each window option
// with the caption of its window), the data folder rule and `dataFolderLine`, the data folder
// this start would use.
QString LaunchUsage(const QList<QPair<QString, QString>>& options, const QString& dataFolderLine);

} // namespace qj
