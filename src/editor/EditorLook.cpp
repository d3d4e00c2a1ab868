#include "editor/EditorLook.h"

#include "editor/StepNotices.h"

#include <Qsci/qsciscintilla.h>

#include <QFontDatabase>
#include <QImage>
#include <QPainter>

namespace qj {
namespace {

constexpr int kGutterPoints = 8; // 11 pixels at 96 dots per inch

constexpr const char* kGutterDigitsProperty = "qjGutterDigits";

constexpr int kBookmarkWidth = 13; // the mark's size in pixels; the margin leaves a pixel either side
constexpr int kBookmarkHeight = 15;

// A bookmark's mark: its digit in bold dark blue on a light yellow tab. Scintilla's own character
// marks draw the digit in the gutter's font cut to the margin; a picture keeps it whole.
QImage BookmarkMark(int digit) {
    QImage image(kBookmarkWidth, kBookmarkHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(kBookmarkEdge);
    painter.setBrush(kBookmarkBack);
    painter.drawRect(QRect(0, 0, kBookmarkWidth - 1, kBookmarkHeight - 1));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kBookmarkDigit);
    painter.drawText(QRect(0, 0, kBookmarkWidth, kBookmarkHeight), Qt::AlignCenter, QString::number(digit));
    return image;
}

// The line numbers' margin widens when the line count gains a digit (and narrows back).
void FitGutter(QsciScintilla& editor) {
    if (!editor.marginLineNumbers(kLineNumberMargin))
        return;
    const QString text = GutterWidthText(editor.lines());
    if (editor.property(kGutterDigitsProperty).toInt() == text.size())
        return;
    editor.setProperty(kGutterDigitsProperty, static_cast<int>(text.size()));
    editor.setMarginWidth(kLineNumberMargin, text);
}

void ShowGutter(QsciScintilla& editor, bool shown) {
    QFont gutterFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    gutterFont.setPointSize(kGutterPoints);
    editor.setMarginsFont(gutterFont);
    editor.setMarginType(kLineNumberMargin, QsciScintilla::NumberMargin);
    editor.setMarginLineNumbers(kLineNumberMargin, shown);
    editor.setProperty(kGutterDigitsProperty, 0);
    if (shown)
        FitGutter(editor);
    else
        editor.setMarginWidth(kLineNumberMargin, QString());
    editor.setMarginWidth(kBookmarkMargin, shown ? kBookmarkWidth + 2 : 0);
}

} // namespace

QString GutterWidthText(long lineCount) {
    const qsizetype digits = QString::number(std::max(lineCount, 1L)).size();
    return QString(std::max<qsizetype>(6, digits + 1), QLatin1Char('0'));
}

void ConfigureNoteEditor(QsciScintilla& editor) {
    editor.setMarginsBackgroundColor(kGutterBackground);
    editor.setMarginsForegroundColor(kGutterText);
    editor.setMarginType(kBookmarkMargin, QsciScintilla::SymbolMargin);
    editor.setMarginSensitivity(kBookmarkMargin, false);
    // Bookmarks 0–9 are markers 0–9, drawn as their digit; no other marks (no modified lines).
    unsigned mask = 0;
    for (int n = 0; n < 10; ++n) {
        editor.markerDefine(BookmarkMark(n), n);
        mask |= 1u << n;
    }
    editor.setMarginMarkerMask(kBookmarkMargin, static_cast<int>(mask));
    editor.setMarginMarkerMask(kLineNumberMargin, 0);

    editor.setSelectionForegroundColor(kSelectionText);
    editor.setSelectionBackgroundColor(kSelectionBackground);
    editor.setEdgeColor(kEdgeColour);

    editor.setIndentationsUseTabs(false);
    editor.setTabIndents(true);
    editor.setBackspaceUnindents(true);
    editor.setBraceMatching(QsciScintilla::SloppyBraceMatch);
    editor.setUtf8(true);
    // Notes carry no annotations. Shown annotations (QScintilla's default) make Scintilla lay out
    // every inserted line at once to count its wrapped height: a megabyte would wrap before
    // setText() returns instead of the lines in view first and the rest when idle.
    editor.setAnnotationDisplay(QsciScintilla::AnnotationHidden);
    // Dragging a selection moves it; right click keeps a click outside the selection as the caret.
    editor.SendScintilla(QsciScintilla::SCI_SETMOUSEDOWNCAPTURES, 1);
    QObject::connect(&editor, &QsciScintilla::linesChanged, &editor, [&editor] { FitGutter(editor); });
    ApplyEditorOptions(editor, EditorOptions{});
    // Undoing a replace-all of thousands of matches is told to the window as one change.
    QuietenUndoSteps(editor);
}

void ApplyEditorOptions(QsciScintilla& editor, const EditorOptions& options) {
    editor.setTabWidth(options.tabWidth);
    editor.setIndentationWidth(0); // indentation follows the tab width
    editor.setAutoIndent(options.autoIndent);
    editor.SendScintilla(QsciScintilla::SCI_SETVIRTUALSPACEOPTIONS,
                         options.caretPastLineEnd
                             ? QsciScintilla::SCVS_RECTANGULARSELECTION | QsciScintilla::SCVS_USERACCESSIBLE
                             : QsciScintilla::SCVS_RECTANGULARSELECTION);
    ShowGutter(editor, options.gutterShown);
}

} // namespace qj
