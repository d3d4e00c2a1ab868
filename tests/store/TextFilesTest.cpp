#include "store/TextFiles.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <exception>
#include <sys/resource.h>

namespace qj {
namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST(TextFilesImport, DecodesSplitsAndDropsTrailingBlankLines) {
    struct Case {
        const char* what;
        std::string bytes;
        QStringList lines;
        LineBreak style;
    } cases[] = {
        {"three empty lines at the end", "a\r\nb\r\n\r\n\r\n\r\n", {"a", "b"}, LineBreak::CrLf},
        {"blank and control lines at the end", "a\n\nb\n \t\n\x01\n", {"a", "", "b"}, LineBreak::Lf},
        {"CR alone", "a\rb\r", {"a", "b"}, LineBreak::Cr},
        {"CR and LF both", "a\r\nb\nc", {"a", "b", "c"}, LineBreak::CrLf},
        {"no break at all", "abc", {"abc"}, LineBreak::CrLf},
        {"empty", "", {}, LineBreak::CrLf},
        {"GBK", Bytes({0xD6, 0xD0, 0xCE, 0xC4, '\r', '\n'}), {"中文"}, LineBreak::CrLf},
        {"short GBK that is valid UTF-8", Bytes({0xD1, 0xA7, 0xCF, 0xB0}), {"学习"}, LineBreak::CrLf},
        {"UTF-8", "中文 text\r\n", {"中文 text"}, LineBreak::CrLf},
        {"UTF-8 with BOM", "\xEF\xBB\xBF中文\n", {"中文"}, LineBreak::Lf},
    };
    for (const Case& c : cases) {
        const LoadedText loaded = DecodeLoadedText(c.bytes);
        EXPECT_EQ(loaded.lines, c.lines) << c.what;
        EXPECT_EQ(loaded.style, c.style) << c.what;
    }
}

// Missing, a folder, or one byte over 100 MiB: refused by what the file system says, before the
// file is opened (no file can be opened while they are tried).
TEST(TextFilesImport, UnreadableFilesAreRefusedWithAClearMessageBeforeOpeningThem) {
    QTemporaryDir dir;
    QFile big(dir.filePath(QStringLiteral("big.txt")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxImportBytes + 1)); // sparse: no disk used
    big.close();
    struct Case {
        QString path;
        const char* says;
    } cases[] = {
        {dir.filePath(QStringLiteral("none.txt")), "找不到文件"},
        {dir.path(), "文件夹"},
        {big.fileName(), "太大"},
    };
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit none = saved;
    none.rlim_cur = 0;
    for (const Case& c : cases) {
        // Only the read runs without descriptors: the checks after it may need one (the
        // sanitizers' memory probes do).
        std::exception_ptr thrown;
        ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &none), 0);
        try {
            ReadTextFile(c.path);
        } catch (...) {
            thrown = std::current_exception();
        }
        ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &saved), 0);
        try {
            if (thrown)
                std::rethrow_exception(thrown);
            ADD_FAILURE() << "read " << c.path.toStdString();
        } catch (const StoreError& e) {
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.says))) << e.what();
            EXPECT_TRUE(e.text().contains(c.path)) << e.what();
        }
    }
}

// The limit itself: a file of exactly 100 MiB is read whole.
TEST(TextFilesImport, AFileOfExactly100MiBIsRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("limit.txt"));
    constexpr qint64 kLineBytes = 1024; // 1022 letters and CR LF
    QByteArray line(kLineBytes - 2, 'a');
    for (qsizetype i = 0; i < line.size(); ++i)
        line[i] = static_cast<char>('a' + i % 26);
    line += "\r\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray block;
        for (int i = 0; i < 1024; ++i)
            block += line;
        for (qint64 written = 0; written < kMaxImportBytes; written += block.size())
            ASSERT_EQ(file.write(block), block.size());
        ASSERT_EQ(file.size(), kMaxImportBytes);
    }
    const LoadedText loaded = ReadTextFile(path);
    ASSERT_EQ(loaded.lines.size(), kMaxImportBytes / kLineBytes);
    EXPECT_EQ(loaded.lines.front(), QString::fromLatin1(line.chopped(2)));
    EXPECT_EQ(loaded.lines.back(), loaded.lines.front());
    EXPECT_EQ(loaded.style, LineBreak::CrLf);
}

TEST(TextFilesImport, LongLinesBreakIntoRowsOfTheLimitKeepingSurrogatePairs) {
    const QString pair = QString::fromUcs4(U"𠀀");
    const struct {
        QStringList lines;
        qsizetype most;
        QStringList broken;
    } cases[] = {
        {{"abc", "de"}, 3, {"abc", "de"}},
        {{"abcd", ""}, 3, {"abc", "d", ""}},
        {{"abcdefg"}, 3, {"abc", "def", "g"}},
        {{"ab" + pair + "c"}, 3, {"ab", pair + "c"}},
        {{"a" + pair + "bcd"}, 3, {"a" + pair, "bcd"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BrokenLongLines(c.lines, c.most), c.broken) << c.lines.join('|').toStdString();
        EXPECT_EQ(BrokenLongLines(c.lines, c.most).join(QString()), c.lines.join(QString()));
    }
    EXPECT_EQ(LongestLine({"ab", "abcd", "abc"}), 4);
    EXPECT_EQ(LongestLine({}), 0);
}

TEST(TextFilesExport, TextHasTheLoadedBreaksAndNothingAfterTheLastLine) {
    struct Case {
        const char* text;
        LineBreak style;
        std::string bytes;
    } cases[] = {
        {"ab\r\ncd\r\n", LineBreak::CrLf, "ab\r\ncd"},
        {"ab\r\ncd", LineBreak::CrLf, "ab\r\ncd"},
        {"ab\r\ncd\r\n", LineBreak::Lf, "ab\ncd"},
        {"ab\r\n\r\ncd\r\n", LineBreak::Cr, "ab\r\rcd"},
        {"中\r\n", LineBreak::CrLf, Bytes({0xD6, 0xD0})},
        {"€", LineBreak::CrLf, Bytes({0x80})},
        {"\xF0\xA0\x80\x80", LineBreak::CrLf, Bytes({0x95, 0x32, 0x82, 0x36})}, // not in GBK: GB18030
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExportTextBytes(QString::fromUtf8(c.text), c.style), c.bytes) << c.text;
}

TEST(TextFilesExport, TextRoundTripKeepsEveryCharacter) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("note.txt"));
    const QString text = QString::fromUtf8("第一行 &<>\"\r\n\xF0\xA0\x80\x80 ext B\r\n末行");
    WriteFileBytes(path, ExportTextBytes(text, LineBreak::CrLf));
    EXPECT_EQ(EditorTextOf(ReadTextFile(path).lines), text + QStringLiteral("\r\n"));
}

TEST(TextFilesExport, HtmlFragmentWithEntitiesAndSpans) {
    const auto plain = [](const QString& text) { return std::vector<HtmlRun>{{0, text.size(), QString()}}; };
    EXPECT_EQ(ExportHtmlBytes(QStringLiteral("a<b & \"c\">\r\n中é"), plain),
              "<pre>\r\n<code><span style=\"font: 10pt Courier New;\">"
              "a&lt;b &amp; &quot;c&quot;&gt;\r\n&#20013;\xE9\r\n"
              "</span>\r\n</code></pre>\r\n");
    EXPECT_EQ(
        ExportHtmlBytes(QString::fromUtf8("\xF0\xA0\x80\x80"), plain),
        "<pre>\r\n<code><span style=\"font: 10pt Courier New;\">&#131072;\r\n</span>\r\n</code></pre>\r\n");
    // The highlighter's runs become spans with a class each; the text inside stays as above.
    const std::string html = ExportHtmlBytes(QStringLiteral("看 www.example.cn <x>"));
    EXPECT_NE(html.find("<span class=\"url\">www.example.cn</span>"), std::string::npos) << html;
    EXPECT_NE(html.find("&lt;x&gt;"), std::string::npos) << html;
    EXPECT_NE(html.find("&#30475;"), std::string::npos) << html;
}

TEST(TextFilesExport, HtmlNameGetsAnExtensionOnlyWhenItHasNone) {
    EXPECT_EQ(HtmlFileName(QStringLiteral("/tmp/note")), QStringLiteral("/tmp/note.html"));
    EXPECT_EQ(HtmlFileName(QStringLiteral("/tmp/v1.2/note")), QStringLiteral("/tmp/v1.2/note.html"));
    EXPECT_EQ(HtmlFileName(QStringLiteral("/tmp/note.htm")), QStringLiteral("/tmp/note.htm"));
    EXPECT_EQ(HtmlFileName(QStringLiteral("/tmp/note.txt")), QStringLiteral("/tmp/note.txt"));
}

TEST(TextFilesDrop, OneFileAndTwoFiles) {
    const std::vector<DroppedFile> one{
        {QStringLiteral("/d/a.txt"), {QStringLiteral("A1"), QStringLiteral("A2")}}};
    EXPECT_EQ(TextAfterDrop(QStringLiteral("X\r\n"), one),
              QStringLiteral("\r\nX\r\n/d/a.txt\r\n \r\nA1\r\nA2\r\n \r\n"));
    const std::vector<DroppedFile> two{{QStringLiteral("/d/a.txt"), {QStringLiteral("A")}},
                                       {QStringLiteral("/d/b.txt"), {QStringLiteral("B")}}};
    EXPECT_EQ(TextAfterDrop(QStringLiteral("X"), two),
              QStringLiteral("\r\nX\r\n-------- 1 -------\r\n/d/a.txt\r\n \r\n"
                             "\r\nA\r\n \r\n-------- 2 -------\r\n/d/b.txt\r\n \r\n"
                             "B\r\n \r\n"));
    EXPECT_EQ(TextAfterDrop(QString(), one), QStringLiteral("\r\n/d/a.txt\r\n \r\nA1\r\nA2\r\n \r\n"));
}

} // namespace
} // namespace qj

namespace qj {
namespace {

// An export over an existing file on a full disk (here: a file-size limit, which fails the write
// the same way) is reported and leaves the old file as it was.
TEST(TextFilesExport, FailedWriteIsReportedAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("note.txt"));
    WriteFileBytes(path, "old text");
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    bool refused = false;
    try {
        WriteFileBytes(path, std::string(20000, 'x'));
    } catch (const StoreError& e) {
        refused = e.text().contains(path);
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(refused);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old text"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("note.txt")});
}

} // namespace
} // namespace qj
