#pragma once
// The real seams for the program itself, owned by main():
//     qj::RealServices real(qj::ProgramFolder::ofRunningExecutable());
//     TFmain w(real.services());

#include "seams/QtDialogs.h"
#include "seams/QtSound.h"
#include "seams/Services.h"

namespace qj {

class RealServices {
public:
    explicit RealServices(ProgramFolder folder) : folder_(std::move(folder)) {}
    RealServices(const RealServices&) = delete;
    RealServices& operator=(const RealServices&) = delete;

    Services services() { return Services{dialogs_, clock_, launcher_, sound_, folder_}; }

private:
    ProgramFolder folder_;
    QtDialogs dialogs_;
    SystemClock clock_;
    DesktopLauncher launcher_;
    QtSound sound_;
};

} // namespace qj
