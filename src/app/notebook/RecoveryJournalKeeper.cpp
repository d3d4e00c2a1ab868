#include "app/notebook/RecoveryJournalKeeper.h"

#include "app/notebook/Notebook.h"

namespace qj {

RecoveryJournalKeeper::RecoveryJournalKeeper(Notebook& notebook, const QString& journalPath,
                                             std::function<QDateTime()> now, QObject* parent)
    : QObject(parent), notebook_(notebook), writer_(journalPath), now_(std::move(now)) {
    steady_.start();
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (pace_.Due(steady_.elapsed()))
            writeNow();
        else if (pace_.Pending())
            timer_.start(int(pace_.WaitMs(steady_.elapsed())));
    });
    connect(&notebook_, &Notebook::textTyped, this, &RecoveryJournalKeeper::typed);
    connect(&notebook_, &Notebook::dirtyChanged, this, &RecoveryJournalKeeper::dirtyChanged);
}

RecoveryJournalKeeper::~RecoveryJournalKeeper() = default;

void RecoveryJournalKeeper::start() {
    started_ = true;
    if (notebook_.isDirty() && notebook_.editedNote())
        writeNow();
    else
        writer_.clear();
}

void RecoveryJournalKeeper::typed() {
    if (!started_)
        return;
    pace_.Changed(steady_.elapsed());
    if (!timer_.isActive())
        timer_.start(int(pace_.WaitMs(steady_.elapsed())));
}

void RecoveryJournalKeeper::dirtyChanged(bool dirty) {
    if (dirty || !started_)
        return;
    timer_.stop();
    pace_.Settled();
    writer_.clear();
}

void RecoveryJournalKeeper::flush() {
    if (started_ && pace_.Pending())
        writeNow();
}

void RecoveryJournalKeeper::flushAndWait() {
    flush();
    writer_.waitIdle();
}

void RecoveryJournalKeeper::writeNow() {
    timer_.stop();
    pace_.Settled();
    const std::optional<EditedNote> note = notebook_.editedNote();
    if (!notebook_.isDirty() || !note)
        return;
    JournalEntry entry;
    entry.category = note->category;
    entry.rowid = note->record.rowid.value();
    entry.id = note->record.id.value();
    entry.title = note->title;
    entry.written = now_();
    entry.text = notebook_.editorBytes();
    writer_.write(std::move(entry));
}

} // namespace qj
