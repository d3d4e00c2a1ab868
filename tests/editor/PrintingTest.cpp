// Printing a note through Qt's print system to PDF files, read back with poppler's tools.

#include "EditorFixture.h"

#include "FaultInjection.h"
#include "editor/NotePrinter.h"
#include "editor/PdfFile.h"
#include "editor/PrintCommands.h"
#include "support/FakeClock.h"
#include "support/Printers.h"
#include "support/ScriptedDialogs.h"
#include "support/UiHelpers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>

namespace qj::test {
namespace {

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PageCount(const QString& pdf) {
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The text of one page (1-based), runs of blanks and line breaks made one blank (the tool does not
// keep the number of blanks between items).
QString PageText(const QString& pdf, int page) {
    return RunTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
                    QStringLiteral("-layout"), pdf, QStringLiteral("-")})
        .simplified();
}

// The words of page 1 with their boxes in millimetres from the paper's top left corner.
struct Word {
    QString text;
    QRectF box;
};
std::vector<Word> Words(const QString& pdf) {
    const QString html = RunTool(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                  QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"));
    std::vector<Word> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(html)) {
        const double mm = 25.4 / 72;
        words.push_back(
            {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * mm,
                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()) * mm)});
    }
    return words;
}
QRectF BoxOf(const std::vector<Word>& words, const QString& text) {
    for (const Word& w : words)
        if (w.text == text)
            return w.box;
    return {};
}

class PrintingTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        clock.set(QDate(2026, 12, 9), QTime(12, 0, 5));
        commands = pane->printing();
    }
    // The print dialog answers OK with a PDF file as the printer's output.
    QString printToPdf(const char* name) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        dialogs.answerPrint(true, [path](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
        });
        commands->print();
        return path;
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    PrintTexts printTexts() override {
        ++headerReads;
        return EditorTest::printTexts();
    }
    // The print date and time as the locale writes them, without a time-zone name.
    QString footer(int page, int pages) const {
        return QStringLiteral("2026/12/9 12:00:05 %1/%2").arg(page).arg(pages);
    }

    QTemporaryDir dir;
    PrintCommands* commands = nullptr;
    int headerReads = 0;
};

TEST_F(PrintingTest, OneLineNotePrintsOnePageWithHeaderAndFooter) {
    load(QStringLiteral("一行笔记 one line"));
    const QString pdf = printToPdf("one.pdf");
    ASSERT_EQ(PageCount(pdf), 1);
    const QString text = PageText(pdf, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("青简札记 版本: V1.2.12.41"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("一行笔记 one line"))) << text.toStdString();
    EXPECT_TRUE(text.contains(footer(1, 1))) << text.toStdString();
    EXPECT_TRUE(text.contains(FooterNotice())) << text.toStdString();
}

TEST_F(PrintingTest, ThreePageNoteSaysNOfThreeOnEveryPageAndRereadsTheHeader) {
    QStringList lines;
    for (int i = 1; i <= 400; ++i)
        lines << QStringLiteral("第%1行 line %1").arg(i);
    // Find a text length that takes exactly three pages on this paper.
    int count = 20;
    for (; count <= 400; count += 10) {
        load(lines.mid(0, count).join(QStringLiteral("\r\n")));
        if (commands->printer().countPages(*editor) == 3)
            break;
    }
    ASSERT_LE(count, 400);
    const QString pdf = printToPdf("three.pdf");
    ASSERT_EQ(PageCount(pdf), 3);
    for (int page = 1; page <= 3; ++page) {
        const QString text = PageText(pdf, page);
        EXPECT_TRUE(text.contains(footer(page, 3))) << page << text.toStdString();
        EXPECT_EQ(text.count(QStringLiteral("青简札记 版本")), 1) << "one header, never accumulated";
    }
    EXPECT_TRUE(PageText(pdf, 3).contains(QStringLiteral("第%1行").arg(count)));
    EXPECT_GE(headerReads, 3);
}

TEST_F(PrintingTest, LongLinesWrapOnThePageAndChineseIsEmbeddedInTheEditorsFont) {
    const QString tail = QStringLiteral("行尾在此");
    load(QStringLiteral("长").repeated(150) + tail);
    const QString pdf = printToPdf("long.pdf");
    const QString text = PageText(pdf, 1);
    EXPECT_TRUE(text.contains(tail)) << text.toStdString();
    EXPECT_TRUE(RunTool(QStringLiteral("pdffonts"), {pdf})
                    .contains(QStringLiteral("Bousung"))); // the Song face's own name

    QFont other(QStringLiteral("WenQuanYi Micro Hei"));
    other.setPointSize(12);
    editor->setFont(other);
    const QString again = printToPdf("other.pdf");
    EXPECT_TRUE(RunTool(QStringLiteral("pdffonts"), {again}).contains(QStringLiteral("WenQuanYi")));
}

TEST_F(PrintingTest, PrintingLeavesTheEditorsLookAsItWas) {
    load(QStringLiteral("abc"));
    wrap->setEnabled(true);
    const int gutter = editor->marginWidth(0);
    printToPdf("look.pdf");
    EXPECT_EQ(editor->marginWidth(0), gutter);
    EXPECT_TRUE(wrap->edgeShown());
    EXPECT_EQ(editor->edgeMode(), QsciScintilla::EdgeNone); // the dotted edge is the wrap's own
}

TEST_F(PrintingTest, CancelledDialogsPrintAndPreviewNothing) {
    load(QStringLiteral("abc"));
    dialogs.answerPrint(false);
    commands->print();
    dialogs.answerPageSetup(false);
    bool previewed = false;
    QObject::connect(commands, &PrintCommands::previewShown, [&](QWidget*) { previewed = true; });
    commands->preview();
    QApplication::processEvents();
    EXPECT_FALSE(previewed);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(PrintingTest, PreviewOpensCaptionedAfterThePageSetupDialogStartingAtLetterWith25mm) {
    load(QStringLiteral("预览"));
    QPageLayout asked;
    dialogs.answerPageSetup(true, [&](QPrinter& printer) { asked = printer.pageLayout(); });
    QString caption;
    QObject::connect(commands, &PrintCommands::previewShown, [&](QWidget* preview) {
        caption = preview->windowTitle();
        preview->close();
    });
    commands->preview();
    EXPECT_EQ(caption, QStringLiteral("打印预览"));
    const QSizeF paper = asked.pageSize().size(QPageSize::Millimeter);
    EXPECT_NEAR(paper.width(), 215.9, 0.1);
    EXPECT_NEAR(paper.height(), 279.4, 0.1);
    EXPECT_NEAR(asked.margins(QPageLayout::Millimeter).left(), 25, 0.1);
    EXPECT_NEAR(asked.margins(QPageLayout::Millimeter).bottom(), 25, 0.1);
}

TEST_F(PrintingTest, EmptyNotePrintsOneEmptyPageWithHeaderAndFooterAndSucceeds) {
    load(QString());
    const QString path = dir.filePath(QStringLiteral("empty.pdf"));
    EXPECT_EQ(WriteNotePdf(*editor, path, PrintTexts{QStringLiteral("青简札记"), QStringLiteral("版本: V1")},
                           QDateTime(QDate(2026, 12, 9), QTime(12, 0, 5))),
              1);
    ASSERT_EQ(PageCount(path), 1);
    const QString text = PageText(path, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("青简札记 版本: V1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1/1"))) << text.toStdString();

    // Printed through the print dialog, no failure is reported.
    dialogs.clearCalls();
    const QString printed = printToPdf("empty-printed.pdf");
    ASSERT_EQ(PageCount(printed), 1);
    EXPECT_TRUE(PageText(printed, 1).contains(footer(1, 1)));
    EXPECT_TRUE(dialogs.callsOf(DialogKind::Message).empty());
}

TEST_F(PrintingTest, PdfExportWritesThePagesToTheChosenFile) {
    load(QStringLiteral("导出"));
    const QString path = dir.filePath(QStringLiteral("note.pdf"));
    dialogs.answerSaveFile(path);
    commands->exportPdf();
    ASSERT_EQ(PageCount(path), 1);
    EXPECT_TRUE(PageText(path, 1).contains(footer(1, 1)));
    EXPECT_EQ(dialogs.last().file.defaultSuffix, QStringLiteral("pdf"));
}

// Printing, exporting and writing a PDF without a window give the same paper and the same pages:
// 215.9 × 279.4 mm until the page setup chooses another paper.
TEST_F(PrintingTest, EveryPathPrintsOnThePageSetupsPaper) {
    QString text;
    for (int i = 1; i <= 130; ++i)
        text += QStringLiteral("第%1行 line %1\r\n").arg(i);
    load(text);
    const auto paper = [](const QString& pdf) {
        const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
        const int at = info.indexOf(QStringLiteral("Page size:"));
        return info.mid(at, info.indexOf(QLatin1Char('\n'), at) - at).simplified();
    };
    for (const bool chooseA4 : {false, true}) {
        if (chooseA4) {
            dialogs.answerPageSetup(true,
                                    [](QPrinter& printer) { printer.setPageSize(QPageSize(QPageSize::A4)); });
            commands->pageSetup();
        }
        const QString printed = printToPdf("printed.pdf");
        const QString exported = dir.filePath(QStringLiteral("exported.pdf"));
        dialogs.answerSaveFile(exported);
        commands->exportPdf();
        const QString written = dir.filePath(QStringLiteral("written.pdf"));
        ASSERT_GT(WriteNotePdf(*editor, written, PrintTexts{}, QDateTime::currentDateTime(),
                               chooseA4 ? commands->printer().pageLayout() : PrintLayout::page()),
                  0);
        const QString expected = chooseA4 ? QStringLiteral("Page size: 595 x 842 pts (A4)")
                                          : QStringLiteral("Page size: 612 x 792 pts (letter)");
        for (const QString& pdf : {printed, exported, written}) {
            EXPECT_EQ(paper(pdf), expected) << pdf.toStdString();
            EXPECT_EQ(PageCount(pdf), PageCount(printed)) << pdf.toStdString();
        }
    }
}

// The margins chosen in the page setup place the text on printed and exported pages; a margin
// narrower than the header or footer needs keeps the text clear of them.
TEST_F(PrintingTest, PageSetupMarginsPlaceTheTextOnPrintedAndExportedPages) {
    load(QStringLiteral("正文第一行 start\r\n第二行"));
    const struct {
        QMarginsF margins; // left, top, right, bottom; empty: the page setup is not used
        double textTop;    // where the first line's box starts (pdftotext rounds a little)
    } rows[] = {
        {QMarginsF(), 25},
        {QMarginsF(40, 50, 30, 25), 50},
        {QMarginsF(10, 5, 10, 5), 19.5}, // below the header that sits 15 mm from the top
    };
    for (const auto& row : rows) {
        if (!row.margins.isNull()) {
            dialogs.answerPageSetup(true, [&](QPrinter& printer) {
                printer.setPageMargins(row.margins, QPageLayout::Millimeter);
            });
            commands->pageSetup();
        }
        const QMarginsF m = row.margins.isNull() ? PrintLayout::margins() : row.margins;
        const QString exported = dir.filePath(QStringLiteral("export.pdf"));
        dialogs.answerSaveFile(exported);
        commands->exportPdf();
        for (const QString& pdf : {printToPdf("margins.pdf"), exported}) {
            const std::vector<Word> words = Words(pdf);
            const QRectF text = BoxOf(words, QStringLiteral("正文第一行"));
            EXPECT_NEAR(text.left(), m.left(), 1.5) << m.left() << pdf.toStdString();
            EXPECT_GT(text.top(), row.textTop - 0.3) << m.top();
            EXPECT_LT(text.top(), row.textTop + 5) << m.top();
            const QRectF header = BoxOf(words, QStringLiteral("V1.2.12.41"));
            // The export is on the paper of the page setup too.
            const double paperWidth =
                commands->printer().pageLayout().fullRect(QPageLayout::Millimeter).width();
            EXPECT_NEAR(header.right(), paperWidth - m.right() - PrintLayout::textIndent, 1.5) << m.right();
        }
    }
    // Margins that leave no room for the text are refused with a message; the last ones stay.
    dialogs.answerPageSetup(true, [](QPrinter& printer) {
        printer.setPageMargins(QMarginsF(120, 25, 90, 25), QPageLayout::Millimeter);
    });
    dialogs.answerMessage(DialogButton::Ok);
    commands->pageSetup();
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Warning);
    EXPECT_NEAR(commands->printer().pageLayout().margins(QPageLayout::Millimeter).left(), 10, 0.01);
}

// A PDF export that fails anywhere (a write cut short, a full disk, a sync that fails) says so with
// the cause, keeps the file that was there and leaves nothing beside it.
TEST_F(PrintingTest, FailedPdfExportIsReportedAndKeepsTheOldFile) {
    load(QString(3000, QChar(u'页')));
    const QString path = dir.filePath(QStringLiteral("note.pdf"));
    const struct {
        const char* what;
        int error;
        long long after;
        const char* said;
    } faults[] = {
        {"write", ENOSPC, 0, "磁盘可能已满"},
        {"write", ENOSPC, 5000, "磁盘可能已满"},
        {"write", EIO, 12000, "磁盘可能已满"},
        {"fsync", EIO, 0, "I/O 错误"},
    };
    for (const auto& f : faults) {
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        dialogs.clearCalls();
        dialogs.answerSaveFile(path);
        dialogs.answerMessage(DialogButton::Ok);
        qj_fault_arm(f.what, "note.pdf", f.error, f.after);
        commands->exportPdf();
        qj_fault_disarm();
        const auto messages = dialogs.callsOf(DialogKind::Message);
        ASSERT_EQ(messages.size(), 1u) << f.what << " " << f.after;
        EXPECT_TRUE(messages[0].text.contains(path)) << messages[0].text.toStdString();
        EXPECT_TRUE(messages[0].text.contains(QString::fromUtf8(f.said))) << messages[0].text.toStdString();
        QFile kept(path);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), "old");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("note.pdf")});
    }
    // The same export without a fault replaces the file and says nothing.
    dialogs.clearCalls();
    dialogs.answerSaveFile(path);
    commands->exportPdf();
    EXPECT_TRUE(dialogs.callsOf(DialogKind::Message).empty());
    EXPECT_GT(PageCount(path), 1);
    EXPECT_GT(QFileInfo(path).size(), 12000); // the last fault came before the end
}

// A printed file is whole only with every byte in place: any byte lost moves what the
// cross-reference table points at.
TEST_F(PrintingTest, APdfMissingAnyPartIsNotWhole) {
    load(QStringLiteral("完整"));
    const QString path = dir.filePath(QStringLiteral("whole.pdf"));
    ASSERT_EQ(WriteNotePdf(*editor, path, PrintTexts{}, QDateTime::currentDateTime()), 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    ASSERT_TRUE(PdfIsWhole(pdf));
    const qsizetype xref = pdf.lastIndexOf("xref\n0 ");
    ASSERT_GT(xref, 0);
    const struct {
        const char* what;
        QByteArray bytes;
    } damaged[] = {
        {"a byte lost at the start", QByteArray(pdf).remove(20, 1)},
        {"a byte lost in the middle", QByteArray(pdf).remove(pdf.size() / 2, 1)},
        {"a block lost before the table", QByteArray(pdf).remove(xref - 4096, 4096)},
        {"a byte lost just before the table", QByteArray(pdf).remove(xref - 2, 1)},
        {"cut in the table", pdf.first(xref + 40)},
        {"cut before the end mark", pdf.first(pdf.lastIndexOf("%%EOF"))},
        {"end mark only", pdf.first(xref) + "%%EOF\n"},
        {"no header", pdf.mid(1)},
        {"an entry pointing elsewhere",
         QByteArray(pdf).replace(pdf.indexOf(" 00000 n", xref) - 1, 1,
                                 pdf.at(pdf.indexOf(" 00000 n", xref) - 1) == '0' ? "1" : "0")},
        {"empty", QByteArray()},
    };
    for (const auto& d : damaged)
        EXPECT_FALSE(PdfIsWhole(d.bytes)) << d.what;
    // Blanks after the end mark do not matter.
    EXPECT_TRUE(PdfIsWhole(pdf + "\r\n\n"));
}

} // namespace
} // namespace qj::test
