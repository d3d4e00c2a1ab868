// Printing a note through Qt's print system to PDF files, read back with poppler's tools.

#include "EditorFixture.h"

#include "editor/NotePrinter.h"
#include "editor/PrintCommands.h"
#include "support/FakeClock.h"
#include "support/Printers.h"
#include "support/ScriptedDialogs.h"
#include "support/UiHelpers.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QTemporaryDir>

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

class PrintingTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        clock.set(QDate(2026, 12, 9), QTime(12, 0, 5));
        commands = new PrintCommands(editor.get(), dialogs, clock, nullptr, [this] {
            ++headerReads;
            return PrintTexts{QStringLiteral("青简札记"), QStringLiteral("版本: V1.2.12.41")};
        });
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
    QString footer(int page, int pages) const {
        const QLocale locale = QLocale::system();
        return locale.toString(QDate(2026, 12, 9), QLocale::ShortFormat) + QLatin1Char(' ') +
               locale.toString(QTime(12, 0, 5), QLocale::LongFormat) + QLatin1Char(' ') +
               QStringLiteral("%1/%2").arg(page).arg(pages);
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    FakeClock clock;
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
    EXPECT_EQ(editor->edgeMode(), QsciScintilla::EdgeLine);
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

TEST_F(PrintingTest, PdfExportWritesThePagesToTheChosenFile) {
    load(QStringLiteral("导出"));
    const QString path = dir.filePath(QStringLiteral("note.pdf"));
    dialogs.answerSaveFile(path);
    commands->exportPdf();
    ASSERT_EQ(PageCount(path), 1);
    EXPECT_TRUE(PageText(path, 1).contains(footer(1, 1)));
    EXPECT_EQ(dialogs.last().file.defaultSuffix, QStringLiteral("pdf"));
}

} // namespace
} // namespace qj::test
