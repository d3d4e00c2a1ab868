#pragma once
// The general error handler: an unexpected failure (a database, file or conversion error thrown as
// an exception) ends the current command and is shown in one message box — the application title
// as caption, the error icon, OK — and the program goes on.

#include <QApplication>
#include <QString>

#include <exception>
#include <functional>

namespace qj {

class Dialogs;

// The text as the error box shows it: a full stop '.' is appended when the text's last character
// comes after '.' in code order (a letter, a digit, '/', a Chinese character...). A text that is
// empty or ends in '.', '!', ')', a blank or another character before '.' is left as it is.
QString ErrorTextWithFullStop(const QString& text);

// Show `text` in the general error box (caption "青简札记", error icon, OK).
void ShowGeneralError(Dialogs& dialogs, QWidget* parent, const QString& text);
// The same for an exception: its what() is taken as UTF-8.
void ShowGeneralError(Dialogs& dialogs, QWidget* parent, const std::exception& error);

// The application object of the program: an exception that escapes an event handler (a slot run
// by a button, a menu, a timer) is caught here and handed to the error reporter instead of ending
// the process; the event loop goes on.
//
// It also ends its event loop when the system asks the process to end (SIGTERM at the end of a
// session or from `kill`, SIGINT, SIGHUP), so that exec() returns and the windows and the data
// file are closed in order. Nothing is saved on that path: the settings stay as they were.
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

private:
    void report(const QString& text);
    void watchTerminationSignals();
    ErrorReporter reporter_;
    bool reporting_ = false;
};

} // namespace qj
