#pragma once
// The application title: the main window's caption and the caption of the general error box.
// The program's name on the desktop: its ASCII name (the window class, the executable) and the
// reverse-DNS id that names its desktop entry, icons and AppStream file.

namespace qj {

inline constexpr char kAppTitle[] = "青简札记";
inline constexpr char kAppName[] = "qingjian";
inline constexpr char kDesktopId[] = "io.github.qingjian.Qingjian";

} // namespace qj
