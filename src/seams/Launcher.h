#pragma once
// Starting things outside the program: documents with the desktop's default program, programs,
// command lines. The program passes a DesktopLauncher; tests pass the RecordingLauncher of
// tests/support, so a test never opens a document or runs a shutdown.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace qj {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Open a file with the program the desktop associates with it. False when that failed.
    virtual bool openDocument(const QString& path) = 0;
    // Open a web or mail address (http://..., mailto:...) with the desktop's default program.
    virtual bool openUrl(const QUrl& url) = 0;
    // Start a program with arguments, detached. False when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments = {},
                              const QString& workingFolder = {}) = 0;
    // Run a whole command line ("shutdown -h now"), split as a shell would split it, detached.
    virtual bool runCommandLine(const QString& commandLine) = 0;
    // Run a program with arguments and wait until it has ended (half a minute at most). True when
    // it ran and ended with exit code 0; false when it could not start, failed or hung.
    virtual bool runToEnd(const QString& program, const QStringList& arguments) = 0;
};

class DesktopLauncher final : public Launcher {
public:
    bool openDocument(const QString& path) override;
    bool openUrl(const QUrl& url) override;
    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& workingFolder) override;
    bool runCommandLine(const QString& commandLine) override;
    bool runToEnd(const QString& program, const QStringList& arguments) override;
};

} // namespace qj
