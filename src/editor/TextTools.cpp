#include "editor/TextTools.h"

#include "editor/CharacterStatistics.h"
#include "editor/EditorText.h"
#include "editor/Reflow.h"
#include "platform/DateTimeText.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QRegularExpression>

namespace qj {
namespace {

// Lifts read-only for one change made by the program and puts it back afterwards.
class WritableForChange {
public:
    explicit WritableForChange(QsciScintilla& editor) : editor_(editor), readOnly_(editor.isReadOnly()) {
        editor_.setReadOnly(false);
    }
    ~WritableForChange() { editor_.setReadOnly(readOnly_); }

private:
    QsciScintilla& editor_;
    bool readOnly_;
};

class UndoStep {
public:
    explicit UndoStep(QsciScintilla& editor) : editor_(editor) { editor_.beginUndoAction(); }
    ~UndoStep() { editor_.endUndoAction(); }

private:
    QsciScintilla& editor_;
};

bool HasSelection(QsciScintilla& editor) {
    return editor.SendScintilla(QsciScintilla::SCI_GETSELECTIONEND) >
           editor.SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART);
}

// Cuts the selection, passes the clipboard text through `strip` and pastes it back at the caret.
// The paste inserts the text without scrolling to it: a megabyte joined into one line would
// otherwise be laid out whole before the re-flow breaks it up.
void TransferSelection(QsciScintilla& editor, QString (*strip)(QString)) {
    QClipboard* clipboard = QApplication::clipboard();
    editor.cut();
    const QString text = strip(clipboard->text());
    clipboard->setText(text);
    const QByteArray utf8 = text.toUtf8();
    const long at = editor.SendScintilla(QsciScintilla::SCI_GETCURRENTPOS);
    editor.SendScintilla(QsciScintilla::SCI_INSERTTEXT, static_cast<unsigned long>(at), utf8.constData());
    editor.SendScintilla(QsciScintilla::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(at + utf8.size()));
}

} // namespace

void InsertAtSelectionStart(QsciScintilla& editor, const QString& text) {
    const long at = editor.SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART);
    WritableForChange writable(editor);
    {
        UndoStep step(editor);
        editor.SendScintilla(QsciScintilla::SCI_INSERTTEXT, at, text.toUtf8().constData());
    }
    SetCaretPosition(editor, editor.SendScintilla(QsciScintilla::SCI_GETLENGTH));
}

QString EightyHyphens() {
    return QString(80, QLatin1Char('-'));
}

QString CurrentTimeText(const QDateTime& now) {
    return ShortDateText(now.date()) + QLatin1Char(' ') + LongTimeText(now.time());
}

QString StatisticsOfEditor(QsciScintilla& editor) {
    if (HasSelection(editor)) {
        const QString selected = editor.selectedText();
        return StatisticsMessage(CountCharacters(selected), selected);
    }
    return StatisticsMessage(CountCharacters(TextAsCrLfLines(editor.text())), QString());
}

void ReflowEditorLines(QsciScintilla& editor, double width) {
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\n|\r"));
    const QString text = editor.text();
    QStringList lines = text.split(kBreak);
    const bool endsWithBreak = lines.size() > 1 && lines.back().isEmpty();
    if (endsWithBreak)
        lines.removeLast();
    const QStringList flowed =
        ReflowLines(lines, width, EditorTextMeasure(editor), EditorCharacterEstimate(editor));
    if (flowed == lines)
        return;
    QString result = flowed.join(QStringLiteral("\r\n"));
    if (endsWithBreak)
        result += QStringLiteral("\r\n");
    // The caret keeps its offset in the text as far as the text reaches.
    const qsizetype caret = OffsetOfPosition(editor, editor.SendScintilla(QsciScintilla::SCI_GETCURRENTPOS));
    editor.SendScintilla(QsciScintilla::SCI_SETTARGETRANGE, 0UL,
                         editor.SendScintilla(QsciScintilla::SCI_GETLENGTH));
    const QByteArray utf8 = result.toUtf8();
    editor.SendScintilla(QsciScintilla::SCI_REPLACETARGET, static_cast<unsigned long>(utf8.size()),
                         utf8.constData());
    SetCaretPosition(editor, PositionOfOffset(editor, std::min(caret, result.size())));
}

bool ReflowAddReturns(QsciScintilla& editor) {
    const bool selected = HasSelection(editor);
    if (selected) {
        UndoStep step(editor);
        TransferSelection(editor, StripForReflow);
        ReflowEditorLines(editor, kReflowWidth);
    }
    QApplication::clipboard()->clear();
    return selected;
}

bool ReflowRemoveReturns(QsciScintilla& editor) {
    const bool selected = HasSelection(editor);
    if (selected) {
        UndoStep step(editor);
        TransferSelection(editor, StripLineBreaks);
    }
    QApplication::clipboard()->clear();
    return selected;
}

} // namespace qj
