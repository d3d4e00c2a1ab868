#pragma once
// The main window's commands, made once (MakeMainActions) and handed as typed members to whoever
// places or runs them: the main window's menus and toolbar, the editor's menus, the program
// windows, the tray. Every action keeps its objectName (the picture's name too) for people and
// tests.

#include <QList>
#include <QString>

class QAction;
class QObject;

namespace qj {

struct MainActions {
    QAction* addSibling = nullptr;       // actAddSibling
    QAction* addChild = nullptr;         // actAddChild
    QAction* deleteNote = nullptr;       // actDelete
    QAction* findAll = nullptr;          // actFindall
    QAction* printView = nullptr;        // actPrintView
    QAction* save = nullptr;             // actSave
    QAction* paiGua = nullptr;           // actPaiGua
    QAction* cnDate = nullptr;           // actCnDate
    QAction* alert = nullptr;            // actAlert
    QAction* about = nullptr;            // actAbout
    QAction* hideMainW = nullptr;        // actHideMainW
    QAction* exit = nullptr;             // actExit
    QAction* history = nullptr;          // actHistory
    QAction* trash = nullptr;            // actTrash
    QAction* newCategory = nullptr;      // actNewCategory
    QAction* categoryManager = nullptr;  // actCategoryManager
    QAction* inputFiles = nullptr;       // actInputFiles
    QAction* outputTxt = nullptr;        // actOutputFilesTxt
    QAction* outputHtml = nullptr;       // actOutputFilesHtml
    QAction* outputPdf = nullptr;        // actOutputFilesPdf
    QAction* backup = nullptr;           // actBackup
    QAction* pageSetup = nullptr;        // actPageSetup
    QAction* print = nullptr;            // actPrint
    QAction* guaMap = nullptr;           // actGuaMap
    QAction* toolBar = nullptr;          // actToolBar
    QAction* listBar = nullptr;          // actListBar
    QAction* editFont = nullptr;         // actEditFont
    QAction* editBkColor = nullptr;      // actEditBKColor
    QAction* nowlineFontColor = nullptr; // actNowlineFontColor
    QAction* nowlineBkColor = nullptr;   // actNowlineBkColor
    QAction* help = nullptr;             // actHelp

    // Every action, in the order they are made.
    QList<QAction*> all() const;
    // The action of that objectName, or null (for scripts and tests that name actions).
    QAction* named(const QString& objectName) const;
};

// Makes every action (caption, hint, picture, checkable state, Ctrl+S for saving) as a child of
// `owner`; nothing is connected yet.
MainActions MakeMainActions(QObject* owner);

} // namespace qj
