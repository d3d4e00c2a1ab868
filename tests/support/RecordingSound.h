#pragma once
// A sound seam that plays nothing and records what it was asked to play.

#include "seams/Sound.h"

#include <QFileInfo>
#include <QStringList>

namespace qj::test {

class RecordingSound final : public Sound {
public:
    // Like the real one, refuses a file that does not exist; setPlays(false) makes it refuse every
    // file, as the real one refuses a file it cannot play.
    bool playWav(const QString& path) override {
        played_.append(path);
        return plays_ && QFileInfo(path).isFile();
    }
    void setPlays(bool plays) { plays_ = plays; }
    void stop() override { ++stops_; }
    void beep() override { ++beeps_; }

    const QStringList& played() const { return played_; }
    int beeps() const { return beeps_; }
    int stops() const { return stops_; }

private:
    QStringList played_;
    bool plays_ = true;
    int beeps_ = 0;
    int stops_ = 0;
};

} // namespace qj::test
