// The text tools of the title bar's menu and the context menu: undo the last action, 80 hyphens,
// the current time, character statistics, the two re-flows and the save item.

#include "editor/EditorCommands.h"

#include "editor/TextTools.h"
#include "seams/Clock.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>

#include <algorithm>

namespace qj {

void EditorCommands::buildToolActions() {
    add("N43", QStringLiteral("取消前次操作"), {}, [this] { undo(); });
    add("N39", QStringLiteral("插入80个-字符"), {}, [this] { insertHyphens(); });
    add("N42", QStringLiteral("插入当前时间"), {}, [this] { insertTime(); });
    add("N109", QStringLiteral("字符统计"), {}, [this] { showStatistics(); });
    add("N107", QStringLiteral("排版-添加回车符"), {}, [this] { reflowAdd(); });
    add("N108", QStringLiteral("排版-取消回车符"), {}, [this] { reflowRemove(); });
    add("N44", QStringLiteral("资料保存"), {}, [this] {
        // The title bar's save item stays enabled: it saves whenever the window's command can.
        if (hooks_.save) {
            const bool enabled = hooks_.save->isEnabled();
            hooks_.save->setEnabled(true);
            hooks_.save->trigger();
            if (hooks_.save->isEnabled() && !enabled)
                hooks_.save->setEnabled(false);
        }
    });
    add("N46", QStringLiteral("关闭本菜单"), {}, [] {});
    alias("pm2Undo", QStringLiteral("撒消(&U)"), action(QStringLiteral("actEditUndo")));
    alias("pm2Find", QStringLiteral("查找字符(&F)"), action(QStringLiteral("actFind")));
    QAction* pm2ReadOnly = add("pm2ReadOnly", QStringLiteral("只读【不可编辑】"), {}, [] {});
    pm2ReadOnly->setCheckable(true);
    connect(pm2ReadOnly, &QAction::triggered, this, [this](bool on) {
        if (hooks_.setReadOnly)
            hooks_.setReadOnly(on);
    });
}

void EditorCommands::showStatistics() {
    tell(StatisticsOfEditor(*editor_));
}

void EditorCommands::reflowAdd() {
    const bool selected = editor_->hasSelectedText();
    if (selected && hooks_.setReadOnly)
        hooks_.setReadOnly(false);
    ReflowAddReturns(*editor_);
}

void EditorCommands::reflowRemove() {
    const bool selected = editor_->hasSelectedText();
    if (selected && hooks_.setReadOnly)
        hooks_.setReadOnly(false);
    ReflowRemoveReturns(*editor_);
}

void EditorCommands::insertHyphens() {
    insertByTool(EightyHyphens());
}

void EditorCommands::insertTime() {
    insertByTool(CurrentTimeText(hooks_.clock.now()));
}

// The insert tools write also while the editor is read-only, so what they wrote can be taken back
// while it is: their steps on top of the undo stack are counted (any other change ends the count).
void EditorCommands::insertByTool(const QString& text) {
    toolWriting_ = true;
    InsertAtSelectionStart(*editor_, text);
    toolWriting_ = false;
    ++toolSteps_;
}

void EditorCommands::undo() {
    if (!editor_->isReadOnly()) {
        editor_->undo();
        toolSteps_ = std::max(0, toolSteps_ - 1);
        return;
    }
    if (toolSteps_ == 0)
        return;
    editor_->setReadOnly(false);
    editor_->undo();
    editor_->setReadOnly(true);
    --toolSteps_;
}

} // namespace qj
