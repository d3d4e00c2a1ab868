#include "editor/EditorCommands.h"

#include "common/TextDecode.h"
#include "editor/AddressLinks.h"
#include "editor/Bookmarks.h"
#include "editor/EditorText.h"
#include "editor/OptionsDialog.h"
#include "editor/SearchDialog.h"
#include "editor/TextTools.h"
#include "editor/TrailingBlanks.h"
#include "seams/Clock.h"
#include "seams/Dialogs.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

namespace qj {

using Sci = QsciScintilla;

namespace {

const QString kTextFilter = QStringLiteral("文本文件 (*.txt *.TXT);;所有文件 (*)");

// Bytes for a text file: GBK like the program's other files (characters GBK lacks in their GB18030
// form, so nothing is lost).
QByteArray FileBytes(const QString& text) {
    return QByteArray::fromStdString(EncodeTextFile(text.toStdString(), TextForm{}));
}

QString WithCrLf(QString text) {
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\n|\r"));
    return text.replace(kBreak, QStringLiteral("\r\n"));
}

} // namespace

EditorCommands::EditorCommands(Sci* editor, EditorHooks hooks, QObject* parent)
    : QObject(parent ? parent : editor), editor_(editor), hooks_(std::move(hooks)) {
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
            });
    editor_->viewport()->installEventFilter(this);
}

EditorCommands::~EditorCommands() {
    if (mm1_ && !mm1_->parent())
        delete mm1_;
}

QAction* EditorCommands::add(const char* name, const QString& caption, const QKeySequence& shortcut,
                             std::function<void()> handler) {
    auto* a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
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
    if (of) {
        connect(a, &QAction::triggered, of, &QAction::trigger);
        a->setEnabled(of->isEnabled());
        connect(of, &QAction::changed, a, [a, of] { a->setEnabled(of->isEnabled()); });
    } else {
        a->setEnabled(false);
    }
    return a;
}

QAction* EditorCommands::action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void EditorCommands::buildActions() {
    Sci* e = editor_;
    auto send = [e](int message) {
        return [e, message] { e->SendScintilla(static_cast<unsigned>(message)); };
    };
    // Undo, clipboard and deletion.
    add("actEditUndo", QStringLiteral("撤消(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z), [e] { e->undo(); });
    add("actEditRedo", QStringLiteral("重做(&R)"), QKeySequence(Qt::CTRL | Qt::Key_Y), [e] { e->redo(); });
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

    // Searching and jumping.
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

    // Files and options.
    add("actSaveSelection", QStringLiteral("保存选择区域..."), {}, [this] { saveSelection(); });
    add("actInsertFile", QStringLiteral("插入文件到光标处"), {}, [this] { insertFile(); });
    add("actEditOptions", QStringLiteral("编辑选项(&E)"), {}, [this] { editOptions(); });
    if (hooks_.print)
        add("aSynPrint1", QStringLiteral("打印(&P)..."), QKeySequence(Qt::CTRL | Qt::Key_P),
            [this] { hooks_.print->trigger(); });

    // The tools of the title bar's menu and the context menu.
    add("N43", QStringLiteral("取消前次操作"), {}, [e] { e->undo(); });
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
    auto bookmarkMenu = [this, a](QMenu* into, const QString& title, const char* prefix) {
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

void EditorCommands::showReadOnly(bool readOnly) {
    action(QStringLiteral("actEditReadOnly"))->setChecked(readOnly);
    action(QStringLiteral("pm2ReadOnly"))->setChecked(readOnly);
}

void EditorCommands::setOptions(const EditorOptions& options) {
    options_ = options;
    ApplyEditorOptions(*editor_, options);
    trailing_->setEnabled(options.trimTrailingBlanks);
}

void EditorCommands::pm2Popup() {
    const bool selected =
        editor_->SendScintilla(Sci::SCI_GETSELECTIONEND) > editor_->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    action(QStringLiteral("N107"))->setEnabled(selected);
    action(QStringLiteral("N108"))->setEnabled(selected);
}

bool EditorCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_->viewport() && event->type() == QEvent::ContextMenu) {
        pm2Popup();
        pm2_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return false;
}

void EditorCommands::tell(const QString& text, MessageIcon icon) {
    MessageRequest request;
    request.caption = hooks_.appTitle;
    request.text = text;
    request.icon = icon;
    hooks_.dialogs.message(hooks_.dialogParent, request);
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
        auto take = [this, d] {
            search_ = d->options();
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
    dialog->open(start, replacement_);
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
    if (!ReplaceAndFind(*editor_, search_, replacement_, backwards))
        notFound(search_.text);
}

int EditorCommands::replaceAll() {
    return ReplaceAll(*editor_, search_, replacement_);
}

void EditorCommands::goToLine() {
    int line = 0, index = 0;
    editor_->getCursorPosition(&line, &index);
    const int lines = editor_->lines();
    InputRequest request;
    request.caption = QStringLiteral("跳转");
    request.prompt = QStringLiteral("行号 (1 - %1)：").arg(lines);
    request.text = QString::number(line + 1);
    const std::optional<QString> typed = hooks_.dialogs.inputText(hooks_.dialogParent, request);
    if (!typed)
        return;
    bool ok = false;
    const int wanted = typed->trimmed().toInt(&ok);
    if (!ok) {
        tell(QStringLiteral("“%1”不是行号。").arg(*typed), MessageIcon::Warning);
        return;
    }
    const int target = std::clamp(wanted, 1, lines) - 1;
    editor_->ensureLineVisible(target);
    SetCaretPosition(*editor_, editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, target));
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

void EditorCommands::saveSelection() {
    const QString selected = editor_->selectedText();
    if (selected.isEmpty()) {
        tell(QStringLiteral("没有选择任何内容。"), MessageIcon::Information);
        return;
    }
    FileRequest request;
    request.caption = QStringLiteral("保存选择区域");
    request.filter = kTextFilter;
    request.defaultSuffix = QStringLiteral("txt");
    const std::optional<QString> path = hooks_.dialogs.saveFileName(hooks_.dialogParent, request);
    if (!path)
        return;
    QFile file(*path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(FileBytes(selected)) < 0 ||
        !file.flush()) {
        tell(QStringLiteral("无法写入文件 %1：%2").arg(*path, file.errorString()), MessageIcon::Error);
    }
}

void EditorCommands::insertFile() {
    if (editor_->isReadOnly()) {
        tell(QStringLiteral("编辑器处于只读状态，请先取消“只读”。"), MessageIcon::Information);
        return;
    }
    FileRequest request;
    request.caption =
        QStringLiteral("插入文件资料到%1").arg(hooks_.noteTitle ? hooks_.noteTitle() : QString());
    request.filter = kTextFilter;
    const std::optional<QString> path = hooks_.dialogs.openFileName(hooks_.dialogParent, request);
    if (!path)
        return;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(QStringLiteral("无法读取文件 %1：%2").arg(*path, file.errorString()), MessageIcon::Error);
        return;
    }
    const QByteArray bytes = file.readAll();
    const QString text =
        WithCrLf(QString::fromStdString(DecodeTextFile(std::string_view(bytes.constData(), bytes.size()))));
    editor_->replaceSelectedText(text);
    editor_->SendScintilla(Sci::SCI_CHOOSECARETX);
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
    InsertAtSelectionStart(*editor_, EightyHyphens());
}

void EditorCommands::insertTime() {
    InsertAtSelectionStart(*editor_, CurrentTimeText(hooks_.clock.now()));
}

void EditorCommands::editOptions() {
    OptionsDialog dialog(options_, hooks_.dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    setOptions(dialog.options());
    emit optionsChanged(options_);
}

} // namespace qj
