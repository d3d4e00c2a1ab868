#include "editor/NotePrinter.h"

#include "common/DurableFile.h"
#include "editor/EditorText.h"
#include "editor/PdfFile.h"
#include "editor/RowBreakStyler.h"
#include "editor/RowBreaks.h"
#include "platform/DateTimeText.h"

#include <Qsci/qsciscintilla.h>

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QTemporaryDir>

#include <vector>

namespace qj {
namespace {

using Sci = QsciScintilla;

constexpr double kHeaderFontPixels = 13; // "Arial", 13 pixels high at 96 dots per inch
constexpr double kNoticePoints = 6;

// Arial where it is installed, else the same sans faces whatever the program's own font (the
// window and the command line draw the same header).
QFont HeaderFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kHeaderFontPixels * 72.0 / 96.0);
    return font;
}

int Pixels(double millimetres, int dpi) {
    return static_cast<int>(millimetres * dpi / 25.4 + 0.5);
}

// While printing, the page shows only the text: no gutter, no edge line, no active-line colour,
// the text's colours on white; everything comes back afterwards.
class PrintLook {
public:
    explicit PrintLook(Sci& editor) : editor_(editor) {
        for (int i = 0; i < editor_.margins(); ++i) {
            widths_.push_back(editor_.marginWidth(i));
            editor_.setMarginWidth(i, 0);
        }
        edge_ = editor_.edgeMode();
        editor_.setEdgeMode(Sci::EdgeNone);
        colourMode_ = editor_.SendScintilla(Sci::SCI_GETPRINTCOLOURMODE);
        editor_.SendScintilla(Sci::SCI_SETPRINTCOLOURMODE, Sci::SC_PRINT_COLOURONWHITE);
        // Indicators that colour text (the active line's colour) are hidden.
        for (int i = 0; i <= Sci::INDIC_MAX; ++i) {
            if (editor_.SendScintilla(Sci::SCI_INDICGETSTYLE, i) == Sci::INDIC_TEXTFORE) {
                hidden_.push_back(i);
                editor_.SendScintilla(Sci::SCI_INDICSETSTYLE, i, Sci::INDIC_HIDDEN);
            }
        }
    }
    ~PrintLook() {
        for (int i : hidden_)
            editor_.SendScintilla(Sci::SCI_INDICSETSTYLE, i, Sci::INDIC_TEXTFORE);
        editor_.SendScintilla(Sci::SCI_SETPRINTCOLOURMODE, colourMode_);
        editor_.setEdgeMode(edge_);
        for (int i = 0; i < static_cast<int>(widths_.size()); ++i)
            editor_.setMarginWidth(i, widths_[static_cast<size_t>(i)]);
    }

private:
    Sci& editor_;
    std::vector<int> widths_;
    std::vector<int> hidden_;
    Sci::EdgeMode edge_;
    long colourMode_;
};

} // namespace

QPageLayout PrintLayout::page() {
    return QPageLayout(QPageSize(QSizeF(215.9, 279.4), QPageSize::Millimeter), QPageLayout::Portrait,
                       margins(), QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
}

bool LeavesRoomForText(const QPageLayout& layout) {
    constexpr double kLeast = 30;
    const QSizeF paper = layout.fullRectPoints().size() * (25.4 / 72.0);
    const QMarginsF m = layout.margins(QPageLayout::Millimeter);
    return paper.width() - m.left() - m.right() >= kLeast && paper.height() - m.top() - m.bottom() >= kLeast;
}

QString FooterText(const QDateTime& printed, int page, int pages) {
    return ShortDateText(printed.date()) + QLatin1Char(' ') + LongTimeText(printed.time()) +
           QStringLiteral("   ") + QString::number(page) + QLatin1Char('/') + QString::number(pages);
}

QString FooterNotice() {
    return QStringLiteral("青简札记 · 个人笔记打印页");
}

NotePrinter::NotePrinter(PrinterMode mode) : QsciPrinter(mode) {
    setFullPage(true);
    setPageSize(PrintLayout::page().pageSize());
    setPageMargins(PrintLayout::margins(), QPageLayout::Millimeter);
    setWrapMode(QsciScintilla::WrapWord);
    setCopyCount(1);
}

QMarginsF NotePrinter::textMargins() const {
    const QPageLayout layout = pageLayout();
    return LeavesRoomForText(layout) ? layout.margins(QPageLayout::Millimeter) : PrintLayout::margins();
}

// The text's area: the page margins, but below the header and above the footer (with the small
// gap between them and the text) when a margin is narrower than they need.
void NotePrinter::formatPage(QPainter& painter, bool drawing, QRect& area, int pagenr) {
    const int dpi = resolution();
    const QRect paper = paperRect(QPrinter::DevicePixel).toRect();
    const QMarginsF margins = textMargins();
    const int lineHeight = QFontMetrics(HeaderFont(), painter.device()).height();
    const int gap = Pixels(PrintLayout::internalMargin, dpi);
    const int top = std::max(Pixels(margins.top(), dpi), Pixels(PrintLayout::header, dpi) + lineHeight + gap);
    const int bottom =
        std::max(Pixels(margins.bottom(), dpi), Pixels(PrintLayout::footer, dpi) + lineHeight + gap);
    area = QRect(QPoint(Pixels(margins.left(), dpi), top),
                 QPoint(paper.width() - Pixels(margins.right(), dpi) - 1, paper.height() - bottom - 1));
    if (rowWidth_ > 0 && rowWidth_ < area.width())
        area.setWidth(rowWidth_);
    lastPage_ = std::max(lastPage_, pagenr);
    if (drawing)
        drawHeaderAndFooter(painter, pagenr);
}

// The header and footer are made afresh for every page: the texts are read again, nothing is kept
// from the page before.
void NotePrinter::drawHeaderAndFooter(QPainter& painter, int page) {
    const int dpi = resolution();
    const QRect paper = paperRect(QPrinter::DevicePixel).toRect();
    const PrintTexts texts = texts_ ? texts_() : PrintTexts{};
    const QMarginsF margins = textMargins();
    const int left = Pixels(margins.left() + PrintLayout::textIndent, dpi);
    const int right = paper.width() - Pixels(margins.right() + PrintLayout::textIndent, dpi);

    painter.save();
    painter.setPen(Qt::black);
    QFont font = HeaderFont();
    painter.setFont(font);
    const int lineHeight = QFontMetrics(font, painter.device()).height();
    const int headerTop = Pixels(PrintLayout::header, dpi);
    painter.drawText(QRect(left, headerTop, right - left, lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                     texts.caption + QStringLiteral("  ") + texts.version);

    const int footerBottom = paper.height() - Pixels(PrintLayout::footer, dpi);
    const QRect footerLine(left, footerBottom - lineHeight, right - left, lineHeight);
    painter.drawText(footerLine, Qt::AlignRight | Qt::AlignVCenter, FooterText(printed_, page, pageCount_));
    QFont small = font;
    small.setPointSizeF(kNoticePoints);
    painter.setFont(small);
    painter.drawText(footerLine, Qt::AlignLeft | Qt::AlignVCenter, FooterNotice());
    painter.restore();
}

int NotePrinter::countPages(Sci& editor) {
    // A pass that lays the text out on a printer of the same paper without drawing a page.
    QTemporaryDir dir;
    NotePrinter counter(QPrinter::HighResolution);
    counter.setResolution(resolution());
    counter.setPageLayout(pageLayout());
    counter.setOutputFormat(QPrinter::PdfFormat);
    counter.setOutputFileName(dir.path() + QStringLiteral("/count.pdf"));
    counter.setFromTo(1000000, 1000000);
    counter.fitRowsOf(editor);
    PrintLook look(editor);
    counter.printRange(&editor);
    return std::max(1, counter.lastPage_);
}

int NotePrinter::printNote(Sci& editor) {
    printed_ = now_ ? now_() : QDateTime::currentDateTime();
    pageCount_ = countPages(editor);
    lastPage_ = 0;
    // All lines, every page.
    setPrintRange(QPrinter::AllPages);
    setFromTo(0, 0);
    // QsciPrinter prints nothing for an empty text: an empty note is one page with its header and footer.
    if (editor.SendScintilla(Sci::SCI_GETLENGTH) == 0)
        return printEmptyPage();
    fitRowsOf(editor);
    PrintLook look(editor);
    if (!printRange(&editor))
        return 0;
    return lastPage_;
}

void NotePrinter::fitRowsOf(Sci& editor) {
    rowWidth_ = 0;
    const RowBreakStyler* styler = RowBreakStyler::Of(editor);
    if (!styler)
        return;
    RowBreakStyler::MatchLook(editor);
    const QFontMetricsF metrics(EditorDisplayFont(editor), this);
    const double cell = metrics.horizontalAdvance(QString(100, QLatin1Char(' '))) / 100;
    rowWidth_ = static_cast<int>(std::lround((styler->columns() + kHangingColumns) * cell)) + 1;
}

int NotePrinter::printEmptyPage() {
    QPainter painter;
    if (!painter.begin(this))
        return 0;
    QRect area;
    formatPage(painter, true, area, 1);
    return painter.end() ? 1 : 0;
}

int WriteNotePdf(Sci& editor, const QString& path, const PrintTexts& texts, const QDateTime& printed,
                 const QPageLayout& page, QString* failure) {
    // Printed under a name of its own: the file takes `path` only when it is whole and on the disk.
    const QString temporary = QFile::decodeName(QByteArray::fromStdString(
        TemporaryNameBeside(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString())));
    NotePrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temporary);
    // Paper, orientation and margins one by one: a whole layout would end the full-page mode.
    printer.setPageSize(page.pageSize());
    printer.setPageOrientation(page.orientation());
    printer.setPageMargins(page.margins(QPageLayout::Millimeter), QPageLayout::Millimeter);
    printer.setDocName(texts.caption);
    printer.setTexts([texts] { return texts; });
    printer.setPrintTime([printed] { return printed; });
    const int pages = printer.printNote(editor);
    QString why = pages > 0 ? CommitPrintedPdf(temporary, path)
                            : QStringLiteral("无法打印到文件（磁盘可能已满或出错）");
    if (pages == 0)
        QFile::remove(temporary);
    if (failure)
        *failure = why;
    return why.isEmpty() ? pages : 0;
}

} // namespace qj
