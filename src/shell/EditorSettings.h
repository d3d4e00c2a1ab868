#pragma once
// The colours the settings file stores for the note editor, as the main window and the command
// line's PDF export draw them.

#include "shell/EditorOptions.h"
#include "shell/ProfileFile.h"

#include <QColor>

namespace qj {

// A stored $00BBGGRR value as a colour; a system-colour code (negative) stands for the tooltip
// background colour.
QColor SettingsColour(int value);

} // namespace qj
