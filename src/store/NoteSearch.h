#pragma once
// Searching the notes of every category at once, by title or by text.
//
// A note matches when its Name (title search) or its Info (text search) contains the search text
// as a substring, ASCII letters compared without case (as the engine's LIKE compares), every other
// character exactly: "%", "_", "\" and "'" match only themselves. An empty search text lists every
// note. Hits come category by category in the order given, and within a category in stored order.
//
// The text search reads each note's text once, straight from the engine's memory, with a byte
// search that folds only ASCII letters; no statement is built from the search text.

#include "store/AsciiFind.h"
#include "store/CategoryTable.h"
#include "store/SearchOptions.h"
#include "store/Sqlite.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace qj {

class DataFile;

enum class SearchField {
    Title,   // Name
    Content, // Info
};

struct SearchHit {
    QString category;
    RecordId rowid;           // the record itself (IDs may repeat)
    std::optional<NoteId> id; // NULL or not an integer: none
    QString name;
};

// The search text as typed: blanks and control characters removed at both ends.
QString TrimSearchText(const QString& typed);

// The hits of `text` (already trimmed) in `categories`, in that order. A StoreError when a category
// cannot be read.
std::vector<SearchHit> SearchNotes(Database& db, const QStringList& categories, const QString& text,
                                   SearchField field);

// The same over a match of one's own: every note when `match` is null.
std::vector<SearchHit> SearchNotes(Database& db, const QStringList& categories, const TextMatch* match,
                                   SearchField field);

// The same hits as SearchNotes(file.db(), ...), the texts read from the data file's search cache
// where it can serve. With `options`, the matching beyond the plain substring (SearchQuery.h).
std::vector<SearchHit> SearchNotes(DataFile& file, const QStringList& categories, const QString& text,
                                   SearchField field, const SearchOptions& options = {});

// The record of a hit, read again: nothing when it is gone (or its record now holds another ID).
// Its text is read only as far as the preview needs: from the first character that is no blank or
// control, 4096 bytes at most.
struct HitRecord {
    std::optional<NoteId> id;
    QString name;
    QString info;
};
std::optional<HitRecord> ReadHitRecord(Database& db, const SearchHit& hit);

// The preview of a hit: the category, "-【", the title without blanks around it, "】", CR LF, the
// text without leading blanks and control characters cut after its first 850 GBK bytes (never
// inside a character), CR LF and "。。。".
QString SearchPreviewText(const QString& category, const HitRecord& record);
inline constexpr int kPreviewGbkBytes = 850;

// True when `haystack` holds `needle`, ASCII letters without case (both UTF-8). An empty needle is
// in every text.
bool ContainsIgnoringAsciiCase(std::string_view haystack, std::string_view needle);

// Where `needle` occurs in `text`, as UTF-16 positions, letters without case unless `matchCase`;
// with `wholeWord`, only where it neither starts nor ends inside a word (letters, digits, "_").
// Occurrences do not overlap. This is how the editor's own search counts.
std::vector<int> FindOccurrences(const QString& text, const QString& needle, bool matchCase = false,
                                 bool wholeWord = false);

} // namespace qj
