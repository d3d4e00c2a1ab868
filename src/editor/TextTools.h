#pragma once
// The text tools of the editor's menus: inserting hyphens or the time, character statistics, and
// the two re-flow tools that pass the selection through the clipboard.

#include <QDateTime>
#include <QString>

class QsciScintilla;

namespace qj {

// Inserts `text` at the start of the selection (in front of a selection, which stays), as one
// undoable step, also while the editor is read-only; the caret ends at the end of the text.
void InsertAtSelectionStart(QsciScintilla& editor, const QString& text);

// "插入80个-字符" and the text of "插入当前时间" (the system's short date, a blank and the long time).
QString EightyHyphens();
QString CurrentTimeText(const QDateTime& now);

// "字符统计": the message for the selection, or for the whole text when nothing is selected.
QString StatisticsOfEditor(QsciScintilla& editor);

// "排版-添加回车符": when something is selected, cuts it to the clipboard, strips the clipboard
// text, pastes it back and re-flows every line to 468 pixels in the editor's font, all as one
// undoable step. The clipboard ends empty in every case. The caller makes the editor writable
// first when something is selected. Returns whether anything was selected.
bool ReflowAddReturns(QsciScintilla& editor);
// "排版-取消回车符": the same transfer without blanks removed and without re-flowing.
bool ReflowRemoveReturns(QsciScintilla& editor);

// Replaces every line of the editor by the lines re-flowed to `width` pixels (one undo step).
void ReflowEditorLines(QsciScintilla& editor, double width);

} // namespace qj
