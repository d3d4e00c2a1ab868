#pragma once
// All the test seams in one object, for windows that take `const Services&`:
//     TempProgramFolder folder; folder.copyDataFile();
//     FakeServices fake(folder.folder());
//     TFmain w(fake.services());
//     fake.dialogs.answerMessage(DialogButton::Yes);

#include "seams/Services.h"
#include "support/FakeClock.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingSound.h"
#include "support/ScriptedDialogs.h"

namespace qj::test {

struct FakeServices {
    explicit FakeServices(ProgramFolder programFolder) : folder(std::move(programFolder)) {}
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    Services services() { return Services{dialogs, clock, launcher, sound, folder}; }

    ProgramFolder folder;
    ScriptedDialogs dialogs;
    FakeClock clock;
    RecordingLauncher launcher;
    RecordingSound sound;
};

} // namespace qj::test
