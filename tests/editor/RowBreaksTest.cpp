// Chinese text wraps like Chinese text: on screen at column 80 and on the printed page, a row may
// end between two Chinese characters, Latin words and numbers stay whole, and no row starts with
// closing punctuation or ends with opening punctuation.

#include "EditorFixture.h"

#include "editor/NotePrinter.h"
#include "support/Printers.h"

#include <QApplication>
#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>

namespace qj::test {
namespace {

QString Repeat(const char* text, int times) {
    return QString::fromUtf8(text).repeated(times);
}

struct Wrapped {
    QString line;
    QStringList rows; // at column 80 (a Chinese character counts two)
};

// Each line is built to reach past column 80 at the place it tests.
std::vector<Wrapped> Table() {
    const QString poem = QStringLiteral("春眠不觉晓，处处闻啼鸟。"); // 24 columns
    return {
        {Repeat("春眠不觉晓处处闻啼鸟", 4) + QStringLiteral("夜来风雨声"),
         {Repeat("春眠不觉晓处处闻啼鸟", 4), QStringLiteral("夜来风雨声")}},
        // A comma at column 81 takes the character before it to the next row.
        {Repeat("一", 40) + QStringLiteral("，完"), {Repeat("一", 39), QStringLiteral("一，完")}},
        {Repeat("五", 40) + QStringLiteral(",x"), {Repeat("五", 39), QStringLiteral("五,x")}},
        {Repeat("句", 40) + QStringLiteral("。」好"), {Repeat("句", 39), QStringLiteral("句。」好")}},
        // An opening mark at columns 79–80 goes to the next row with what it opens.
        {Repeat("二", 39) + QStringLiteral("《书》"), {Repeat("二", 39), QStringLiteral("《书》")}},
        // A Latin word or a number that does not fit moves whole to the next row.
        {Repeat("三", 37) + QStringLiteral("Qingjian好"), {Repeat("三", 37), QStringLiteral("Qingjian好")}},
        {Repeat("四", 37) + QStringLiteral("20261209年"), {Repeat("四", 37), QStringLiteral("20261209年")}},
        // Latin text between blanks wraps at the blanks, as before.
        {QStringLiteral("alpha ").repeated(14), {QStringLiteral("alpha ").repeated(13), QStringLiteral("alpha ")}},
    };
}

class RowBreaksTest : public EditorTest {
protected:
    // The rows Scintilla laid the first line out in.
    QStringList rowsOnScreen() {
        QStringList rows;
        const QString line = editor->text(0).remove(QStringLiteral("\r\n"));
        int row = -1;
        for (int i = 0; i < line.size(); ++i) {
            if (line[i].isLowSurrogate())
                continue;
            const int at = subLineOf(0, i);
            if (at != row) {
                rows.append(QString());
                row = at;
            }
            rows.last() += line[i];
        }
        return rows;
    }
};

TEST_F(RowBreaksTest, RowsOnScreenAtColumnEighty) {
    wrap->setEnabled(true);
    // The number shares its row with the poem instead of standing alone (where the row ends
    // depends on the digits' width in the face).
    const QString numbered = QStringLiteral("00001 ") + QStringLiteral("春眠不觉晓，处处闻啼鸟。").repeated(4);
    load(numbered);
    const QStringList rows = rowsOnScreen();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("00001 春眠不觉晓，处处闻啼鸟。春眠"))) << rows[0].toStdString();
    EXPECT_EQ(rows.join(QString()), numbered);
    for (const Wrapped& w : Table()) {
        load(w.line);
        EXPECT_EQ(rowsOnScreen(), w.rows) << w.line.toStdString();
    }
}

TEST_F(RowBreaksTest, FontChangesReachBothStylesOfTheText) {
    // The text is drawn in two styles; a new font must make both of them wider, or the rows
    // would be laid out with two faces.
    wrap->setEnabled(true);
    load(Repeat("宽", 100));
    QFont bigger(QStringLiteral("AR PL SungtiL GB"));
    bigger.setPointSize(16);
    editor->setFont(bigger);
    wrap->refresh();
    editor->viewport()->repaint();
    QApplication::processEvents();
    for (int style : {0, 1})
        EXPECT_EQ(editor->SendScintilla(QsciScintilla::SCI_STYLEGETSIZE, style), 16) << style;
    // Every row as wide as the others: 80 columns hold 39 or 40 of them at 16 points (pixels round).
    const QStringList rows = rowsOnScreen();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_GE(rows[0].size(), 39);
    EXPECT_LE(rows[0].size(), 40);
    EXPECT_EQ(rows[1].size(), rows[0].size());
}

// The printed rows of page 1, as pdftotext lays them out.
QStringList PrintedRows(QsciScintilla& editor) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("rows.pdf"));
    EXPECT_GT(WriteNotePdf(editor, pdf, PrintTexts{}, QDateTime(QDate(2026, 12, 9), QTime(12, 0))), 0);
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("1"),
                                             QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    tool.waitForFinished(30000);
    QStringList rows;
    for (const QString& row : QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QString text = row.trimmed();
        if (!text.isEmpty() && !text.contains(QLatin1Char('/'))) // the footer holds the date and n/N
            rows.append(text);
    }
    return rows;
}

TEST_F(RowBreaksTest, PrintedRowsFollowTheSameRule) {
    // The page is wider than 80 columns (83 at 12 points between 25 and 15 mm margins): each line
    // is lengthened so that its test sits at the page's edge.
    const QString poem = QStringLiteral("春眠不觉晓，处处闻啼鸟。");
    const std::vector<Wrapped> table = {
        {Repeat("一", 41) + QStringLiteral("，完"), {Repeat("一", 40), QStringLiteral("一，完")}},
        {Repeat("二", 40) + QStringLiteral("《书》"), {Repeat("二", 40), QStringLiteral("《书》")}},
        {Repeat("三", 38) + QStringLiteral("Qingjian好"), {Repeat("三", 38), QStringLiteral("Qingjian好")}},
    };
    // The same with the wrap switch ticked and cleared.
    for (bool wrapped : {true, false}) {
        wrap->setEnabled(wrapped);
        // The number shares its row with the poem (where the row ends depends on the digits' width).
        load(QStringLiteral("00001 ") + poem.repeated(4));
        const QStringList rows = PrintedRows(*editor);
        ASSERT_EQ(rows.size(), 2);
        EXPECT_TRUE(rows[0].startsWith(QStringLiteral("00001 ") + poem.repeated(3))) << rows[0].toStdString();
        EXPECT_EQ(rows.join(QString()), QStringLiteral("00001 ") + poem.repeated(4));
        for (const Wrapped& w : table) {
            load(w.line);
            EXPECT_EQ(PrintedRows(*editor), w.rows) << w.line.toStdString() << " wrap " << wrapped;
        }
        EXPECT_EQ(editor->wrapMode(), wrapped ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    }
}

} // namespace
} // namespace qj::test
