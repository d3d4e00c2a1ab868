#include "seams/DataFolder.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace qj {
namespace {

bool Touch(const QString& path, const QByteArray& bytes = "x") {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A prefix as `cmake --install` lays it out: prefix/bin and prefix/share/qingjian.
class DataFolderChoosing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir().mkpath(bin()));
    }
    QString bin() const { return root.filePath(QStringLiteral("prefix/bin")); }
    QString share() const { return root.filePath(QStringLiteral("prefix/share/qingjian")); }
    QString home() const { return root.filePath(QStringLiteral("home")); }
    DataFolderPlace place() const {
        DataFolderPlace p;
        p.executableFolder = bin();
        p.installedFiles = bin() + QStringLiteral("/../share/qingjian");
        p.home = home();
        return p;
    }
    QTemporaryDir root;
};

TEST_F(DataFolderChoosing, EachRuleInItsOrder) {
    struct Case {
        const char* what;
        bool shared;     // prefix/share/qingjian exists
        bool marker;     // bin/portable
        bool dataBeside; // bin/dataly.dat
        bool writable;   // the user may write in bin
        const char* named;
        const char* xdg;
        DataFolderMode mode;
        const char* folder; // relative to the temporary root
        const char* files;
    };
    const Case cases[] = {
        {"a build folder", false, false, false, true, "", "", DataFolderMode::Portable, "prefix/bin",
         "prefix/bin"},
        {"a portable copy", false, false, true, true, "", "", DataFolderMode::Portable, "prefix/bin",
         "prefix/bin"},
        {"a write-protected portable copy", false, false, true, false, "", "", DataFolderMode::Portable,
         "prefix/bin", "prefix/bin"},
        {"installed under /usr", true, false, false, false, "", "", DataFolderMode::Installed,
         "home/.local/share/qingjian", "prefix/share/qingjian"},
        {"installed in a prefix the user owns", true, false, false, true, "", "", DataFolderMode::Installed,
         "home/.local/share/qingjian", "prefix/share/qingjian"},
        {"a copy in a folder the user cannot write", false, false, false, false, "", "",
         DataFolderMode::Installed, "home/.local/share/qingjian", "prefix/bin"},
        {"XDG_DATA_HOME", true, false, false, false, "", "xdg", DataFolderMode::Installed, "xdg/qingjian",
         "prefix/share/qingjian"},
        {"a relative XDG_DATA_HOME is ignored", true, false, false, false, "", "relative/xdg",
         DataFolderMode::Installed, "home/.local/share/qingjian", "prefix/share/qingjian"},
        {"the portable file keeps an installed layout portable", true, true, false, false, "", "xdg",
         DataFolderMode::Portable, "prefix/bin", "prefix/bin"},
        {"a data file beside the program keeps it portable", true, false, true, true, "", "",
         DataFolderMode::Portable, "prefix/bin", "prefix/bin"},
        {"a named folder wins over everything", true, true, true, true, "mine/notes", "xdg",
         DataFolderMode::Named, "mine/notes", "prefix/share/qingjian"},
        {"a named folder without an installation", false, false, false, true, "mine", "",
         DataFolderMode::Named, "mine", "prefix/bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(root.filePath(QStringLiteral("prefix/share"))).removeRecursively();
        QFile::remove(bin() + QStringLiteral("/portable"));
        QFile::remove(bin() + QStringLiteral("/dataly.dat"));
        if (c.shared) {
            ASSERT_TRUE(QDir().mkpath(share()));
        }
        if (c.marker) {
            ASSERT_TRUE(Touch(bin() + QStringLiteral("/portable"), ""));
        }
        if (c.dataBeside) {
            ASSERT_TRUE(Touch(bin() + QStringLiteral("/dataly.dat")));
        }
        DataFolderPlace p = place();
        p.executableFolderWritable = c.writable;
        if (*c.named)
            p.named = root.filePath(QString::fromUtf8(c.named));
        if (*c.xdg)
            p.xdgDataHome = QString::fromUtf8(c.xdg).startsWith(QLatin1String("relative"))
                                ? QString::fromUtf8(c.xdg)
                                : root.filePath(QString::fromUtf8(c.xdg));
        const DataFolderChoice choice = ChooseDataFolder(p);
        EXPECT_EQ(choice.mode, c.mode);
        EXPECT_EQ(choice.dataFolder, QDir::cleanPath(root.filePath(QString::fromUtf8(c.folder))));
        EXPECT_EQ(choice.filesFolder, QDir::cleanPath(root.filePath(QString::fromUtf8(c.files))));
        EXPECT_EQ(choice.folder().path(), choice.dataFolder + QLatin1Char('/'));
        EXPECT_EQ(choice.folder().filesPath(), choice.filesFolder + QLatin1Char('/'));
    }
}

TEST_F(DataFolderChoosing, TheEnvironmentNamesAFolderAndTheOptionWinsOverIt) {
    qputenv(kDataFolderVariable, root.filePath(QStringLiteral("from-env")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("xdg")).toLocal8Bit());
    const DataFolderPlace byEnvironment = DataFolderPlace::ofEnvironment(bin());
    const DataFolderPlace byOption =
        DataFolderPlace::ofEnvironment(bin(), root.filePath(QStringLiteral("opt")));
    qunsetenv(kDataFolderVariable);
    const DataFolderPlace none = DataFolderPlace::ofEnvironment(bin());
    qunsetenv("XDG_DATA_HOME");

    EXPECT_EQ(ChooseDataFolder(byEnvironment).dataFolder, root.filePath(QStringLiteral("from-env")));
    EXPECT_EQ(ChooseDataFolder(byOption).dataFolder, root.filePath(QStringLiteral("opt")));
    EXPECT_EQ(byOption.xdgDataHome, root.filePath(QStringLiteral("xdg")));
    EXPECT_TRUE(none.named.isEmpty());
    EXPECT_EQ(ChooseDataFolder(none).mode, DataFolderMode::Portable); // a writable folder, nothing installed
    EXPECT_EQ(QDir::cleanPath(none.installedFiles), QDir::cleanPath(share()));
    EXPECT_TRUE(none.executableFolderWritable);
    EXPECT_FALSE(
        DataFolderPlace::ofEnvironment(root.filePath(QStringLiteral("missing"))).executableFolderWritable);
}

TEST_F(DataFolderChoosing, TheDescriptionNamesTheModeAndTheFolder) {
    const struct {
        DataFolderMode mode;
        const char* word;
    } cases[] = {{DataFolderMode::Portable, "便携"},
                 {DataFolderMode::Installed, "安装"},
                 {DataFolderMode::Named, "指定"}};
    for (const auto& c : cases) {
        DataFolderChoice choice;
        choice.mode = c.mode;
        choice.dataFolder = QStringLiteral("/home/u/.local/share/qingjian");
        EXPECT_EQ(
            choice.describe(),
            QStringLiteral("数据文件夹（%1）：/home/u/.local/share/qingjian").arg(QString::fromUtf8(c.word)));
    }
}

class DataFolderSeeding : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir().mkpath(files()));
        ASSERT_TRUE(Touch(files() + QStringLiteral("/dataly.dat"), "template"));
    }
    QString files() const { return root.filePath(QStringLiteral("share/qingjian")); }
    DataFolderChoice choice(const QString& data, DataFolderMode mode = DataFolderMode::Installed) const {
        DataFolderChoice c;
        c.mode = mode;
        c.dataFolder = data;
        c.filesFolder = files();
        return c;
    }
    QTemporaryDir root;
};

TEST_F(DataFolderSeeding, ANewFolderIsMadeWithTheEmptyDataFileOnlyOnce) {
    for (const DataFolderMode mode : {DataFolderMode::Installed, DataFolderMode::Named}) {
        const QString data = root.filePath(QStringLiteral("home/.local/share/qingjian%1").arg(int(mode)));
        EXPECT_EQ(SeedDataFolder(choice(data, mode)), QString());
        EXPECT_EQ(Bytes(data + QStringLiteral("/dataly.dat")), QByteArray("template"));
        EXPECT_TRUE(QFileInfo(data + QStringLiteral("/dataly.dat")).isWritable());
        EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/dataly.dat.part")));
        EXPECT_EQ(QFile::permissions(data) & 0x0077, 0) << "a new data folder is the user's alone";
        // The user's notes are never replaced by the template.
        ASSERT_TRUE(Touch(data + QStringLiteral("/dataly.dat"), "my notes"));
        EXPECT_EQ(SeedDataFolder(choice(data, mode)), QString());
        EXPECT_EQ(Bytes(data + QStringLiteral("/dataly.dat")), QByteArray("my notes"));
    }
}

TEST_F(DataFolderSeeding, ATemplateThatIsReadOnlyGivesAWritableCopy) {
    ASSERT_TRUE(QFile::setPermissions(files() + QStringLiteral("/dataly.dat"), QFileDevice::ReadOwner));
    const QString data = root.filePath(QStringLiteral("data"));
    EXPECT_EQ(SeedDataFolder(choice(data)), QString());
    EXPECT_TRUE(QFile::permissions(data + QStringLiteral("/dataly.dat")) & QFileDevice::WriteOwner);
}

TEST_F(DataFolderSeeding, AFolderThatExistsKeepsItsPermissions) {
    const QString data = root.filePath(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(data));
    const QFileDevice::Permissions before = QFile::permissions(data);
    EXPECT_EQ(SeedDataFolder(choice(data)), QString());
    EXPECT_EQ(QFile::permissions(data), before);
    EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/dataly.dat")));
}

TEST_F(DataFolderSeeding, APortableFolderIsLeftAsItIs) {
    const QString data = root.filePath(QStringLiteral("portable"));
    EXPECT_EQ(SeedDataFolder(choice(data, DataFolderMode::Portable)), QString());
    EXPECT_FALSE(QFileInfo::exists(data));
}

TEST_F(DataFolderSeeding, FailuresAreToldAndLeaveNoHalfFile) {
    // A file where the folder should be: the folder cannot be made (also for root).
    ASSERT_TRUE(Touch(root.filePath(QStringLiteral("blocked"))));
    const QString blocked = root.filePath(QStringLiteral("blocked/qingjian"));
    EXPECT_EQ(SeedDataFolder(choice(blocked)),
              QStringLiteral("不能建立数据文件夹 %1").arg(QDir::toNativeSeparators(blocked)));

    // No template installed.
    ASSERT_TRUE(QFile::remove(files() + QStringLiteral("/dataly.dat")));
    const QString data = root.filePath(QStringLiteral("data"));
    EXPECT_EQ(SeedDataFolder(choice(data)),
              QStringLiteral("找不到空白数据文件 %1")
                  .arg(QDir::toNativeSeparators(files() + QStringLiteral("/dataly.dat"))));
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/dataly.dat")));

    // No template, but the program makes the empty file itself: written under the temporary name
    // and put in place; a making that fails is told and leaves nothing.
    QStringList madeAt;
    const auto makes = [&madeAt](bool ok) {
        return [&madeAt, ok](const QString& path) {
            madeAt << path;
            return Touch(path, ok ? "made" : "half") && ok; // a failure may leave half a file
        };
    };
    EXPECT_EQ(SeedDataFolder(choice(data), makes(false)),
              QStringLiteral("不能在数据文件夹 %1 中建立数据文件").arg(QDir::toNativeSeparators(data)));
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/dataly.dat")));
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/dataly.dat.part")));
    EXPECT_EQ(SeedDataFolder(choice(data), makes(true)), QString());
    EXPECT_EQ(Bytes(data + QStringLiteral("/dataly.dat")), QByteArray("made"));
    EXPECT_EQ(madeAt, QStringList(2, QDir(data).filePath(QStringLiteral("dataly.dat.part"))));
    ASSERT_TRUE(QFile::remove(data + QStringLiteral("/dataly.dat")));

    // The copy cannot be placed: a folder stands where the data file's temporary copy goes.
    ASSERT_TRUE(Touch(files() + QStringLiteral("/dataly.dat"), "template"));
    ASSERT_TRUE(QDir().mkpath(data + QStringLiteral("/dataly.dat.part/inside")));
    EXPECT_EQ(SeedDataFolder(choice(data)),
              QStringLiteral("不能在数据文件夹 %1 中建立数据文件").arg(QDir::toNativeSeparators(data)));
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/dataly.dat")));
}

} // namespace
} // namespace qj
