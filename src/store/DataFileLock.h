#pragma once
// The mark a running copy of the program leaves beside its data file ("dataly.dat.lock"), so
// that a second copy never opens a data file that another copy holds, whatever the environment
// (another runtime folder, another desktop session of the same user). A lock left by a copy that
// has ended (a crash) is taken over.

#include <QString>

#include <memory>

class QLockFile;

namespace qj {

class DataFileLock {
public:
    enum class State {
        Held,          // this copy holds the data file
        HeldElsewhere, // a running copy holds it: do not open it
        Unavailable,   // no lock can be made beside the file (a read-only folder): go on without
    };

    // Takes the lock for the data file `dataPath` at once, or learns that it cannot.
    explicit DataFileLock(const QString& dataPath);
    ~DataFileLock(); // gives the lock back

    State state() const { return state_; }
    QString lockPath() const { return lockPath_; }

private:
    QString lockPath_;
    std::unique_ptr<QLockFile> lock_;
    State state_ = State::Unavailable;
};

} // namespace qj
