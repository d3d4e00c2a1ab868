#include "shell/FileVersion.h"

#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace qj {
namespace {

// The record's tag, put together at run time so that this test program does not carry a second
// record of its own in its constant data.
QByteArray Tag() {
    return QByteArray("QJFILE") + QByteArray("VERSION:");
}

TEST(FileVersion, TheRunningProgramCarriesThisReleasesVersion) {
    EXPECT_EQ(ReadFileVersion(QCoreApplication::applicationFilePath()), QStringLiteral("1.2.12.41"));
    EXPECT_EQ(EmbeddedFileVersion(), QStringLiteral("1.2.12.41"));
}

TEST(FileVersion, ReadsTheRecordOrNothingFromFileBytes) {
    const QByteArray filler(300000, '\x7f');
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* expected;
    } cases[] = {
        {"no record at all", filler, ""},
        {"empty file", QByteArray(), ""},
        {"record amid binary bytes", filler + Tag() + QByteArray("1.2.12.41", 10) + filler, "1.2.12.41"},
        {"record at the very end, no terminator", filler + Tag() + "3.0.0.7", "3.0.0.7"},
        {"leading zeros are dropped", Tag() + QByteArray("01.002.0.41", 12), "1.2.0.41"},
        {"largest word values", Tag() + QByteArray("65535.0.65535.0", 16), "65535.0.65535.0"},
        {"a part above one word", Tag() + QByteArray("65536.0.0.1", 12), ""},
        {"three parts only", Tag() + QByteArray("1.2.12", 7), ""},
        {"five parts", Tag() + QByteArray("1.2.12.41.5", 12), ""},
        {"empty part", Tag() + QByteArray("1..12.41", 9), ""},
        {"tag without version", filler + Tag(), ""},
        {"malformed record before a good one",
         Tag() + QByteArray("x", 2) + filler + Tag() + QByteArray("2.4.6.8", 8), "2.4.6.8"},
        {"tag cut short", QByteArray("QJFILEVERSIO") + QByteArray("1.2.3.4", 8), ""},
    };
    test::TempProgramFolder dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(dir.writeFile(QStringLiteral("probe.bin"), c.bytes));
        EXPECT_EQ(ReadFileVersion(dir.filePath(QStringLiteral("probe.bin"))), QString::fromUtf8(c.expected));
    }
}

TEST(FileVersion, MissingFileOrFolderGivesEmptyText) {
    test::TempProgramFolder dir;
    EXPECT_EQ(ReadFileVersion(dir.filePath(QStringLiteral("absent.exe"))), QString());
    EXPECT_EQ(ReadFileVersion(dir.path()), QString());
    EXPECT_EQ(ReadFileVersion(QString()), QString());
}

} // namespace
} // namespace qj
