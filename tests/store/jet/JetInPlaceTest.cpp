// The notebook's own data file converted where it lies: the Jet file kept byte for byte, the
// converted file in its place, or nothing changed at all.
#include "store/jet/JetInPlace.h"
#include "store/jet/JetApart.h"

#include "store/DataFile.h"
#include "store/jet/JetFile.h"
#include "store/jet/JetSamples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace qj {
namespace {

using test::JetFileWriter;
using Cell = JetFileWriter::Cell;

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class JetInPlaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("dataly.dat");
        test::WriteJetFile(path, test::SampleNotebook());
        original = Bytes(path);
    }
    // The folder holds exactly these names.
    void ExpectFiles(const QStringList& names) {
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), names);
    }
    QTemporaryDir dir;
    QString path;
    QByteArray original;
};

TEST_F(JetInPlaceTest, KeepsTheJetFileAndPutsTheConvertedFileInItsPlace) {
    const JetInPlaceResult result = ConvertJetDataFileInPlace(path);
    EXPECT_EQ(result.keptAs, path + ".jet");
    EXPECT_EQ(Bytes(result.keptAs), original);
    EXPECT_FALSE(HasJetSignature(path));
    DataFile file(path);
    EXPECT_EQ(file.Categories(), (QStringList{"帮助", "日记", "空分类", "Many Notes"}));
    EXPECT_EQ(result.report.Notes(), 3 + 7 + 300);
    ExpectFiles({"dataly.dat", "dataly.dat.jet"});
}

TEST_F(JetInPlaceTest, AKeptFileOfTheSameNameIsNeverReplaced) {
    QFile old(path + ".jet");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier one");
    old.close();
    EXPECT_EQ(JetKeepName(path), path + ".jet1");
    QFile::copy(path + ".jet", path + ".jet1");
    EXPECT_EQ(JetKeepName(path), path + ".jet2");
    const JetInPlaceResult result = ConvertJetDataFileInPlace(path);
    EXPECT_EQ(result.keptAs, path + ".jet2");
    EXPECT_EQ(Bytes(path + ".jet"), "an earlier one");
    EXPECT_EQ(Bytes(path + ".jet2"), original);
}

TEST_F(JetInPlaceTest, AFailedConversionChangesNothing) {
    EXPECT_THROW(ConvertJetDataFileInPlace(path,
                                           [](int table, const QString&, int) {
                                               if (table == 2)
                                                   throw StoreError(std::string("disk full"));
                                           }),
                 StoreError);
    EXPECT_EQ(Bytes(path), original);
    ExpectFiles({"dataly.dat"});
}

TEST_F(JetInPlaceTest, AKilledConversionLeavesTheJetFileInPlace) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            ConvertJetDataFileInPlace(path, [](int table, const QString&, int) {
                if (table == 4)
                    ::raise(SIGKILL);
            });
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(Bytes(path), original);
    EXPECT_FALSE(QFile::exists(path + ".jet"));
    // A new start converts it after all, and cleans up after the killed run.
    ConvertJetDataFileInPlace(path);
    ExpectFiles({"dataly.dat", "dataly.dat.jet"});
    EXPECT_EQ(Bytes(path + ".jet"), original);
}

TEST_F(JetInPlaceTest, SummaryCountsAndListsWhatWasLeftOut) {
    JetInPlaceResult result;
    result.keptAs = "/p/dataly.dat.jet";
    result.report.version = 4;
    result.report.tables = {{"甲", 3, 3, false, {}, {}},
                            {"乙", 2, 0, true, "不是目录分类表：它的列是 A", {}},
                            {"丙", 4, 2, false, {}, {{7, "标题为空"}, {std::nullopt, "标题为空"}}}};
    EXPECT_EQ(JetConversionSummary(result), "数据文件已从 Jet 4 格式转换完成：2 个目录分类，5 条笔记。\r\n"
                                            "\r\n"
                                            "没有转换的内容：\r\n"
                                            "跳过表“乙”（2 条记录）：不是目录分类表：它的列是 A\r\n"
                                            "表“丙”中编号 7 的记录没有转换：标题为空\r\n"
                                            "表“丙”中一条没有编号的记录没有转换：标题为空\r\n"
                                            "\r\n"
                                            "原来的数据文件原样保留为：/p/dataly.dat.jet");
    // Beyond the limit the rest is counted; nothing is listed when nothing was left out.
    EXPECT_TRUE(JetConversionSummary(result, 2).contains("……另有 1 项"));
    EXPECT_FALSE(JetConversionSummary(result, 3).contains("另有"));
    result.report.tables.resize(1);
    EXPECT_FALSE(JetConversionSummary(result).contains("没有转换的内容"));
}

// In a process of its own, the conversion gives the same summary; a file on which mdbtools' library
// crashes (a sample whose usage map leads it out of bounds) only fails it, and the file stays.
TEST_F(JetInPlaceTest, ApartTheLibrarysCrashOnlyFailsTheConversion) {
    const JetApartOutcome done = ConvertJetDataFileInPlaceApart(path);
    EXPECT_TRUE(done.converted);
    EXPECT_TRUE(done.text.startsWith(QStringLiteral("数据文件已从 Jet 4 格式转换完成")))
        << done.text.toStdString();
    EXPECT_EQ(Bytes(path + ".jet"), original);

    const QString damaged = dir.filePath("damaged.dat");
    ASSERT_TRUE(QFile::copy(QStringLiteral(QJ_SOURCE_DIR "/tests/store/jet/data/usage-map-out-of-bounds.mdb"),
                            damaged));
    const QByteArray before = Bytes(damaged);
    const JetApartOutcome crashed = ConvertJetDataFileInPlaceApart(damaged);
    EXPECT_FALSE(crashed.converted);
    EXPECT_EQ(crashed.text, QStringLiteral("读 Jet 数据库文件时出错，文件已损坏"));
    EXPECT_EQ(Bytes(damaged), before);
    EXPECT_FALSE(QFile::exists(damaged + ".jet"));
}

} // namespace
} // namespace qj
