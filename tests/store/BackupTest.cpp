#include "store/Backup.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/resource.h>

namespace qj {
namespace {

QByteArray RandomBytes(qsizetype size) {
    std::mt19937 rng(static_cast<unsigned>(size));
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = static_cast<char>(rng());
    return bytes;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(Backup, FolderNamesHaveNoLeadingZeros) {
    EXPECT_EQ(BackupFolderName(QDate(2024, 3, 5)), QStringLiteral("2024-3-5"));
    EXPECT_EQ(BackupFolderName(QDate(2024, 12, 15)), QStringLiteral("2024-12-15"));
    EXPECT_EQ(BackupFolderName(QDate(2031, 1, 10)), QStringLiteral("2031-1-10"));
}

TEST(Backup, SameDayBackupsCountOnWithoutSeparator) {
    QTemporaryDir dir;
    const QString base = QStringLiteral("2024-3-5");
    EXPECT_EQ(FreeBackupFolderName(dir.path(), base), base);
    for (const char* next : {"2024-3-51", "2024-3-52", "2024-3-53"}) {
        ASSERT_TRUE(QDir(dir.path()).mkdir(FreeBackupFolderName(dir.path(), base)));
        EXPECT_EQ(FreeBackupFolderName(dir.path(), base), QString::fromLatin1(next));
    }
}

TEST(Backup, CopyIsByteIdenticalWhateverTheSize) {
    QTemporaryDir dir;
    for (const qsizetype size : {0, 1, 8191, 8192, 8193, 3 * 8192, 200000}) {
        const QString source = dir.filePath(QStringLiteral("dataly.dat"));
        const QByteArray bytes = RandomBytes(size);
        Write(source, bytes);
        const QString folder = dir.filePath(QStringLiteral("copy%1").arg(size));
        ASSERT_TRUE(QDir().mkdir(folder));
        qint64 reported = -1;
        const QString written = CopyFileTo(source, folder, [&](qint64 done, qint64) { reported = done; });
        EXPECT_EQ(written, QDir(folder).filePath(QStringLiteral("dataly.dat")));
        EXPECT_EQ(ReadAll(written), bytes) << size;
        EXPECT_EQ(reported, size);
    }
}

TEST(Backup, FailuresNameTheFile) {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("dataly.dat"));
    Write(source, RandomBytes(100));
    const QString missing = dir.filePath(QStringLiteral("none.dat"));
    try {
        CopyFileTo(missing, dir.filePath(QStringLiteral("x.dat")));
        ADD_FAILURE();
    } catch (const StoreError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Cannot open file ") + missing);
    }
    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/dataly.dat"));
    try {
        CopyFileTo(source, nowhere);
        ADD_FAILURE();
    } catch (const StoreError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Cannot create file ") + nowhere);
    }
}

// A copy that fails half-way (here: over the file size limit, as on a full disk) removes what it
// wrote and says so.
TEST(Backup, CopyFailingHalfWayLeavesNoPartialFile) {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("dataly.dat"));
    Write(source, RandomBytes(300000));
    const QString target = dir.filePath(QStringLiteral("copy.dat"));
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    try {
        CopyFileTo(source, target);
    } catch (const StoreError& e) {
        failed = true;
        EXPECT_TRUE(e.text().contains(target)) << e.what();
        EXPECT_TRUE(e.text().contains(QStringLiteral("不完整的备份文件已删除"))) << e.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(failed);
    EXPECT_FALSE(QFile::exists(target));
}

TEST(Backup, NoSecondCopyWithoutAFixedDiskD) {
#ifndef _WIN32
    EXPECT_FALSE(SecondBackupRoot().has_value());
#endif
}

} // namespace
} // namespace qj
