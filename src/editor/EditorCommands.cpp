// The editor's commands: making them (each an action named after the command, with its shortcut),
// their messages, the read-only items and the options. The groups of commands live beside this
// file: EditingCommands (undo, clipboard, deletion, selection), FindReplaceCommands, JumpCommands
// (bookmarks, lines), FileCommands (insert a file, save the selection), ToolCommands (the menus'
// text tools) and EditorMenus (the three menus).

#include "editor/EditorCommands.h"

#include "editor/AddressLinks.h"
#include "editor/OptionsDialog.h"
#include "editor/TrailingBlanks.h"
#include "seams/Dialogs.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QMenuBar>

namespace qj {

using Sci = QsciScintilla;

EditorCommands::EditorCommands(Sci* editor, EditorHooks hooks, QObject* parent)
    : QObject(parent ? parent : editor), editor_(editor), viewport_(editor->viewport()),
      hooks_(std::move(hooks)) {
    links_ = new AddressLinks(editor_, hooks_.launcher);
    trailing_ = new TrailingBlanks(editor_);
    buildActions();
    buildMenus();
    // The last change: where text was last inserted or deleted.
    connect(editor_, &Sci::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
                if (type & Sci::SC_MOD_INSERTTEXT)
                    lastChange_ = position + length;
                else if (type & Sci::SC_MOD_DELETETEXT)
                    lastChange_ = position;
                // A change of the text by anything but an insert tool, an undo or a redo.
                constexpr int kUndoRedo = Sci::SC_PERFORMED_UNDO | Sci::SC_PERFORMED_REDO;
                if ((type & (Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT)) && !(type & kUndoRedo) &&
                    !toolWriting_)
                    toolSteps_ = 0;
            });
    viewport_->installEventFilter(this);
}

EditorCommands::~EditorCommands() {
    if (mm1_ && !mm1_->parent())
        delete mm1_;
}

QAction* EditorCommands::add(const char* name, const QString& caption, const QKeySequence& shortcut,
                             std::function<void()> handler) {
    auto* a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    byName_.insert(a->objectName(), a);
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
        // The shortcut works while the editor has the focus, whichever menu bar is shown.
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        editor_->addAction(a);
    }
    connect(a, &QAction::triggered, this, std::move(handler));
    return a;
}

// A second item for a command, with its own caption, that runs the command.
QAction* EditorCommands::alias(const char* name, const QString& caption, QAction* of) {
    auto* a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    byName_.insert(a->objectName(), a);
    if (of) {
        connect(a, &QAction::triggered, of, &QAction::trigger);
        a->setEnabled(of->isEnabled());
        connect(of, &QAction::changed, a, [a, of] { a->setEnabled(of->isEnabled()); });
    } else {
        a->setEnabled(false);
    }
    return a;
}

void EditorCommands::buildActions() {
    buildEditingActions();
    buildSelectionActions();
    buildFindActions();
    buildJumpActions();

    // Files and options.
    add("actSaveSelection", QStringLiteral("保存选择区域..."), {}, [this] { saveSelection(); });
    add("actInsertFile", QStringLiteral("插入文件到光标处"), {}, [this] { insertFile(); });
    add("actEditOptions", QStringLiteral("编辑选项(&E)"), {}, [this] { editOptions(); });
    if (hooks_.print)
        add("aSynPrint1", QStringLiteral("打印(&P)..."), QKeySequence(Qt::CTRL | Qt::Key_P),
            [this] { hooks_.print->trigger(); });

    buildToolActions();
}

void EditorCommands::showReadOnly(bool readOnly) {
    action(QStringLiteral("actEditReadOnly"))->setChecked(readOnly);
    action(QStringLiteral("pm2ReadOnly"))->setChecked(readOnly);
}

void EditorCommands::setOptions(const EditorOptions& options) {
    options_ = options;
    ApplyEditorOptions(*editor_, options);
    trailing_->setEnabled(options.trimTrailingBlanks);
}

void EditorCommands::tell(const QString& text, MessageIcon icon) {
    MessageRequest request;
    request.caption = hooks_.appTitle;
    request.text = text;
    request.icon = icon;
    hooks_.dialogs.message(hooks_.dialogParent, request);
}

void EditorCommands::editOptions() {
    OptionsDialog dialog(options_, hooks_.dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    setOptions(dialog.options());
    emit optionsChanged(options_);
}

} // namespace qj
