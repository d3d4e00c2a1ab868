#include "app/shell/SingleInstance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace qj {
namespace {

// A key of its own per test, so tests never meet a running program or each other.
QString TestKey(const char* name) {
    return QStringLiteral("qj-test-%1-%2")
        .arg(QString::fromLatin1(name))
        .arg(QCoreApplication::applicationPid());
}

TEST(SingleInstance, LaterCopyAsksTheFirstToShowItselfAndGivesWay) {
    SingleInstance first(TestKey("later"));
    ASSERT_TRUE(first.tryBecomePrimary());
    QSignalSpy shows(&first, &SingleInstance::showRequested);

    SingleInstance second(TestKey("later"));
    EXPECT_FALSE(second.tryBecomePrimary());
    EXPECT_TRUE(QTest::qWaitFor([&] { return shows.count() == 1; }, 3000));

    SingleInstance third(TestKey("later"));
    EXPECT_FALSE(third.tryBecomePrimary());
    EXPECT_TRUE(QTest::qWaitFor([&] { return shows.count() == 2; }, 3000));
}

TEST(SingleInstance, LaterCopyWithWindowOptionsAsksForThoseWindowsOnly) {
    SingleInstance first(TestKey("windows"));
    ASSERT_TRUE(first.tryBecomePrimary());
    QSignalSpy shows(&first, &SingleInstance::showRequested);
    QSignalSpy windows(&first, &SingleInstance::windowRequested);

    SingleInstance second(TestKey("windows"));
    EXPECT_FALSE(second.tryBecomePrimary({QStringLiteral("calendar"), QStringLiteral("search")}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return windows.count() == 2; }, 3000));
    EXPECT_EQ(windows.at(0).at(0).toString(), QStringLiteral("calendar"));
    EXPECT_EQ(windows.at(1).at(0).toString(), QStringLiteral("search"));
    EXPECT_EQ(shows.count(), 0);
}

TEST(SingleInstance, CopiesOfOtherProgramsOrKeysDoNotMeet) {
    SingleInstance one(TestKey("one"));
    SingleInstance other(TestKey("other"));
    EXPECT_TRUE(one.tryBecomePrimary());
    EXPECT_TRUE(other.tryBecomePrimary());
    EXPECT_NE(one.serverName(), other.serverName());
}

TEST(SingleInstance, AfterTheFirstCopyEndsTheNextOneStartsNormally) {
    {
        SingleInstance first(TestKey("ended"));
        ASSERT_TRUE(first.tryBecomePrimary());
    }
    SingleInstance next(TestKey("ended"));
    EXPECT_TRUE(next.tryBecomePrimary());
}

TEST(SingleInstance, SocketLeftByACrashedCopyDoesNotBlockStartUp) {
    SingleInstance probe(TestKey("crashed"));
    const QByteArray path = QFile::encodeName(probe.serverName());
    ASSERT_LT(path.size(), static_cast<int>(sizeof(sockaddr_un::sun_path)));

    // A socket bound and never closed properly: nobody listens behind it.
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(probe.serverName()));

    SingleInstance first(TestKey("crashed"));
    EXPECT_TRUE(first.tryBecomePrimary());
    QSignalSpy shows(&first, &SingleInstance::showRequested);
    SingleInstance second(TestKey("crashed"));
    EXPECT_FALSE(second.tryBecomePrimary());
    EXPECT_TRUE(QTest::qWaitFor([&] { return shows.count() == 1; }, 3000));
}

TEST(SingleInstance, RestoreBringsBackMinimisedAndHiddenWindowsInTheirFormerState) {
    QWidget maximised;
    maximised.showMaximized();
    maximised.setWindowState(maximised.windowState() | Qt::WindowMinimized);
    RestoreAndActivate(&maximised);
    EXPECT_TRUE(maximised.isVisible());
    EXPECT_FALSE(maximised.isMinimized());
    EXPECT_TRUE(maximised.isMaximized());

    QWidget hidden;
    hidden.resize(300, 200);
    hidden.show();
    hidden.hide();
    RestoreAndActivate(&hidden);
    EXPECT_TRUE(hidden.isVisible());
    EXPECT_FALSE(hidden.isMaximized());
    EXPECT_EQ(hidden.size(), QSize(300, 200));
}

} // namespace
} // namespace qj
