#include "seams/ProgramFolder.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

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

TEST(ProgramFolder, OfTheRunningExecutableIsWhereTheProgramFileIs) {
    const ProgramFolder folder = ProgramFolder::ofRunningExecutable();
    EXPECT_TRUE(
        QFileInfo::exists(folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName())));
}

} // namespace
} // namespace qj
