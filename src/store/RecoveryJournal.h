#pragma once
// The recovery journal: the unsaved text of the edited note, kept in a small file beside the data
// file ("dataly.recovery" beside "dataly.dat") while the text is changed and not saved. The file
// holds one entry, written whole through a temporary and a rename, so a kill at any instant leaves
// the previous entry or the new one. Its bytes start with a mark and end with a checksum over all
// before it: a cut, changed or foreign file is refused, never half read.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace qj {

struct JournalEntry {
    QString category;       // the table of the edited note
    std::int64_t rowid = 0; // its record
    std::int64_t id = 0;    // its ID
    QString title;          // as shown
    QDateTime written;      // when the text was taken from the editor
    QByteArray text;        // the editor's whole text, UTF-8
    friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

// The journal file of a data file: its name with the suffix ".recovery" in place of ".dat" (or
// added where it has none).
QString JournalPathOf(const QString& dataFilePath);

// The whole file of one entry.
QByteArray EncodeJournal(const JournalEntry& entry);
// The entry of a file's bytes; nothing when they are not a whole journal entry of this program.
std::optional<JournalEntry> DecodeJournal(const QByteArray& bytes);

// The most a journal file may hold when read back (a larger file is not ours).
inline constexpr qint64 kLongestJournal = 512LL * 1024 * 1024;

enum class JournalRead { None, Entry, Refused };
struct JournalContents {
    JournalRead state = JournalRead::None; // no file; a whole entry; a file that is not one
    JournalEntry entry;
};
// Reads the journal file at `path`.
JournalContents ReadJournal(const QString& path);

// Writes the entry as the whole journal file (temporary, sync, rename); 0 or the errno.
int WriteJournal(const QString& path, const JournalEntry& entry);
// Removes the journal file; 0 when it is gone (or never was), else the errno.
int RemoveJournal(const QString& path);

// The number of characters of a UTF-8 text as a reader counts them (line breaks left out).
qsizetype CharactersOf(const QByteArray& text);

} // namespace qj
