#pragma once
// Lets Scintilla's word wrap end rows where the row rule says (RowBreaks.h): Scintilla ends a
// wrapped row only after a blank or where the text's style changes. The note text is drawn in two
// styles that look alike, and the style changes at every row start the rule computes for the wrap
// column. Scintilla asks for the styles of the lines it is about to lay out (on screen and in
// print), so a megabyte is styled as it is wrapped, not at once.
//
// Scintilla ends a row before the character that reaches past the wrap width, at the last place
// seen before that character; a place is seen only once the character after it is known to fit.
// The wrap width is therefore two columns wider than the rows the rule makes (ColumnWrap), so that
// the rule's row start is always seen before the row overflows (kHangingColumns).

#include <QObject>

#include <functional>

class QsciScintilla;

namespace qj {

// The second style, a copy of the text's style 0.
inline constexpr int kRowBreakStyle = 1;

class RowBreakStyler : public QObject {
public:
    // `columns`: the wrap column the rows are made for.
    RowBreakStyler(QsciScintilla* editor, std::function<int()> columns);

    // The styler of an editor, or null.
    static RowBreakStyler* Of(QsciScintilla& editor);
    // Makes the second style look exactly like style 0 again (painting does it itself).
    static void MatchLook(QsciScintilla& editor);

    // The wrap column changed: every line is styled again when it is next laid out.
    void restyle();
    // The wrap column the rows are made for.
    int columns() const { return columns_(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void styleUpTo(long position);

    QsciScintilla* editor_;
    std::function<int()> columns_;
};

} // namespace qj
