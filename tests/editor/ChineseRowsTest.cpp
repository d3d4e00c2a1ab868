// Chinese text wraps like Chinese text at column 80, on screen and in print: rows end between
// Chinese characters, Latin words and numbers stay whole, punctuation keeps to its side.

#include "EditorFixture.h"

#include "editor/EditorText.h"
#include "editor/NotePrinter.h"
#include "editor/RowBreakStyler.h"
#include "editor/RowBreaks.h"
#include "editor/RowPieces.h"
#include "support/Printers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QTemporaryDir>

namespace qj::test {
namespace {

const QString kPoem = QStringLiteral("春眠不觉晓，处处闻啼鸟。夜来风雨声，花落知多少。");

// Lines of mixed text and the rows they wrap into at 80 columns.
struct Wrapped {
    const char* what;
    QStringList rows;
};

std::vector<Wrapped> Table() {
    const QString forty = QStringLiteral("一二三四五六七八九十").repeated(4);
    return {
        {"number then poem",
         {QStringLiteral("00001 ") + kPoem + QStringLiteral("春眠不觉晓，处处闻啼鸟。夜"),
          QStringLiteral("来风雨声，花落知多少。")}},
        {"forty characters fill a row", {forty, QStringLiteral("甲乙")}},
        {"an odd column left over",
         {QStringLiteral("a") + forty.left(39), forty.right(1) + QStringLiteral("甲")}},
        {"closing punctuation stays with the character before it",
         {forty.left(39), forty.right(1) + QStringLiteral("。甲")}},
        {"opening punctuation goes with what it opens",
         {forty.left(39), QStringLiteral("《") + forty.right(1) + QStringLiteral("》甲乙")}},
        {"a Latin word that fits stays",
         {forty.left(37) + QStringLiteral("ab "), QStringLiteral("Qingjian") + forty.left(3)}},
        {"a Latin word that does not fit moves whole",
         {forty.left(37), QStringLiteral("abQingjian") + forty.left(3)}},
        {"blanks hang at the row's end",
         {QStringLiteral("note ").repeated(16), QStringLiteral("中文 words")}},
        {"curly quotes take two columns as they are drawn",
         {QStringLiteral("“引号”").repeated(9) + QStringLiteral("一二三四"), QStringLiteral("五六“七”")}},
        {"a number longer than a row is cut", {QString(80, QLatin1Char('7')), QString(10, QLatin1Char('7'))}},
        {"a later line of four rows", {forty, forty, forty, QStringLiteral("甲乙")}},
    };
}

// The style of each byte of the first line.
std::vector<long> StylesOfFirstLine(QsciScintilla& editor) {
    std::vector<long> styles;
    const long end = editor.SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, 0L);
    for (long at = 0; at < end; ++at)
        styles.push_back(editor.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, at));
    return styles;
}

// Where the style changes in the first line.
std::vector<long> StyleChanges(QsciScintilla& editor) {
    const std::vector<long> styles = StylesOfFirstLine(editor);
    std::vector<long> changes;
    for (size_t at = 1; at < styles.size(); ++at)
        if (styles[at] != styles[at - 1])
            changes.push_back(static_cast<long>(at));
    return changes;
}

class ChineseRowsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        wrap->setEnabled(true);
        QApplication::processEvents();
    }
    // The rows a line shows in, by where each character is drawn.
    QStringList shownRows(int line, const QString& text) {
        QStringList rows;
        int row = -1;
        for (int i = 0; i < text.size(); ++i) {
            const int at = subLineOf(line, i);
            if (at != row) {
                rows << QString();
                row = at;
            }
            rows.back() += text.at(i);
        }
        return rows;
    }
};

TEST_F(ChineseRowsTest, LinesWrapIntoTheRowsOfTheRuleOnScreen) {
    const std::vector<Wrapped> table = Table();
    QStringList lines;
    for (const Wrapped& w : table)
        lines << w.rows.join(QString());
    load(lines.join(QStringLiteral("\r\n")));
    editor->viewport()->repaint();
    for (int i = 0; i < static_cast<int>(table.size()); ++i)
        EXPECT_EQ(shownRows(i, lines[i]), table[i].rows) << table[i].what;
}

// The rows follow the wrap column when it moves, and text typed into a line wraps it again.
TEST_F(ChineseRowsTest, RowsFollowTheWrapColumnAndTyping) {
    const QString forty = QStringLiteral("一二三四五六七八九十").repeated(4);
    load(forty);
    EXPECT_EQ(shownRows(0, forty).size(), 1);
    wrap->setWrapColumn(60);
    editor->viewport()->repaint();
    EXPECT_EQ(shownRows(0, forty), (QStringList{forty.left(30), forty.mid(30)}));
    wrap->setWrapColumn(80);
    editor->setReadOnly(false);
    editor->insertAt(QStringLiteral("甲乙"), 0, 0);
    editor->viewport()->repaint();
    const QString typed = QStringLiteral("甲乙") + forty;
    EXPECT_EQ(shownRows(0, typed), (QStringList{typed.left(40), typed.mid(40)}));
}

// A long line of mixed text shows the rule's rows, drawn in short pieces, before and after keys
// typed at its start and end (typed text is styled as it is inserted).
TEST_F(ChineseRowsTest, ALongLineShowsTheRulesRowsInPiecesAsKeysAreTyped) {
    const QStringList parts = {
        QStringLiteral("春眠不觉晓"), QStringLiteral("，"),       QStringLiteral("note "),
        QStringLiteral("处处闻啼鸟"), QStringLiteral("。"),       QStringLiteral("2026 "),
        QStringLiteral("《夜来》"),   QStringLiteral("Qingjian"), QStringLiteral("风雨声")};
    QString line;
    for (int i = 0; i < 400; ++i)
        line += parts[(i * 7 + i / 5) % parts.size()];
    load(line);
    editor->setReadOnly(false);
    auto ruleRows = [](const QString& text) {
        const QByteArray utf8 = text.toUtf8();
        QStringList rows;
        qsizetype from = 0;
        for (size_t start : RowStarts(std::string_view(utf8.constData(), utf8.size()), 80)) {
            rows << QString::fromUtf8(utf8.mid(from, static_cast<qsizetype>(start) - from));
            from = static_cast<qsizetype>(start);
        }
        return rows << QString::fromUtf8(utf8.mid(from));
    };
    auto type = [this](const QString& key) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
        QApplication::sendEvent(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, key);
        QApplication::sendEvent(editor, &release);
    };
    editor->viewport()->repaint();
    EXPECT_EQ(shownRows(0, line), ruleRows(line));
    EXPECT_GT(StyleChanges(*editor).size(), 3 * ruleRows(line).size());
    for (const QString& key : {QStringLiteral("a"), QStringLiteral("甲"), QStringLiteral("，")}) {
        editor->SendScintilla(QsciScintilla::SCI_GOTOPOS, 0L);
        type(key);
        line.prepend(key);
        editor->SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
        type(key);
        line.append(key);
        editor->viewport()->repaint();
        ASSERT_EQ(editor->text(), line);
        EXPECT_EQ(shownRows(0, line), ruleRows(line)) << "typed " << key.toStdString();
    }
    // Closing punctuation typed at a row start takes the character before it along: the row
    // before changes too. The line is restyled from a little before the key only, yet it ends up
    // styled as a whole restyle styles it.
    ASSERT_GT(ruleRows(line).size(), 36);
    for (int row = 5; row < 35; row += 1) {
        const QStringList rows = ruleRows(line);
        qsizetype at = 0;
        for (int r = 0; r < row; ++r)
            at += rows[r].size();
        editor->SendScintilla(QsciScintilla::SCI_GOTOPOS, static_cast<long>(line.left(at).toUtf8().size()));
        type(QStringLiteral("。"));
        line.insert(at, QStringLiteral("。"));
        editor->viewport()->repaint();
        ASSERT_EQ(editor->text(), line);
        EXPECT_EQ(shownRows(0, line), ruleRows(line)) << "typed at the start of row " << row;
        const std::vector<long> typed = StylesOfFirstLine(*editor);
        RowBreakStyler::Of(*editor)->restyle();
        editor->viewport()->repaint();
        EXPECT_EQ(typed, StylesOfFirstLine(*editor)) << "typed at the start of row " << row;
    }
}

// In a window too narrow for the wrap column Scintilla wraps at the window's edge, where it
// would take any piece end for a row end: the pieces keep to the row starts until it is wide again.
TEST_F(ChineseRowsTest, ANarrowWindowGetsNoPiecesBetweenRowStarts) {
    const QString line = QStringLiteral("春眠不觉晓，处处闻啼鸟。夜来风雨声，花落知多少。").repeated(20);
    load(line);
    const QByteArray utf8 = line.toUtf8();
    std::vector<long> rows;
    for (size_t start : RowStarts(std::string_view(utf8.constData(), utf8.size()), 80))
        rows.push_back(static_cast<long>(start));
    editor->viewport()->repaint();
    EXPECT_GT(StyleChanges(*editor).size(), 3 * rows.size());
    resizeTo(400);
    editor->viewport()->repaint();
    EXPECT_EQ(StyleChanges(*editor), rows);
    resizeTo(1000);
    editor->viewport()->repaint();
    EXPECT_GT(StyleChanges(*editor).size(), 3 * rows.size());
}

// A key typed into a line is styled as it is inserted, before anything is drawn; and a new face
// styles the text again as a fresh editor with that face would.
TEST_F(ChineseRowsTest, TypedTextIsStyledAtOnceAndANewFaceRestylesTheText) {
    const QString line = QStringLiteral("春眠不觉晓处处闻啼鸟夜来风雨声花落知多少").repeated(30);
    load(line);
    editor->setReadOnly(false);
    editor->viewport()->repaint();
    editor->SendScintilla(QsciScintilla::SCI_GOTOPOS, 0L);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(editor, &press);
    EXPECT_EQ(editor->SendScintilla(QsciScintilla::SCI_GETENDSTYLED),
              editor->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, 0L));
    // Other changes (a replace-all makes thousands) wait for the next paint to be styled.
    QApplication::processEvents();
    editor->SendScintilla(QsciScintilla::SCI_INSERTTEXT, 4UL, "b");
    EXPECT_EQ(editor->SendScintilla(QsciScintilla::SCI_GETENDSTYLED), 4);

    QFont face(QStringLiteral("DejaVu Sans"));
    face.setPointSize(12);
    editor->setFont(face);
    wrap->refresh();
    editor->viewport()->repaint();
    auto faceOf = [this](int style) {
        QByteArray name(1024, '\0');
        editor->SendScintilla(QsciScintilla::SCI_STYLEGETFONT, static_cast<unsigned long>(style),
                              name.data());
        return QByteArray(name.constData());
    };
    for (int style = 1; style < kPieceStyles; ++style)
        EXPECT_EQ(faceOf(style), faceOf(0)) << style;

    QsciScintilla fresh;
    fresh.setUtf8(true);
    fresh.setEolMode(QsciScintilla::EolWindows);
    ConfigureNoteEditor(fresh);
    fresh.setFont(face);
    auto* freshWrap = new ColumnWrap(&fresh);
    fresh.resize(editor->size());
    fresh.show();
    freshWrap->setEnabled(true);
    fresh.setText(editor->text());
    QApplication::processEvents();
    fresh.viewport()->repaint();
    EXPECT_EQ(StylesOfFirstLine(*editor), StylesOfFirstLine(fresh));
}

// The printed page shows the same rows (pdftotext keeps one printed row a line).
TEST_F(ChineseRowsTest, PrintedPageWrapsIntoTheSameRows) {
    const std::vector<Wrapped> table = Table();
    QStringList lines;
    for (const Wrapped& w : table)
        lines << w.rows.join(QString());
    load(lines.join(QStringLiteral("\r\n")));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("rows.pdf"));
    ASSERT_EQ(WriteNotePdf(*editor, pdf, PrintTexts{QStringLiteral("青简札记"), QStringLiteral("版本")},
                           QDateTime(QDate(2026, 12, 9), QTime(12, 0))),
              1);
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    QStringList printed;
    for (const QString& l : QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n')))
        printed << QString(l).remove(QLatin1Char(' '));
    for (const Wrapped& w : table)
        for (const QString& row : w.rows)
            EXPECT_TRUE(printed.contains(QString(row).remove(QLatin1Char(' '))))
                << w.what << ": " << row.toStdString() << "\n"
                << printed.join(QLatin1Char('\n')).toStdString();
}

} // namespace
} // namespace qj::test
