#include "app/shell/SingleInstance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <tuple>
#include <vector>

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

// "qingjian --toggle" asks the running copy for what its hot key does, and for nothing else
// unless windows are named too.
TEST(SingleInstance, ALaterCopyWithToggleAsksForTheToggle) {
    SingleInstance first(TestKey("toggle"));
    ASSERT_TRUE(first.tryBecomePrimary());
    QSignalSpy shows(&first, &SingleInstance::showRequested);
    QSignalSpy toggles(&first, &SingleInstance::toggleRequested);
    QSignalSpy windows(&first, &SingleInstance::windowRequested);
    const struct {
        QStringList asked;
        bool toggle;
        int toggles, windows, shows; // counted from the start
    } starts[] = {
        {{}, true, 1, 0, 0},
        {{QStringLiteral("calendar")}, true, 2, 1, 0},
        {{}, false, 2, 1, 1},
    };
    for (const auto& s : starts) {
        SingleInstance later(TestKey("toggle"));
        EXPECT_FALSE(later.tryBecomePrimary(s.asked, s.toggle));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return toggles.count() == s.toggles && windows.count() == s.windows &&
                       shows.count() == s.shows;
            },
            3000))
            << toggles.count() << " " << windows.count() << " " << shows.count();
    }
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

// Sets environment variables for one test and puts them back after it.
class Environment {
public:
    void set(const char* name, const QByteArray& value) {
        saved_.emplace_back(name, qgetenv(name), qEnvironmentVariableIsSet(name));
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            std::get<2>(*it) ? qputenv(std::get<0>(*it), std::get<1>(*it)) : qunsetenv(std::get<0>(*it));
    }

private:
    std::vector<std::tuple<const char*, QByteArray, bool>> saved_;
};

// A second local user (nobody) makes `path` as a folder everyone may write to.
void MadeByAnotherUser(const QString& path) {
    ASSERT_EQ(QProcess::execute(QStringLiteral("setpriv"),
                                {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                 QStringLiteral("--clear-groups"), QStringLiteral("mkdir"),
                                 QStringLiteral("-m"), QStringLiteral("0777"), path}),
              0);
}

TEST(SingleInstanceFolder, OnlyAFolderOfTheUsersOwnThatNoOneElseMayEnterIsPrivate) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as a second user";
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 01777), 0);
    const auto at = [&](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    ASSERT_EQ(::mkdir(QFile::encodeName(at("mine")).constData(), 0700), 0);
    ASSERT_EQ(::mkdir(QFile::encodeName(at("open")).constData(), 0755), 0);
    ASSERT_EQ(::mkdir(QFile::encodeName(at("group")).constData(), 0710), 0);
    ASSERT_EQ(::mkdir(QFile::encodeName(at("others")).constData(), 0701), 0);
    MadeByAnotherUser(at("theirs"));
    ASSERT_EQ(::chmod(QFile::encodeName(at("theirs")).constData(), 0700), 0);
    ASSERT_TRUE(QFile::link(at("mine"), at("link")));
    QFile(at("file")).open(QIODevice::WriteOnly);
    const struct {
        const char* name;
        bool create;
        bool isPrivate;
    } cases[] = {
        {"mine", false, true},     {"open", false, false},  {"group", false, false}, {"others", false, false},
        {"theirs", false, false},  {"theirs", true, false}, {"link", false, false},  {"file", true, false},
        {"missing", false, false}, {"new", true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPrivateFolder(at(c.name), c.create), c.isPrivate) << c.name << " " << c.create;
    struct stat made {};
    ASSERT_EQ(::stat(QFile::encodeName(at("new")).constData(), &made), 0);
    EXPECT_EQ(made.st_mode & 0777, 0700u);
}

// With no runtime folder, a folder name another user took in the temporary folder is never used:
// the copies meet in the home folder instead, and when that is taken too the user is told.
TEST(SingleInstanceFolder, AFolderAnotherUserTookIsNeverUsed) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as a second user";
    QTemporaryDir tmp, home, runtime;
    ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 01777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(home.path()).constData(), 01777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0755), 0);
    Environment env;
    env.set("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())); // not private: passed over
    env.set("TMPDIR", QFile::encodeName(tmp.path()));
    env.set("HOME", QFile::encodeName(home.path()));
    const QString uid = QString::number(geteuid());
    MadeByAnotherUser(tmp.filePath(QStringLiteral("qingjian-") + uid));

    SingleInstance first(TestKey("squatted"));
    EXPECT_TRUE(first.serverName().startsWith(home.filePath(QStringLiteral(".qingjian-") + uid + "/")))
        << first.serverName().toStdString();
    EXPECT_TRUE(first.problem().isEmpty());
    ASSERT_TRUE(first.tryBecomePrimary());
    QSignalSpy shows(&first, &SingleInstance::showRequested);
    SingleInstance second(TestKey("squatted"));
    EXPECT_FALSE(second.tryBecomePrimary());
    EXPECT_TRUE(QTest::qWaitFor([&] { return shows.count() == 1; }, 3000));

    // Every place taken: the copy starts on its own and says why.
    QTemporaryDir otherHome;
    ASSERT_EQ(::chmod(QFile::encodeName(otherHome.path()).constData(), 01777), 0);
    env.set("HOME", QFile::encodeName(otherHome.path()));
    MadeByAnotherUser(otherHome.filePath(QStringLiteral(".qingjian-") + uid));
    SingleInstance alone(TestKey("squatted"));
    EXPECT_TRUE(alone.serverName().isEmpty());
    EXPECT_TRUE(alone.problem().contains(QStringLiteral("只属于当前用户的文件夹")))
        << alone.problem().toStdString();
    EXPECT_TRUE(alone.tryBecomePrimary());
    EXPECT_EQ(shows.count(), 1);

    // A private runtime folder is the first choice.
    ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0700), 0);
    EXPECT_EQ(QFileInfo(SingleInstance(TestKey("runtime")).serverName()).path(), runtime.path());
}

} // namespace
} // namespace qj
