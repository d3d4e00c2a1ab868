#include "editor/TrailingBlanks.h"

#include <Qsci/qsciscintilla.h>

namespace qj {

using Sci = QsciScintilla;

TrailingBlanks::TrailingBlanks(Sci* editor) : QObject(editor), editor_(editor) {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &TrailingBlanks::trim);
    connect(editor_, &Sci::cursorPositionChanged, this, [this](int line, int) { caretMoved(line); });
    // Only typing marks a line as edited: loading or pasting a text never trims it. Scintilla
    // reports a key pressed in a read-only text as added although nothing was: no line is edited.
    connect(editor_, &Sci::SCN_CHARADDED, this, [this](int ch) {
        if (editor_->isReadOnly())
            return;
        const int line = static_cast<int>(editor_->SendScintilla(
            Sci::SCI_LINEFROMPOSITION, editor_->SendScintilla(Sci::SCI_GETCURRENTPOS)));
        editedLine_ = (ch == '\n' || ch == '\r') ? line - 1 : line;
        if (editedLine_ != line && enabled_) {
            pendingLine_ = editedLine_;
            timer_.start();
        }
    });
    // A text loaded or saved is clean: no line of it has been typed in since, whatever the line
    // the caret was on in the text before.
    connect(editor_, &Sci::modificationChanged, this, [this](bool modified) {
        if (!modified)
            forget();
    });
}

void TrailingBlanks::forget() {
    timer_.stop();
    pendingLine_ = -1;
    editedLine_ = -1;
    caretLine_ = static_cast<int>(
        editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, editor_->SendScintilla(Sci::SCI_GETCURRENTPOS)));
}

void TrailingBlanks::caretMoved(int line) {
    if (line != caretLine_ && caretLine_ == editedLine_ && enabled_) {
        pendingLine_ = editedLine_;
        timer_.start();
    }
    if (line != caretLine_)
        editedLine_ = -1;
    caretLine_ = line;
}

void TrailingBlanks::trim() {
    const int line = pendingLine_;
    pendingLine_ = -1;
    const long caret =
        editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, editor_->SendScintilla(Sci::SCI_GETCURRENTPOS));
    if (line < 0 || line >= editor_->lines() || line == caret || editor_->isReadOnly())
        return;
    const long start = editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
    long end = editor_->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
    long from = end;
    while (from > start) {
        const int c = static_cast<int>(editor_->SendScintilla(Sci::SCI_GETCHARAT, from - 1));
        if (c != ' ' && c != '\t')
            break;
        --from;
    }
    if (from == end)
        return;
    editor_->SendScintilla(Sci::SCI_SETTARGETRANGE, from, end);
    editor_->SendScintilla(Sci::SCI_REPLACETARGET, 0UL, "");
}

} // namespace qj
