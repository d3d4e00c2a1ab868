#pragma once
// The note editor's commands and the three menus that offer them: the edit-tools menu "pm1" of the
// title bar button, the context menu "pm2" and the editor's own menu bar "mm1" that the main
// window shows while the editor has the focus. Every command is a QAction named after it, with the
// shortcut the editor binds to it.

#include "editor/EditorLook.h"
#include "editor/EditorSearch.h"
#include "seams/Dialogs.h"

#include <QHash>
#include <QMenuBar>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QsciScintilla;
class QWidget;

namespace qj {

class AddressLinks;
class Clock;
class Dialogs;
class Launcher;
class SearchDialog;
class TrailingBlanks;

// What the editor's commands need from the window around them. Actions may be null.
struct EditorHooks {
    Dialogs& dialogs;
    Clock& clock;
    Launcher& launcher;
    QWidget* dialogParent = nullptr;
    QString appTitle{};
    // The read-only switch of the notebook (the title bar's box and the menu items follow it).
    std::function<void(bool readOnly)> setReadOnly{};
    // The title of the note in the editor (the insert-file dialog names it).
    std::function<QString()> noteTitle{};
    // The window's commands that the editor's menus offer too.
    QAction* save = nullptr;       // "资料保存" (enabled while the text is dirty)
    QAction* exportTxt = nullptr;  // "导出到 .txt"
    QAction* exportHtml = nullptr; // "导出到 .Html"
    QAction* exportPdf = nullptr;  // "导出到 .pdf"
    QAction* exit = nullptr;       // "退出系统"
    QAction* print = nullptr;      // Ctrl+P
};

class EditorCommands : public QObject {
    Q_OBJECT
public:
    EditorCommands(QsciScintilla* editor, EditorHooks hooks, QObject* parent = nullptr);
    ~EditorCommands() override;

    // "mm1": made without a parent; the window that shows it takes it.
    QMenuBar* editorMenuBar() const { return mm1_; }
    QMenu* toolsMenu() const { return pm1_; }   // "pm1"
    QMenu* contextMenu() const { return pm2_; } // "pm2"
    // The command of that objectName (made by this object), or null.
    QAction* action(const QString& name) const { return byName_.value(name); }

    // The read-only items show the editor's state.
    void showReadOnly(bool readOnly);

    EditorOptions options() const { return options_; }
    void setOptions(const EditorOptions& options);

    // Context menu opening: the re-flow items need a selection.
    void pm2Popup();
    // The search text and options the dialogs and the find-next commands share.
    const SearchOptions& searchOptions() const { return search_; }
    void setSearchOptions(const SearchOptions& options) { search_ = options; }

    // The commands, callable directly (tests, the window).
    void findNext(bool backwards);
    void replaceNext(bool backwards);
    int replaceAll();
    void goToLine();
    void insertFile();
    void saveSelection();
    void showStatistics();
    void reflowAdd();
    void reflowRemove();
    void insertHyphens();
    void insertTime();
    void editOptions();

signals:
    // The options dialog was confirmed (the window stores the choices and moves the edge).
    void optionsChanged(const EditorOptions& options);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One message box with the program's caption.
    void tell(const QString& text, MessageIcon icon = MessageIcon::None);
    // The actions, made in the order the menus list them: editing, selection, find and replace,
    // jumps, files and options, the menus' text tools.
    void buildActions();
    void buildEditingActions();
    void buildSelectionActions();
    void buildFindActions();
    void buildJumpActions();
    void buildToolActions();
    void buildMenus();
    QAction* add(const char* name, const QString& caption, const QKeySequence& shortcut,
                 std::function<void()> handler);
    QAction* alias(const char* name, const QString& caption, QAction* of);
    void notFound(const QString& text);
    // True (and the user told) when the editor is read-only.
    bool refuseReadOnlyReplace();
    // The undo commands: also while read-only when the steps on top are the insert tools' own.
    void undo();
    void insertByTool(const QString& text);
    void showFind(bool replace);
    void appendToClipboard(bool cut);
    void setSelectionMode(int mode);

    QsciScintilla* editor_;
    QObject* viewport_; // the editor's viewport, watched for the context menu
    EditorHooks hooks_;
    EditorOptions options_;
    SearchOptions search_;
    QString replacement_;
    long lastChange_ = -1;
    int toolSteps_ = 0; // undo steps on top made by the insert tools
    bool toolWriting_ = false;
    QHash<QString, QAction*> byName_; // every command made by add() and alias()
    QPointer<QMenuBar> mm1_; // made without a parent; the window that shows it may delete it first
    QMenu* pm1_ = nullptr;
    QMenu* pm2_ = nullptr;
    QPointer<SearchDialog> findDialog_;
    QPointer<SearchDialog> replaceDialog_;
    AddressLinks* links_ = nullptr;
    TrailingBlanks* trailing_ = nullptr;
};

} // namespace qj
