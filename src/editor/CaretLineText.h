#pragma once
// The text colour of an editor's active line (the caret's line). Scintilla colours only the active
// line's ground; its text takes its colour from an indicator laid over the caret's line. The
// active line keeps its colours without the focus.

#include <QColor>
#include <QObject>
#include <QTimer>

class QsciScintilla;

namespace qj {

class CaretLineText : public QObject {
    Q_OBJECT
public:
    // The editor's own (made the first time it is asked for).
    static CaretLineText* of(QsciScintilla* editor);

    // An invalid colour draws the line's text as the rest.
    void setColour(const QColor& colour);
    QColor colour() const { return colour_; }

private:
    explicit CaretLineText(QsciScintilla* editor);
    void colourActiveLine();

    QsciScintilla* editor_;
    QColor colour_;
    int indicator_ = -1;
    // Indicators must not change inside Scintilla's own notifications: the colouring waits for them.
    QTimer timer_;
};

} // namespace qj
