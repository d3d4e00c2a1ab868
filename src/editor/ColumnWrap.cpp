#include "editor/ColumnWrap.h"

#include "editor/ColumnMath.h"
#include "editor/EditorLook.h"
#include "editor/RowBreakStyler.h"
#include "editor/RowBreaks.h"

#include <Qsci/qsciscintilla.h>

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <cmath>

namespace qj {
namespace {

constexpr int kGrabDistance = 3; // pixels either side of the edge line that pick it up
constexpr int kMeasureCells = 100;

// The dotted edge: a layer as large as the viewport that lets the mouse through and draws one
// dotted vertical line where the wrap says.
class DottedEdge : public QWidget {
public:
    DottedEdge(QWidget* viewport, const ColumnWrap& wrap) : QWidget(viewport), wrap_(wrap) {
        setObjectName(QStringLiteral("dottedEdge"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        resize(viewport->size());
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const int x = static_cast<int>(std::lround(wrap_.edgeX()));
        QPainter painter(this);
        QPen pen(kEdgeColour, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawLine(x, 0, x, height());
    }

private:
    const ColumnWrap& wrap_;
};

} // namespace

ColumnWrap::ColumnWrap(QsciScintilla* editor)
    : QObject(editor), editor_(editor), viewport_(editor->viewport()) {
    viewport_->installEventFilter(this);
    editor_->viewport()->setMouseTracking(true);
    editor_->setEdgeColor(kEdgeColour);
    editor_->setEdgeMode(QsciScintilla::EdgeNone);
    edgeLine_ = new DottedEdge(editor_->viewport(), *this);
    // Rows end where the row rule says, Chinese text between its characters.
    new RowBreakStyler(editor_, [this] { return wrapColumn_; });
    // The line moves with horizontal scrolling.
    connect(editor_, &QsciScintilla::SCN_UPDATEUI, this, [this](int updated) {
        if (updated & QsciScintilla::SC_UPDATE_H_SCROLL)
            redrawEdge();
    });
    // A resize may come in the middle of Scintilla's own layout: the margin follows right after.
    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(0);
    connect(&refreshTimer_, &QTimer::timeout, this, &ColumnWrap::applyMargin);
}

void ColumnWrap::setEnabled(bool on) {
    enabled_ = on;
    if (edgeLine_)
        edgeLine_->setVisible(on);
    redrawEdge();
    editor_->setWrapMode(on ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    // The wrap mode keeps a laid-out line for every line of the text; every restyle marks each of
    // them stale, which made a million-line import cost the square of its lines (minutes for 100
    // MiB). The lines on screen are enough.
    editor_->SendScintilla(QsciScintilla::SCI_SETLAYOUTCACHE, QsciScintilla::SC_CACHE_PAGE);
    applyMargin();
}

void ColumnWrap::setWrapColumn(int column) {
    column = std::max(1, column);
    if (column == wrapColumn_)
        return;
    wrapColumn_ = column;
    RowBreakStyler::Of(*editor_)->restyle();
    applyMargin();
}

int ColumnWrap::edgeColumn() const {
    return editor_->edgeColumn();
}

void ColumnWrap::setEdgeColumn(int column) {
    editor_->setEdgeColumn(std::max(1, column));
    redrawEdge();
}

void ColumnWrap::refresh() {
    applyMargin();
    redrawEdge();
}

double ColumnWrap::cellWidth() const {
    const QByteArray blanks(kMeasureCells, ' ');
    const long width = editor_->SendScintilla(QsciScintilla::SCI_TEXTWIDTH, QsciScintilla::STYLE_DEFAULT,
                                              blanks.constData());
    return static_cast<double>(width) / kMeasureCells;
}

int ColumnWrap::textStart() const {
    int start = static_cast<int>(editor_->SendScintilla(QsciScintilla::SCI_GETMARGINLEFT));
    for (int i = 0; i < editor_->margins(); ++i)
        start += editor_->marginWidth(i);
    return start;
}

double ColumnWrap::edgeX() const {
    const long xOffset = editor_->SendScintilla(QsciScintilla::SCI_GETXOFFSET);
    return textStart() + edgeColumn() * cellWidth() - static_cast<double>(xOffset);
}

void ColumnWrap::applyMargin() {
    int margin = 0;
    if (enabled_) {
        // Room for blanks hanging past the wrap column (RowBreakStyler.h): the rows themselves
        // never pass it.
        const int columnsWidth = static_cast<int>(std::lround((wrapColumn_ + kHangingColumns) * cellWidth()));
        margin = WrapRightMargin(editor_->viewport()->width() - textStart(), columnsWidth);
    }
    redrawEdge();
    // A window too narrow for the wrap column leaves no margin: Scintilla wraps at its edge.
    RowBreakStyler::Of(*editor_)->setWrapAtColumn(!enabled_ || margin > 0);
    if (editor_->SendScintilla(QsciScintilla::SCI_GETMARGINRIGHT) != margin)
        editor_->SendScintilla(QsciScintilla::SCI_SETMARGINRIGHT, 0UL, static_cast<long>(margin));
}

void ColumnWrap::redrawEdge() {
    if (edgeLine_)
        edgeLine_->update();
}

bool ColumnWrap::eventFilter(QObject* watched, QEvent* event) {
    // The viewport is compared as kept: while the editor is being destroyed (its viewport gets
    // events on the way out) no method of the editor may be called.
    if (watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::Resize:
        if (edgeLine_)
            edgeLine_->resize(static_cast<QWidget*>(viewport_)->size());
        refreshTimer_.start();
        break;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && enabled_ &&
            std::abs(mouse->position().x() - edgeX()) <= kGrabDistance) {
            dragging_ = true;
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool nearEdge = enabled_ && std::abs(mouse->position().x() - edgeX()) <= kGrabDistance;
        if (dragging_) {
            const long xOffset = editor_->SendScintilla(QsciScintilla::SCI_GETXOFFSET);
            const int column = EdgeColumnAt(mouse->position().x() - textStart() + xOffset, cellWidth());
            if (column != edgeColumn()) {
                setEdgeColumn(column);
                emit edgeDragged(column);
            }
            emit mouseMoved();
            return true;
        }
        // Scintilla sets its own cursor only when its kind changes: the text cursor comes back here.
        if (nearEdge != edgeCursor_) {
            edgeCursor_ = nearEdge;
            editor_->viewport()->setCursor(nearEdge ? Qt::SplitHCursor : Qt::IBeamCursor);
        }
        emit mouseMoved();
        break;
    }
    case QEvent::MouseButtonRelease:
        if (dragging_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            dragging_ = false;
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace qj
