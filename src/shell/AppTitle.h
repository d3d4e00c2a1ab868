#pragma once
// The application title: the main window's caption and the caption of the general error box.

namespace qj {

inline constexpr char kAppTitle[] = "青简札记";

} // namespace qj
