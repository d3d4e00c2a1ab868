#pragma once
// The daily checked backup of the data file beside the running program: the day's first copy made on
// a thread of its own a while after start, and at 退出系统 the day's copy made again when the data
// file changed after it. The window keeps being drawn while a copy is made; a failure is handed to
// the window to say.

#include "store/CheckedBackup.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <functional>

class QThread;

namespace qj {

class AutoBackup : public QObject {
    Q_OBJECT
public:
    // `today` gives the copy's day; `failed` is called on the interface thread with the reason.
    AutoBackup(QString dataFilePath, std::function<QDate()> today, std::function<void(const QString&)> failed,
               QObject* parent = nullptr);
    ~AutoBackup() override; // waits for a copy under way

    // The day's first copy, `delayMs` from now (start-up is left alone meanwhile).
    void startDaily(int delayMs);
    // Waits for a copy under way, then copies again when the data file changed after the day's
    // copy (or there is none); returns when done. Input to the windows waits meanwhile.
    void finishAtExit();
    bool isCopying() const { return thread_ != nullptr; }

signals:
    // A copy ended (made, already there or failed).
    void copied(const qj::DailyBackupResult& result);

private:
    void copy(BackupWhen when);
    void waitForCopy();

    QString path_;
    std::function<QDate()> today_;
    std::function<void(const QString&)> failed_;
    QThread* thread_ = nullptr;
    bool ended_ = false; // finishAtExit ran: a pending start copy does not begin
};

} // namespace qj
