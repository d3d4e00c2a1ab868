#include "calendar/ui/ReminderStore.h"

#include "calendar/core/ReminderFile.h"
#include "common/DurableFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace qj {

namespace {
constexpr qint64 kLargestFile = 1 << 20;
}

void ReminderStore::load(const QString& folder) {
    path_ = folder.isEmpty() ? QString() : QDir(folder).filePath(QString::fromLatin1(kReminderFileName));
    reminders_.clear();
    loadError_.clear();
    QFile file(path_);
    if (path_.isEmpty() || !file.exists())
        return;
    if (file.size() > kLargestFile) {
        loadError_ = QStringLiteral("纪念日文件太大（超过 1 MB）");
    } else if (!file.open(QIODevice::ReadOnly)) {
        loadError_ = QStringLiteral("读不到纪念日文件：") + file.errorString();
    } else {
        const QByteArray bytes = file.readAll();
        const ReminderFile parsed =
            ParseReminderFile(std::string_view(bytes.constData(), size_t(bytes.size())));
        loadError_ = QString::fromStdString(parsed.error);
        reminders_ = parsed.reminders;
    }
    if (!loadError_.isEmpty())
        loadError_ = QStringLiteral("纪念日文件 %1 有误，未采用，也不会被改写：%2").arg(path_, loadError_);
}

QString ReminderStore::save(const std::vector<Reminder>& reminders) {
    if (!writable())
        return loadError_.isEmpty() ? QStringLiteral("没有数据文件夹，纪念日无处保存") : loadError_;
    const int error = WriteFileDurably(path_.toStdString(), FormatReminderFile(reminders));
    if (error != 0)
        return QStringLiteral("纪念日文件 %1 写不进去：%2")
            .arg(path_, QString::fromStdString(FileErrorText(error)));
    reminders_ = reminders;
    return {};
}

std::string ReminderStore::newId() const {
    // From the clock, so that a reminder added after another was deleted never takes its id (and
    // with it the UIDs of its exported events).
    for (qint64 n = QDateTime::currentMSecsSinceEpoch();; ++n) {
        const std::string id = "r" + QString::number(n, 36).toStdString();
        bool used = false;
        for (const Reminder& r : reminders_)
            used |= r.id == id;
        if (!used)
            return id;
    }
}

} // namespace qj
