// The main window's automatic backups: the day's checked copy beside the running program, a failure
// told once a day, and the newest checked copy offered when the data file cannot be opened.

#include "app/AutoBackup.h"
#include "app/Lymain.h"
#include "seams/StandardBoxes.h"
#include "store/CheckedBackup.h"
#include "store/DataFile.h"

#include <QDir>
#include <QStatusBar>

namespace qj {

namespace {

// The start is left to itself for this long before the day's copy begins.
constexpr int kBackupDelayMs = 20000;

} // namespace

void TFmain::StartAutoBackup() {
    if (!dataFile_)
        return;
    backup_ = new AutoBackup(
        dataFile_->path(), [this] { return services_.clock.now().date(); },
        [this](const QString& problem) { SayBackupFailure(problem); }, this);
    backup_->startDaily(kBackupDelayMs);
}

void TFmain::FinishAutoBackup() {
    if (!backup_)
        return;
    statusBar()->showMessage(QStringLiteral("正在备份数据文件……"));
    backup_->finishAtExit();
    statusBar()->clearMessage();
}

// Told once a day: a disk that stays full is not brought up at every start.
void TFmain::SayBackupFailure(const QString& problem) {
    const QString today = services_.clock.now().date().toString(QStringLiteral("yyyyMMdd"));
    if (settings_.backupFailureSaid() == today)
        return;
    settings_.saveBackupFailureSaid(today);
    MessageBox(services_.dialogs, this, QStringLiteral("提示"),
               QStringLiteral("今天的自动备份没有完成：%1\n\n较早的备份都还在备份文件夹 %2 中。")
                   .arg(problem, QDir::toNativeSeparators(BackupFolderOf(dataFile_->path()))),
               MessageIcon::Warning);
}

// The data file at `path` could not be opened (`problem`): the newest checked copy is offered in
// its place, the damaged file kept beside it. True when the copy now is the data file.
bool TFmain::OfferNewestBackup(const QString& path, const QString& problem) {
    const CheckedCopy copy = NewestCheckedBackup(path);
    if (copy.path.isEmpty())
        return false;
    const QString damagedName = QStringLiteral("dataly.damaged-%1.dat")
                                    .arg(services_.clock.now().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    const QString question =
        QStringLiteral("数据文件 %1 无法打开：%2\n\n备份文件夹中有 %3 的已检查备份。要打开这个备份吗？\n"
                       "损坏的数据文件会改名为 %4，留在原处；%3 以后的修改不在备份中。")
            .arg(QDir::toNativeSeparators(path), problem, copy.date.toString(QStringLiteral("yyyy年M月d日")),
                 damagedName);
    if (MessageBox(services_.dialogs, this, QStringLiteral("提示"), question, MessageIcon::Warning,
                   {DialogButton::Yes, DialogButton::No}, DialogButton::Yes) != DialogButton::Yes)
        return false;
    const QString failed = ReplaceDataFileWithCopy(path, copy.path, damagedName);
    if (!failed.isEmpty()) {
        reportError(QStringLiteral("没有打开备份：%1").arg(failed));
        return false;
    }
    return true;
}

} // namespace qj
