#include "store/DataFileLock.h"

#include <QLockFile>

namespace qj {

DataFileLock::DataFileLock(const QString& dataPath)
    : lockPath_(dataPath + QStringLiteral(".lock")), lock_(std::make_unique<QLockFile>(lockPath_)) {
    // Only a copy that has ended gives up its lock: a copy left idle in the tray for days still
    // holds it.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        state_ = State::Held;
        return;
    }
    state_ = lock_->error() == QLockFile::LockFailedError ? State::HeldElsewhere : State::Unavailable;
}

DataFileLock::~DataFileLock() = default;

} // namespace qj
