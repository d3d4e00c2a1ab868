#pragma once
// When the recovery journal is written: a changed text waits at most kJournalDelayMs from its first
// unwritten change (so typing without a pause is journaled too, every two seconds), and leaving the
// window or the session writes at once. Times are milliseconds of a steady clock.

#include <cstdint>

namespace qj {

inline constexpr std::int64_t kJournalDelayMs = 2000;

class JournalPace {
public:
    // The user changed the text.
    void Changed(std::int64_t nowMs) {
        if (!pending_) {
            pending_ = true;
            since_ = nowMs;
        }
    }
    // The text was written to the journal, or the entry cleared: nothing waits.
    void Settled() { pending_ = false; }
    bool Pending() const { return pending_; }
    // A write is due now.
    bool Due(std::int64_t nowMs) const { return pending_ && nowMs - since_ >= kJournalDelayMs; }
    // How long until it is due (0 when it is; -1 when nothing waits).
    std::int64_t WaitMs(std::int64_t nowMs) const {
        if (!pending_)
            return -1;
        const std::int64_t left = kJournalDelayMs - (nowMs - since_);
        return left > 0 ? left : 0;
    }

private:
    bool pending_ = false;
    std::int64_t since_ = 0;
};

} // namespace qj
