#pragma once
// The name a task list gives the program's group of windows. X11 task lists that group windows by
// their client leader (libwnck's, so XFCE's and MATE's) label the group with the leader's name,
// which Qt makes the ASCII application name that desktops match with the desktop entry; the
// program gives the leader its Chinese name. Wayland task lists take the desktop entry's name.

#include <QString>
#include <QWidget>

namespace qj {

// Names the group of `window` (a shown or at least created top-level window); false where there
// is nothing to name (not X11, no client leader).
bool NameWindowGroup(const QWidget& window, const QString& name);

} // namespace qj
