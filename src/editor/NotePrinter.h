#pragma once
// Printing a note: the page layout (margins in millimetres, editable in the page-setup dialog),
// the header (the window's caption, two blanks and the version text, right-aligned) and the
// two-item footer (date, time and "n/N" right-aligned; a 6-point line of ours left-aligned) drawn
// afresh on every page, the editor's font, long lines wrapped on the page. The pages are counted
// in a first pass so that every footer can say "n/N".

#include <Qsci/qsciprinter.h>

#include <QDateTime>
#include <QMarginsF>
#include <QPageLayout>
#include <QString>

#include <functional>

class QsciScintilla;
class QWidget;

namespace qj {

// The texts of the header, read again for every page.
struct PrintTexts {
    QString caption; // the main window's caption
    QString version; // status panel 1: "版本: V…"
};

// Lengths of the page, in millimetres. The text's margins start at these values and are the
// printer's page margins from then on (the page-setup dialog edits them); the text never runs into
// the header or the footer, whatever the margins.
struct PrintLayout {
    static constexpr double left = 25, right = 15, top = 25, bottom = 25;
    static QMarginsF margins() { return QMarginsF(left, top, right, bottom); }
    // The paper every path starts with (the page-setup dialog may change it): 215.9 × 279.4 mm.
    static QPageLayout page();
    static constexpr double header = 15, footer = 15; // from the paper's top / bottom edge
    static constexpr double textIndent = 2;           // header and footer text, left and right
    static constexpr double internalMargin = 0.5;     // between header or footer and the text
};

// Whether the page's margins leave at least 30 mm × 30 mm for the text. Pages whose margins do
// not are printed with the margins above instead.
bool LeavesRoomForText(const QPageLayout& layout);

// The footer's right item with its macros expanded: "$date$ $time$   $PAGENUM$/$PAGECOUNT$".
QString FooterText(const QDateTime& printed, int page, int pages);
// The footer's left item, in 6 points.
QString FooterNotice();

class NotePrinter : public QsciPrinter {
public:
    explicit NotePrinter(PrinterMode mode = HighResolution);

    void setTexts(std::function<PrintTexts()> texts) { texts_ = std::move(texts); }
    // The print date and time; by default the moment printing starts.
    void setPrintTime(std::function<QDateTime()> now) { now_ = std::move(now); }

    // Prints every line of the editor on this printer (its output already chosen). Returns the
    // number of pages, 0 when printing failed.
    int printNote(QsciScintilla& editor);
    // The number of pages the editor's text takes on this printer's paper.
    int countPages(QsciScintilla& editor);
    int pageCount() const { return pageCount_; }

    void formatPage(QPainter& painter, bool drawing, QRect& area, int pagenr) override;

private:
    QMarginsF textMargins() const; // millimetres
    void drawHeaderAndFooter(QPainter& painter, int page);
    int printEmptyPage();
    // The text's rows on paper are the editor's rows: the text area is no wider than the wrap
    // column (and the room for hanging blanks) in the editor's font on this printer.
    void fitRowsOf(QsciScintilla& editor);

    std::function<PrintTexts()> texts_;
    std::function<QDateTime()> now_;
    QDateTime printed_;
    int pageCount_ = 0;
    int lastPage_ = 0;
    int rowWidth_ = 0; // printer pixels; 0 = the page's width
};

// Writes the editor's note as a PDF file through the same printing code, on the paper and with the
// text's margins of `page` (what the page-setup dialog chose; by default the program's first
// paper). The file is printed under a temporary name and takes `path` only when it is whole and
// synced to the disk. Returns the number of pages, 0 when the file could not be written (`path` is
// then as it was, and `failure` says why in the user's words).
int WriteNotePdf(QsciScintilla& editor, const QString& path, const PrintTexts& texts,
                 const QDateTime& printed, const QPageLayout& page = PrintLayout::page(),
                 QString* failure = nullptr);

} // namespace qj
