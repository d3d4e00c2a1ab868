#include "seams/ProgramFolder.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace qj {
namespace {

TEST(ProgramFolder, KeepsOneAbsolutePathEndingInASlash) {
    const struct {
        QString given;
        QString path;
    } cases[] = {
        {QStringLiteral("/opt/qingjian"), QStringLiteral("/opt/qingjian/")},
        {QStringLiteral("/opt/qingjian/"), QStringLiteral("/opt/qingjian/")},
        {QStringLiteral("/opt//qingjian/./bin/.."), QStringLiteral("/opt/qingjian/")},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QString(), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramFolder(c.given).path(), c.path) << c.given.toStdString();
    EXPECT_EQ(ProgramFolder(QStringLiteral("/opt/qingjian")).filePath(QStringLiteral("dataly.dat")),
              QStringLiteral("/opt/qingjian/dataly.dat"));
    EXPECT_TRUE(QDir::isAbsolutePath(ProgramFolder(QStringLiteral("relative")).path()));
}

TEST(ProgramFolder, ShippedFilesAreFoundInTheDataFolderFirstThenWhereTheyWereInstalled) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString data = root.filePath(QStringLiteral("data")),
                  files = root.filePath(QStringLiteral("files"));
    ASSERT_TRUE(QDir().mkpath(data) && QDir().mkpath(files));
    for (const QString& path : {data + QStringLiteral("/both.chm"), files + QStringLiteral("/both.chm"),
                                files + QStringLiteral("/shipped.wav")}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const ProgramFolder folder(data, files);
    EXPECT_EQ(folder.findFile(QStringLiteral("both.chm")), data + QStringLiteral("/both.chm"));
    EXPECT_EQ(folder.findFile(QStringLiteral("shipped.wav")), files + QStringLiteral("/shipped.wav"));
    // Missing everywhere: the data folder's name, for the message.
    EXPECT_EQ(folder.findFile(QStringLiteral("custom1.exe")), data + QStringLiteral("/custom1.exe"));
    EXPECT_EQ(folder.filesPath(), files + QLatin1Char('/'));
    // Without a files folder, everything is in the one folder.
    const ProgramFolder alone(data);
    EXPECT_EQ(alone.filesPath(), alone.path());
    EXPECT_EQ(alone.findFile(QStringLiteral("shipped.wav")), data + QStringLiteral("/shipped.wav"));
}

TEST(ProgramFolder, OfTheRunningExecutableIsWhereTheProgramFileIs) {
    const ProgramFolder folder = ProgramFolder::ofRunningExecutable();
    EXPECT_TRUE(
        QFileInfo::exists(folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName())));
}

} // namespace
} // namespace qj
