#pragma once
// The hit in context: where the words of a query occur in a note's text, and a line of the text
// around the first of them with the words marked.

#include "store/NoteSearch.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace qj {

// (start, length) in UTF-16 units.
using TextRange = std::pair<int, int>;

// Every occurrence of any of `words` in `text`, in order and not overlapping: ASCII letters without
// case (as the search compares), with `variants` simplified and traditional characters alike.
std::vector<TextRange> WordOccurrences(const QString& text, const QStringList& words, bool variants);

struct Snippet {
    QString text;                 // one line: line breaks and tabs as blanks
    std::vector<TextRange> marks; // the occurrences inside it
};
// Up to kSnippetBefore characters before the first occurrence and kSnippetLength in all; the start
// of the text when none occurs.
Snippet SnippetAround(const QString& text, const QStringList& words, bool variants);
inline constexpr int kSnippetBefore = 12;
inline constexpr int kSnippetLength = 60;

// The whole text of a hit's record (empty when it is gone).
QString ReadHitText(Database& db, const SearchHit& hit);

} // namespace qj
