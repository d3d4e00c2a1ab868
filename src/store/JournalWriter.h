#pragma once
// Writes and clears the recovery journal on a thread of its own, so the interface never waits for
// the disk. Requests replace one another: only the newest waiting one is carried out, in the order
// they were made (a clear after a write leaves no file, a write after a clear leaves the entry).

#include "store/RecoveryJournal.h"

#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace qj {

class JournalWriter {
public:
    explicit JournalWriter(QString path);
    // Carries out the request still waiting, then ends the thread.
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    const QString& path() const { return path_; }
    // Writes `entry` as the journal (the text is shared, not copied).
    void write(JournalEntry entry);
    // Removes the journal.
    void clear();
    // Waits until every request made so far is carried out.
    void waitIdle();
    // The errno of the last request carried out (0: it succeeded).
    int lastError() const;
    // How many requests were carried out (skipped ones not counted).
    int done() const;

private:
    void run();

    const QString path_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    // The waiting request: an entry to write, or nothing for a clear.
    std::optional<std::optional<JournalEntry>> waiting_;
    bool busy_ = false;
    bool stopping_ = false;
    int lastError_ = 0;
    int done_ = 0;
    std::thread thread_;
};

} // namespace qj
