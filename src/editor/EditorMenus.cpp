// The three menus that offer the editor's commands: the title bar's edit-tools menu "pm1", the
// context menu "pm2" and the editor's menu bar "mm1".

#include "editor/EditorCommands.h"

#include "editor/Bookmarks.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>

namespace qj {

using Sci = QsciScintilla;

void EditorCommands::buildMenus() {
    auto a = [this](const char* name) { return action(QString::fromLatin1(name)); };
    auto addAll = [](QMenu* menu, std::initializer_list<QAction*> items) {
        for (QAction* item : items) {
            if (item)
                menu->addAction(item);
            else
                menu->addSeparator();
        }
    };
    auto bookmarkMenu = [a](QMenu* into, const QString& title, const char* prefix) {
        QMenu* menu = into->addMenu(title);
        for (int n = 0; n < kBookmarkCount; ++n)
            menu->addAction(a((QByteArray(prefix) + QByteArray::number(n)).constData()));
        return menu;
    };

    // The title bar's edit-tools menu.
    pm1_ = new QMenu(editor_);
    pm1_->setObjectName(QStringLiteral("pm1"));
    QAction* heading = pm1_->addAction(QStringLiteral("资料编辑操作"));
    heading->setEnabled(false);
    addAll(pm1_, {nullptr, a("N43"), nullptr, a("N39"), a("N42"), nullptr, a("N44"), nullptr, a("N46")});

    // The context menu.
    pm2_ = new QMenu(editor_);
    pm2_->setObjectName(QStringLiteral("pm2"));
    QAction* save = hooks_.save ? hooks_.save : alias("pm2Save", QStringLiteral("资料保存"), nullptr);
    addAll(pm2_, {save, nullptr, a("N109"), nullptr, a("N107"), a("N108"), nullptr, a("pm2Undo"), nullptr,
                  a("actEditCut"), a("actEditCopy"), a("actEditPaste"), nullptr, a("pm2Find"),
                  a("actFindNext"), a("actFindPrev"), nullptr, a("actLastChange"), nullptr});
    bookmarkMenu(pm2_, QStringLiteral("设置书签"), "actSetBookmark");
    bookmarkMenu(pm2_, QStringLiteral("查找书签"), "actGoBookmark");
    addAll(pm2_, {a("actClearBookmarks"), nullptr, a("pm2ReadOnly")});

    // The editor's menu bar.
    mm1_ = new QMenuBar;
    mm1_->setObjectName(QStringLiteral("mm1"));
    QMenu* file = mm1_->addMenu(QStringLiteral("文件(&F)"));
    file->setObjectName(QStringLiteral("mm1File"));
    addAll(file, {a("actSaveSelection"), nullptr, a("actInsertFile")});
    for (QAction* item : {hooks_.exportTxt, hooks_.exportHtml, hooks_.exportPdf})
        if (item)
            file->addAction(item);
    file->addSeparator();
    if (hooks_.exit)
        file->addAction(hooks_.exit);

    QMenu* edit = mm1_->addMenu(QStringLiteral("编辑(&E)"));
    edit->setObjectName(QStringLiteral("mm1Edit"));
    addAll(edit, {a("actEditUndo"), a("actEditRedo"), nullptr, a("actEditCut"), a("actEditCutAppend"),
                  a("actEditCopy"), a("actEditCopyAppend"), a("actEditPaste"), nullptr, a("actEditDelete")});
    addAll(edit->addMenu(QStringLiteral("删除行")),
           {a("actDeleteLine"), a("actDeleteToLineEnd"), a("actDeleteToLineStart")});
    addAll(edit->addMenu(QStringLiteral("删除词")),
           {a("actDeleteWord"), a("actDeleteToWordEnd"), a("actDeleteToWordStart")});
    addAll(edit, {a("actClearAll"), nullptr, a("actSelectAll")});
    addAll(edit->addMenu(QStringLiteral("选择行")),
           {a("actSelectLine"), a("actSelectNextLine"), a("actSelectPrevLine")});
    addAll(edit->addMenu(QStringLiteral("选择词")),
           {a("actSelectWord"), a("actSelectNextWord"), a("actSelectPrevWord")});
    addAll(edit->addMenu(QStringLiteral("选择模式")),
           {a("actSelModeNormal"), a("actSelModeColumn"), a("actSelModeLine")});
    addAll(edit, {nullptr, a("actEditReadOnly")});

    QMenu* search = mm1_->addMenu(QStringLiteral("搜索(&S)"));
    search->setObjectName(QStringLiteral("mm1Search"));
    addAll(search,
           {a("actFind"), a("actFindNext"), a("actFindPrev"), a("actFindNextWord"), a("actFindPrevWord"),
            nullptr, a("actReplace"), a("actReplaceNext"), a("actReplacePrev"), nullptr});
    bookmarkMenu(search, QStringLiteral("设置书签"), "actSetBookmark");
    bookmarkMenu(search, QStringLiteral("查找书签"), "actGoBookmark");
    addAll(search,
           {a("actClearBookmarks"), nullptr, a("actGotoLine"), a("actLastChange"), a("actMatchBrace")});

    QMenu* options = mm1_->addMenu(QStringLiteral("参数(&S)"));
    options->setObjectName(QStringLiteral("mm1Options"));
    options->addAction(a("actEditOptions"));
}

void EditorCommands::pm2Popup() {
    const bool selected =
        editor_->SendScintilla(Sci::SCI_GETSELECTIONEND) > editor_->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    action(QStringLiteral("N107"))->setEnabled(selected);
    action(QStringLiteral("N108"))->setEnabled(selected);
}

bool EditorCommands::eventFilter(QObject* watched, QEvent* event) {
    // The viewport is compared as kept: while the editor is being destroyed (its viewport gets
    // events on the way out) no method of the editor may be called.
    if (watched == viewport_ && event->type() == QEvent::ContextMenu) {
        pm2Popup();
        pm2_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return false;
}

} // namespace qj
