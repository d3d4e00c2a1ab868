#pragma once

#include "seams/Sound.h"

#include <memory>

class QSoundEffect;

namespace qj {

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
