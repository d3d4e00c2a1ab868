#pragma once
// Bookmarks 0–9 of the note editor: one line each, shown as their digit in the gutter.

class QsciScintilla;

namespace qj {

inline constexpr int kBookmarkCount = 10;

// Puts bookmark n on the caret's line (moving it from wherever it was); on the line that already
// holds it, takes it away.
void SetBookmark(QsciScintilla& editor, int n);
// Moves the caret to the start of bookmark n's line; false when bookmark n is not set.
bool GoToBookmark(QsciScintilla& editor, int n);
// The line of bookmark n (0-based), or -1.
int BookmarkLine(QsciScintilla& editor, int n);
void ClearBookmarks(QsciScintilla& editor);

} // namespace qj
