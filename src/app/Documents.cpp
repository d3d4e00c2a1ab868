#include "app/Documents.h"

#include "app/About.h"
#include "platform/ProgramFile.h"
#include "seams/StandardBoxes.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace qj {

namespace {

constexpr char kHelpFile[] = "guide.chm";

// The busy pointer while a document is handed to the desktop; back to normal before any message.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { release(); }
    void release() {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = true;
};

// True when the file is there (and was handed on).
bool Open(const Services& services, const QString& path) {
    if (!QFileInfo(path).isFile())
        return false;
    if (IsProgramFile(path))
        services.launcher.startProgram(path, {}, {});
    else
        services.launcher.openDocument(path);
    return true;
}

} // namespace

QString MissingDocumentText(const QString& path) {
    return QDir::toNativeSeparators(path) + QStringLiteral("\r\r\n文件未找到 !");
}

QString MissingHelpText() {
    return QStringLiteral("欢迎使用青简札记\r\r\n") + QString::fromUtf8(kContactLine) +
           QStringLiteral("\r\n") + QStringLiteral("使用说明也在目录分类“帮助”的第一条资料里") +
           QStringLiteral("\r\n") + QString::fromUtf8(kProjectLine) +
           QStringLiteral("\r\r\r\n帮助文件未找到 !");
}

void OpenDocumentFile(const Services& services, QWidget* parent, const QString& name) {
    BusyPointer busy;
    const QString path = services.folder.findFile(name);
    if (Open(services, path))
        return;
    busy.release();
    ErrorBox(services.dialogs, parent, MissingDocumentText(path));
}

void OpenHelpFile(const Services& services, QWidget* parent) {
    BusyPointer busy;
    if (Open(services, services.folder.findFile(QString::fromLatin1(kHelpFile))))
        return;
    busy.release();
    InformationBox(services.dialogs, parent, MissingHelpText());
}

} // namespace qj
