#pragma once
// Trims blanks and tabs at the end of a line the user edited, once the caret leaves it.

#include <QObject>
#include <QTimer>

class QsciScintilla;

namespace qj {

class TrailingBlanks : public QObject {
    Q_OBJECT
public:
    explicit TrailingBlanks(QsciScintilla* editor);
    void setEnabled(bool on) { enabled_ = on; }

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
