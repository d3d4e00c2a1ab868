// Converting a Jet data file into a new data file of ours, on Jet files written by the test
// generator, compared record by record with what the generator wrote.
#include "store/jet/JetImport.h"

#include "store/DataFile.h"
#include "store/Sqlite.h"
#include "store/jet/JetFile.h"
#include "store/jet/JetSamples.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace qj {
namespace {

using test::JetFileWriter;
using test::SampleTable;
using Cell = JetFileWriter::Cell;

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A record as our file holds it.
struct Record {
    bool idNull, parentNull, infoNull;
    qint64 id, parent;
    QString name, info;
    friend bool operator==(const Record&, const Record&) = default;
};

std::vector<Record> RecordsOf(DataFile& file, const QString& category) {
    std::vector<Record> out;
    Statement st(file.db(),
                 QStringLiteral("SELECT ID IS NULL, Parent IS NULL, Info IS NULL, ID, Parent, Name, Info "
                                "FROM %1 ORDER BY rowid")
                     .arg(QuoteIdentifier(category)));
    while (st.Step())
        out.push_back({st.Int(0) != 0, st.Int(1) != 0, st.Int(2) != 0, st.Int64(3), st.Int64(4), st.Text(5),
                       st.Text(6)});
    return out;
}

std::vector<Record> RecordsOf(const SampleTable& t) {
    std::vector<Record> out;
    for (const auto& r : t.rows)
        // An empty text is stored as NULL.
        out.push_back({r[0].null, r[1].null, r[3].null || r[3].text.isEmpty(), r[0].null ? 0 : r[0].integer,
                       r[1].null ? 0 : r[1].integer, r[2].text, r[3].text});
    return out;
}

std::vector<JetFileWriter::Row> Titles(const std::vector<std::pair<int, QString>>& rows) {
    std::vector<JetFileWriter::Row> out;
    for (const auto& [id, title] : rows)
        out.push_back(
            {Cell::Int(id), Cell::Int(id), title.isNull() ? Cell::Null() : Cell::Str(title), Cell::Null()});
    return out;
}

class JetImportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QString WriteJet(const std::vector<SampleTable>& tables, const char* name = "old.mdb",
                     bool compress = false) {
        test::WriteJetFile(Path(name), tables, compress);
        return Path(name);
    }
    QTemporaryDir dir;
};

TEST_F(JetImportTest, EveryCategoryIsConvertedRecordByRecord) {
    const auto tables = test::SampleNotebook();
    const QString jet = WriteJet(tables);
    const QByteArray before = Bytes(jet);
    const JetImportReport report = ConvertJetFile(jet, Path("dataly.dat"));
    EXPECT_EQ(Bytes(jet), before); // the Jet file is only read

    EXPECT_EQ(report.version, 4);
    ASSERT_EQ(report.tables.size(), tables.size());
    DataFile file(Path("dataly.dat"));
    QStringList categories;
    int notes = 0;
    for (size_t t = 0; t < tables.size(); ++t) {
        const JetTableOutcome& out = report.tables[t];
        EXPECT_EQ(out.name, tables[t].name);
        EXPECT_EQ(out.rows, static_cast<int>(tables[t].rows.size()));
        EXPECT_TRUE(out.refused.empty()) << out.name.toStdString();
        EXPECT_EQ(out.skipped, !tables[t].category) << out.name.toStdString();
        if (!tables[t].category) {
            EXPECT_EQ(out.notes, 0);
            EXPECT_TRUE(out.why.contains("不是目录分类表")) << out.why.toStdString();
            EXPECT_TRUE(out.why.contains("姓名、生日、编号")) << out.why.toStdString();
            continue;
        }
        categories.append(tables[t].name);
        EXPECT_EQ(out.notes, out.rows);
        notes += out.notes;
        EXPECT_EQ(RecordsOf(file, tables[t].name), RecordsOf(tables[t])) << tables[t].name.toStdString();
    }
    EXPECT_EQ(file.Categories(), categories);
    EXPECT_EQ(report.Categories(), categories.size());
    EXPECT_EQ(report.SkippedTables(), 1);
    EXPECT_EQ(report.Notes(), notes);
    EXPECT_FALSE(QFile::exists(ConversionTempPath(Path("dataly.dat"))));
}

TEST_F(JetImportTest, ConvertingTwiceGivesTheSameBytes) {
    const QString jet = WriteJet(test::SampleNotebook());
    ConvertJetFile(jet, Path("a.dat"));
    ConvertJetFile(jet, Path("b.dat"));
    const QByteArray a = Bytes(Path("a.dat"));
    EXPECT_FALSE(a.isEmpty());
    EXPECT_EQ(a, Bytes(Path("b.dat")));
    // The same notebook stored with compressed texts converts to the same file.
    ConvertJetFile(WriteJet(test::SampleNotebook(), "compressed.mdb", true), Path("c.dat"));
    EXPECT_EQ(a, Bytes(Path("c.dat")));
}

TEST_F(JetImportTest, NeverReplacesAFileThatIsThere) {
    const QString jet = WriteJet(test::SampleNotebook());
    for (const char* name : {"dataly.dat", "old.mdb"}) {
        const QString target = Path(name);
        if (!QFile::exists(target)) {
            QFile f(target);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("mine");
        }
        const QByteArray before = Bytes(target);
        EXPECT_THROW(ConvertJetFile(jet, target), TargetExists) << name;
        EXPECT_EQ(Bytes(target), before);
        EXPECT_FALSE(QFile::exists(ConversionTempPath(target)));
    }
}

TEST_F(JetImportTest, TitlesOurTableRefusesAreReportedWithTableAndId) {
    const QString fifty(50, QChar(0x5B57)), fiftyOne(51, QChar(0x5B57));
    // A surrogate pair counts as one character: 49 + one pair is 50.
    const QString fiftyWithPair = QString(49, QChar('a')) + QString::fromUcs4(U"\U00020000", 1);
    const QString jet = WriteJet(
        {{"长标题", JetFileWriter::CategoryColumns(255),
          Titles({{1, fifty}, {2, fiftyOne}, {3, QString()}, {4, fiftyWithPair}, {5, fiftyOne + "b"}})}});
    const JetImportReport report = ConvertJetFile(jet, Path("dataly.dat"));
    ASSERT_EQ(report.tables.size(), 1u);
    const JetTableOutcome& out = report.tables[0];
    EXPECT_EQ(out.rows, 5);
    EXPECT_EQ(out.notes, 2);
    ASSERT_EQ(out.refused.size(), 3u);
    EXPECT_EQ(out.refused[0].id, 2);
    EXPECT_TRUE(out.refused[0].why.contains("51 个字符")) << out.refused[0].why.toStdString();
    EXPECT_TRUE(out.refused[0].why.contains(fiftyOne)); // said in full, not cut
    EXPECT_EQ(out.refused[1].id, 3);
    EXPECT_EQ(out.refused[1].why, "标题为空");
    EXPECT_EQ(out.refused[2].id, 5);
    DataFile file(Path("dataly.dat"));
    const auto records = RecordsOf(file, "长标题");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].name, fifty);
    EXPECT_EQ(records[1].name, fiftyWithPair);
}

// A title stored as a compressed text of no characters is present but empty: refused like NULL.
TEST_F(JetImportTest, AnEmptyTitleIsRefusedLikeNoTitle) {
    const QString jet = WriteJet({{"空标题", JetFileWriter::CategoryColumns(), Titles({{1, "有"}, {2, ""}})}},
                                 "empty.mdb", true);
    const JetImportReport report = ConvertJetFile(jet, Path("dataly.dat"));
    ASSERT_EQ(report.tables[0].refused.size(), 1u);
    EXPECT_EQ(report.tables[0].refused[0].id, 2);
    EXPECT_EQ(report.tables[0].refused[0].why, "标题为空");
    EXPECT_EQ(report.tables[0].notes, 1);
}

TEST_F(JetImportTest, CategoryNamesOurFileCannotTakeAreSkippedNotRenamed) {
    const auto one = Titles({{0, "x"}});
    const QString jet = WriteJet({{"Notes", JetFileWriter::CategoryColumns(), one},
                                  {"notes", JetFileWriter::CategoryColumns(), one},
                                  {"sqlite_stat", JetFileWriter::CategoryColumns(), one},
                                  {QString(51, QChar('n')), JetFileWriter::CategoryColumns(), one},
                                  {QString(50, QChar('n')), JetFileWriter::CategoryColumns(), one}});
    const JetImportReport report = ConvertJetFile(jet, Path("dataly.dat"));
    ASSERT_EQ(report.tables.size(), 5u);
    const std::vector<bool> skipped{false, true, true, true, false};
    for (size_t i = 0; i < skipped.size(); ++i) {
        EXPECT_EQ(report.tables[i].skipped, skipped[i]) << i;
        EXPECT_EQ(report.tables[i].rows, 1);
        EXPECT_EQ(report.tables[i].notes, skipped[i] ? 0 : 1);
    }
    EXPECT_TRUE(report.tables[1].why.contains("只有字母大小写不同")) << report.tables[1].why.toStdString();
    EXPECT_TRUE(report.tables[1].why.contains("Notes"));
    DataFile file(Path("dataly.dat"));
    EXPECT_EQ(file.Categories(), (QStringList{"Notes", QString(50, QChar('n'))}));
}

TEST_F(JetImportTest, OnlyTablesOfTheFourColumnsAreCategories) {
    using T = JetFileWriter::Type;
    const struct {
        const char* name;
        std::vector<JetFileWriter::Column> columns;
        bool category;
        const char* why; // part of the reason
    } cases[] = {
        {"lower", {{"id", T::Long}, {"PARENT", T::Long}, {"name", T::Text}, {"INFO", T::Memo}}, true, ""},
        {"reordered", {{"Name", T::Text}, {"Info", T::Memo}, {"ID", T::Long}, {"Parent", T::Long}}, true, ""},
        {"text info",
         {{"ID", T::Long}, {"Parent", T::Long}, {"Name", T::Text}, {"Info", T::Text, 255}},
         true,
         ""},
        {"short ints",
         {{"ID", T::Integer}, {"Parent", T::Integer}, {"Name", T::Text}, {"Info", T::Memo}},
         true,
         ""},
        {"three", {{"ID", T::Long}, {"Parent", T::Long}, {"Name", T::Text}}, false, "ID、Parent、Name"},
        {"five",
         {{"ID", T::Long}, {"Parent", T::Long}, {"Name", T::Text}, {"Info", T::Memo}, {"Extra", T::Long}},
         false,
         "Extra"},
        {"name long",
         {{"ID", T::Long}, {"Parent", T::Long}, {"Name", T::Long}, {"Info", T::Memo}},
         false,
         "列 Name 不是文本列"},
        {"id text",
         {{"ID", T::Text}, {"Parent", T::Long}, {"Name", T::Text}, {"Info", T::Memo}},
         false,
         "列 ID 不是整数列"},
        {"info date",
         {{"ID", T::Long}, {"Parent", T::Long}, {"Name", T::Text}, {"Info", T::DateTime}},
         false,
         "列 Info 不是备注或文本列"},
        {"twice",
         {{"ID", T::Long}, {"id", T::Long}, {"Name", T::Text}, {"Info", T::Memo}},
         false,
         "不是目录分类表"},
    };
    std::vector<SampleTable> tables;
    for (const auto& c : cases) {
        JetFileWriter::Row row;
        for (const auto& col : c.columns)
            row.push_back(col.type == T::Text || col.type == T::Memo ? Cell::Str("t") : Cell::Int(1));
        tables.push_back({c.name, c.columns, {row}});
    }
    const JetImportReport report = ConvertJetFile(WriteJet(tables), Path("dataly.dat"));
    ASSERT_EQ(report.tables.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(report.tables[i].skipped, !cases[i].category) << cases[i].name;
        EXPECT_TRUE(report.tables[i].why.contains(QString::fromUtf8(cases[i].why)))
            << cases[i].name << ": " << report.tables[i].why.toStdString();
        EXPECT_EQ(report.tables[i].notes, cases[i].category ? 1 : 0) << cases[i].name;
    }
}

TEST_F(JetImportTest, AFailureHalfWayLeavesNoDataFile) {
    const QString jet = WriteJet(test::SampleNotebook());
    const QString target = Path("dataly.dat");
    int calls = 0;
    EXPECT_THROW(ConvertJetFile(jet, target,
                                [&](int, const QString&, int) {
                                    if (++calls == 2)
                                        throw StoreError(std::string("disk full"));
                                }),
                 StoreError);
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_FALSE(QFile::exists(ConversionTempPath(target)));
    EXPECT_FALSE(QFile::exists(ConversionTempPath(target) + "-journal"));
}

// A conversion killed in the middle (the process ends at once, as on a power cut or kill -9).
TEST_F(JetImportTest, AConversionKilledMidwayLeavesTheOriginalAndNoDataFile) {
    const QString jet = WriteJet(test::SampleNotebook());
    const QByteArray original = Bytes(jet);
    const QString target = Path("dataly.dat");
    // Killed after the first category is committed, and inside the transaction of the category of
    // 300 records (told of every hundred).
    for (const int killAt : {1, 5}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int calls = 0;
            try {
                ConvertJetFile(jet, target, [&](int, const QString&, int) {
                    if (++calls == killAt)
                        ::raise(SIGKILL);
                });
            } catch (...) {
            }
            ::_exit(0); // not reached when killed
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), SIGKILL);
        EXPECT_EQ(Bytes(jet), original);
        EXPECT_FALSE(QFile::exists(target));
        EXPECT_TRUE(QFile::exists(ConversionTempPath(target))); // it really was killed half-way
        // A category is written whole or not at all: the one being written when the process was
        // killed is not in the temporary file.
        DataFile partial(ConversionTempPath(target));
        EXPECT_EQ(partial.Categories(), killAt == 1 ? QStringList{"帮助"} : (QStringList{"帮助", "日记", "空分类"}));
    }
    // The next conversion starts afresh and leaves nothing behind.
    const JetImportReport report = ConvertJetFile(jet, target);
    EXPECT_EQ(report.Categories(), 4);
    EXPECT_FALSE(QFile::exists(ConversionTempPath(target)));
    EXPECT_FALSE(QFile::exists(ConversionTempPath(target) + "-journal"));
    DataFile file(target);
    EXPECT_EQ(file.Categories().size(), 4);
}

// A long text whose chain of pages breaks off is not written cut short: its record is left out
// and said.
TEST_F(JetImportTest, ALongTextThatCannotBeReadWholeIsReported) {
    const QString jet = WriteJet(test::SampleNotebook());
    QFile f(jet);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    // The first long-value page: its one row starts with the pointer to the next page.
    int page = -1;
    for (int p = 0; p * 4096 < bytes.size() && page < 0; ++p)
        if (bytes.mid(p * 4096 + 4, 4) == "LVAL")
            page = p;
    ASSERT_GE(page, 0);
    const int row = static_cast<unsigned char>(bytes[page * 4096 + 14]) |
                    static_cast<unsigned char>(bytes[page * 4096 + 15]) << 8;
    bytes.replace(page * 4096 + row, 4, QByteArray(4, '\0'));
    f.seek(0);
    f.write(bytes);
    f.close();
    const JetImportReport report = ConvertJetFile(jet, Path("dataly.dat"));
    const JetTableOutcome& diary = report.tables[1];
    ASSERT_EQ(diary.refused.size(), 1u);
    EXPECT_EQ(diary.refused[0].id, -7);
    EXPECT_TRUE(diary.refused[0].why.startsWith("正文读不完整")) << diary.refused[0].why.toStdString();
    EXPECT_EQ(diary.notes, diary.rows - 1);
}

TEST_F(JetImportTest, AnExistingTargetIsRefusedBeforeTheJetFileIsRead) {
    QFile mine(Path("dataly.dat"));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("mine");
    mine.close();
    EXPECT_THROW(ConvertJetFile(Path("missing.mdb"), Path("dataly.dat")), TargetExists);
}

TEST_F(JetImportTest, WhatIsNoJetFileIsRefusedBeforeAnythingIsWritten) {
    QFile f(Path("notes.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("just text");
    f.close();
    EXPECT_THROW(ConvertJetFile(Path("notes.txt"), Path("dataly.dat")), JetError);
    EXPECT_THROW(ConvertJetFile(Path("missing.mdb"), Path("dataly.dat")), JetError);
    EXPECT_FALSE(QFile::exists(Path("dataly.dat")));
    EXPECT_FALSE(QFile::exists(ConversionTempPath(Path("dataly.dat"))));
}

// The public test files (not part of the program, ../shared/testdata/jet): they hold no category
// table, so every table is skipped with its reason and the new file holds no category.
TEST_F(JetImportTest, PublicFilesHoldNoCategoryAndEveryTableIsSkipped) {
    const QString folder = QStringLiteral(QJ_SOURCE_DIR "/../shared/testdata/jet");
    if (!QFile::exists(folder))
        GTEST_SKIP() << "public Jet test files not found at " << folder.toStdString();
    for (const char* name : {"DateTestDatabase.mdb", "nwind.mdb"}) {
        const QString target = dir.filePath(QString::fromUtf8(name) + ".dat");
        const JetImportReport report = ConvertJetFile(folder + "/" + name, target);
        EXPECT_FALSE(report.tables.empty());
        EXPECT_EQ(report.Categories(), 0) << name;
        for (const auto& t : report.tables) {
            EXPECT_TRUE(t.skipped);
            EXPECT_TRUE(t.why.startsWith("不是目录分类表")) << t.why.toStdString();
        }
        DataFile file(target);
        EXPECT_TRUE(file.Categories().isEmpty());
    }
}

} // namespace
} // namespace qj
