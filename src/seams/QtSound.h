#pragma once

#include "seams/Sound.h"

#include <memory>

#include <QByteArray>

class QSoundEffect;

namespace qj {

// Whether the start of a file (its first few kilobytes) is a WAV file the sound effect can play:
// RIFF/WAVE with a format chunk of PCM or floating-point samples.
bool IsPlayableWav(const QByteArray& head);

class QtSound final : public Sound {
public:
    QtSound();
    ~QtSound() override;
    bool playWav(const QString& path) override;
    void stop() override;
    void beep() override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};

} // namespace qj
