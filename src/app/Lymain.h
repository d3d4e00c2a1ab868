#pragma once

#include "app/MainActions.h"
#include "seams/Services.h"
#include "shell/Settings.h"
#include "shell/SettingsStore.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QSplitter;
class QStackedLayout;
class QTabWidget;
class QToolBar;

namespace qj {

class CategorySelector;
class EditorPane;
struct EditorOptions;
class DataFile;
class DataFileLock;
class GlobalHotKey;
class Notebook;
class FileCommands;
class RecoveryJournalKeeper;
class AutoBackup;
struct JournalEntry;
class StoreWindows;

// The main window: toolbar, menus, the category selector and note tree on the left, the note title
// bar and editor on the right, a five-panel status bar below. It owns the connection to the data
// file and is the only reader and writer of the settings file.
//
// Creating it runs the start-up sequence (FormCreate): the data file is opened, the category "帮助"
// is made on a first run, the settings are applied, the category selector is filled and the
// start-up category is shown. Closing the window only hides it; "退出系统" ends the program.
class TFmain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kStatusPanels = 5;
    // Status panels, counted from 0.
    enum StatusPanel { kTreePanel = 0, kVersionPanel = 1, kCaretPanel = 2, kWrapPanel = 3, kClockPanel = 4 };

    explicit TFmain(const Services& services, QWidget* parent = nullptr);
    ~TFmain() override;

    // Asks for a new category name and creates the category with its first note; it becomes the
    // current category and the start-up category of the next run.
    void CreateCategory();
    // The settings file of the program folder.
    SettingsStore& settingsStore() { return settings_; }
    // Empties the category selector and lists the data file's categories into it (no selection).
    void FillCategorySelector();
    // Enables or disables the commands that need an open category: importing, exporting to text,
    // the three note commands of the toolbar, and the note tree.
    void EnableNoteCommands(bool enabled);

    // The season choice of the hidden menu "改变肤色": remembers it and ticks its item.
    void ApplySkinChoice(const QString& fileName, int index);

    // Brings the window back (restored from minimised or hidden) and activates it.
    void bringToFront();
    // Hides the window, or minimises it where nothing (no tray icon) would bring it back. A window
    // put away by a command that also brings it back ("qingjian --toggle") is always hidden:
    // some desktops (sway, other tiling Wayland desktops) keep a minimised window on the screen.
    enum class Away { AsTheDesktopAllows, Hidden };
    void putAway(Away how = Away::AsTheDesktopAllows);
    // Where the desktop has no notification area the window cannot come back from hiding by a
    // click, so closing minimises it instead while `minimises` says so.
    void setCloseMinimises(std::function<bool()> minimises) { closeMinimises_ = std::move(minimises); }

    // Opens a document or program of the program folder (the readings of the View menu).
    void OpenDocumentFile(const QString& name);
    // Ctrl+Alt+A, held from start-up (its pressed() signal); not held where the desktop has no
    // global keys or another program has it.
    GlobalHotKey* hotKey() const { return hotKey_; }

    // The window's commands (the menus', the toolbar's, the tray's).
    const MainActions& actions() const { return actions_; }
    Notebook& notebook() const { return *notebook_; }
    // The search windows and the category manager.
    StoreWindows& storeWindows() const { return *storeWindows_; }
    // Backup, import, export and files dropped onto the editor.
    FileCommands& fileCommands() const { return *fileCommands_; }
    // The open data file, or null when there is none (missing or unreadable).
    DataFile* dataFile() const { return dataFile_.get(); }
    // Says why there is no data file: "Not find data file !!!" when it is missing, else what
    // was wrong with it at start (damaged, not a data file, unreadable).
    void ReportNoDataFile();
    CategorySelector* categorySelector() const { return cbb1_; }
    // The note editor with its column wrap, commands and menus ("pm1", "pm2", "mm1") and printing.
    EditorPane& editorPane() const { return *pane_; }
    // The menu bar on show: "MainMenu1" while the tree has the focus, "mm1" while the editor has.
    QMenuBar* shownMenuBar() const;
    bool isFirstRun() const { return firstRun_; }
    // CurTb as read at start ("帮助" when empty).
    const QString& startupCategory() const { return startupCategory_; }
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text);
    const ProgramFolder& programFolder() const { return services_.folder; }

    // The data file cannot be written (found when it was opened; `why` says what stands in the
    // way): "只读" in the caption, a note in the status bar, the editor kept read-only and the
    // commands that write disabled or refused with a message.
    void ShowDataFileReadOnly(const QString& why);
    bool isDataFileReadOnly() const { return dataFileReadOnly_; }
    // Another running copy holds the data file: this one did not open it and should end.
    bool isDataFileHeldElsewhere() const { return dataFileHeldElsewhere_; }
    static QString DataFileHeldElsewhereText(const QString& path);

    // The recovery journal of the unsaved note text; null without a data file.
    RecoveryJournalKeeper* recoveryJournal() const { return journal_; }
    // The automatic daily backup; null without a data file.
    AutoBackup* autoBackup() const { return backup_; }

    // Runs a command; a failure it raises (a refused database write, a file error) ends the command
    // and is shown by the program's general error handler.
    void runCommand(const std::function<void()>& command);

signals:
    // "退出系统" has saved the settings: the program ends now.
    void ending();
    // A category was created (the category manager appends it to its list).
    void categoryCreated(const QString& name);

public slots:
    void actExitExecute();
    void actHideMainWExecute();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Start-up and settings (Lymain.cpp, MainSettings.cpp).
    void FormCreate();
    bool OpenDataFile();
    void ReopenReplacedDataFile();
    void CheckDefaultCategory();
    void LoadSettings();
    void LoadSkinChoice();
    // False (after telling the user) when the settings file could not be written.
    bool SaveSettings();
    void SelectStartupCategory();
    // The recovery journal (MainRecovery.cpp): an entry a crashed run left is offered (恢复,
    // 另存为文件, 放弃), then the journal is kept for this run.
    void StartRecoveryJournal();
    void OfferRecovery(const JournalEntry& entry);
    bool ShowJournaledNote(const JournalEntry& entry);
    bool FileJournaledNoteAnew(const JournalEntry& entry);
    bool SaveJournaledText(const JournalEntry& entry);
    // The automatic backups (MainBackup.cpp).
    void StartAutoBackup();
    void FinishAutoBackup();
    void SayBackupFailure(const QString& problem);
    bool OfferNewestBackup(const QString& path, const QString& problem);
    void ShowCurrentCategory();
    void RegisterHotKey();
    void ApplyTooltipLook();
    void applyEditorLook();
    QFont editorFont() const;

    // The frame (MainActions.cpp, MainMenus.cpp, MainLayout.cpp).
    void buildActions();
    // Runs `command` when `action` is triggered, inside the window's command boundary (runCommand);
    // `context` ends the connection with its life.
    void onCommand(QAction* action, QObject* context, std::function<void()> command);
    void buildMenus();
    void buildToolBar();
    void buildCentre();
    void buildStatusBar();
    // The editor pane and its tools (MainEditor.cpp).
    void buildEditorPane();
    void installMenuBars(QMenuBar* mainMenu);
    void addMainCommandsToEditorMenuBar(QMenuBar* bar);
    void btn10Click();
    void LoadEditorOptions();

    // Commands.
    void cbb1Change(int index);
    void ChkBoxClick(bool checked);
    void mmo1MouseMove();
    void mmo1StatusChange();
    void actEditFontExecute();
    void actEditBKColorExecute();
    void actNowlineFontColorExecute();
    void actNowlineBkColorExecute();
    void reportError(const QString& text);
    void N89Click();

    Services services_;
    SettingsStore settings_;
    MainActions actions_;
    std::unique_ptr<DataFileLock> dataLock_; // before the data file: released after it closes
    std::unique_ptr<DataFile> dataFile_;
    QString dataFileProblem_; // why the data file found at start could not be opened
    Notebook* notebook_ = nullptr;
    StoreWindows* storeWindows_ = nullptr;
    FileCommands* fileCommands_ = nullptr;
    RecoveryJournalKeeper* journal_ = nullptr;
    AutoBackup* backup_ = nullptr;
    bool backupOffered_ = false; // a copy in place of a damaged data file is offered once
    EditorPane* pane_ = nullptr;
    QStackedLayout* menuBars_ = nullptr;

    QToolBar* toolBar1_ = nullptr;
    QCheckBox* chkBox_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTabWidget* pageControl1_ = nullptr;
    CategorySelector* cbb1_ = nullptr;
    QLabel* panels_[kStatusPanels] = {};
    QMenu* skinMenu_ = nullptr;

    GlobalHotKey* hotKey_ = nullptr;
    std::function<bool()> closeMinimises_;

    bool firstRun_ = false;
    bool dataFileReadOnly_ = false;
    bool dataFileHeldElsewhere_ = false;
    bool ending_ = false;
    bool restoreMaximized_ = true; // the window opens maximised
    bool awayByProgram_ = false;   // put away by the program, not yet back
    QString startupCategory_;
    // The editor's look as stored: the font name the user chose (drawn with the nearest installed
    // face) and colours as $00BBGGRR values (the tooltip colour as its system-colour code).
    Settings look_;
    // Bold, italic and underline of the editor font: chosen in the font dialog, kept for the
    // session only (the settings file stores name, size and colour).
    bool fontBold_ = false;
    bool fontItalic_ = false;
    bool fontUnderline_ = false;
};

} // namespace qj
