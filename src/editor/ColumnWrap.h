#pragma once
// Soft wrap of the note editor at a column, not at the window's width, with the dotted right
// edge that the user can drag with the mouse. Scintilla draws its edge as a solid line only: the
// dotted one is drawn by a see-through layer over the text area, and Scintilla's stays off.
//
// Scintilla wraps at its text area's right margin, so the margin is set to leave the wrap
// column's width (half-width cells; a Chinese character takes two) plus the room blanks may hang
// past it (kHangingColumns; the rows themselves end at the wrap column, RowBreakStyler.h), and is
// recomputed when the window, the font or the gutter changes. The edge line follows the edge column; the wrap column
// follows the edge column when the main window says so (on mouse moves).

#include <QObject>
#include <QPointer>
#include <QTimer>

class QsciScintilla;
class QWidget;

namespace qj {

class ColumnWrap : public QObject {
    Q_OBJECT
public:
    explicit ColumnWrap(QsciScintilla* editor);

    // On: the edge line shows at `column`, and lines wrap there. Off: no edge line, no wrapping;
    // the columns keep their values.
    void setEnabled(bool on);
    bool isEnabled() const { return enabled_; }

    // Whether the dotted edge line shows (it does while the wrap is on).
    bool edgeShown() const { return enabled_; }
    int wrapColumn() const { return wrapColumn_; }
    void setWrapColumn(int column);
    int edgeColumn() const;
    void setEdgeColumn(int column);

    // Recomputes the right margin (after a font or gutter change; resizes are seen by itself).
    void refresh();

    // Width of one half-width cell in the editor's font, in pixels.
    double cellWidth() const;
    // The edge line's x in the viewport's coordinates.
    double edgeX() const;

signals:
    // The mouse moved over the text area (also while the edge is dragged).
    void mouseMoved();
    // The user dragged the edge to a new column.
    void edgeDragged(int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int textStart() const;
    void redrawEdge();
    void applyMargin();

    QsciScintilla* editor_;
    QObject* viewport_; // the editor's viewport, watched for resizes and the edge line's mouse
    bool enabled_ = false;
    int wrapColumn_ = 80;
    bool dragging_ = false;
    bool edgeCursor_ = false;
    QTimer refreshTimer_;
    QPointer<QWidget> edgeLine_; // the dotted line's layer over the viewport (goes with it)
};

} // namespace qj
