#pragma once
// The program's application object.

#include <QApplication>
#include <QString>

#include <functional>

namespace qj {

// The application object of the program: an exception that escapes an event handler (a slot run
// by a button, a menu, a timer) is caught here and handed to the error reporter instead of ending
// the process; the event loop goes on.
//
// It also ends its event loop when the system asks the process to end (SIGTERM at the end of a
// session or from `kill`, SIGINT, SIGHUP), so that exec() returns and the windows and the data
// file are closed in order. Nothing is saved on that path: the settings stay as they were. Run
// the program's loop with run(), which also honours a request that came before it started.
//
//     qj::GuardedApplication app(argc, argv);
//     ... after the main window exists:
//     app.setErrorReporter([&](const QString& text) { qj::ShowGeneralError(dialogs, &w, text); });
class GuardedApplication : public QApplication {
    Q_OBJECT
public:
    using ErrorReporter = std::function<void(const QString& text)>;

    GuardedApplication(int& argc, char** argv);

    // Without a reporter, caught errors are written to the log with qWarning.
    void setErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

    bool notify(QObject* receiver, QEvent* event) override;

    // The program's event loop (exec()), unless the system already asked the process to end
    // while an earlier loop ran (a message box during start-up): then 0 at once.
    int run();

private:
    void report(const QString& text);
    void watchTerminationSignals();
    ErrorReporter reporter_;
    bool reporting_ = false;
    bool terminationRequested_ = false;
};

} // namespace qj
