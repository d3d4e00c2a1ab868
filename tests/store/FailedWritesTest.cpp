// A write, a sync or a copy that fails (a full disk, an I/O error, the program killed) is reported
// with its cause and never leaves a cut file in the place of the one meant.
#include "FaultInjection.h"
#include "common/DurableFile.h"
#include "store/Backup.h"
#include "store/StoreError.h"
#include "store/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace qj {
namespace {

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray Pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    return bytes;
}

// Every file of the folder: what a failure may leave behind.
QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

struct Fault {
    const char* what;
    int error;
    long long after;
    const char* said;
};
const Fault kFaults[] = {
    {"write", ENOSPC, 0, "磁盘已满"}, {"write", ENOSPC, 70000, "磁盘已满"}, // cut half-way
    {"write", EIO, 4096, "I/O 错误"}, {"fsync", EIO, 0, "I/O 错误"},        {"fsync", ENOSPC, 0, "磁盘已满"},
};

// Text export and backup copy under each fault: an error naming the cause, the old file as it was,
// nothing else left in the folder.
TEST(FailedWrites, ExportAndBackupReportTheCauseAndKeepTheOldFile) {
    const struct {
        const char* name;
        std::function<void(const QString& folder)> run;
    } writes[] = {
        {"export",
         [](const QString& folder) { WriteFileBytes(folder + "/out.txt", Pattern(150000).toStdString()); }},
        {"backup", [](const QString& folder) { CopyFileTo(folder + "/dataly.dat", folder + "/out.txt"); }},
    };
    for (const auto& w : writes) {
        for (const Fault& f : kFaults) {
            QTemporaryDir dir;
            Put(dir.filePath("dataly.dat"), Pattern(150000));
            Put(dir.filePath("out.txt"), "old");
            const QStringList before = Files(dir.path());
            qj_fault_arm(f.what, "out.txt", f.error, f.after);
            try {
                w.run(dir.path());
                ADD_FAILURE() << w.name << " " << f.what << " " << f.error;
            } catch (const StoreError& e) {
                EXPECT_TRUE(e.text().contains(QString::fromUtf8(f.said))) << w.name << ": " << e.what();
                EXPECT_TRUE(e.text().contains(dir.filePath("out.txt"))) << e.what();
            }
            qj_fault_disarm();
            EXPECT_EQ(Bytes(dir.filePath("out.txt")), "old") << w.name << " " << f.what;
            EXPECT_EQ(Files(dir.path()), before) << w.name << " " << f.what;
        }
    }
}

TEST(FailedWrites, AWholeWriteReplacesTheFileKeepingItsPermissions) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    Put(path, "old");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    const QFile::Permissions kept = QFile::permissions(path);
    WriteFileBytes(path, "new");
    EXPECT_EQ(Bytes(path), "new");
    EXPECT_EQ(QFile::permissions(path), kept);
    EXPECT_EQ(CopyFileTo(path, dir.filePath("copy.txt")), dir.filePath("copy.txt"));
    EXPECT_EQ(Bytes(dir.filePath("copy.txt")), "new");
    EXPECT_EQ(Files(dir.path()), (QStringList{"copy.txt", "out.txt"}));
}

// A backup killed half-way never leaves a file under the backup's name.
TEST(FailedWrites, ABackupKilledHalfWayLeavesNoFileThatLooksLikeABackup) {
    QTemporaryDir dir;
    Put(dir.filePath("dataly.dat"), Pattern(300000));
    const QString folder = dir.filePath("2024-3-5");
    ASSERT_TRUE(QDir().mkdir(folder));
    for (const long long after : {0LL, 8192LL, 299999LL}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            qj_fault_arm("kill", "2024-3-5", 0, after);
            try {
                CopyFileTo(dir.filePath("dataly.dat"), folder);
            } catch (...) {
            }
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status)) << after;
        EXPECT_FALSE(QFile::exists(QDir(folder).filePath("dataly.dat"))) << after;
    }
    // A disk that changes a byte silently: the copy read back differs, and is not kept.
    qj_fault_arm("flip", "2024-3-5", 0, 100000);
    try {
        CopyFileTo(dir.filePath("dataly.dat"), folder);
        ADD_FAILURE() << "a damaged copy was kept";
    } catch (const StoreError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("与数据文件不一致"))) << e.what();
    }
    qj_fault_disarm();
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath("dataly.dat")));
    // Not killed: the copy is whole under its name.
    EXPECT_EQ(CopyFileTo(dir.filePath("dataly.dat"), folder), QDir(folder).filePath("dataly.dat"));
    EXPECT_EQ(Bytes(QDir(folder).filePath("dataly.dat")), Pattern(300000));
}

TEST(FailedWrites, CausesAreSaidInPlainWords) {
    const struct {
        int error;
        const char* said;
    } cases[] = {{ENOSPC, "磁盘已满"}, {EDQUOT, "磁盘已满"},       {EFBIG, "磁盘已满"},
                 {EIO, "I/O 错误"},    {EACCES, "没有写入的权限"}, {EPERM, "没有写入的权限"},
                 {EROFS, "只读"},      {ENOENT, "文件夹不存在"},   {EBADF, "Bad file descriptor"}};
    for (const auto& c : cases)
        EXPECT_NE(FileErrorText(c.error).find(c.said), std::string::npos) << c.error;
}

} // namespace
} // namespace qj
