#pragma once
// Sounds: a WAV file or the system beep. The program passes a QtSound (QSoundEffect, which needs
// no media back end); tests pass the RecordingSound of tests/support.

#include <QString>

namespace qj {

class Sound {
public:
    virtual ~Sound() = default;
    // Start playing a WAV file once; returns at once. False when the file cannot be played.
    virtual bool playWav(const QString& path) = 0;
    // Stop a sound started by playWav (nothing when none plays).
    virtual void stop() = 0;
    // The system beep.
    virtual void beep() = 0;
};

} // namespace qj
