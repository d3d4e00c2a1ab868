#include "seams/QtSound.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace qj {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

bool QtSound::playWav(const QString& path) {
    if (!QFileInfo(path).isFile())
        return false;
    // A fresh effect per file: QSoundEffect loads asynchronously and plays once loaded.
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    effect_->play();
    return true;
}

void QtSound::stop() {
    if (effect_)
        effect_->stop();
}

void QtSound::beep() {
    QApplication::beep();
}

} // namespace qj
