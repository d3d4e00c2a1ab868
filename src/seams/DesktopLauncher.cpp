#include "seams/Launcher.h"

#include <QDesktopServices>
#include <QProcess>

namespace qj {

bool DesktopLauncher::openDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopLauncher::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool DesktopLauncher::startProgram(const QString& program, const QStringList& arguments,
                                   const QString& workingFolder) {
    return QProcess::startDetached(program, arguments, workingFolder);
}

bool DesktopLauncher::runCommandLine(const QString& commandLine) {
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty())
        return false;
    const QString program = parts.takeFirst();
    return QProcess::startDetached(program, parts);
}

bool DesktopLauncher::runToEnd(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(5000) || !process.waitForFinished(30000))
        return false;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace qj
