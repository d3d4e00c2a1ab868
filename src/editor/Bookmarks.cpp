#include "editor/Bookmarks.h"

#include "editor/EditorText.h"

#include <Qsci/qsciscintilla.h>

namespace qj {

int BookmarkLine(QsciScintilla& editor, int n) {
    if (n < 0 || n >= kBookmarkCount)
        return -1;
    return editor.markerFindNext(0, 1 << n);
}

void SetBookmark(QsciScintilla& editor, int n) {
    if (n < 0 || n >= kBookmarkCount)
        return;
    int line = 0, index = 0;
    editor.getCursorPosition(&line, &index);
    const int old = BookmarkLine(editor, n);
    editor.markerDeleteAll(n);
    if (old != line)
        editor.markerAdd(line, n);
}

bool GoToBookmark(QsciScintilla& editor, int n) {
    const int line = BookmarkLine(editor, n);
    if (line < 0)
        return false;
    editor.ensureLineVisible(line);
    SetCaretPosition(editor, editor.SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line));
    return true;
}

void ClearBookmarks(QsciScintilla& editor) {
    for (int n = 0; n < kBookmarkCount; ++n)
        editor.markerDeleteAll(n);
}

} // namespace qj
