// A settings write that fails must leave the file byte for byte as it was: on a real full file
// system (a small tmpfs, when the test may mount one) and under a file-size limit, which makes
// every write past it fail the way a full disk does, for any user.
#include "FaultInjection.h"
#include "shell/ProfileFile.h"
#include "shell/Settings.h"
#include "shell/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qj;

namespace {

std::string Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
}

void Put(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
}

const std::string kStored = "[Info]\r\nCurTb=日记\r\n[Font]\r\nName=宋体\r\nSize=14\r\n";

// Every write of the settings file: the exit's SaveSettings, CurTb, the season choice.
struct Write {
    const char* name;
    std::function<bool(ProfileFile&)> run;
};
const Write kWrites[] = {
    {"SaveSettings",
     [](ProfileFile& f) {
         Settings s;
         s.fontName = QString(3000, QChar(u'楷'));
         SettingsStore(f.path()).saveAtExit(s);
         return f.ReadString(QStringLiteral("Font"), QStringLiteral("Name")) == s.fontName;
     }},
    {"CurTb",
     [](ProfileFile& f) {
         return f.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), QString(3000, QChar(u'读')));
     }},
    {"WriteStrings",
     [](ProfileFile& f) {
         return f.WriteStrings({{QStringLiteral("A"), QStringLiteral("k"), QString(3000, QLatin1Char('x'))},
                                {QStringLiteral("B"), QStringLiteral("k"), QStringLiteral("1")}});
     }},
};

// Limits the size of any file this process writes until destroyed; a write past the limit fails
// with EFBIG instead of killing the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

// Runs `check` with the rights of an ordinary user (in a child process as "nobody" when the tests
// run as root) and returns its result.
int AsOrdinaryUser(const std::function<int()>& check) {
    if (geteuid() != 0)
        return check();
    const pid_t child = fork();
    if (child == 0) {
        int result = 255;
        if (setgid(65534) == 0 && setuid(65534) == 0)
            result = check();
        _exit(result);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

} // namespace

// A folder that takes no new file holding a settings file that may be written: the file is
// written in place, and on a full disk (here: the size limit) it is left as it was.
TEST(FailedSettingsWrite, WriteInPlaceInAReadOnlyFolderSucceedsOrChangesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Jotterly.ini"));
    Put(path, kStored);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    const int result = AsOrdinaryUser([&] {
        ProfileFile ini(path);
        bool refused = false;
        {
            FileSizeLimit limit(kStored.size() + 10);
            refused =
                !ini.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), QString(500, QChar(u'读')));
        }
        if (!refused)
            return 1;
        if (Bytes(path) != kStored)
            return 2;
        if (!ini.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("读书")))
            return 3;
        if (ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb")) != QStringLiteral("读书") ||
            ini.ReadString(QStringLiteral("Font"), QStringLiteral("Size")) != QStringLiteral("14"))
            return 4;
        // Shorter than before: nothing of the old end is left behind.
        if (!ini.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("书")) ||
            Bytes(path) != "[Info]\r\nCurTb=书\r\n[Font]\r\nName=宋体\r\nSize=14\r\n")
            return 5;
        return 0;
    });
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_EQ(result, 0)
        << "1: not refused, 2: changed, 3: not written, 4: read back wrong, 5: left an old end";
}

TEST(FailedSettingsWrite, WriteCutShortLeavesTheFileAsItWas) {
    for (const Write& w : kWrites) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Jotterly.ini"));
        Put(path, kStored);
        ProfileFile ini(path);
        bool written = true;
        {
            FileSizeLimit limit(kStored.size() + 100);
            written = w.run(ini);
        }
        EXPECT_FALSE(written) << w.name;
        EXPECT_EQ(Bytes(path), kStored) << w.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("Jotterly.ini")})
            << w.name << ": no half-written file is left beside it";
        // The limit gone, the same write succeeds.
        EXPECT_TRUE(w.run(ini)) << w.name;
        EXPECT_NE(Bytes(path), kStored) << w.name;
    }
}

TEST(FailedSettingsWrite, WriteWithinTheLimitStillSucceeds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Jotterly.ini"));
    Put(path, kStored);
    ProfileFile ini(path);
    FileSizeLimit limit(kStored.size() + 100);
    EXPECT_TRUE(ini.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("读书")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb")), QStringLiteral("读书"));
}

// A real full file system: a 256 KiB tmpfs filled up to the last byte. Needs the right to mount
// (root outside a restricted container); skipped otherwise.
TEST(FailedSettingsWrite, FullTmpfsLeavesTheFileAsItWas) {
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (geteuid() != 0 || ::mount("qj-full", mountPoint.constData(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
    } unmount{mountPoint};
    for (const Write& w : kWrites) {
        const QString path = dir.filePath(QStringLiteral("Jotterly.ini"));
        const QString filler = dir.filePath(QStringLiteral("filler"));
        QFile::remove(filler);
        Put(path, kStored);
        {
            // Fill the disk: write until the file system refuses.
            QFile f(filler);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, 'x');
            while (f.write(block) == block.size()) {
            }
            while (f.write("x", 1) == 1) {
            }
        }
        ProfileFile ini(path);
        EXPECT_FALSE(w.run(ini)) << w.name;
        EXPECT_EQ(Bytes(path), kStored) << w.name;
        QFile::remove(filler);
        EXPECT_TRUE(w.run(ini)) << w.name << ": with room again the write succeeds";
    }
}

// A sync to the disk that fails (an I/O error, a full disk found only then) is a failed write: the
// old file stays, nothing is left beside it.
TEST(FailedSettingsWrite, FailedSyncLeavesTheFileAsItWas) {
    for (const int error : {EIO, ENOSPC}) {
        for (const Write& w : kWrites) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("Jotterly.ini"));
            Put(path, kStored);
            ProfileFile ini(path);
            qj_fault_arm("fsync", "Jotterly.ini", error, 0);
            const bool written = w.run(ini);
            qj_fault_disarm();
            EXPECT_FALSE(written) << w.name << " " << error;
            EXPECT_EQ(Bytes(path), kStored) << w.name;
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                      QStringList{QStringLiteral("Jotterly.ini")})
                << w.name;
        }
    }
}
