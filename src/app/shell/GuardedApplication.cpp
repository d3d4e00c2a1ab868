#include "app/shell/GuardedApplication.h"

#include "shell/ErrorHandler.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace qj {

namespace {

#ifdef Q_OS_UNIX
// A signal handler may do almost nothing: it writes one byte that the event loop then reads.
int g_signalPipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}
#endif

} // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {
    watchTerminationSignals();
}

void GuardedApplication::watchTerminationSignals() {
#ifdef Q_OS_UNIX
    if (g_signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        [[maybe_unused]] const ssize_t got = ::read(g_signalPipe[1], bytes, sizeof bytes);
        // Remembered for run(): a signal that arrives while a start-up message box runs its own
        // loop ends only that loop.
        terminationRequested_ = true;
        // exit, not quit: quit first asks every window to close, which the main window refuses.
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
#endif
}

int GuardedApplication::run() {
    return terminationRequested_ ? 0 : exec();
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        report(QString::fromUtf8(error.what()));
    } catch (...) {
        report(QStringLiteral("Unknown error"));
    }
    return false;
}

void GuardedApplication::report(const QString& text) {
    // An error box runs its own event loop; an error inside it must not open boxes without end.
    if (reporting_ || !reporter_) {
        qWarning("%s", qPrintable(ErrorTextWithFullStop(text)));
        return;
    }
    reporting_ = true;
    try {
        reporter_(text);
    } catch (...) {
        qWarning("%s", qPrintable(ErrorTextWithFullStop(text)));
    }
    reporting_ = false;
}

} // namespace qj
