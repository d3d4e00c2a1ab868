// The editor's jumps: bookmarks 0–9, go to a line, back to the last change, to the matching brace.

#include "editor/EditorCommands.h"

#include "editor/Bookmarks.h"
#include "editor/EditorText.h"
#include "seams/Dialogs.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>

#include <algorithm>

namespace qj {

using Sci = QsciScintilla;

void EditorCommands::buildJumpActions() {
    Sci* e = editor_;
    for (int n = 0; n < kBookmarkCount; ++n) {
        const QByteArray set = "actSetBookmark" + QByteArray::number(n);
        const QByteArray go = "actGoBookmark" + QByteArray::number(n);
        add(set.constData(), QStringLiteral("书签%1").arg(n),
            QKeySequence(Qt::CTRL | Qt::SHIFT | (Qt::Key_0 + n)), [e, n] { SetBookmark(*e, n); });
        add(go.constData(), QStringLiteral("书签%1").arg(n), QKeySequence(Qt::CTRL | (Qt::Key_0 + n)),
            [e, n] { GoToBookmark(*e, n); });
    }
    add("actClearBookmarks", QStringLiteral("清除所有书签"), {}, [e] { ClearBookmarks(*e); });
    add("actGotoLine", QStringLiteral("跳转(&G)..."), QKeySequence(Qt::CTRL | Qt::Key_G),
        [this] { goToLine(); });
    add("actLastChange", QStringLiteral("跳转到上次修改处"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_G),
        [this] {
            if (lastChange_ < 0)
                return;
            const long pos = std::min(lastChange_, editor_->SendScintilla(Sci::SCI_GETLENGTH));
            editor_->ensureLineVisible(
                static_cast<int>(editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, pos)));
            SetCaretPosition(*editor_, pos);
        });
    add("actMatchBrace", QStringLiteral("匹配跳转"), {}, [e] {
        e->moveToMatchingBrace();
        e->SendScintilla(Sci::SCI_CHOOSECARETX);
    });
}

// The number box starts at the caret line and takes only the lines the note has.
void EditorCommands::goToLine() {
    int line = 0, index = 0;
    editor_->getCursorPosition(&line, &index);
    const int lines = editor_->lines();
    NumberRequest request;
    request.caption = QStringLiteral("跳转");
    request.prompt = QStringLiteral("行号 (1 - %1)：").arg(lines);
    request.value = line + 1;
    request.minimum = 1;
    request.maximum = lines;
    const std::optional<int> chosen = hooks_.dialogs.inputNumber(hooks_.dialogParent, request);
    if (!chosen)
        return;
    const int target = *chosen - 1;
    editor_->ensureLineVisible(target);
    SetCaretPosition(*editor_, editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, target));
}

} // namespace qj
