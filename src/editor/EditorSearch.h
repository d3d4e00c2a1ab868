#pragma once
// Finding and replacing text in the note editor.

#include <QString>

class QsciScintilla;

namespace qj {

struct SearchOptions {
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
    bool backwards = false;
};

// Selects the next match after the selection (or the previous one before it), going round the
// text's end once. False when the text holds no match.
bool FindMatch(QsciScintilla& editor, const SearchOptions& options, bool backwards);
// Number of matches in the whole text.
int CountMatches(QsciScintilla& editor, const SearchOptions& options);
// When the selection is a match, replaces it and finds the next one in that direction; otherwise
// only finds. False when no match was there to replace or to find.
bool ReplaceAndFind(QsciScintilla& editor, const SearchOptions& options, const QString& replacement,
                    bool backwards);
// Replaces every match in one undoable step; returns how many.
int ReplaceAll(QsciScintilla& editor, const SearchOptions& options, const QString& replacement);

// The word at the caret (empty when the caret is not in or next to a word).
QString WordAtCaret(QsciScintilla& editor);

} // namespace qj
