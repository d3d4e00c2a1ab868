#pragma once
// Runs the built desktop program as a user would: from a copy in a program folder of its own,
// offscreen, with the single-instance socket in a private runtime folder so that test runs never
// meet each other or a copy the developer has open.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace qj::test {

// The program as the build made it.
QString BuiltProgramPath();

// Copies the program file into `folder` and returns the copy's path (empty on failure).
QString InstallProgramCopy(const QString& folder);

// The environment of a test run: offscreen, start-up reported on standard output, the given
// runtime folder for the single-instance socket.
QProcessEnvironment ProgramEnvironment(const QString& runtimeFolder);

class ProgramRun {
public:
    ProgramRun(const QString& program, const QProcessEnvironment& environment,
               const QStringList& arguments = {});
    ~ProgramRun(); // ends the program if it still runs

    // Waits until the program reports its main window shown; false when it ended or the time ran out.
    bool waitShown(int timeoutMs = 20000);
    // Waits until the program has ended by itself.
    bool waitEnded(int timeoutMs);
    bool running() const { return process_->state() != QProcess::NotRunning; }
    int exitCode() const { return process_->exitCode(); }
    QProcess::ExitStatus exitStatus() const { return process_->exitStatus(); }
    QByteArray output() const { return output_; }
    QByteArray errors() const { return errors_; }

    // Ends the program as the system does at shutdown (terminate, then kill if it lingers).
    void end();
    // Kills it outright, as a crash would.
    void crash();

private:
    void collect();
    std::unique_ptr<QProcess> process_;
    QByteArray output_;
    QByteArray errors_;
};

} // namespace qj::test
