#include "store/JournalWriter.h"

namespace qj {

JournalWriter::JournalWriter(QString path) : path_(std::move(path)), thread_([this] { run(); }) {}

JournalWriter::~JournalWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void JournalWriter::write(JournalEntry entry) {
    {
        const std::lock_guard lock(mutex_);
        waiting_.emplace(std::move(entry));
    }
    wake_.notify_one();
}

void JournalWriter::clear() {
    {
        const std::lock_guard lock(mutex_);
        waiting_.emplace(std::nullopt);
    }
    wake_.notify_one();
}

void JournalWriter::waitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !waiting_ && !busy_; });
}

int JournalWriter::lastError() const {
    const std::lock_guard lock(mutex_);
    return lastError_;
}

int JournalWriter::done() const {
    const std::lock_guard lock(mutex_);
    return done_;
}

void JournalWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return waiting_ || stopping_; });
        if (!waiting_)
            return; // stopping with nothing left
        std::optional<JournalEntry> request = std::move(*waiting_);
        waiting_.reset();
        busy_ = true;
        lock.unlock();
        const int error = request ? WriteJournal(path_, *request) : RemoveJournal(path_);
        request.reset(); // the text's last reference may be this one: let it go off the lock
        lock.lock();
        busy_ = false;
        lastError_ = error;
        ++done_;
        if (!waiting_)
            idle_.notify_all();
    }
}

} // namespace qj
