// The note store's file commands of the main window: backup, import, export to text and HTML, and
// files dropped onto the editor. The rules live in store/ (Backup, TextFiles); here they meet the
// dialogs, the editor and the data file.

#include "app/FileCommands.h"

#include "app/Lymain.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/Notebook.h"
#include "seams/StandardBoxes.h"
#include "store/Backup.h"
#include "store/DataFile.h"
#include "store/StoreError.h"
#include "store/TextFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QProgressDialog>

namespace qj {

namespace {

const QString kTextFilter = QStringLiteral("*.TXT (*.txt);;*.* (*)");
const QString kHtmlFilter = QStringLiteral("HTML Documents (*.htm *.html)");

// The hourglass while a command works.
struct BusyCursor {
    explicit BusyCursor(Qt::CursorShape shape = Qt::WaitCursor) { QApplication::setOverrideCursor(shape); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

FileCommands::FileCommands(TFmain& main, const Services& services)
    : QObject(&main), main_(main), services_(services) {
    NoteEditor* editor = main_.notebook().editor();
    editor->setAcceptDrops(true);
    editor->viewport()->installEventFilter(this);
}

bool FileCommands::run(const std::function<void()>& command) {
    bool done = false;
    main_.runCommand([&] {
        command();
        done = true;
    });
    return done;
}

void FileCommands::actBackupExecute() {
    DataFile* file = main_.dataFile();
    if (!file) {
        main_.ReportNoDataFile();
        return;
    }
    const QString folder = services_.folder.path();
    const QString base = BackupFolderName(services_.clock.now().date());
    // No write may run while the file is copied; every committed write is in the file itself.
    if (!run([&] { file->Close(); }))
        return;
    // Whatever happens below, the notebook goes on working with its file.
    struct Reopen {
        FileCommands* self;
        DataFile* file;
        ~Reopen() {
            self->run([this] { file->Reopen(); });
        }
    } reopen{this, file};

    const QString name = FreeBackupFolderName(folder, base);
    const QString target = QDir::toNativeSeparators(folder + name);
    if (ConfirmBox(services_.dialogs, &main_,
                   QStringLiteral("确认数据将备份到以下目录: \r\r\n") + target + QStringLiteral(" ?")) !=
        DialogButton::Yes)
        return;
    if (!QDir(folder).mkdir(name)) {
        main_.runCommand([] { throw StoreError(QStringLiteral("不能创建备份目录 !")); });
        return;
    }
    const QString source = folder + QString::fromLatin1(kDataFileName);
    std::optional<QString> second;
    const bool copied = run([&] {
        BusyCursor busy;
        copyWithProgress(source, QDir(folder + name).filePath(QString::fromLatin1(kDataFileName)));
        if (const std::optional<QString> root = SecondBackupRoot()) {
            QDir().mkpath(*root);
            const QString secondFolder = *root + name;
            if (!QDir(*root).mkdir(name))
                throw StoreError(QStringLiteral("不能创建备份目录 !\r\r\n") + secondFolder);
            copyWithProgress(source, QDir(secondFolder).filePath(QString::fromLatin1(kDataFileName)));
            second = QStringLiteral("D:\\Jotterly$$$\\") + name;
        }
    });
    if (!copied) {
        // A failed copy leaves no dated folder that could pass for a backup (only an empty one goes).
        QDir(folder).rmdir(name);
        return;
    }
    QString text =
        QStringLiteral("数据已经分别备份在以下目录中! \r\r\n1. ") + target + QStringLiteral("\r\n");
    if (second)
        text += QStringLiteral("2. ") + *second;
    text += QStringLiteral("\r\r\n若以后需要恢复数据，可以从上面的目录中恢复！");
    InformationBox(services_.dialogs, &main_, text);
}

// A large file shows how far the copy has come.
void FileCommands::copyWithProgress(const QString& source, const QString& destination) {
    std::unique_ptr<QProgressDialog> dialog;
    if (QFileInfo(source).size() > kBackupProgressBytes) {
        dialog = std::make_unique<QProgressDialog>(QStringLiteral("正在备份数据文件…"), QString(), 0, 1000,
                                                   &main_);
        dialog->setObjectName(QStringLiteral("BackupProgress"));
        dialog->setWindowTitle(QStringLiteral("资料备份"));
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(0);
        dialog->setValue(0);
    }
    CopyFileTo(source, destination, [&](qint64 done, qint64 total) {
        if (dialog && total > 0 && (done % (1 << 20) < 8192 || done == total)) {
            dialog->setValue(static_cast<int>(done * 1000 / total));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    });
}

QStringList FileCommands::offerBreakingLongLines(const QStringList& lines) {
    const qsizetype longest = LongestLine(lines);
    if (longest <= kLongestQuickLine)
        return lines;
    const QString question =
        QStringLiteral("文件中有一行长达 %1 个字符，编辑器显示和修改这样长的一行会很慢。\r\r\n"
                       "是否把过长的行在每 %2 个字符处分开？选“否”则按原样读入。")
            .arg(longest)
            .arg(kLongestQuickLine);
    if (MessageBox(services_.dialogs, &main_, QStringLiteral("导入文件"), question, MessageIcon::Question,
                   {DialogButton::Yes, DialogButton::No}, DialogButton::Yes) != DialogButton::Yes)
        return lines;
    return BrokenLongLines(lines);
}

void FileCommands::actInputFilesExecute() {
    Notebook& notebook = main_.notebook();
    if (notebook.hasCategory()) {
        FileRequest request;
        request.filter = kTextFilter;
        if (const std::optional<QString> path = services_.dialogs.openFileName(&main_, request)) {
            run([&] {
                const LoadedText loaded = ReadTextFile(*path);
                lineBreak_ = loaded.style;
                notebook.replaceText(EditorTextOf(offerBreakingLongLines(loaded.lines)));
            });
        }
    }
    notebook.titleBar()->clear();
}

void FileCommands::actOutputFilesTxtExecute() {
    FileRequest request;
    request.filter = kTextFilter;
    request.defaultSuffix = QStringLiteral("txt");
    const std::optional<QString> path = services_.dialogs.saveFileName(&main_, request);
    if (!path)
        return;
    const QString text = main_.notebook().editor()->text();
    run([&] { WriteFileBytes(*path, ExportTextBytes(text, lineBreak_)); });
}

void FileCommands::actOutputFilesHtmlExecute() {
    FileRequest request;
    request.filter = kHtmlFilter;
    const std::optional<QString> chosen = services_.dialogs.saveFileName(&main_, request);
    if (!chosen)
        return;
    const QString text = main_.notebook().editor()->text();
    run([&] { WriteFileBytes(HtmlFileName(*chosen), ExportHtmlBytes(text)); });
}

void FileCommands::dropFiles(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    Notebook& notebook = main_.notebook();
    notebook.setReadOnly(false);
    std::vector<DroppedFile> files;
    // A file that cannot be read ends the drop there; what was read so far is kept.
    for (const QString& path : paths) {
        LoadedText loaded;
        if (!run([&] { loaded = ReadTextFile(path); }))
            break;
        lineBreak_ = loaded.style;
        files.push_back({QDir::toNativeSeparators(path), offerBreakingLongLines(loaded.lines)});
    }
    if (!files.empty())
        notebook.replaceText(TextAfterDrop(notebook.editor()->text(), files));
    QApplication::clipboard()->clear();
}

bool FileCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData()->hasUrls()) {
            QStringList paths;
            for (const QUrl& url : drop->mimeData()->urls())
                if (url.isLocalFile())
                    paths << url.toLocalFile();
            drop->acceptProposedAction();
            dropFiles(paths);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qj
