#pragma once
// The seams bundled, as windows receive them: `TFmain(const Services&)`. The objects are owned
// elsewhere (by main() through RealServices, by a test through tests/support's FakeServices) and
// outlive every window.

#include "seams/Clock.h"
#include "seams/Dialogs.h"
#include "seams/Launcher.h"
#include "seams/ProgramFolder.h"
#include "seams/Sound.h"

namespace qj {

struct Services {
    Dialogs& dialogs;
    Clock& clock;
    Launcher& launcher;
    Sound& sound;
    ProgramFolder folder;
};

} // namespace qj
