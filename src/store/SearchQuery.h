#pragma once
// What a query asks for, as a match on one note's title or text (UTF-8).

#include "store/AsciiFind.h"
#include "store/SearchOptions.h"

#include <QString>
#include <QStringList>

namespace qj {

// The words of a query: split at blanks (ASCII and ideographic), a part in double quotes (ASCII or
// Chinese “”) one word with its blanks and without its quotes; empty parts dropped. An unclosed quote
// runs to the end.
QStringList QueryWords(const QString& text);

// The words as the options take them: all of the text as one word unless `options.words`; the
// text itself when it holds no word (only quotes).
QStringList WordsOf(const QString& text, const SearchOptions& options);

// The match of a note's text (`titles` false) or title for `text` with `options`. With every option
// off it is the plain substring match: one anchor, nothing to verify.
TextMatch BuildMatch(const QString& text, const SearchOptions& options, bool titles);

} // namespace qj
