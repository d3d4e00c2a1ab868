#include "app/Lymain.h"

#include "app/AutoBackup.h"
#include "app/CategorySelector.h"
#include "app/FileCommands.h"
#include "app/JetOffer.h"
#include "app/StoreWindows.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/NoteTreeWidget.h"
#include "app/notebook/Notebook.h"
#include "app/notebook/NotebookTexts.h"
#include "app/notebook/RecoveryJournalKeeper.h"
#include "app/shell/SingleInstance.h"
#include "editor/ColumnWrap.h"
#include "editor/EditorText.h"
#include "platform/GlobalHotKey.h"
#include "seams/StandardBoxes.h"
#include "shell/AppTitle.h"
#include "shell/ErrorHandler.h"
#include "shell/FileVersion.h"
#include "store/DataFile.h"
#include "store/DataFileLock.h"
#include "store/DefaultCategory.h"
#include "store/StoreError.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHideEvent>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindowStateChangeEvent>

namespace qj {

namespace {

QString WindowCaption(bool readOnly) {
    const QString title = QString::fromUtf8(kAppTitle);
    return readOnly ? title + QStringLiteral(" [只读]") : title;
}

// What keeps the data file from being written, in the user's words; empty when nothing does.
QString WriteBarrierText(DataFile::WriteBarrier barrier) {
    switch (barrier) {
    case DataFile::WriteBarrier::None:
        return QString();
    case DataFile::WriteBarrier::OpenedReadOnly:
    case DataFile::WriteBarrier::FileWriteProtected:
        return QStringLiteral("数据文件 %1 不允许写入").arg(QString::fromUtf8(kDataFileName));
    case DataFile::WriteBarrier::FolderWriteProtected:
        return QStringLiteral("数据文件所在的文件夹不允许写入");
    }
    return QString();
}

} // namespace

QString TFmain::DataFileHeldElsewhereText(const QString& path) {
    return QStringLiteral("数据文件 %1 正被另一个运行中的青简札记使用，本程序不再打开它。\n"
                          "请到那一个青简札记中继续工作（托盘图标或 Ctrl+Alt+A）。")
        .arg(QDir::toNativeSeparators(path));
}

TFmain::TFmain(const Services& services, QWidget* parent)
    : QMainWindow(parent), services_(services), settings_(SettingsStore::InFolder(services.folder.path())) {
    setObjectName(QStringLiteral("Fmain"));
    // Design size, centred; the program opens maximized, and this is the size it restores to.
    resize(777, 562);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    notebook_ = new Notebook(services_.dialogs, this, this);
    notebook_->setReopenHandler([this] { ReopenReplacedDataFile(); });
    buildActions();
    buildEditorPane();
    buildMenus();
    buildToolBar();
    buildCentre();
    buildStatusBar();
    notebook_->bindActions(actions_.save, actions_.addSibling, actions_.addChild, actions_.deleteNote);
    Notebook* notebook = notebook_;
    onCommand(actions_.addSibling, notebook, [notebook] { notebook->addSibling(); });
    onCommand(actions_.addChild, notebook, [notebook] { notebook->addChild(); });
    onCommand(actions_.deleteNote, notebook, [notebook] { notebook->deleteSelected(); });
    onCommand(actions_.save, notebook, [notebook] { notebook->save(); });
    storeWindows_ = new StoreWindows(*this, services_);
    StoreWindows* windows = storeWindows_;
    onCommand(actions_.findAll, windows, [windows] { windows->openSearch(); });
    onCommand(actions_.categoryManager, windows, [windows] { windows->openCategoryManager(); });
    onCommand(actions_.history, windows, [windows] { windows->openHistory(); });
    onCommand(actions_.trash, windows, [windows] { windows->openTrash(); });
    fileCommands_ = new FileCommands(*this, services_);
    FileCommands* files = fileCommands_;
    onCommand(actions_.backup, files, [files] { files->actBackupExecute(); });
    onCommand(actions_.inputFiles, files, [files] { files->actInputFilesExecute(); });
    onCommand(actions_.outputTxt, files, [files] { files->actOutputFilesTxtExecute(); });
    onCommand(actions_.outputHtml, files, [files] { files->actOutputFilesHtmlExecute(); });
    FormCreate();
    StartRecoveryJournal();
    StartAutoBackup();
}

// The notebook goes first: its category table refers to the data file.
TFmain::~TFmain() {
    delete journal_; // carries out its last request; it follows the notebook
    journal_ = nullptr;
    delete backup_; // waits for a copy under way
    backup_ = nullptr;
    delete notebook_;
    notebook_ = nullptr;
}

void TFmain::FormCreate() {
    // A file that cannot be written is shown as it is: nothing is created in it.
    if (OpenDataFile() && !dataFileReadOnly_)
        CheckDefaultCategory();
    LoadSettings();
    LoadSkinChoice();
    if (dataFile_) {
        if (firstRun_)
            runCommand([this] {
                // The guide of the data folder, else the one installed with the program.
                const QString guide = services_.folder.findFile(QString::fromUtf8(kGuideFileName));
                CreateHelpCategory(*dataFile_, QFileInfo(guide).path());
            });
        FillCategorySelector();
        if (cbb1_->count() > 0)
            SelectStartupCategory();
        else if (!dataFileReadOnly_)
            CreateCategory();
    }
    setStatusText(kVersionPanel, VersionPanelText());
    ShowCurrentCategory();
    RegisterHotKey();
    ApplyTooltipLook();
    setWindowTitle(WindowCaption(dataFileReadOnly_));
}

// Opens dataly.dat of the program folder. Without it the window opens with no category.
bool TFmain::OpenDataFile() {
    const QString path = services_.folder.filePath(QString::fromUtf8(kDataFileName));
    // A data file another running copy holds is left to it, whatever the environment.
    if (QFileInfo::exists(path) && !dataLock_) {
        dataLock_ = std::make_unique<DataFileLock>(path);
        if (dataLock_->state() == DataFileLock::State::HeldElsewhere) {
            dataFileHeldElsewhere_ = true;
            ErrorBox(services_.dialogs, this, DataFileHeldElsewhereText(path));
            actions_.newCategory->setEnabled(false);
            return false;
        }
    }
    // A notebook still kept as a Jet file is converted first when the user agrees; declined, the
    // file stays as it is and cannot be opened.
    const JetOffer offer = OfferJetConversion(services_.dialogs, this, path);
    if (offer == JetOffer::Declined)
        reportError(
            QStringLiteral("数据文件 %1 是旧的 Jet 数据库文件，没有转换，保持原样；不转换就不能打开它。")
                .arg(QDir::toNativeSeparators(path)));
    if (offer == JetOffer::Failed || offer == JetOffer::Declined) {
        actions_.newCategory->setEnabled(false);
        return false;
    }
    try {
        dataFile_ = std::make_unique<DataFile>(path);
        dataFile_->setClock([this] { return services_.clock.now(); });
        const QString why = WriteBarrierText(dataFile_->writeBarrier());
        if (!why.isEmpty())
            ShowDataFileReadOnly(why);
        // Triggers and views of a file made elsewhere never run; the user learns they are there.
        runCommand([this] {
            const QString foreign = ForeignSqlText(*dataFile_);
            if (!foreign.isEmpty())
                InformationBox(services_.dialogs, this, foreign);
        });
        return true;
    } catch (const DataFileMissing&) {
        ErrorBox(services_.dialogs, this, QStringLiteral("Not find data file !!!"));
    } catch (const StoreError& e) {
        // Not a data file of ours (or damaged): the newest checked backup is offered in its place;
        // declined, the file is left as it is.
        if (!backupOffered_ && OfferNewestBackup(path, e.text())) {
            backupOffered_ = true;
            return OpenDataFile();
        }
        dataFileProblem_ = e.text();
        reportError(e.text());
    }
    actions_.newCategory->setEnabled(false);
    return false;
}

// A sync tool (or another program) put a new file where the data file was while it was open, and
// the user chose to open the file on disk. The editor keeps its text and the edited note, so the
// text can be saved into the new file; the category shown stays when the new file has it.
void TFmain::ReopenReplacedDataFile() {
    const QString path = services_.folder.filePath(QString::fromUtf8(kDataFileName));
    std::unique_ptr<DataFile> fresh;
    try {
        fresh = std::make_unique<DataFile>(path);
    } catch (const StoreError& e) {
        reportError(e.text());
        return;
    }
    const QString shown = notebook_->categoryName();
    // The notebook leaves the old file before it is closed: its category table refers to it.
    QString problem;
    try {
        notebook_->reopenDataFile(*fresh);
    } catch (const StoreError& e) {
        problem = e.text();
    }
    dataFile_ = std::move(fresh);
    dataFile_->setClock([this] { return services_.clock.now(); });
    FillCategorySelector();
    cbb1_->selectName(shown);
    EnableNoteCommands(notebook_->hasCategory());
    const QString why = WriteBarrierText(dataFile_->writeBarrier());
    if (!why.isEmpty() && !dataFileReadOnly_)
        ShowDataFileReadOnly(why);
    if (!problem.isEmpty())
        reportError(problem);
}

void TFmain::ReportNoDataFile() {
    if (dataFileProblem_.isEmpty())
        ErrorBox(services_.dialogs, this, QStringLiteral("Not find data file !!!"));
    else
        reportError(dataFileProblem_);
}

// A data file without the category "帮助" is a first run: "帮助" opens at start.
void TFmain::CheckDefaultCategory() {
    runCommand([this] {
        firstRun_ = IsFirstRun(*dataFile_);
        if (firstRun_)
            settings_.saveStartupCategory(QString::fromUtf8(kHelpCategory));
    });
}

void TFmain::FillCategorySelector() {
    QStringList names;
    if (dataFile_)
        runCommand([&] { names = dataFile_->Categories(); });
    cbb1_->setNames(names);
}

// The start-up category, or the first listed one when it no longer exists.
void TFmain::SelectStartupCategory() {
    if (!cbb1_->selectName(startupCategory_))
        cbb1_->selectName(cbb1_->itemText(0));
}

// Opens the category selected in the selector: its tree collapsed, its first note selected and its
// text in the editor and its title in the title bar, as after picking a category.
void TFmain::ShowCurrentCategory() {
    const QString name = cbb1_->currentText();
    if (!dataFile_ || cbb1_->currentIndex() < 0) {
        notebook_->closeCategory();
        EnableNoteCommands(false);
        return;
    }
    runCommand([&] { notebook_->openCategory(*dataFile_, name); });
    EnableNoteCommands(notebook_->hasCategory());
}

void TFmain::ShowDataFileReadOnly(const QString& why) {
    dataFileReadOnly_ = true;
    setWindowTitle(WindowCaption(true));
    // Short beside the clock; the reason in full as its tooltip.
    auto* note = new QLabel(QStringLiteral("只读：数据不能修改"), statusBar());
    note->setToolTip(QStringLiteral("%1，修改无法保存").arg(why));
    note->setObjectName(QStringLiteral("ReadOnlyNote"));
    note->setFrameShape(QFrame::StyledPanel);
    note->setFrameShadow(QFrame::Sunken);
    statusBar()->insertWidget(0, note);
    notebook_->setWriteProtected(true);
    actions_.newCategory->setEnabled(false);
    EnableNoteCommands(notebook_->hasCategory());
}

void TFmain::CreateCategory() {
    if (dataFileReadOnly_) {
        reportError(WriteProtectedText());
        return;
    }
    InputRequest request;
    request.caption = QStringLiteral("新建目录分类");
    request.prompt = QStringLiteral("输入你要建立的目录分类名字");
    request.text = QStringLiteral("目录分类名");
    const std::optional<QString> typed = services_.dialogs.inputText(this, request);
    if (!typed)
        return; // the note shown stays shown, and so does its title
    if (!dataFile_) {
        ReportNoDataFile();
        return;
    }
    const QString name = *typed;
    runCommand([&] {
        if (qj::CreateCategory(*dataFile_, name) == CreateCategoryResult::AlreadyExists) {
            MessageBox(services_.dialogs, this, QStringLiteral("提示"),
                       QStringLiteral("当前要建立的目录分类名已存在！"), MessageIcon::Information);
            return;
        }
        // The new category replaces the editor's text: an unsaved text is asked about first, and
        // a text that could not be saved stays where it is.
        if (!notebook_->askSaveIfDirty()) {
            FillCategorySelector();
            cbb1_->selectName(notebook_->categoryName());
            return;
        }
        notebook_->closeCategory();
        notebook_->openCategory(*dataFile_, name);
        settings_.saveStartupCategory(name);
        EnableNoteCommands(true);
        emit categoryCreated(name);
        FillCategorySelector();
        cbb1_->selectName(name);
    });
}

// The user picked a category in the selector: it becomes the current one (the start-up category
// is not changed). The editor, the title bar and an unsaved text stay as they are: the text is
// asked about when another note is pressed, and a save writes it into its own note.
void TFmain::cbb1Change(int index) {
    const QString name = cbb1_->itemText(index);
    if (!dataFile_ || (notebook_->hasCategory() && name == notebook_->categoryName()))
        return;
    runCommand([&] { notebook_->switchCategory(*dataFile_, name); });
    EnableNoteCommands(notebook_->hasCategory());
}

void TFmain::EnableNoteCommands(bool enabled) {
    for (QAction* a : {actions_.addSibling, actions_.addChild, actions_.deleteNote, actions_.inputFiles})
        a->setEnabled(enabled && !dataFileReadOnly_);
    actions_.outputTxt->setEnabled(enabled);
    notebook_->tree()->setEnabled(enabled);
}

// Ctrl+Alt+A hides and shows the program. A key another program holds, or a desktop without
// global keys, leaves the program without it, quietly.
void TFmain::RegisterHotKey() {
    hotKey_ = new GlobalHotKey(this);
    hotKey_->setObjectName(QStringLiteral("hotKey"));
    hotKey_->registerKey(this);
}

// Back in the state it was put away from: a window that was maximised comes back maximised, also
// where the desktop forgot it while the window was minimised.
// A window manager may drop a maximise asked for while the window is iconified (openbox does): the
// window is shown first and maximised once it is back on the screen.
void TFmain::bringToFront() {
    const bool away = isHidden() || isMinimized();
    awayByProgram_ = false;
    if (away)
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    RestoreAndActivate(this);
    if (away && restoreMaximized_)
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && !isMinimized())
                showMaximized();
        });
}

// Hidden where a tray icon brings the window back; minimised (with its taskbar entry) where there
// is none, so that the window can always be found again.
void TFmain::putAway(Away how) {
    if (!isMinimized())
        restoreMaximized_ = isMaximized();
    // The window manager's own steps while it takes the window away (openbox reports it normal
    // before it reports it minimised) do not change the state it comes back in.
    awayByProgram_ = true;
    if (how == Away::AsTheDesktopAllows && closeMinimises_ && closeMinimises_())
        showMinimized();
    else
        hide();
}

void TFmain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (!awayByProgram_ && (windowState() & Qt::WindowMinimized) &&
            !(change->oldState() & Qt::WindowMinimized))
            restoreMaximized_ = (change->oldState() & Qt::WindowMaximized) != 0;
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        awayByProgram_ = false; // back, by the program or by the user
    } else if (event->type() == QEvent::ActivationChange && journal_) {
        journal_->flush(); // the user went elsewhere: what was typed goes to the journal now
    }
    QMainWindow::changeEvent(event);
}

void TFmain::hideEvent(QHideEvent* event) {
    if (journal_)
        journal_->flush();
    QMainWindow::hideEvent(event);
}

void TFmain::actHideMainWExecute() {
    putAway();
}

// "退出系统": an unsaved note text is asked about (Yes saves it, No drops it, Cancel keeps the
// program running), the display settings are written, and the program ends. A save that fails
// keeps the program running with the text.
void TFmain::actExitExecute() {
    if (!notebook_->askSaveIfDirty(/*offerCancel=*/true))
        return;
    SaveSettings();
    FinishAutoBackup();
    ending_ = true;
    emit ending();
    close();
}

// Closing the window only hides it (minimises it where there is no tray to come back from); the
// program goes on until "退出系统".
void TFmain::closeEvent(QCloseEvent* event) {
    if (ending_) {
        event->accept();
        return;
    }
    event->ignore();
    putAway();
}

void TFmain::runCommand(const std::function<void()>& command) {
    RunCommand(services_.dialogs, this, command);
}

void TFmain::reportError(const QString& text) {
    ShowGeneralError(services_.dialogs, this, text);
}

} // namespace qj
