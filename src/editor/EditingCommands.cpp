// The editor's editing commands: undo, the clipboard (with its appending variants), deletion, the
// selection commands and the three selection modes, and the read-only switch.

#include "editor/EditorCommands.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>

namespace qj {

using Sci = QsciScintilla;

void EditorCommands::buildEditingActions() {
    Sci* e = editor_;
    auto send = [e](int message) {
        return [e, message] { e->SendScintilla(static_cast<unsigned>(message)); };
    };
    // Undo, clipboard and deletion.
    add("actEditUndo", QStringLiteral("撤消(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { undo(); });
    add("actEditRedo", QStringLiteral("重做(&R)"), QKeySequence(Qt::CTRL | Qt::Key_Y), [this, e] {
        toolSteps_ = 0;
        e->redo();
    });
    add("actEditCut", QStringLiteral("剪切(&X)"), QKeySequence(Qt::CTRL | Qt::Key_X), [e] { e->cut(); });
    add("actEditCutAppend", QStringLiteral("剪切并附加"), {}, [this] { appendToClipboard(true); });
    add("actEditCopy", QStringLiteral("复制(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C), [e] { e->copy(); });
    add("actEditCopyAppend", QStringLiteral("复制并附加"), {}, [this] { appendToClipboard(false); });
    add("actEditPaste", QStringLiteral("粘贴(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V), [e] { e->paste(); });
    add("actEditDelete", QStringLiteral("删除(&D)"), QKeySequence(Qt::Key_Delete), send(Sci::SCI_CLEAR));
    add("actDeleteLine", QStringLiteral("删除光标处行"), {}, send(Sci::SCI_LINEDELETE));
    add("actDeleteToLineEnd", QStringLiteral("删除至行尾"), {}, send(Sci::SCI_DELLINERIGHT));
    add("actDeleteToLineStart", QStringLiteral("删除至行首"), {}, send(Sci::SCI_DELLINELEFT));
    add("actDeleteWord", QStringLiteral("删除光标处词"), {}, [e] {
        const long pos = e->SendScintilla(Sci::SCI_GETCURRENTPOS);
        const long start = e->SendScintilla(Sci::SCI_WORDSTARTPOSITION, pos, 1L);
        const long end = e->SendScintilla(Sci::SCI_WORDENDPOSITION, pos, 1L);
        if (end > start && !e->isReadOnly()) {
            e->SendScintilla(Sci::SCI_DELETERANGE, start, end - start);
            e->SendScintilla(Sci::SCI_CHOOSECARETX);
        }
    });
    add("actDeleteToWordEnd", QStringLiteral("删除至词尾"), {}, send(Sci::SCI_DELWORDRIGHTEND));
    add("actDeleteToWordStart", QStringLiteral("删除至词首"), {}, send(Sci::SCI_DELWORDLEFT));
    add("actClearAll", QStringLiteral("清除全部"), {}, [e] {
        if (!e->isReadOnly())
            e->SendScintilla(Sci::SCI_CLEARALL);
    });
}

void EditorCommands::buildSelectionActions() {
    Sci* e = editor_;
    auto send = [e](int message) {
        return [e, message] { e->SendScintilla(static_cast<unsigned>(message)); };
    };
    // Selection.
    add("actSelectAll", QStringLiteral("全部选择(&A)"), QKeySequence(Qt::CTRL | Qt::Key_A),
        [e] { e->selectAll(); });
    add("actSelectLine", QStringLiteral("选择当前行"), {}, [e] {
        const long line =
            e->SendScintilla(Sci::SCI_LINEFROMPOSITION, e->SendScintilla(Sci::SCI_GETCURRENTPOS));
        e->SendScintilla(Sci::SCI_SETSEL, e->SendScintilla(Sci::SCI_POSITIONFROMLINE, line),
                         e->SendScintilla(Sci::SCI_POSITIONFROMLINE, line + 1) >= 0
                             ? e->SendScintilla(Sci::SCI_POSITIONFROMLINE, line + 1)
                             : e->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line));
    });
    add("actSelectNextLine", QStringLiteral("选择下一行"), {}, send(Sci::SCI_LINEDOWNEXTEND));
    add("actSelectPrevLine", QStringLiteral("选择上一行"), {}, send(Sci::SCI_LINEUPEXTEND));
    add("actSelectWord", QStringLiteral("选择当前词"), {}, [e] {
        const long pos = e->SendScintilla(Sci::SCI_GETCURRENTPOS);
        e->SendScintilla(Sci::SCI_SETSEL, e->SendScintilla(Sci::SCI_WORDSTARTPOSITION, pos, 1L),
                         e->SendScintilla(Sci::SCI_WORDENDPOSITION, pos, 1L));
    });
    add("actSelectNextWord", QStringLiteral("选择下一词"), QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Right),
        send(Sci::SCI_WORDRIGHTEXTEND));
    add("actSelectPrevWord", QStringLiteral("选择上一词"), QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Left),
        send(Sci::SCI_WORDLEFTEXTEND));
    auto* modes = new QActionGroup(this);
    const std::pair<const char*, const char*> modeItems[] = {{"actSelModeNormal", "正常选择模式"},
                                                             {"actSelModeColumn", "列选择模式"},
                                                             {"actSelModeLine", "行选择模式"}};
    const int modeValues[] = {Sci::SC_SEL_STREAM, Sci::SC_SEL_RECTANGLE, Sci::SC_SEL_LINES};
    for (int i = 0; i < 3; ++i) {
        const int mode = modeValues[i];
        QAction* a = add(modeItems[i].first, QString::fromUtf8(modeItems[i].second), {},
                         [this, mode] { setSelectionMode(mode); });
        a->setCheckable(true);
        a->setChecked(i == 0);
        modes->addAction(a);
    }
    QAction* readOnly = add("actEditReadOnly", QStringLiteral("只读"), {}, [] {});
    readOnly->setCheckable(true);
    connect(readOnly, &QAction::triggered, this, [this](bool on) {
        if (hooks_.setReadOnly)
            hooks_.setReadOnly(on);
    });
}

void EditorCommands::appendToClipboard(bool cut) {
    const QString selected = editor_->selectedText();
    if (selected.isEmpty())
        return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(clipboard->text() + selected);
    if (cut && !editor_->isReadOnly())
        editor_->removeSelectedText();
}

void EditorCommands::setSelectionMode(int mode) {
    editor_->SendScintilla(Sci::SCI_SETSELECTIONMODE, mode);
}

} // namespace qj
