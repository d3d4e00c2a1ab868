#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace qj::test {

QString BuiltProgramPath() {
    return QString::fromUtf8(QJ_PROGRAM_PATH);
}

QString InstallProgramCopy(const QString& folder) {
    const QString source = BuiltProgramPath();
    const QString target = folder + QLatin1Char('/') + QFileInfo(source).fileName();
    if (!QFile::copy(source, target)) {
        ADD_FAILURE() << "cannot copy " << source.toStdString() << " to " << target.toStdString();
        return {};
    }
    QFile::setPermissions(target, QFile::permissions(source) | QFileDevice::WriteOwner);
    return target;
}

QProcessEnvironment ProgramEnvironment(const QString& runtimeFolder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QJ_REPORT_SHOWN"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    return env;
}

ProgramRun::ProgramRun(const QString& program, const QProcessEnvironment& environment,
                       const QStringList& arguments)
    : process_(std::make_unique<QProcess>()) {
    process_->setProcessEnvironment(environment);
    process_->setWorkingDirectory(QFileInfo(program).absolutePath());
    process_->start(program, arguments);
    if (!process_->waitForStarted(10000))
        ADD_FAILURE() << "cannot start " << program.toStdString() << ": "
                      << process_->errorString().toStdString();
}

ProgramRun::~ProgramRun() {
    if (running())
        end();
}

void ProgramRun::collect() {
    output_ += process_->readAllStandardOutput();
    errors_ += process_->readAllStandardError();
}

bool ProgramRun::waitShown(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        collect();
        if (output_.contains("shown\n"))
            return true;
        if (!running())
            return false;
        process_->waitForReadyRead(50);
    }
    collect();
    return output_.contains("shown\n");
}

bool ProgramRun::waitEnded(int timeoutMs) {
    const bool ended = !running() || process_->waitForFinished(timeoutMs);
    collect();
    return ended;
}

void ProgramRun::end() {
    process_->terminate();
    if (!process_->waitForFinished(5000)) {
        process_->kill();
        process_->waitForFinished(5000);
    }
    collect();
}

void ProgramRun::crash() {
    process_->kill();
    process_->waitForFinished(5000);
    collect();
}

} // namespace qj::test
