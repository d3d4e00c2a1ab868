// Reading Jet files: files written by the test generator (checked against mdbtools' own
// mdb-export) and, where the folder is there, the public Jet test files of ../shared/testdata/jet
// (not part of the program; those tests skip without it).
#include "store/jet/JetFile.h"
#include "store/jet/JetSamples.h"
#include "store/jet/JetText.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace qj {
namespace {

using test::JetFileWriter;
using test::SampleTable;

QString PublicJetFolder() {
    return QStringLiteral(QJ_SOURCE_DIR "/../shared/testdata/jet");
}

// mdb-export's form of a value: NULL (also for an empty text, which it does not tell from NULL),
// the integer, or the text with CR, LF, tab and backslash escaped.
QString Exported(const JetFileWriter::Cell& c, JetFileWriter::Type type) {
    if (c.null || (type == JetFileWriter::Type::Memo && c.text.isEmpty()))
        return QStringLiteral("NULL");
    if (type == JetFileWriter::Type::Text || type == JetFileWriter::Type::Memo) {
        QString t = c.text;
        t.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\r'), QLatin1String("\\r"));
        t.replace(QLatin1Char('\n'), QLatin1String("\\n")).replace(QLatin1Char('\t'), QLatin1String("\\t"));
        return t;
    }
    return QString::number(c.integer);
}

class JetFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Write(const std::vector<SampleTable>& tables, bool compress = false) {
        const QString path = dir.filePath(QStringLiteral("dataly%1.dat").arg(compress ? "c" : ""));
        test::WriteJetFile(path, tables, compress);
        return path;
    }
    QTemporaryDir dir;
};

// The generator is checked against mdbtools' own reader: mdb-export must read back exactly what
// was written (dates aside, which mdb-export shows in its own format).
TEST_F(JetFileTest, GeneratorIsReadBackByMdbExportExactly) {
    const QString mdbExport = QStandardPaths::findExecutable(QStringLiteral("mdb-export"));
    if (mdbExport.isEmpty())
        GTEST_SKIP() << "mdb-export (package mdbtools) is not installed";
    for (const bool compress : {false, true}) {
        const auto tables = test::SampleNotebook();
        const QString path = Write(tables, compress);
        for (const SampleTable& t : tables) {
            QProcess p;
            p.start(mdbExport, {"-H", "-e", "-Q", "-d", "\t", "-0", "NULL", path, t.name});
            ASSERT_TRUE(p.waitForFinished(30000));
            ASSERT_EQ(p.exitCode(), 0) << t.name.toStdString();
            QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
            ASSERT_EQ(lines.takeLast(), QString());
            ASSERT_EQ(lines.size(), static_cast<int>(t.rows.size())) << t.name.toStdString();
            for (size_t r = 0; r < t.rows.size(); ++r) {
                const QStringList fields = lines[static_cast<int>(r)].split(QLatin1Char('\t'));
                ASSERT_EQ(fields.size(), static_cast<int>(t.columns.size()));
                for (size_t c = 0; c < t.columns.size(); ++c) {
                    if (t.columns[c].type == JetFileWriter::Type::DateTime)
                        continue;
                    EXPECT_EQ(fields[static_cast<int>(c)], Exported(t.rows[r][c], t.columns[c].type))
                        << t.name.toStdString() << " row " << r << " column " << c << " compressed "
                        << compress;
                }
            }
        }
    }
}

TEST_F(JetFileTest, ReadsTablesColumnsAndRowsAsStored) {
    for (const bool compress : {false, true}) {
        const auto tables = test::SampleNotebook();
        JetFile jet(Write(tables, compress));
        EXPECT_EQ(jet.version(), 4);
        ASSERT_EQ(jet.tables().size(),
                  static_cast<int>(tables.size())); // the catalog's own table is left out
        for (size_t t = 0; t < tables.size(); ++t) {
            const SampleTable& want = tables[t];
            EXPECT_EQ(jet.tables()[static_cast<int>(t)], want.name);
            const auto columns = jet.Columns(static_cast<int>(t));
            ASSERT_EQ(columns.size(), want.columns.size());
            for (size_t c = 0; c < columns.size(); ++c) {
                EXPECT_EQ(columns[c].name, want.columns[c].name);
                const JetColumnKind kind = [&] {
                    switch (want.columns[c].type) {
                    case JetFileWriter::Type::Long:
                    case JetFileWriter::Type::Integer:
                        return JetColumnKind::Integer;
                    case JetFileWriter::Type::Text:
                        return JetColumnKind::Text;
                    case JetFileWriter::Type::Memo:
                        return JetColumnKind::Memo;
                    default:
                        return JetColumnKind::Other;
                    }
                }();
                EXPECT_EQ(columns[c].kind, kind);
            }
            size_t r = 0;
            jet.ReadRows(static_cast<int>(t), [&](const JetRow& row) {
                ASSERT_LT(r, want.rows.size());
                for (size_t c = 0; c < row.size(); ++c) {
                    const auto& cell = want.rows[r][c];
                    if (columns[c].kind == JetColumnKind::Other)
                        continue;
                    EXPECT_EQ(row[c].null, cell.null)
                        << want.name.toStdString() << " row " << r << " col " << c;
                    EXPECT_FALSE(row[c].damaged);
                    if (columns[c].kind == JetColumnKind::Integer)
                        EXPECT_EQ(row[c].integer, cell.null ? 0 : cell.integer);
                    else
                        EXPECT_EQ(row[c].text, cell.text) << want.name.toStdString() << " row " << r;
                }
                ++r;
            });
            EXPECT_EQ(r, want.rows.size()) << want.name.toStdString();
        }
    }
}

TEST_F(JetFileTest, SmallIntegersAndNegativeValuesKeepTheirSign) {
    JetFile jet(Write({{"Nums",
                        {{"A", JetFileWriter::Type::Integer}, {"B", JetFileWriter::Type::Long}},
                        {{JetFileWriter::Cell::Int(-32768), JetFileWriter::Cell::Int(-2147483648LL)},
                         {JetFileWriter::Cell::Int(32767), JetFileWriter::Cell::Int(2147483647)}}}}));
    std::vector<std::pair<std::int64_t, std::int64_t>> got;
    jet.ReadRows(0, [&](const JetRow& row) { got.emplace_back(row[0].integer, row[1].integer); });
    const std::vector<std::pair<std::int64_t, std::int64_t>> want{{-32768, -2147483648LL},
                                                                  {32767, 2147483647}};
    EXPECT_EQ(got, want);
}

TEST_F(JetFileTest, RefusesWhatIsNoJetFile) {
    const QString sqlite = dir.filePath("sqlite.dat");
    {
        QFile f(sqlite);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\0'));
    }
    const QString text = dir.filePath("text.txt");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Standard Jet DB but not at the right place\n");
    }
    const QString headerOnly = dir.filePath("header.mdb");
    {
        // A Jet signature with nothing behind it: no catalog to read.
        QFile f(headerOnly);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\0\1\0\0Standard Jet DB\0\1\0\0\0", 24) + QByteArray(4072, '\0'));
    }
    const QString empty = dir.filePath("empty.mdb");
    QFile(empty).open(QIODevice::WriteOnly);
    for (const QString& path : {dir.filePath("missing.mdb"), empty, sqlite, text, headerOnly}) {
        EXPECT_THROW(JetFile{path}, JetError) << path.toStdString();
        EXPECT_EQ(HasJetSignature(path), path == headerOnly) << path.toStdString();
    }
}

TEST(JetText, DecodesJet4PlainAndCompressedTexts) {
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {QByteArray(), QString()},
        {QByteArray("\x66\x5B\x60\x4E", 4), QStringLiteral("学习")},
        {QByteArray("a\0b\0", 4), QStringLiteral("ab")},
        {QByteArray("\xFF\xFEHello", 7), QStringLiteral("Hello")},
        // a zero byte switches to two bytes per character and back
        {QByteArray("\xFF\xFE"
                    "ab\0\x66\x5B\0cd",
                    10),
         QStringLiteral("ab学cd")},
        {QByteArray("\xFF\xFE"
                    "\r\n",
                    4),
         QStringLiteral("\r\n")},
        {QByteArray("\x66\x5B\x60", 3), QStringLiteral("学")}, // half a character at the end is dropped
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeJet4Text(std::string_view(c.bytes.constData(), c.bytes.size())), c.text)
            << c.bytes.toHex().toStdString();
}

TEST(JetText, DecodesJet3TextsInTheirCodePage) {
    struct Case {
        const char* bytes;
        int codePage;
        QString text;
    };
    const Case cases[] = {
        {"\xD1\xA7\xCF\xB0", 936, QStringLiteral("学习")},
        {"\xD1\xA7\xCF\xB0", 0, QStringLiteral("学习")},     // not named: GBK
        {"\xD1\xA7\xCF\xB0", 99999, QStringLiteral("学习")}, // not known: GBK
        {"Ums\xE4tze", 1252, QStringLiteral("Umsätze")},
        {"\xA6\xCA", 950, QStringLiteral("百")},      // Big5
        {"a\x81z", 1252, QStringLiteral("a\uFFFDz")}, // a byte 1252 leaves undefined
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeJet3Text(c.bytes, c.codePage), c.text) << c.bytes << " in " << c.codePage;
    EXPECT_EQ(DecodeJet3Text("\xD1\xA7\xCF\xB0"), QStringLiteral("学习"));
    EXPECT_EQ(DecodeJet3Text("Notes\r\n"), QStringLiteral("Notes\r\n"));
    EXPECT_EQ(DecodeJet3Text("\x81\x30\x81\x30"), QString(QChar(0x80))); // GB18030 where GBK has none
}

// The public test files (not part of the program): ../shared/testdata/jet beside the source tree.
TEST(PublicJetFiles, Jet4FileIsReadWithItsMemoAndTextColumns) {
    const QString path = PublicJetFolder() + "/DateTestDatabase.mdb";
    if (!QFile::exists(path))
        GTEST_SKIP() << "public Jet test files not found at " << PublicJetFolder().toStdString();
    JetFile jet(path);
    EXPECT_EQ(jet.version(), 4);
    ASSERT_EQ(jet.tables(), QStringList{"DateTest"});
    const auto columns = jet.Columns(0);
    std::vector<JetColumnKind> kinds;
    for (const auto& c : columns)
        kinds.push_back(c.kind);
    EXPECT_EQ(kinds,
              (std::vector<JetColumnKind>{JetColumnKind::Integer, JetColumnKind::Other, JetColumnKind::Other,
                                          JetColumnKind::Other, JetColumnKind::Memo, JetColumnKind::Text}));
    int rows = 0;
    jet.ReadRows(0, [&](const JetRow& row) {
        ++rows;
        EXPECT_FALSE(row[0].null);
        EXPECT_FALSE(row[4].damaged);
    });
    EXPECT_EQ(rows, 6);
}

TEST(PublicJetFiles, Jet3FileNamesAndTextsAreReadInTheCodePageOfItsHeader) {
    const QString path = PublicJetFolder() + "/nwind.mdb";
    if (!QFile::exists(path))
        GTEST_SKIP() << "public Jet test files not found at " << PublicJetFolder().toStdString();
    JetFile jet(path);
    EXPECT_EQ(jet.version(), 3);
    // The file was written on a Western system (code page 1252): "Umsätze" (ä = E4) reads as it
    // was written, not as GBK would read those bytes.
    EXPECT_TRUE(jet.tables().contains(QStringLiteral("Umsätze"))) << jet.tables().join(",").toStdString();
    EXPECT_FALSE(jet.tables().contains(DecodeJet3Text("Ums\xE4tze")));
    EXPECT_TRUE(jet.tables().contains("Employees"));
    const int employees = static_cast<int>(jet.tables().indexOf("Employees"));
    const auto columns = jet.Columns(employees);
    int notes = -1;
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name == "Notes")
            notes = static_cast<int>(i);
    ASSERT_GE(notes, 0);
    EXPECT_EQ(columns[static_cast<size_t>(notes)].kind, JetColumnKind::Memo);
    int rows = 0, texts = 0;
    jet.ReadRows(employees, [&](const JetRow& row) {
        ++rows;
        EXPECT_FALSE(row[static_cast<size_t>(notes)].damaged);
        texts += row[static_cast<size_t>(notes)].text.isEmpty() ? 0 : 1;
    });
    EXPECT_GT(rows, 0);
    EXPECT_EQ(texts, rows);
}

// Damaged files (cut short, pages zeroed, bits flipped) are read to an end: every loop is bounded
// by the file's size, and the library's own warnings never reach standard error. Each either
// reads (values of damaged places marked) or throws a JetError.
TEST(DamagedJetFiles, EndWithoutWarningsOnStandardError) {
    QTemporaryDir dir;
    const QString whole = dir.filePath("whole.mdb");
    test::WriteJetFile(whole, test::SampleNotebook());
    QFile file(whole);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    std::vector<std::pair<QString, QByteArray>> damaged;
    for (const int cut : {4096 + 512, 3 * 4096, static_cast<int>(bytes.size()) - 4096 - 7})
        damaged.emplace_back(QStringLiteral("cut at %1").arg(cut), bytes.left(cut));
    for (const int from : {2 * 4096, 3 * 4096}) {
        QByteArray zeroed = bytes;
        zeroed.replace(from, zeroed.size() - from, QByteArray(zeroed.size() - from, '\0'));
        damaged.emplace_back(QStringLiteral("zeroed from %1").arg(from), zeroed);
    }
    std::uint32_t seed = 20261210;
    for (int variant = 0; variant < 20; ++variant) {
        QByteArray flipped = bytes;
        for (int n = 0; n < 64; ++n) {
            seed = seed * 1664525U + 1013904223U;
            const auto at =
                4096 + static_cast<qsizetype>(seed % static_cast<std::uint32_t>(bytes.size() - 4096));
            flipped[at] = static_cast<char>(flipped[at] ^ (1 << (seed >> 29)));
        }
        damaged.emplace_back(QStringLiteral("flipped %1").arg(variant), flipped);
    }
    for (const auto& [what, content] : damaged) {
        const QString path = dir.filePath("damaged.mdb");
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
        out.close();
        // Standard error goes to a file for the read, and must stay empty.
        const QString errPath = dir.filePath("stderr.txt");
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        const int err = ::open(QFile::encodeName(errPath).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(err, STDERR_FILENO);
        try {
            JetFile jet(path);
            for (int t = 0; t < jet.tables().size(); ++t) {
                jet.Columns(t);
                jet.ReadRows(t, [](const JetRow&) {});
            }
        } catch (const JetError&) {
        }
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        ::close(saved);
        ::close(err);
        EXPECT_EQ(QFileInfo(errPath).size(), 0) << what.toStdString();
    }
}

} // namespace
} // namespace qj
