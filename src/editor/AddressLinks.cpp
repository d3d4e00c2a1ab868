#include "editor/AddressLinks.h"

#include "editor/EditorText.h"
#include "seams/Launcher.h"
#include "text/Addresses.h"

#include <Qsci/qsciscintilla.h>

#include <QMouseEvent>
#include <QWidget>

#include <algorithm>

namespace qj {

using Sci = QsciScintilla;

AddressLinks::AddressLinks(Sci* editor, Launcher& launcher)
    : QObject(editor), editor_(editor), viewport_(editor->viewport()), launcher_(launcher) {
    indicator_ = editor_->indicatorDefine(Sci::PlainIndicator);
    editor_->setIndicatorForegroundColor(QColor(0, 0, 238), indicator_);
    editor_->SendScintilla(Sci::SCI_INDICSETUNDER, indicator_, 1L);
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &AddressLinks::highlightVisible);
    connect(editor_, &Sci::SCN_UPDATEUI, &timer_, qOverload<>(&QTimer::start));
    viewport_->installEventFilter(this);
}

// A long line is looked at only around the part in view (a megabyte on one line would otherwise be
// read again after every key): kReach bytes either side of the view, cut back to blanks so that no
// address is cut.
void AddressLinks::highlightVisible() {
    constexpr long kReach = 4096;
    const long first = editor_->SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE,
                                              editor_->SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE));
    const long last = first + editor_->SendScintilla(Sci::SCI_LINESONSCREEN) + 1;
    const long lines = editor_->SendScintilla(Sci::SCI_GETLINECOUNT);
    const QWidget* view = editor_->viewport();
    const long viewStart = editor_->SendScintilla(Sci::SCI_POSITIONFROMPOINT, 0UL, 0L);
    // Below the text's last row Scintilla answers the text's end: the point is kept on that row.
    const long lastY =
        editor_->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, editor_->SendScintilla(Sci::SCI_GETLENGTH));
    const long viewEnd =
        editor_->SendScintilla(Sci::SCI_POSITIONFROMPOINT, static_cast<unsigned long>(view->width()),
                               std::clamp(lastY, 0L, static_cast<long>(view->height()) - 1));
    const auto* text = reinterpret_cast<const char*>(editor_->SendScintilla(Sci::SCI_GETCHARACTERPOINTER));
    auto isBlank = [text](long at) { return text[at] == ' ' || text[at] == '\t'; };
    editor_->SendScintilla(Sci::SCI_SETINDICATORCURRENT, indicator_);
    for (long line = first; line <= last && line < lines; ++line) {
        long from = editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
        long to = editor_->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
        if (to - from > 2 * kReach) {
            const long lineStart = from, lineEnd = to;
            from = std::clamp(viewStart - kReach, lineStart, lineEnd);
            to = std::clamp(viewEnd + kReach, from, lineEnd);
            while (from > lineStart && from < to && !isBlank(from - 1))
                ++from;
            while (to < lineEnd && to > from && !isBlank(to))
                --to;
        }
        editor_->SendScintilla(Sci::SCI_INDICATORCLEARRANGE, from, to - from);
        const QString part = QString::fromUtf8(text + from, static_cast<qsizetype>(to - from));
        // Offsets within an ASCII address equal bytes; its start needs the text's conversion, counted
        // on from the address before (from the start each time would be quadratic in a long line).
        long position = from;
        qsizetype offset = 0;
        for (const TextRun& run : HighlightRuns(part)) {
            if (run.kind != RunKind::WebAddress && run.kind != RunKind::MailAddress)
                continue;
            position = editor_->SendScintilla(Sci::SCI_POSITIONRELATIVECODEUNITS, position,
                                              static_cast<long>(run.start - offset));
            offset = run.start;
            editor_->SendScintilla(Sci::SCI_INDICATORFILLRANGE, position, static_cast<long>(run.length));
        }
    }
}

bool AddressLinks::openAt(long position) {
    const long line = editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, position);
    const long start = editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
    const qsizetype offset = editor_->SendScintilla(Sci::SCI_COUNTCODEUNITS, start, position);
    const std::optional<QUrl> url = OpenableAddressAt(LineText(*editor_, static_cast<int>(line)), offset);
    if (!url)
        return false;
    launcher_.openUrl(*url);
    return true;
}

bool AddressLinks::eventFilter(QObject* watched, QEvent* event) {
    // The viewport is compared as kept: while the editor is being destroyed (its viewport gets
    // events on the way out) no method of the editor may be called.
    if (watched != viewport_ || event->type() != QEvent::MouseButtonPress)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || !(mouse->modifiers() & Qt::ControlModifier))
        return false;
    const QPoint at = mouse->position().toPoint();
    const long position = editor_->SendScintilla(
        Sci::SCI_POSITIONFROMPOINTCLOSE, static_cast<unsigned long>(at.x()), static_cast<long>(at.y()));
    // A Ctrl+click on an address opens it and does not add a caret there.
    return position >= 0 && openAt(position);
}

} // namespace qj
