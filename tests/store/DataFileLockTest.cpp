// One copy of the program holds a data file at a time; a copy that has ended leaves it free.

#include "store/DataFileLock.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <unistd.h>

namespace qj {
namespace {

class DataFileLockTest : public ::testing::Test {
protected:
    QString dataPath() const { return dir.filePath(QStringLiteral("dataly.dat")); }
    QTemporaryDir dir;
};

TEST_F(DataFileLockTest, ASecondHolderIsRefusedUntilTheFirstLetsGo) {
    {
        DataFileLock first(dataPath());
        EXPECT_EQ(first.state(), DataFileLock::State::Held);
        EXPECT_EQ(first.lockPath(), dataPath() + QStringLiteral(".lock"));
        EXPECT_TRUE(QFileInfo::exists(first.lockPath())) << "the lock lies beside the data file";
        DataFileLock second(dataPath());
        EXPECT_EQ(second.state(), DataFileLock::State::HeldElsewhere);
        // Another data file is another lock.
        DataFileLock other(dir.filePath(QStringLiteral("other.dat")));
        EXPECT_EQ(other.state(), DataFileLock::State::Held);
    }
    EXPECT_FALSE(QFileInfo::exists(dataPath() + QStringLiteral(".lock"))) << "given back at the end";
    DataFileLock again(dataPath());
    EXPECT_EQ(again.state(), DataFileLock::State::Held);
}

// A copy that crashed left its lock; the process it names no longer runs, so the lock is taken
// over, however recent. A lock of a live process is kept, however old.
TEST_F(DataFileLockTest, ALockOfAnEndedCopyIsTakenOverALiveOneIsNot) {
    struct Case {
        qint64 pid;
        DataFileLock::State expected;
    };
    const Case cases[] = {
        {999999, DataFileLock::State::Held},                       // no such process
        {qint64(::getppid()), DataFileLock::State::HeldElsewhere}, // the test's parent runs
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pid);
        QFile stale(dataPath() + QStringLiteral(".lock"));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly | QIODevice::Truncate));
        // The holder is named as the lock names it: the file name of the process's program.
        const QString program =
            QFileInfo(QFileInfo(QStringLiteral("/proc/%1/exe").arg(c.pid)).symLinkTarget()).fileName();
        stale.write(QByteArray::number(c.pid) + "\n" + program.toUtf8() + "\n" +
                    QSysInfo::machineHostName().toUtf8() + "\n");
        stale.flush();
        // However old the lock, a live holder keeps it.
        stale.setFileTime(QDateTime::currentDateTime().addYears(-1), QFileDevice::FileModificationTime);
        stale.close();
        DataFileLock lock(dataPath());
        EXPECT_EQ(lock.state(), c.expected);
        if (c.expected != DataFileLock::State::Held)
            QFile::remove(stale.fileName());
    }
}

TEST_F(DataFileLockTest, AFolderThatCannotHoldALockLeavesTheFileUsable) {
    DataFileLock nowhere(dir.filePath(QStringLiteral("gone/dataly.dat")));
    EXPECT_EQ(nowhere.state(), DataFileLock::State::Unavailable);
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const QString folder = dir.filePath(QStringLiteral("ro"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    DataFileLock lock(folder + QStringLiteral("/dataly.dat"));
    EXPECT_EQ(lock.state(), DataFileLock::State::Unavailable);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
} // namespace qj
