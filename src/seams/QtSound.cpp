#include "seams/QtSound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace qj {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

bool IsPlayableWav(const QByteArray& head) {
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    auto word = [&](qsizetype at) { return quint16(quint8(head[at])) | quint16(quint8(head[at + 1])) << 8; };
    auto dword = [&](qsizetype at) { return quint32(word(at)) | quint32(word(at + 2)) << 16; };
    // Chunks follow the header; the format chunk usually comes first.
    qsizetype at = 12;
    while (at + 8 <= head.size()) {
        const QByteArray id = head.mid(at, 4);
        const quint32 size = dword(at + 4);
        if (id == "fmt ") {
            if (size < 16 || at + 8 + 16 > head.size())
                return false;
            const quint16 format = word(at + 8);
            const quint16 channels = word(at + 10);
            const quint32 rate = dword(at + 12);
            const quint16 bits = word(at + 22);
            constexpr quint16 kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;
            return (format == kPcm || format == kFloat || format == kExtensible) && channels > 0 &&
                   rate > 0 && bits > 0;
        }
        at += 8 + qsizetype(size) + (size & 1);
    }
    return false;
}

bool QtSound::playWav(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || !IsPlayableWav(file.read(4096)))
        return false;
    // Without a sound device (no sound server) the effect "plays" without a sound: the caller
    // beeps instead.
    if (QMediaDevices::defaultAudioOutput().isNull())
        return false;
    // A fresh effect per file: QSoundEffect loads asynchronously and plays once loaded. A file
    // that turns out to be unreadable after all still gives a sound: the beep.
    effect_ = std::make_unique<QSoundEffect>();
    QSoundEffect* effect = effect_.get();
    QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect] {
        if (effect->status() == QSoundEffect::Error)
            QApplication::beep();
    });
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
