#include "app/AutoBackup.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <memory>

namespace qj {

AutoBackup::AutoBackup(QString dataFilePath, std::function<QDate()> today,
                       std::function<void(const QString&)> failed, QObject* parent)
    : QObject(parent), path_(std::move(dataFilePath)), today_(std::move(today)), failed_(std::move(failed)) {}

AutoBackup::~AutoBackup() {
    if (thread_) {
        thread_->wait();
        delete thread_;
    }
}

void AutoBackup::startDaily(int delayMs) {
    QTimer::singleShot(delayMs, this, [this] {
        if (!ended_)
            copy(BackupWhen::OncePerDay);
    });
}

void AutoBackup::finishAtExit() {
    ended_ = true;
    waitForCopy();
    copy(BackupWhen::WhenChanged);
    waitForCopy();
}

void AutoBackup::copy(BackupWhen when) {
    if (thread_)
        return;
    auto result = std::make_shared<DailyBackupResult>();
    thread_ = QThread::create(
        [path = path_, day = today_(), when, result] { *result = RunDailyBackup(path, day, when); });
    connect(thread_, &QThread::finished, this, [this, result] {
        thread_->deleteLater();
        thread_ = nullptr;
        if (result->outcome == DailyBackupResult::Outcome::Failed && failed_)
            failed_(result->problem);
        emit copied(*result);
    });
    thread_->start(QThread::LowPriority);
}

// The thread's end comes through the event loop, so the window is drawn meanwhile.
void AutoBackup::waitForCopy() {
    if (!thread_)
        return;
    QEventLoop loop;
    connect(this, &AutoBackup::copied, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace qj
