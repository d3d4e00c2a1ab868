#pragma once
// The launcher and the sound for benchmark runs of whole windows: nothing is started or played.

#include "seams/Launcher.h"
#include "seams/Sound.h"

namespace qj::bench {

class SilentLauncher final : public Launcher {
public:
    bool openDocument(const QString&) override { return false; }
    bool openUrl(const QUrl&) override { return false; }
    bool startProgram(const QString&, const QStringList&, const QString&) override { return false; }
    bool runCommandLine(const QString&) override { return false; }
    bool runToEnd(const QString&, const QStringList&) override { return false; }
};

class SilentSound final : public Sound {
public:
    bool playWav(const QString&) override { return false; }
    void stop() override {}
    void beep() override {}
};

} // namespace qj::bench
