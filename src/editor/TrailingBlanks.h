#pragma once
// Trims blanks and tabs at the end of a line the user typed in, once the caret leaves it. Only
// lines typed in since the text was loaded (or last marked unmodified) are trimmed.

#include <QObject>
#include <QTimer>

class QsciScintilla;

namespace qj {

class TrailingBlanks : public QObject {
    Q_OBJECT
public:
    explicit TrailingBlanks(QsciScintilla* editor);
    void setEnabled(bool on) { enabled_ = on; }
    // No line counts as typed in any more, and a trim not yet done is dropped.
    void forget();

private:
    void caretMoved(int line);
    void trim();

    QsciScintilla* editor_;
    bool enabled_ = true;
    int caretLine_ = 0;
    int editedLine_ = -1;
    int pendingLine_ = -1;
    // The text is not changed inside Scintilla's notifications: the trimming waits for them.
    QTimer timer_;
};

} // namespace qj
