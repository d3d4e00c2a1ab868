#pragma once

#include "store/JournalPace.h"
#include "store/JournalWriter.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace qj {

class Notebook;

// Keeps the recovery journal in step with the notebook's text: while the edited note's text is
// changed and unsaved, the text goes to the journal at most two seconds after its first unwritten
// change, and at once when flush() is called (the window hidden or left, the session ending); when
// the text is clean again (saved, its changes dropped, another note loaded, the note deleted) the
// entry is removed. The interface thread only copies the editor's buffer; encoding and writing are
// the writer's thread's. Nothing happens before start(): a journal left by a run that crashed
// stays until the user has been asked about it.
class RecoveryJournalKeeper : public QObject {
    Q_OBJECT
public:
    RecoveryJournalKeeper(Notebook& notebook, const QString& journalPath,
                          std::function<QDateTime()> now = &QDateTime::currentDateTime,
                          QObject* parent = nullptr);
    ~RecoveryJournalKeeper() override;

    // Begins keeping: a changed text is journaled at once, a clean one removes any entry.
    void start();
    bool started() const { return started_; }
    // Writes a change that waits, now.
    void flush();
    // flush(), then waits until the journal is on the disk (the session is ending).
    void flushAndWait();
    JournalWriter& writer() { return writer_; }

private:
    void typed();
    void dirtyChanged(bool dirty);
    void writeNow();

    Notebook& notebook_;
    JournalWriter writer_;
    std::function<QDateTime()> now_;
    JournalPace pace_;
    QTimer timer_;
    QElapsedTimer steady_;
    bool started_ = false;
};

} // namespace qj
