// The editor's find and replace flow: the find and replace dialogs, find next/previous (also of the
// word at the caret), replace next/previous and replace all, and the "not found" messages.

#include "editor/EditorCommands.h"

#include "editor/SearchDialog.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>

namespace qj {

void EditorCommands::buildFindActions() {
    add("actFind", QStringLiteral("查找字符(&F)..."), QKeySequence(Qt::CTRL | Qt::Key_F),
        [this] { showFind(false); });
    add("actFindNext", QStringLiteral("查找下一个"), QKeySequence(Qt::Key_F3), [this] { findNext(false); });
    add("actFindPrev", QStringLiteral("查找上一个"), QKeySequence(Qt::SHIFT | Qt::Key_F3),
        [this] { findNext(true); });
    auto findWord = [this](bool backwards) {
        const QString word = WordAtCaret(*editor_);
        if (word.isEmpty()) {
            notFound(QString());
            return;
        }
        SearchOptions o = search_;
        o.text = word;
        o.wholeWord = true;
        search_.text = word;
        if (!FindMatch(*editor_, o, backwards))
            notFound(word);
    };
    add("actFindNextWord", QStringLiteral("查找下一个单词"), QKeySequence(Qt::CTRL | Qt::Key_F3),
        [findWord] { findWord(false); });
    add("actFindPrevWord", QStringLiteral("查找上一个单词"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F3),
        [findWord] { findWord(true); });
    add("actReplace", QStringLiteral("替换(&R)..."), QKeySequence(Qt::CTRL | Qt::Key_R),
        [this] { showFind(true); });
    add("actReplaceNext", QStringLiteral("替换下一个"), QKeySequence(Qt::Key_F4),
        [this] { replaceNext(false); });
    add("actReplacePrev", QStringLiteral("替换上一个"), QKeySequence(Qt::SHIFT | Qt::Key_F4),
        [this] { replaceNext(true); });
}

// A read-only note is not changed; the user is told why rather than that the text is missing.
bool EditorCommands::refuseReadOnlyReplace() {
    if (!editor_->isReadOnly())
        return false;
    if (CountMatches(*editor_, search_) == 0)
        notFound(search_.text);
    else
        tell(QStringLiteral("资料处于只读状态，不能替换“%1”。请先取消“只读”。").arg(search_.text),
             MessageIcon::Information);
    return true;
}

void EditorCommands::notFound(const QString& text) {
    tell(text.isEmpty() ? QStringLiteral("光标处没有可查找的词。") : QStringLiteral("找不到“%1”。").arg(text),
         MessageIcon::Information);
}

void EditorCommands::showFind(bool replace) {
    QPointer<SearchDialog>& dialog = replace ? replaceDialog_ : findDialog_;
    if (!dialog) {
        dialog = new SearchDialog(replace ? SearchDialog::Replace : SearchDialog::Find, hooks_.dialogParent);
        SearchDialog* d = dialog;
        // The find dialog has no replacement: what the replace dialog was given stays.
        auto take = [this, d, replace] {
            search_ = d->options();
            if (replace)
                replacement_ = d->replacement();
        };
        connect(d, &SearchDialog::findRequested, this, [this, take] {
            take();
            findNext(search_.backwards);
        });
        connect(d, &SearchDialog::replaceRequested, this, [this, take] {
            take();
            replaceNext(search_.backwards);
        });
        connect(d, &SearchDialog::replaceAllRequested, this, [this, take] {
            take();
            if (refuseReadOnlyReplace())
                return;
            const int count = replaceAll();
            tell(count > 0 ? QStringLiteral("共替换 %1 处。").arg(count)
                           : QStringLiteral("找不到“%1”。").arg(search_.text),
                 MessageIcon::Information);
        });
    }
    SearchOptions start = search_;
    // A selection within one line is what the user wants to find.
    const QString selected = editor_->selectedText();
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('\n')) && !selected.contains(QLatin1Char('\r')))
        start.text = selected;
    dialog->openWith(start, replacement_);
}

void EditorCommands::findNext(bool backwards) {
    if (search_.text.isEmpty()) {
        showFind(false);
        return;
    }
    if (!FindMatch(*editor_, search_, backwards))
        notFound(search_.text);
}

void EditorCommands::replaceNext(bool backwards) {
    if (search_.text.isEmpty()) {
        showFind(true);
        return;
    }
    if (refuseReadOnlyReplace())
        return;
    if (!ReplaceAndFind(*editor_, search_, replacement_, backwards))
        notFound(search_.text);
}

int EditorCommands::replaceAll() {
    return ReplaceAll(*editor_, search_, replacement_);
}

} // namespace qj
