// The editor pane's tools as the main window wires them: the editor's commands and menus, the menu
// bar switch between "MainMenu1" and "mm1", the title bar's edit-tools menu, and the editor's
// options in the settings file.

#include "app/Lymain.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/Notebook.h"
#include "editor/ColumnMath.h"
#include "editor/ColumnWrap.h"
#include "editor/EditorCommands.h"
#include "editor/EditorPane.h"
#include "editor/PrintCommands.h"
#include "shell/AppTitle.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStackedLayout>
#include <QTabWidget>
#include <QToolButton>

namespace qj {
void TFmain::buildEditorPane() {
    EditorHooks hooks{services_.dialogs, services_.clock, services_.launcher};
    hooks.dialogParent = this;
    hooks.appTitle = QString::fromUtf8(kAppTitle);
    hooks.setReadOnly = [this](bool readOnly) { notebook_->setReadOnly(readOnly); };
    hooks.noteTitle = [this] { return notebook_->selectedTitle(); };
    hooks.save = actions_.save;
    hooks.exportTxt = actions_.outputTxt;
    hooks.exportHtml = actions_.outputHtml;
    hooks.exportPdf = actions_.outputPdf;
    hooks.exit = actions_.exit;
    hooks.print = actions_.print;
    // Printing: the header reads the window's caption and the version panel afresh on every page.
    pane_ = new EditorPane(notebook_->editor(), std::move(hooks), [this] {
        return PrintTexts{windowTitle(), statusText(kVersionPanel)};
    });
    PrintCommands* printing = pane_->printing();
    const std::pair<QAction*, void (PrintCommands::*)()> printCommands[] = {
        {actions_.print, &PrintCommands::print},
        {actions_.printView, &PrintCommands::preview},
        {actions_.pageSetup, &PrintCommands::pageSetup},
        {actions_.outputPdf, &PrintCommands::exportPdf},
    };
    for (const auto& [action, command] : printCommands)
        connect(action, &QAction::triggered, printing, command);
    EditorCommands* commands = pane_->commands();
    commands->showReadOnly(notebook_->editor()->isReadOnly());
    connect(notebook_, &Notebook::readOnlyChanged, commands, &EditorCommands::showReadOnly);
    connect(notebook_->titleBar()->toolsButton(), &QToolButton::clicked, this, &TFmain::btn10Click);
    connect(pane_, &EditorPane::optionsChanged, this,
            [this](const EditorOptions& options) { settings_.saveEditorOptions(options); });
}

// Both menu bars sit in one place; the one for the widget with the keyboard focus shows.
void TFmain::installMenuBars(QMenuBar* mainMenu) {
    auto* bars = new QWidget(this);
    bars->setObjectName(QStringLiteral("MenuBars"));
    menuBars_ = new QStackedLayout(bars);
    menuBars_->setContentsMargins(0, 0, 0, 0);
    menuBars_->addWidget(mainMenu);
    addMainCommandsToEditorMenuBar(pane_->commands()->editorMenuBar());
    menuBars_->addWidget(pane_->commands()->editorMenuBar());
    menuBars_->setCurrentWidget(mainMenu);
    setMenuWidget(bars);
    connect(notebook_, &Notebook::treeEntered, this,
            [this, mainMenu] { menuBars_->setCurrentWidget(mainMenu); });
    connect(notebook_, &Notebook::editorEntered, this,
            [this] { menuBars_->setCurrentWidget(pane_->commands()->editorMenuBar()); });
}

// The editor's menu bar also carries the main commands the editor's own menus lack, so that every
// main command stays reachable while the editor has the focus (with the left column hidden, or no
// category left, the tree cannot take it back).
void TFmain::addMainCommandsToEditorMenuBar(QMenuBar* bar) {
    if (auto* file = bar->findChild<QMenu*>(QStringLiteral("mm1File"))) {
        QAction* exit = actions_.exit;
        QAction* before = file->actions().contains(exit) ? exit : nullptr;
        file->insertActions(before, {actions_.newCategory, actions_.categoryManager, actions_.backup,
                                     actions_.history, actions_.trash});
        file->insertSeparator(before);
    }
    auto* view = new QMenu(QStringLiteral("查看(&V)"), bar);
    view->setObjectName(QStringLiteral("mm1View"));
    view->addActions({actions_.toolBar, actions_.listBar});
    view->addSeparator();
    view->addAction(actions_.findAll);
    QAction* options = nullptr;
    if (auto* menu = bar->findChild<QMenu*>(QStringLiteral("mm1Options")))
        options = menu->menuAction();
    bar->insertMenu(options, view);
}

QMenuBar* TFmain::shownMenuBar() const {
    return qobject_cast<QMenuBar*>(menuBars_->currentWidget());
}

// The edit-tools menu drops down from the title bar's button, below it and flush with its left.
void TFmain::btn10Click() {
    QToolButton* button = notebook_->titleBar()->toolsButton();
    pane_->commands()->toolsMenu()->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void TFmain::LoadEditorOptions() {
    pane_->applyOptions(settings_.readEditorOptions());
}

} // namespace qj
