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

enum class Opened { Yes, Missing, NoOpener };

Opened Open(const Services& services, const QString& path) {
    if (!QFileInfo(path).isFile())
        return Opened::Missing;
    const bool started = IsProgramFile(path) ? services.launcher.startProgram(path, {}, {})
                                             : services.launcher.openDocument(path);
    return started ? Opened::Yes : Opened::NoOpener;
}

} // namespace

QString NoOpenerText(const QString& path) {
    return QDir::toNativeSeparators(path) +
           QStringLiteral(
               "\r\r\n没有能打开这个文件的程序：请为这种文件设置默认程序（或安装 xdg-utils）后再试。");
}

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
    const Opened opened = Open(services, path);
    busy.release();
    if (opened == Opened::Missing)
        ErrorBox(services.dialogs, parent, MissingDocumentText(path));
    else if (opened == Opened::NoOpener)
        ErrorBox(services.dialogs, parent, NoOpenerText(path));
}

void OpenHelpFile(const Services& services, QWidget* parent) {
    BusyPointer busy;
    const QString path = services.folder.findFile(QString::fromLatin1(kHelpFile));
    const Opened opened = Open(services, path);
    busy.release();
    if (opened == Opened::Missing)
        InformationBox(services.dialogs, parent, MissingHelpText());
    else if (opened == Opened::NoOpener)
        ErrorBox(services.dialogs, parent, NoOpenerText(path));
}

} // namespace qj
