#pragma once
// Lets Scintilla's word wrap end rows where the row rule says (RowBreaks.h): Scintilla ends a
// wrapped row only after a blank or where the text's style changes. The note text is drawn in
// styles that look alike (RowPieces.h), and the style changes at every row start the rule computes
// for the wrap column, and between the short pieces Scintilla keeps measured. Scintilla asks for
// the styles of the lines it is about to lay out (on screen and in print), so a megabyte is styled
// as it is wrapped, not at once.
//
// Scintilla ends a row before the character that reaches past the wrap width, at the last place
// seen before that character; a place is seen only once the character after it is known to fit.
// The wrap width is therefore two columns wider than the rows the rule makes (ColumnWrap), so that
// the rule's row start is always seen before the row overflows (kHangingColumns), and no piece
// ends between a row start and the place where the row before it overflows.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QsciScintilla;

namespace qj {

class RowBreakStyler : public QObject {
public:
    // `columns`: the wrap column the rows are made for.
    RowBreakStyler(QsciScintilla* editor, std::function<int()> columns);

    // The styler of an editor, or null.
    static RowBreakStyler* Of(QsciScintilla& editor);
    // Makes the other styles look exactly like style 0 again (painting does it itself).
    static void MatchLook(QsciScintilla& editor);

    // The wrap column changed: every line is styled again when it is next laid out.
    void restyle();
    // The wrap column the rows are made for.
    int columns() const { return columns_(); }
    // Whether Scintilla wraps at that column (false: the window is narrower and Scintilla wraps
    // at its edge, where a piece end would be taken for a row end: the pieces keep to the row
    // starts then).
    void setWrapAtColumn(bool atColumn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void styleUpTo(long position);
    int slackColumns();
    void keepMeasured(const std::vector<char>& styles);

    QsciScintilla* editor_;
    std::function<int()> columns_;
    QPointer<QWidget> viewport_;
    bool wrapAtColumn_ = true;
    bool typing_ = false; // a key or an input method's text is being handled
    QByteArray measuredFace_;
    int slack_ = -1;
    size_t measuredKept_ = 1024; // Scintilla's own number
};

} // namespace qj
