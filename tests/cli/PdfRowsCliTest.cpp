// qingjian-cli notes export --pdf prints a note in the rows the window prints it in, whatever font
// the settings name: a name this system lacks (drawn with a stand-in face) or one it has.
#include "editor/ColumnWrap.h"
#include "editor/EditorLook.h"
#include "editor/NotePrinter.h"
#include "editor/RowBreaks.h"
#include "shell/FontFamilies.h"
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/DefaultCategory.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string_view>

namespace qj {
namespace {

// The text's rows on the first page as pdftotext lays them out, blanks left out; without the
// header and footer lines.
QStringList PrintedRows(const QString& pdf) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                QStringLiteral("1"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(tool.waitForFinished(30000));
    QStringList rows;
    for (QString line : QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char(' '));
        if (!line.isEmpty() && line != QStringLiteral("\f"))
            rows << line;
    }
    return rows.mid(1, rows.size() - 2);
}

// A paragraph of Chinese text with its punctuation, numbers before Chinese characters, "Qt 6" and
// a long address, in one line of many rows.
QString MixedParagraph() {
    const QString parts[] = {
        QStringLiteral("00001春眠不觉晓，处处闻啼鸟。"),
        QStringLiteral("夜来风雨声，花落知多少。我们用 Qt 6 写这个程序"),
        QStringLiteral("，它的说明在 https://example.org/qingjian/docs/printing/rows-and-columns/index.html "
                       "可以看到。"),
        QStringLiteral("第二段00002号笔记：用Qt 6打印，"),
    };
    QString text;
    for (int i = 0; i < 12; ++i)
        text += parts[i % 4] + QString(i % 5, QChar(0x4E00 + i));
    return text;
}

// The rows the row rule makes of the text at 80 columns, blanks left out.
QStringList RuleRows(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QStringList rows;
    qsizetype from = 0;
    std::vector<size_t> starts = RowStarts(std::string_view(utf8.constData(), utf8.size()), 80);
    starts.push_back(static_cast<size_t>(utf8.size()));
    for (size_t start : starts) {
        rows << QString::fromUtf8(utf8.mid(from, static_cast<qsizetype>(start) - from))
                    .remove(QLatin1Char(' '));
        from = static_cast<qsizetype>(start);
    }
    return rows;
}

std::string Shown(const QStringList& rows) {
    return rows.join(QLatin1Char('\n')).toStdString();
}

class PdfRowsCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        CreateEmptyDataFile(data());
        DataFile file(data());
        CreateCategory(file, QStringLiteral("段落"));
        CategoryTable(file, QStringLiteral("段落"))
            .Append(NoteId{1}, NoteId{0}, QStringLiteral("混排"), MixedParagraph());
    }
    QString data() const { return dir.filePath(QStringLiteral("dataly.dat")); }
    // The settings file beside the data file names the note font (GBK, as the window writes it) and
    // the options dialog's edge column, where the window wraps.
    void writeSettings(const QString& name, int edgeColumn) {
        QFile settings(dir.filePath(QStringLiteral("Jotterly.ini")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        const QByteArray gbk =
            name == QStringLiteral("宋体") ? QByteArray("\xCB\xCE\xCC\xE5") : name.toLatin1();
        settings.write("[Font]\r\nName=" + gbk + "\r\nSize=12\r\n[EditorOptions]\r\nEdgeColumn=" +
                       QByteArray::number(edgeColumn) + "\r\n");
    }
    QString cliPdf() {
        const QString pdf = dir.filePath(QStringLiteral("cli.pdf"));
        QProcess cli;
        cli.start(QStringLiteral(QJ_CLI_PATH),
                  {QStringLiteral("notes"), QStringLiteral("export"), data(), QStringLiteral("段落"),
                   QStringLiteral("1"), QStringLiteral("--pdf"), pdf});
        EXPECT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return pdf;
    }
    // The window's note editor, wide enough for its wrap at the edge column, printed to a PDF file.
    QString windowPdf(const QString& storedFont, int edgeColumn) {
        QsciScintilla editor;
        editor.setUtf8(true);
        editor.setEolMode(QsciScintilla::EolWindows);
        ConfigureNoteEditor(editor);
        ApplyEditorOptions(editor, EditorOptions{});
        auto* wrap = new ColumnWrap(&editor);
        editor.setFont(NoteFont(storedFont, 12));
        editor.resize(1400, 600);
        editor.show();
        wrap->setEdgeColumn(edgeColumn);
        wrap->setWrapColumn(edgeColumn);
        wrap->setEnabled(true);
        wrap->refresh();
        editor.setText(MixedParagraph());
        QApplication::processEvents();
        editor.viewport()->repaint();
        const QString pdf = dir.filePath(QStringLiteral("window.pdf"));
        EXPECT_GT(WriteNotePdf(editor, pdf, PrintTexts{QStringLiteral("青简札记"), QStringLiteral("版本")},
                               QDateTime::currentDateTime()),
                  0);
        return pdf;
    }
    QTemporaryDir dir;
};

// The rows of the window's printing on every path, at the stored edge column; in the Song face (the
// stand-in for 宋体) at column 80 they are the rows of the row rule: "00001" with the Chinese after
// it, no row starting with "，" or "。", "Qt 6" on one row.
TEST_F(PdfRowsCli, RowsAreTheWindowsForAFontTheSystemLacksAndForOneItHas) {
    for (const auto& [font, edge] :
         {std::pair{QStringLiteral("宋体"), 80}, {QStringLiteral("WenQuanYi Micro Hei"), 64}}) {
        writeSettings(font, edge);
        const QStringList cli = PrintedRows(cliPdf());
        const QStringList window = PrintedRows(windowPdf(font, edge));
        EXPECT_GE(window.size(), 10) << font.toStdString();
        EXPECT_TRUE(cli == window) << font.toStdString() << "\ncommand line:\n"
                                   << Shown(cli) << "\nwindow:\n"
                                   << Shown(window);
        if (font == QStringLiteral("宋体")) {
            EXPECT_TRUE(cli == RuleRows(MixedParagraph())) << Shown(cli) << "\nrule:\n"
                                                           << Shown(RuleRows(MixedParagraph()));
        }
    }
}

} // namespace
} // namespace qj
