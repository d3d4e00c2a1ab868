#pragma once
// What the settings file says about the note editor, read the same way by the main window and by
// the command line's PDF export: the colours of the [Font] and [Back] sections and the options
// dialog's choices in [EditorOptions].

#include "shell/EditorOptions.h"
#include "shell/ProfileFile.h"

#include <QColor>

namespace qj {

// A stored $00BBGGRR value as a colour; a system-colour code (negative) stands for the tooltip
// background colour.
QColor SettingsColour(int value);

// The options dialog's choices, each kept within the dialog's own limits; missing keys keep the
// defaults.
EditorOptions ReadEditorOptions(const ProfileFile& file);
void WriteEditorOptions(ProfileFile& file, const EditorOptions& options);

} // namespace qj
