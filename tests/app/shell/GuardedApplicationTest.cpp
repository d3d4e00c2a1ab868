#include "app/shell/GuardedApplication.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace qj {
namespace {

class Thrower : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("record write refused");
        return QObject::event(e);
    }
};

GuardedApplication& App() {
    return *static_cast<GuardedApplication*>(QCoreApplication::instance());
}

TEST(GuardedApplication, ErrorsFromEventHandlersReachTheReporterAndTheLoopGoesOn) {
    QStringList reported;
    App().setErrorReporter([&](const QString& text) { reported << text; });

    Thrower thrower;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &event));

    // A slot run by a timer, as a button's command would run, throwing something that is no
    // std::exception.
    QTimer::singleShot(0, [] { throw 42; });
    // And a later, healthy event still runs.
    bool later = false;
    QTimer::singleShot(5, [&] { later = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return later; }, 2000));

    EXPECT_EQ(reported,
              (QStringList{QStringLiteral("record write refused"), QStringLiteral("Unknown error")}));
    App().setErrorReporter({});
}

TEST(GuardedApplication, AnErrorWhileReportingDoesNotRecurse) {
    int calls = 0;
    App().setErrorReporter([&](const QString&) {
        ++calls;
        // The error box's own event loop meets another failing handler.
        Thrower inner;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&inner, &event);
    });
    Thrower thrower;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&thrower, &event);
    EXPECT_EQ(calls, 1);
    App().setErrorReporter({});
}

// Ends the event loop the way the program's loop ends and reports how: 0 when the signal ended
// it, 7 when it ran on. Runs in a child process, as ending the loop is for good.
[[noreturn]] void RunLoopAndRaise(int sig) {
    QEventLoop loop;
    QTimer::singleShot(0, [sig] { std::raise(sig); });
    QTimer::singleShot(3000, &loop, [&loop] { loop.exit(7); });
    std::_Exit(loop.exec());
}

// A signal while a start-up message box runs its own loop: the box's loop ends, and so does the
// program's loop that starts after it (0), instead of running on (7).
[[noreturn]] void RaiseInABoxBeforeTheProgramLoop(int sig) {
    {
        QEventLoop box;
        QTimer::singleShot(0, [sig] { std::raise(sig); });
        QTimer::singleShot(3000, &box, [&box] { box.exit(5); });
        if (box.exec() != 0)
            std::_Exit(5);
    }
    QTimer::singleShot(3000, [] { QCoreApplication::exit(7); });
    std::_Exit(App().run());
}

TEST(GuardedApplication, TerminationDuringAStartUpBoxEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int sig : {SIGTERM, SIGHUP})
        EXPECT_EXIT(RaiseInABoxBeforeTheProgramLoop(sig), ::testing::ExitedWithCode(0), "") << "signal " << sig;
}

TEST(GuardedApplication, TerminationSignalsEndTheEventLoopInOrder) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        EXPECT_EXIT(RunLoopAndRaise(sig), ::testing::ExitedWithCode(0), "") << "signal " << sig;
}

} // namespace
} // namespace qj
