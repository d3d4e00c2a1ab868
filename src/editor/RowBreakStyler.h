#pragma once
// Lets the note editor's word wrap break Chinese text between its characters (see RowBreaks.h):
// the text is styled on demand in two styles that look alike, changing style where a row may end.
// Scintilla asks for the styles of the lines it is about to lay out, on screen and in print, so a
// megabyte is styled as it is wrapped, not at once.

#include <QObject>

class QsciScintilla;

namespace qj {

// The second style, a copy of the text's style 0.
inline constexpr int kRowBreakStyle = 1;

class RowBreakStyler : public QObject {
    Q_OBJECT
public:
    explicit RowBreakStyler(QsciScintilla* editor);

    // Attaches a styler to the editor unless it has one.
    static void Attach(QsciScintilla& editor);
    // Makes the second style look exactly like style 0 again (after a font or colour change;
    // painting and printing do it themselves).
    static void MatchLook(QsciScintilla& editor);
    // Styles the whole text now and matches the look (before printing it).
    static void StyleAll(QsciScintilla& editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void styleUpTo(long position);

    QsciScintilla* editor_;
};

} // namespace qj
