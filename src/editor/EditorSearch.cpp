#include "editor/EditorSearch.h"

#include "editor/EditorText.h"
#include "editor/StepNotices.h"

#include <Qsci/qsciscintilla.h>

#include <iterator>
#include <utility>
#include <vector>

namespace qj {
namespace {

using Sci = QsciScintilla;

int Flags(const SearchOptions& options) {
    return (options.matchCase ? Sci::SCFIND_MATCHCASE : 0) | (options.wholeWord ? Sci::SCFIND_WHOLEWORD : 0);
}

// The match in [from, to) (to < from searches backwards); its start, or -1. Its end in *end.
long Search(Sci& editor, const SearchOptions& options, long from, long to, long* end) {
    const QByteArray needle = options.text.toUtf8();
    editor.SendScintilla(Sci::SCI_SETSEARCHFLAGS, Flags(options));
    editor.SendScintilla(Sci::SCI_SETTARGETRANGE, from, to);
    const long found = editor.SendScintilla(Sci::SCI_SEARCHINTARGET,
                                            static_cast<unsigned long>(needle.size()), needle.constData());
    if (found >= 0 && end)
        *end = editor.SendScintilla(Sci::SCI_GETTARGETEND);
    return found;
}

void SelectMatch(Sci& editor, long start, long end) {
    editor.SendScintilla(Sci::SCI_SETSEL, start, end);
    editor.SendScintilla(Sci::SCI_CHOOSECARETX);
    const long line = editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, start);
    editor.ensureLineVisible(static_cast<int>(line));
    // A wrapped line may be taller than the window: the match itself comes into view.
    editor.SendScintilla(Sci::SCI_SCROLLRANGE, end, start);
}

bool SelectionIsMatch(Sci& editor, const SearchOptions& options) {
    const long start = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long end = editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
    if (end <= start)
        return false;
    long matchEnd = 0;
    return Search(editor, options, start, end, &matchEnd) == start && matchEnd == end;
}

} // namespace

bool FindMatch(Sci& editor, const SearchOptions& options, bool backwards) {
    if (options.text.isEmpty())
        return false;
    const long length = editor.SendScintilla(Sci::SCI_GETLENGTH);
    const long selStart = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long selEnd = editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
    long end = 0;
    long found = backwards ? Search(editor, options, selStart, 0, &end)
                           : Search(editor, options, selEnd, length, &end);
    if (found < 0) // once round the end of the text
        found = backwards ? Search(editor, options, length, selStart, &end)
                          : Search(editor, options, 0, selEnd, &end);
    if (found < 0)
        return false;
    SelectMatch(editor, found, end);
    return true;
}

int CountMatches(Sci& editor, const SearchOptions& options) {
    if (options.text.isEmpty())
        return 0;
    const long length = editor.SendScintilla(Sci::SCI_GETLENGTH);
    int count = 0;
    long from = 0, end = 0;
    while (from <= length) {
        const long found = Search(editor, options, from, length, &end);
        if (found < 0)
            break;
        ++count;
        from = end > found ? end : found + 1;
    }
    return count;
}

bool ReplaceAndFind(Sci& editor, const SearchOptions& options, const QString& replacement, bool backwards) {
    if (options.text.isEmpty())
        return false;
    if (SelectionIsMatch(editor, options) && !editor.isReadOnly()) {
        const long start = editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
        editor.replaceSelectedText(replacement);
        // Searching backwards starts in front of the replaced text.
        if (backwards)
            editor.SendScintilla(Sci::SCI_SETSEL, start, start);
        FindMatch(editor, options, backwards);
        return true;
    }
    return FindMatch(editor, options, backwards);
}

// The matches are found first, then replaced from the last to the first, so that no position
// moves before it is used. The window is told of the last replacement only (the first match):
// see StepNotices.h.
int ReplaceAll(Sci& editor, const SearchOptions& options, const QString& replacement) {
    if (options.text.isEmpty() || editor.isReadOnly())
        return 0;
    const QByteArray with = replacement.toUtf8();
    const long length = editor.SendScintilla(Sci::SCI_GETLENGTH);
    std::vector<std::pair<long, long>> matches;
    for (long from = 0, end = 0; from <= length;) {
        const long found = Search(editor, options, from, length, &end);
        if (found < 0)
            break;
        matches.emplace_back(found, end);
        from = end > found ? end : found + 1;
    }
    if (matches.empty())
        return 0;
    editor.beginUndoAction();
    {
        HeldNotices held(editor);
        for (auto match = matches.rbegin(); match != matches.rend(); ++match) {
            if (std::next(match) == matches.rend())
                held.release();
            editor.SendScintilla(Sci::SCI_SETTARGETRANGE, match->first, match->second);
            editor.SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(with.size()),
                                 with.constData());
        }
    }
    editor.endUndoAction();
    return static_cast<int>(matches.size());
}

QString WordAtCaret(Sci& editor) {
    const long pos = editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    const long start = editor.SendScintilla(Sci::SCI_WORDSTARTPOSITION, pos, 1L);
    const long end = editor.SendScintilla(Sci::SCI_WORDENDPOSITION, pos, 1L);
    if (end <= start)
        return {};
    QByteArray bytes(static_cast<int>(end - start), '\0');
    editor.SendScintilla(Sci::SCI_GETTEXTRANGE, start, end, bytes.data());
    return QString::fromUtf8(bytes);
}

} // namespace qj
