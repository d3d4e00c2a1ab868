// The recovery journal's file: what it keeps, what it refuses, when it is due, and its writer.

#include "store/RecoveryJournal.h"
#include "store/JournalPace.h"
#include "store/JournalWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace qj {
namespace {

JournalEntry SampleEntry(QByteArray text = "中文 text\r\n第二行") {
    JournalEntry entry;
    entry.category = QStringLiteral("日记");
    entry.rowid = 7;
    entry.id = 12;
    entry.title = QStringLiteral("十二月");
    entry.written = QDateTime::fromMSecsSinceEpoch(1'796'000'000'123);
    entry.text = std::move(text);
    return entry;
}

// The checksum the journal ends with (FNV-1a, 64 bits, little-endian) over `body`.
QByteArray Sealed(const QByteArray& body) {
    quint64 hash = 14695981039346656037ULL;
    for (const char c : body) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    QByteArray sealed = body;
    for (int i = 0; i < 8; ++i)
        sealed.append(static_cast<char>((hash >> (8 * i)) & 0xff));
    return sealed;
}

TEST(RecoveryJournal, KeepsEveryFieldOfAnEntry) {
    const QByteArray big(1 << 20, 'x');
    const JournalEntry cases[] = {SampleEntry(), SampleEntry(QByteArray()), SampleEntry(big),
                                  SampleEntry("\xF0\x9F\x98\x80 \r\n\r\n")};
    for (const JournalEntry& entry : cases) {
        const std::optional<JournalEntry> back = DecodeJournal(EncodeJournal(entry));
        ASSERT_TRUE(back) << entry.text.size();
        EXPECT_EQ(*back, entry);
    }
    JournalEntry noTime = SampleEntry();
    noTime.written = QDateTime();
    EXPECT_FALSE(DecodeJournal(EncodeJournal(noTime))->written.isValid());
}

// A cut, changed, foreign or empty file is never taken for an entry.
TEST(RecoveryJournal, RefusesWhatIsNotAWholeEntry) {
    const QByteArray whole = EncodeJournal(SampleEntry());
    for (qsizetype length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(DecodeJournal(whole.first(length))) << "cut at " << length;
    for (qsizetype at = 0; at < whole.size(); ++at) {
        QByteArray changed = whole;
        changed[at] = char(changed[at] ^ 0x01);
        EXPECT_FALSE(DecodeJournal(changed)) << "changed at " << at;
    }
    const QByteArray foreign[] = {QByteArray("SQLite format 3\0", 16) + QByteArray(100, '\0'), whole + "x",
                                  QByteArray(64, '\0')};
    for (const QByteArray& bytes : foreign)
        EXPECT_FALSE(DecodeJournal(bytes));
    // Sealed with a right checksum but not an entry of this version, or with bytes after it.
    const QByteArray body = whole.first(whole.size() - 8);
    QByteArray otherVersion = body;
    otherVersion[11 + 3] = 2; // the version number after the mark, big-endian
    for (const QByteArray& sealed : {Sealed(body + "x"), Sealed(otherVersion)})
        EXPECT_FALSE(DecodeJournal(sealed));
    EXPECT_TRUE(DecodeJournal(Sealed(body)));
    JournalEntry noCategory = SampleEntry();
    noCategory.category.clear();
    EXPECT_FALSE(DecodeJournal(EncodeJournal(noCategory)));
}

TEST(RecoveryJournal, LivesBesideTheDataFile) {
    const struct {
        const char* data;
        const char* journal;
    } cases[] = {{"/home/u/青简/dataly.dat", "/home/u/青简/dataly.recovery"},
                 {"/d/DATALY.DAT", "/d/DATALY.recovery"},
                 {"/d/notes", "/d/notes.recovery"},
                 {"/d/x.dat.bak", "/d/x.dat.bak.recovery"}};
    for (const auto& c : cases)
        EXPECT_EQ(JournalPathOf(QString::fromUtf8(c.data)), QString::fromUtf8(c.journal));
}

TEST(RecoveryJournal, CountsCharactersAsAReaderDoes) {
    const struct {
        const char* text;
        qsizetype count;
    } cases[] = {{"", 0}, {"ab", 2}, {"中文\r\nab", 4}, {"\r\n\r\n", 0}, {"\xF0\x9F\x98\x80", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(CharactersOf(QByteArray(c.text)), c.count) << c.text;
}

// Due two seconds after the first unwritten change, not a millisecond before; later changes do not
// put it off; written or cleared, nothing waits.
TEST(JournalPace, WritesTwoSecondsAfterTheFirstUnwrittenChange) {
    JournalPace pace;
    EXPECT_FALSE(pace.Pending());
    EXPECT_EQ(pace.WaitMs(0), -1);
    EXPECT_FALSE(pace.Due(1'000'000));
    pace.Changed(1000);
    pace.Changed(2500); // typing goes on
    const struct {
        std::int64_t now;
        bool due;
        std::int64_t wait;
    } cases[] = {{1000, false, 2000}, {2999, false, 1}, {3000, true, 0}, {9000, true, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(pace.Due(c.now), c.due) << c.now;
        EXPECT_EQ(pace.WaitMs(c.now), c.wait) << c.now;
    }
    pace.Settled();
    EXPECT_FALSE(pace.Due(9000));
    pace.Changed(9000); // a new change starts a new wait
    EXPECT_FALSE(pace.Due(10'999));
    EXPECT_TRUE(pace.Due(11'000));
}

class JournalFiles : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("dataly.recovery")); }
    QTemporaryDir dir;
};

TEST_F(JournalFiles, ReadsNoneAnEntryOrARefusal) {
    EXPECT_EQ(ReadJournal(path()).state, JournalRead::None);
    ASSERT_EQ(WriteJournal(path(), SampleEntry()), 0);
    const JournalContents read = ReadJournal(path());
    EXPECT_EQ(read.state, JournalRead::Entry);
    EXPECT_EQ(read.entry, SampleEntry());
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a journal");
    file.close();
    EXPECT_EQ(ReadJournal(path()).state, JournalRead::Refused);
    EXPECT_EQ(RemoveJournal(path()), 0);
    EXPECT_EQ(RemoveJournal(path()), 0); // gone already: fine
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()); // no temporary left
}

// Requests are carried out in order, the newest winning; the last one is done before the writer ends.
TEST_F(JournalFiles, WriterLeavesTheNewestRequest) {
    const struct {
        const char* requests; // w: write entry n (its text the count), c: clear
        bool exists;
        QByteArray text;
    } cases[] = {{"w", true, "1"},    {"wc", false, {}},  {"cw", true, "2"},
                 {"wwww", true, "4"}, {"wwc", false, {}}, {"", false, {}}};
    for (const auto& c : cases) {
        RemoveJournal(path());
        {
            JournalWriter writer(path());
            int n = 0;
            for (const char* r = c.requests; *r; ++r) {
                ++n;
                if (*r == 'w')
                    writer.write(SampleEntry(QByteArray::number(n)));
                else
                    writer.clear();
            }
        }
        const JournalContents read = ReadJournal(path());
        EXPECT_EQ(read.state == JournalRead::Entry, c.exists) << c.requests;
        if (c.exists) {
            EXPECT_EQ(read.entry.text, c.text) << c.requests;
        }
    }
}

TEST_F(JournalFiles, WriterReportsAFailedWriteAndGoesOn) {
    JournalWriter broken(dir.filePath(QStringLiteral("no such folder/dataly.recovery")));
    broken.write(SampleEntry());
    broken.waitIdle();
    EXPECT_NE(broken.lastError(), 0);
    EXPECT_EQ(broken.done(), 1);
    JournalWriter writer(path());
    writer.write(SampleEntry());
    writer.waitIdle();
    EXPECT_EQ(writer.lastError(), 0);
    EXPECT_EQ(ReadJournal(path()).state, JournalRead::Entry);
}

} // namespace
} // namespace qj
