#include "editor/CaretLineText.h"

#include <Qsci/qsciscintilla.h>

namespace qj {

CaretLineText* CaretLineText::of(QsciScintilla* editor) {
    if (auto* own = editor->findChild<CaretLineText*>(QString(), Qt::FindDirectChildrenOnly))
        return own;
    return new CaretLineText(editor);
}

CaretLineText::CaretLineText(QsciScintilla* editor) : QObject(editor), editor_(editor) {
    editor_->SendScintilla(QsciScintilla::SCI_SETCARETLINEVISIBLEALWAYS, 1);
    indicator_ = editor_->indicatorDefine(QsciScintilla::TextColorIndicator);
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &CaretLineText::colourActiveLine);
    connect(editor_, &QsciScintilla::cursorPositionChanged, &timer_, qOverload<>(&QTimer::start));
    connect(editor_, &QsciScintilla::textChanged, &timer_, qOverload<>(&QTimer::start));
}

void CaretLineText::setColour(const QColor& colour) {
    colour_ = colour;
    editor_->setIndicatorForegroundColor(colour, indicator_);
    timer_.start();
}

void CaretLineText::colourActiveLine() {
    editor_->SendScintilla(QsciScintilla::SCI_SETINDICATORCURRENT, indicator_);
    editor_->SendScintilla(QsciScintilla::SCI_INDICATORCLEARRANGE, 0UL,
                           editor_->SendScintilla(QsciScintilla::SCI_GETLENGTH));
    if (!colour_.isValid())
        return;
    const long line = editor_->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION,
                                             editor_->SendScintilla(QsciScintilla::SCI_GETCURRENTPOS));
    const long start = editor_->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line);
    const long end = editor_->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, line);
    if (end > start)
        editor_->SendScintilla(QsciScintilla::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start),
                               end - start);
}

} // namespace qj
