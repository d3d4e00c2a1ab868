// qingjian-cli notes: the notebook's data file read by scripts, run as a user would run it.
#include "store/CategoryTable.h"
#include "store/CurrentCategory.h"
#include "store/DataFile.h"
#include "store/DefaultCategory.h"
#include "store/NoteEditState.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qj {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        size_t from = 0;
        for (size_t at; (at = out.find('\n', from)) != std::string::npos; from = at + 1)
            lines.push_back(out.substr(from, at - from));
        return lines;
    }
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a shell command line; its standard output and exit status.
CliRun Shell(const std::string& command) {
    CliRun r;
    FILE* pipe = popen(("(" + command + ") 2>/dev/null </dev/null").c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        r.out.append(buffer, n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

// `prefix` goes in front of the program (an environment for it).
CliRun Cli(const std::vector<std::string>& args, const std::string& prefix = {}) {
    std::string command = prefix + Quote(QJ_CLI_PATH) + " notes";
    for (const auto& a : args)
        command += " " + Quote(a);
    return Shell(command);
}

// A page of a PDF file as poppler's pdftotext reads it, blanks and line breaks made one blank each;
// with page 0 the list of the file's fonts.
std::string PdfTool(const std::string& pdf, int page) {
    const std::string n = std::to_string(page);
    return Shell(page == 0
                     ? "pdffonts " + Quote(pdf)
                     : "pdftotext -layout -f " + n + " -l " + n + " " + Quote(pdf) + " - | tr -s ' \\n' '  '")
        .out;
}

class NotesCli : public ::testing::Test {
protected:
    void SetUp() override {
        const QString file_ = QString::fromStdString(path());
        CreateEmptyDataFile(file_);
        DataFile file(file_);
        CreateCategory(file, QStringLiteral("树"));
        CategoryTable tree(file, QStringLiteral("树"));
        // Stored order A..G: A's parent B comes later, B is its own parent, C's parent does not
        // exist, E and F are each other's parent, G repeats D's ID.
        for (const auto& [id, parent, name] : std::vector<std::tuple<int, int, const char*>>{
                 {1, 2, "A"}, {2, 2, "B"}, {3, 42, "C"}, {4, 1, "D"}, {5, 6, "E"}, {6, 5, "F"}, {4, 3, "G"}})
            tree.Append(NoteId{id}, NoteId{parent}, QString::fromUtf8(name),
                        QStringLiteral("text of ") + QString::fromUtf8(name));
        CreateCategory(file, QStringLiteral("b'50%"));
        CategoryTable other(file, QStringLiteral("b'50%"));
        other.Append(NoteId{1}, NoteId{0}, QStringLiteral("它's"), QStringLiteral("<中>\r\n第二行\r\n"));
        QStringList lines; // three pages of A4 in the note font
        for (int i = 1; i <= 130; ++i)
            lines << QStringLiteral("第%1行 line %1").arg(i);
        other.Append(NoteId{2}, NoteId{0}, QStringLiteral("长"), lines.join(QStringLiteral("\r\n")));
    }
    std::string file(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
    std::string path() const { return dir.filePath(QStringLiteral("dataly.dat")).toStdString(); }
    QByteArray hash() const {
        QFile f(QString::fromStdString(path()));
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                           : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(NotesCli, CategoriesInSelectorOrderWithTheirNoteCounts) {
    const CliRun r = Cli({"categories", path()});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.Lines(),
              (std::vector<std::string>{R"({"name":"树","notes":8})", R"({"name":"b'50%","notes":3})"}));
}

// The window's tree: pre-order, parents as the window places them (self-parented and orphaned
// records are roots, a record stored before its parent moves under it, a cycle keeps its first
// record as a root, a repeated ID is a node of its own).
TEST_F(NotesCli, TreeIsTheWindowsTree) {
    const CliRun r = Cli({"tree", path(), "树"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.Lines(), (std::vector<std::string>{
                             R"({"id":0,"parent":null,"name":"树","depth":0})",
                             R"({"id":2,"parent":null,"name":"B","depth":0})",
                             R"({"id":1,"parent":2,"name":"A","depth":1})",
                             R"({"id":4,"parent":1,"name":"D","depth":2})",
                             R"({"id":3,"parent":null,"name":"C","depth":0})",
                             R"({"id":4,"parent":3,"name":"G","depth":1})",
                             R"({"id":5,"parent":null,"name":"E","depth":0})",
                             R"({"id":6,"parent":5,"name":"F","depth":1})",
                         }));
}

// A chain of 200,000 notes, each under the one before, stored from the top down or from the
// bottom up (every record before its parent): one line a note, its depth its place in the chain.
TEST_F(NotesCli, TreeOfADeepChainGivesEveryLevel) {
    constexpr int kDepth = 200000;
    struct Case {
        const char* category;
        const char* idOfRow; // the ID of the row numbered i (0, 1, …) in stored order
    } cases[] = {{"下行", "i"}, {"上行", "%1 - i"}};
    {
        DataFile data(QString::fromStdString(path()));
        for (const Case& c : cases) {
            CreateCategory(data, QString::fromUtf8(c.category));
            data.db().Exec(QStringLiteral("DELETE FROM \"%1\"").arg(QString::fromUtf8(c.category)));
            const QString id = QString::fromUtf8(c.idOfRow).arg(kDepth - 1);
            data.db().Exec(QStringLiteral("WITH RECURSIVE r(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM r "
                                          "WHERE i < %1) INSERT INTO \"%2\" (ID, Parent, Name) SELECT %3, "
                                          "max(%3 - 1, 0), 'n' || (%3) FROM r")
                               .arg(kDepth - 1)
                               .arg(QString::fromUtf8(c.category), id));
        }
    }
    for (const Case& c : cases) {
        const CliRun r = Cli({"tree", path(), c.category});
        ASSERT_EQ(r.status, 0) << c.category;
        const auto lines = r.Lines();
        ASSERT_EQ(lines.size(), static_cast<size_t>(kDepth)) << c.category;
        for (int k : {0, 1, 2, 77777, kDepth - 1}) {
            const std::string parent = k == 0 ? "null" : std::to_string(k - 1);
            EXPECT_EQ(lines[k], "{\"id\":" + std::to_string(k) + ",\"parent\":" + parent + ",\"name\":\"n" +
                                    std::to_string(k) + "\",\"depth\":" + std::to_string(k) + "}")
                << c.category;
        }
    }
}

TEST_F(NotesCli, SearchGivesTheWindowsHitsInOrder) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> lines;
    } cases[] = {
        {{"search", path(), "TEXT OF d"}, {R"({"dir":"树","id":4,"name":"D"})"}},
        {{"search", path(), "'s", "--title"}, {R"({"dir":"b'50%","id":1,"name":"它's"})"}},
        {{"search", path(), "%"}, {}},
        {{"search", path(), "中", "--content"}, {R"({"dir":"b'50%","id":1,"name":"它's"})"}},
        {{"search", path(), "ta", "--title"}, {}},
        {{"search", "--pinyin", path(), "ta", "--title"}, {R"({"dir":"b'50%","id":1,"name":"它's"})"}},
        {{"search", path(), "d TEXT", "--words"}, {R"({"dir":"树","id":4,"name":"D"})"}},
        {{"search", path(), "d TEXT"}, {}},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args);
        ASSERT_EQ(r.status, 0) << c.args[2];
        EXPECT_EQ(r.Lines(), c.lines) << c.args[2];
    }
    EXPECT_EQ(Cli({"search", path(), ""}).Lines().size(), 11u); // every note
}

// A note's earlier texts and the 回收站, newest first; nothing before there is a history file.
TEST_F(NotesCli, HistoryAndTrashAreJsonLines) {
    EXPECT_EQ(Cli({"trash", path()}).Lines(), std::vector<std::string>{});
    {
        DataFile data(QString::fromStdString(path()));
        QDateTime now(QDate(2026, 1, 1), QTime(8, 0));
        data.setClock([&now] { return now; });
        for (const char* text : {"一稿", "二稿"}) {
            NoteEditState state;
            state.Loaded(QStringLiteral("树"), {RecordId{5}, NoteId{4}},
                         QStringLiteral("D")); // after the category's first note
            state.Changed();
            ASSERT_EQ(SaveNoteText(data, state, QString::fromUtf8(text)), SaveResult::Saved);
            now = now.addSecs(660);
        }
        CurrentCategory tree(data, QStringLiteral("树"));
        tree.Delete(tree.tree().Find(NoteId{1}));
        data.DropCategory(QStringLiteral("b'50%"));
    }
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> lines;
    } cases[] = {
        {{"history", path(), "树", "4"},
         {R"({"saved":"2026-01-01T08:11:00","title":"D","bytes":6,"text":"一稿"})",
          R"({"saved":"2026-01-01T08:00:00","title":"D","bytes":9,"text":"text of D"})"}},
        {{"history", path(), "树", "1"}, {}},
        {{"trash", path()},
         {R"({"deleted":"2026-01-01T08:22:00","kind":"category","category":"b'50%","title":"b'50%","notes":3,"bytes":2400})",
          R"({"deleted":"2026-01-01T08:22:00","kind":"notes","category":"树","title":"A","notes":2,"bytes":15})"}},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 0) << c.args[0];
        EXPECT_EQ(r.Lines(), c.lines);
    }
    EXPECT_EQ(Cli({"history", path(), "树", "x4"}).status, 2);
    EXPECT_EQ(Cli({"history", path(), "树"}).status, 2);
}

TEST_F(NotesCli, ExportWritesTheNoteAsTheWindowDoes) {
    const CliRun txt = Cli({"export", path(), "b'50%", "1", "--txt"});
    ASSERT_EQ(txt.status, 0);
    EXPECT_EQ(txt.out, "<\xD6\xD0>\r\n\xB5\xDA\xB6\xFE\xD0\xD0"); // GBK, nothing after the last line
    const CliRun html = Cli({"export", path(), "b'50%", "1", "--html"});
    ASSERT_EQ(html.status, 0);
    EXPECT_EQ(html.out, "<pre>\r\n<code><span style=\"font: 10pt Courier New;\">"
                        "<span class=\"text\">&lt;&#20013;&gt;\r\n&#31532;&#20108;&#34892;\r\n</span>"
                        "</span>\r\n</code></pre>\r\n");
}

TEST_F(NotesCli, BadInputIsOneErrorAndStatusTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"categories", dir.filePath(QStringLiteral("none.dat")).toStdString()},
        {"categories", dir.path().toStdString()},
        {"tree", path(), "没有"},
        {"tree", path(), "树", "extra"},
        {"export", path(), "树", "77"},
        {"export", path(), "树", "x1"},
        {"export", path(), "树", "77", "--pdf", file("none.pdf")},
        {"export", path(), "树", "4", "--pdf"},
        {"export", path(), "树", "4", "--html", "--pdf", file("none.pdf")},
        {"export", path(), "树", "4", "--pdf", path()},
        {"search", path(), "a", "--title", "--content"},
        {"search", path(), "a", "--name"},
        {"sideways", path()},
        {},
    };
    for (const auto& args : bad) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? std::string("(none)") : args[0]);
        EXPECT_EQ(r.out, "");
    }
    QFile notData(dir.filePath(QStringLiteral("text.dat")));
    ASSERT_TRUE(notData.open(QIODevice::WriteOnly));
    notData.write("just some text, not a notebook");
    notData.close();
    EXPECT_EQ(Cli({"categories", notData.fileName().toStdString()}).status, 2);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(file("none.pdf"))));
    // A PDF file that cannot be written is refused like any other.
    EXPECT_EQ(Cli({"export", path(), "树", "4", "--pdf", file("no/such/folder.pdf")}).status, 2);
}

// Standard error of a run, its exit status appended as the last line.
std::string ErrorOf(const std::vector<std::string>& args, const std::string& prefix = {}) {
    std::string command = prefix + " " + Quote(QJ_CLI_PATH) + " notes";
    for (const auto& a : args)
        command += " " + Quote(a);
    return Shell(command + " 2>&1 >/dev/null; echo $?").out;
}

// Every refusal is one line on standard error and status 2; a PDF that fails to be written
// anywhere (a cut write, a full disk, a failed sync) leaves the old file and nothing beside it.
TEST_F(NotesCli, RefusalsAreOneLineAndFailedPdfWritesKeepTheOldFile) {
    const std::string pdf = file("note.pdf");
    const std::string preload = std::string("LD_PRELOAD=") + QJ_FAULTS_PATH + " QJ_FAULT=";
    const std::string folder = file("dataly.dat.folder/dataly.dat");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    const struct {
        std::vector<std::string> args;
        std::string prefix;
        const char* said;
    } cases[] = {
        {{"export", path(), "b'50%", "2", "--pdf", pdf}, preload + "write:note.pdf:ENOSPC:0", "磁盘可能已满"},
        {{"export", path(), "b'50%", "2", "--pdf", pdf},
         preload + "write:note.pdf:ENOSPC:9000",
         "磁盘可能已满"},
        {{"export", path(), "b'50%", "2", "--pdf", pdf}, preload + "fsync:note.pdf:EIO", "I/O 错误"},
        {{"categories", folder}, "", "是一个文件夹"},
        {{"tree", path(), "树\n第二行"}, "", "树\\n第二行"},
    };
    // Each case over an old file and where there was none.
    for (const bool hadOld : {true, false}) {
        for (const auto& c : cases) {
            QFile old(QString::fromStdString(pdf));
            old.remove();
            if (hadOld) {
                ASSERT_TRUE(old.open(QIODevice::WriteOnly));
                old.write("old");
                old.close();
            }
            const std::string err = ErrorOf(c.args, c.prefix);
            EXPECT_NE(err.find(c.said), std::string::npos) << err;
            EXPECT_EQ(err.substr(err.find('\n')), "\n2\n") << err;
            if (hadOld) {
                ASSERT_TRUE(old.open(QIODevice::ReadOnly));
                EXPECT_EQ(old.readAll(), "old") << err;
            } else {
                EXPECT_FALSE(old.exists()) << err;
            }
            EXPECT_FALSE(QDir(dir.path()).entryList(QDir::Files).join(" ").contains(".part")) << err;
        }
    }
    // Without a fault the same export replaces the file.
    EXPECT_EQ(ErrorOf({"export", path(), "b'50%", "2", "--pdf", pdf}), "0\n");
    EXPECT_EQ(Shell("head -c 5 " + Quote(pdf)).out, "%PDF-");
}

// A data file only another user may read is named as such.
TEST_F(NotesCli, ADataFileOfAnotherUserIsNamedAsSuch) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as a second user";
    QTemporaryDir shared;
    ASSERT_EQ(chmod(QFile::encodeName(shared.path()).constData(), 0755), 0);
    const std::string theirs = shared.filePath(QStringLiteral("dataly.dat")).toStdString();
    ASSERT_TRUE(QFile::copy(QString::fromStdString(path()), QString::fromStdString(theirs)));
    ASSERT_EQ(chmod(theirs.c_str(), 0600), 0);
    const std::string asNobody = "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
    const std::string err = ErrorOf({"categories", theirs}, asNobody);
    EXPECT_NE(err.find("没有读取数据文件"), std::string::npos) << err;
    EXPECT_EQ(err.substr(err.find('\n')), "\n2\n") << err;
}

// Every argument must be UTF-8 text (it reaches the queries and the JSON output as it is): one
// that is not is bad input, also where any text would do. GBK bytes that happen to be valid UTF-8
// are that UTF-8 text.
TEST_F(NotesCli, ArgumentsThatAreNotUtf8AreRefused) {
    // A copy of the data file named "中.dat" in GBK, removed here (Qt cannot read that name).
    const std::string gbkNamed = dir.path().toStdString() + "/\xD6\xD0.dat";
    ASSERT_TRUE(std::filesystem::copy_file(path(), gbkNamed));
    const struct RemovedAfterwards {
        std::string path;
        ~RemovedAfterwards() { std::filesystem::remove(path); }
    } removed{gbkNamed};
    const std::string err = file("err.txt");
    struct Case {
        std::vector<std::string> args;
        int status;
        size_t hits;
    } cases[] = {
        {{"search", path(), "中"}, 0, 1},
        {{"search", path(), "\xD1\xA7\xCF\xB0"}, 0, 0}, // "学习" in GBK, read as UTF-8 "ѧϰ"
        {{"search", path(), "\xD6\xD0"}, 2, 0},         // "中" in GBK
        {{"search", path(), "text of \xFF"}, 2, 0},
        {{"search", path(), "\xED\xA0\x80"}, 2, 0}, // a UTF-16 surrogate written as UTF-8
        {{"categories", gbkNamed}, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        std::string command = Quote(QJ_CLI_PATH) + " notes";
        for (const auto& a : c.args)
            command += " " + Quote(a);
        const CliRun r = Shell(command + " 2>" + Quote(err));
        QFile errFile(QString::fromStdString(err));
        ASSERT_TRUE(errFile.open(QIODevice::ReadOnly));
        const QByteArray said = errFile.readAll();
        EXPECT_EQ(r.status, c.status) << said.toStdString();
        EXPECT_EQ(r.Lines().size(), c.hits);
        if (c.status == 2) {
            EXPECT_EQ(said.count('\n'), 1) << said.toStdString();
            EXPECT_TRUE(said.endsWith(" is not UTF-8 text\n")) << said.toStdString();
        }
    }
}

TEST_F(NotesCli, TablesOfAnotherShapeAreBadInputAndTheFileIsUntouched) {
    {
        DataFile data(QString::fromStdString(path()));
        data.db().Exec(QStringLiteral("CREATE TABLE \"无父\" (ID INTEGER, Name TEXT, Info TEXT)"));
        data.db().Exec(
            QStringLiteral("CREATE TABLE \"行号\" (ID INTEGER PRIMARY KEY, Parent INTEGER, Name TEXT, "
                           "Info TEXT) WITHOUT ROWID"));
        data.db().Exec(QStringLiteral("INSERT INTO \"行号\" VALUES (1, 0, 'a', 'x')"));
        data.db().Exec(QStringLiteral("CREATE VIEW \"视图\" AS SELECT * FROM \"树\""));
    }
    const QByteArray before = hash();
    for (const char* category : {"无父", "行号", "视图"}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"tree", path(), category},
              std::vector<std::string>{"export", path(), category, "1"}}) {
            const CliRun r = Cli(args);
            EXPECT_EQ(r.status, 2) << category << " " << args[0];
            EXPECT_EQ(r.out, "");
            // Standard error alone: one line naming the cause.
            std::string command = Quote(QJ_CLI_PATH) + " notes";
            for (const auto& a : args)
                command += " " + Quote(a);
            const std::string err = Shell(command + " 2>&1 >/dev/null").out;
            EXPECT_NE(err.find("无法显示"), std::string::npos) << err;
            EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
        }
    }
    EXPECT_EQ(hash(), before);
}

// Printed as the window's "导出到 .pdf" prints, without a display: the program's caption and version
// in the header of every page, "n/N" in every footer, the note's text.
TEST_F(NotesCli, PdfExportPrintsTheNoteWithHeaderAndPageFooters) {
    const CliRun r = Cli({"export", path(), "b'50%", "2", "--pdf", file("long.pdf")},
                         "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.Lines(), std::vector<std::string>{R"({"pdf":")" + file("long.pdf") + R"(","pages":3})"});
    for (int page = 1; page <= 3; ++page) {
        const std::string text = PdfTool(file("long.pdf"), page);
        EXPECT_NE(text.find("青简札记 版本: V1.2.12.41"), std::string::npos) << text;
        EXPECT_NE(text.find(" " + std::to_string(page) + "/3"), std::string::npos) << text;
    }
    EXPECT_NE(PdfTool(file("long.pdf"), 1).find("第1行 line 1 "), std::string::npos);
    EXPECT_NE(PdfTool(file("long.pdf"), 3).find("第130行 line 130"), std::string::npos);
}

// The note font of the settings file beside the data file, as the window shows it; the default
// Song face without one.
TEST_F(NotesCli, PdfExportUsesTheWindowsNoteFont) {
    ASSERT_EQ(Cli({"export", path(), "b'50%", "1", "--pdf", file("song.pdf")}).status, 0);
    EXPECT_NE(PdfTool(file("song.pdf"), 0).find("Bousung"), std::string::npos);
    QFile settings(dir.filePath(QStringLiteral("Jotterly.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Font]\r\nName=\xBA\xDA\xCC\xE5\r\nSize=14\r\n"); // 黑体 in GBK
    settings.close();
    ASSERT_EQ(Cli({"export", path(), "b'50%", "1", "--pdf", file("hei.pdf")}).status, 0);
    EXPECT_NE(PdfTool(file("hei.pdf"), 0).find("WenQuanYi"), std::string::npos);
}

// The options dialog's tab width and the text colour of the settings file print as the window
// prints them.
TEST_F(NotesCli, PdfExportUsesTheStoredTabWidthAndTextColour) {
    {
        DataFile data(QString::fromStdString(path()));
        CategoryTable(data, QStringLiteral("树"))
            .Append(NoteId{9}, NoteId{0}, QStringLiteral("tab"), QStringLiteral("x\tyz"));
    }
    // Where "yz" starts on the page (pdftotext's word box), in points.
    const auto yzAt = [&](const char* pdf) {
        EXPECT_EQ(Cli({"export", path(), "树", "9", "--pdf", file(pdf)}).status, 0);
        const std::string boxes = Shell("pdftotext -bbox " + Quote(file(pdf)) + " - | grep '>yz<'").out;
        const size_t at = boxes.find("xMin=\"");
        return at == std::string::npos ? -1.0 : std::stod(boxes.substr(at + 6));
    };
    const double four = yzAt("tab4.pdf");
    QFile settings(dir.filePath(QStringLiteral("Jotterly.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Font]\r\nColor=255\r\n[EditorOptions]\r\nTabWidth=12\r\n"); // red text
    settings.close();
    const double twelve = yzAt("tab12.pdf");
    ASSERT_GT(four, 0);
    EXPECT_GT(twelve - four, 30.0); // eight more blanks of a 12-point face
    // Reddish pixels on the rendered first page: the text colour reached the paper.
    const auto redPixels = [&](const char* pdf) {
        return std::stoi("0" + Shell("pdftoppm -r 100 -f 1 -l 1 " + Quote(file(pdf)) +
                                     " | convert ppm:- -format %c histogram:info:-"
                                     " | awk -F'[(,)]' '$2 > $3 + 100 {n += $1} END {print n + 0}'")
                                   .out);
    };
    EXPECT_EQ(redPixels("tab4.pdf"), 0);
    EXPECT_GT(redPixels("tab12.pdf"), 20);
}

// Reading never changes the file, also while the program holds it open.
TEST_F(NotesCli, TheFileStaysByteForByteTheSame) {
    const QByteArray before = hash();
    DataFile open(QString::fromStdString(path()));
    open.Categories();
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"categories", path()},
                                               {"tree", path(), "树"},
                                               {"search", path(), "text"},
                                               {"export", path(), "树", "4", "--html"},
                                               {"export", path(), "树", "4", "--pdf", file("4.pdf")}}) {
        EXPECT_EQ(Cli(args).status, 0) << args[0];
        EXPECT_EQ(hash(), before) << args[0];
    }
}

} // namespace
} // namespace qj
