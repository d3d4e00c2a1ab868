// qingjian-cli notes import-jet: a Jet file written by the test generator converted as a user
// would run it.
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/jet/JetSamples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace qj {
namespace {

using test::JetFileWriter;
using Cell = JetFileWriter::Cell;

struct CliResult {
    int status = -1;
    std::string out, err;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliResult ImportJet(const std::vector<std::string>& args, const QTemporaryDir& dir) {
    std::string command = Quote(QJ_CLI_PATH) + " notes import-jet";
    for (const auto& a : args)
        command += " " + Quote(a);
    const std::string errFile = dir.filePath("stderr.txt").toStdString();
    CliResult r;
    FILE* pipe = popen((command + " 2>" + Quote(errFile) + " </dev/null").c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        r.out.append(buffer, n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    QFile err(QString::fromStdString(errFile));
    if (err.open(QIODevice::ReadOnly))
        r.err = err.readAll().toStdString();
    return r;
}

class ImportJetCli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        jet = dir.filePath("old.mdb").toStdString();
        test::WriteJetFile(
            QString::fromStdString(jet),
            {{"帮助",
              JetFileWriter::CategoryColumns(),
              {{Cell::Int(0), Cell::Int(0), Cell::Str("帮助"), Cell::Str("第一行\r\n第二行")}}},
             {"长标题",
              JetFileWriter::CategoryColumns(255),
              {{Cell::Int(1), Cell::Int(1), Cell::Str(QString(50, 'a')), Cell::Null()},
               {Cell::Int(7), Cell::Int(1), Cell::Str(QString(51, 'b')), Cell::Null()}}},
             {"Other", {{"A", JetFileWriter::Type::Long}}, {{Cell::Int(1)}, {Cell::Int(2)}}, false}});
    }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
    std::string jet;
};

TEST_F(ImportJetCli, PrintsOneLinePerTableAndWritesTheNewFile) {
    const CliResult r = ImportJet({jet, Path("dataly.dat")}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string b51(51, 'b');
    EXPECT_EQ(
        r.out,
        "{\"name\":\"帮助\",\"rows\":1,\"notes\":1,\"skipped\":false,\"why\":null,\"refused\":[]}\n"
        "{\"name\":\"长标题\",\"rows\":2,\"notes\":1,\"skipped\":false,\"why\":null,\"refused\":[{\"id\":7,"
        "\"why\":\"标题“" +
            b51 +
            "”有 51 个字符，超过 50 个字符\"}]}\n"
            "{\"name\":\"Other\",\"rows\":2,\"notes\":0,\"skipped\":true,\"why\":\"不是目录分类表：它的列是 "
            "A，"
            "目录分类表的列是 ID、Parent、Name、Info\",\"refused\":[]}\n");
    DataFile file(QString::fromStdString(Path("dataly.dat")), DataFile::Access::ReadOnly);
    EXPECT_EQ(file.Categories(), (QStringList{"帮助", "长标题"}));
    CategoryTable help(file, "帮助");
    const auto headers = help.LoadHeaders();
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(help.ReadInfo(headers[0].record()), "第一行\r\n第二行");
}

TEST_F(ImportJetCli, BadInputExitsWithTwoAndWritesNothing) {
    QFile mine(QString::fromStdString(Path("taken.dat")));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("mine");
    mine.close();
    QFile text(QString::fromStdString(Path("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("plain text");
    text.close();
    // A damaged file on which mdbtools' library crashes.
    ASSERT_TRUE(QFile::copy(QStringLiteral(QJ_SOURCE_DIR "/tests/store/jet/data/usage-map-out-of-bounds.mdb"),
                            QString::fromStdString(Path("damaged.mdb"))));
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{jet, Path("taken.dat")}, "never replaced"},
        {{Path("missing.mdb"), Path("new1.dat")}, "no such Jet file"},
        {{Path("notes.txt"), Path("new2.dat")}, "not a Jet database file"},
        {{jet, Path("no/such/folder/new.dat")}, "no such folder"},
        {{Path("damaged.mdb"), Path("new6.dat")}, "the Jet file is damaged"},
        {{jet}, "wrong number of arguments"},
        {{jet, Path("new3.dat"), Path("new4.dat")}, "wrong number of arguments"},
        // No file name: nothing is converted into the working folder.
        {{jet, ""}, "needs a file name"},
        {{jet, dir.path().toStdString()}, "needs a file name"},
        {{jet, Path("sub/")}, "needs a file name"},
        // A line break in an argument is shown escaped: the message stays one line.
        {{Path("missing\nsecond line.mdb"), Path("new5.dat")}, "missing\\nsecond line.mdb"},
    };
    const auto entries = [&] {
        QStringList names = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        names.removeAll(QStringLiteral("stderr.txt"));
        return names;
    };
    const QStringList before = entries();
    for (const auto& c : cases) {
        const CliResult r = ImportJet(c.args, dir);
        EXPECT_EQ(r.status, 2) << c.says;
        EXPECT_EQ(r.out, "") << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
    EXPECT_EQ(entries(), before);
    QFile check(QString::fromStdString(Path("taken.dat")));
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "mine");
    for (const char* name : {"new1.dat", "new2.dat", "new3.dat", "new4.dat", "new6.dat"})
        EXPECT_FALSE(QFile::exists(QString::fromStdString(Path(name)))) << name;
}

} // namespace
} // namespace qj
