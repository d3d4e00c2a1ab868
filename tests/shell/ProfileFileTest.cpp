#include "shell/ProfileFile.h"

#include "common/Gbk.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qj;

namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    void Write(const std::string& bytes) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::string Bytes() const {
        QFile f(path());
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        return f.readAll().toStdString();
    }
    QString path() const { return dir.filePath(QStringLiteral("Jotterly.ini")); }
    QTemporaryDir dir;
};

} // namespace

TEST(ProfileInt, IntegerFormsAndJunk) {
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"12", 12},
        {"-16777192", -16777192},
        {" 7 ", 7},
        {"0x1F", 31},
        {"0XfF", 255},
        {"0xFF000018", -16777192},
        {"0x", std::nullopt},
        {"0x123456789", std::nullopt},
        {"12abc", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"1.5", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseProfileInt(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST_F(ProfileFileTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt) {
    ProfileFile ini(path());
    EXPECT_EQ(ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(ini.ReadInt(QStringLiteral("Font"), QStringLiteral("Size"), 12), 12);
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("Settings"), QStringLiteral("ToolBar"), true));
    EXPECT_EQ(Bytes(), "<missing>");
    EXPECT_TRUE(ini.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("帮助")));
    EXPECT_EQ(Bytes(), "[Info]\r\nCurTb=" + Utf8ToGbk("帮助") + "\r\n");
}

TEST_F(ProfileFileTest, NamesMatchWithoutCaseAndValuesAreTrimmed) {
    Write("; comment\r\n[settings]\r\n toolbar = 0 \r\nAUTOLINE=abc\r\n[Font]\r\nname=\"Courier New\"\r\n"
          "[Settings]\r\nListBar=0\r\n");
    ProfileFile ini(path());
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("Settings"), QStringLiteral("ToolBar"), true));
    EXPECT_EQ(ini.ReadInt(QStringLiteral("SETTINGS"), QStringLiteral("AutoLine"), 1), 1); // junk → default
    EXPECT_EQ(ini.ReadString(QStringLiteral("FONT"), QStringLiteral("Name")), QStringLiteral("Courier New"));
    // Only the first section of a name is read.
    EXPECT_TRUE(ini.ReadBool(QStringLiteral("Settings"), QStringLiteral("ListBar"), true));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Font"), QStringLiteral("Missing"), QStringLiteral("x")),
              QStringLiteral("x"));
}

TEST_F(ProfileFileTest, WritesKeepEveryOtherLineAsItWas) {
    Write(Utf8ToGbk("; 注释") + "\n[Settings]\nToolBar=1\n\n[Font]\nName=" + Utf8ToGbk("宋体") + "\nSize=12");
    ProfileFile ini(path());
    ini.WriteInt(QStringLiteral("font"), QStringLiteral("SIZE"), 14); // replaced in place, key spelling kept
    ini.WriteBool(QStringLiteral("Settings"), QStringLiteral("ListBar"),
                  false); // added at the end of its section
    ini.WriteInt(QStringLiteral("Back"), QStringLiteral("Color"), -16777192); // new section at the end
    // New lines take the file's line break; the last line gets one before anything follows it.
    EXPECT_EQ(Bytes(), Utf8ToGbk("; 注释") + "\n[Settings]\nToolBar=1\nListBar=0\n\n[Font]\nName=" +
                           Utf8ToGbk("宋体") + "\nSize=14\n[Back]\nColor=-16777192\n");
    EXPECT_EQ(ini.ReadInt(QStringLiteral("Back"), QStringLiteral("Color"), 0), -16777192);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Font"), QStringLiteral("Name")), QStringLiteral("宋体"));
}

// Every string written reads back as it was, whoever writes it (the category, the font name, the
// season name): blanks at either end and quotes around a value survive the round trip.
TEST_F(ProfileFileTest, WrittenStringsReadBackUnchanged) {
    const QStringList values{QStringLiteral("读书"),     QStringLiteral(" 读书 "),
                             QStringLiteral("\"引号\""), QStringLiteral("'单引'"),
                             QStringLiteral("\"半"),     QStringLiteral("a \"b\" c"),
                             QStringLiteral("  "),       QString(),
                             QStringLiteral("x'")};
    ProfileFile ini(path());
    for (const QString& value : values) {
        ASSERT_TRUE(ini.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), value));
        EXPECT_EQ(ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("?")), value)
            << value.toStdString();
    }
    // A plain value is written bare, as the old program wrote it.
    ini.WriteString(QStringLiteral("Font"), QStringLiteral("Name"), QStringLiteral("Courier New"));
    EXPECT_NE(Bytes().find("Name=Courier New\r\n"), std::string::npos);
}

// Values are read in the file's own encoding; written lines take that encoding, and every other line
// keeps its bytes.
TEST_F(ProfileFileTest, WritesKeepTheEncodingAndTheBytesOfOtherLines) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string junk = "; \xFF\x80 " + Utf8ToGbk("注释") + " \xE8\xAE\r\n"; // FF 80: neither reads them
    const std::string written = "[Info]\r\nCurTb=" + Utf8ToGbk("实习") + "\r\n[Font]\r\nName=Courier New\r\n";
    const struct {
        const char* what;
        std::string before;
        const char* curTb; // as read before the writes
        std::string after;
    } cases[] = {
        {"GBK whose bytes are also valid UTF-8",
         "[Info]\r\nCurTb=" + Utf8ToGbk("学习") + "\r\n[Font]\r\nName=Arial\r\n", "学习", written},
        {"GBK", "[Info]\r\nCurTb=" + Utf8ToGbk("学习") + "\r\n[Font]\r\nName=" + Utf8ToGbk("宋体") + "\r\n",
         "学习", written},
        {"GBK with undecodable bytes", junk + "[Info]\r\nCurTb=" + Utf8ToGbk("学习") + "\r\n", "学习",
         junk + written},
        // The mark goes: GBK 实习 behind it would be valid UTF-8 and be read as "ʵϰ".
        {"GBK behind a byte-order mark", bom + "[Info]\r\nCurTb=" + Utf8ToGbk("日记") + "Test\r\n",
         "日记Test", written},
        {"UTF-8", "[Info]\nCurTb=日记\n[Font]\nName=宋体\n", "日记",
         "[Info]\nCurTb=实习\n[Font]\nName=Courier New\n"},
        {"UTF-8 with a byte-order mark", bom + "[Info]\nCurTb=日记\n", "日记",
         bom + "[Info]\nCurTb=实习\n[Font]\nName=Courier New\n"},
        // Edited by programs of both kinds: each line reads in its own encoding, the mark stays.
        {"UTF-8 and GBK lines behind a byte-order mark",
         bom + "[Info]\r\nCurTb=" + Utf8ToGbk("日记") + "\r\n[Font]\r\nName=宋体\r\n", "日记",
         bom + "[Info]\r\nCurTb=实习\r\n[Font]\r\nName=Courier New\r\n"},
    };
    for (const auto& c : cases) {
        Write(c.before);
        ProfileFile ini(path());
        EXPECT_EQ(ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb")), QString::fromUtf8(c.curTb))
            << c.what;
        ini.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("实习"));
        ini.WriteString(QStringLiteral("Font"), QStringLiteral("Name"), QStringLiteral("Courier New"));
        EXPECT_EQ(Bytes(), c.after) << c.what;
        EXPECT_EQ(ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb")), QStringLiteral("实习"))
            << c.what;
    }
}

// The start-up category of a mixed file survives a write of other keys byte for byte.
TEST_F(ProfileFileTest, AMixedFileKeepsItsLinesWhenOtherKeysAreWritten) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string curTb = "CurTb=" + Utf8ToGbk("日记") + "\r\n";
    for (const std::string& utf8 : {std::string("[Font]\r\nName=宋体\r\n"), std::string("; 注释\r\n")}) {
        Write(bom + "[Info]\r\n" + curTb + utf8);
        ProfileFile ini(path());
        EXPECT_EQ(ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb")), QStringLiteral("日记"));
        ASSERT_TRUE(
            ini.WriteString(QStringLiteral("Settings"), QStringLiteral("Skin"), QStringLiteral("春")));
        EXPECT_EQ(Bytes(), bom + "[Info]\r\n" + curTb + utf8 + "[Settings]\r\nSkin=春\r\n");
        EXPECT_EQ(ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb")), QStringLiteral("日记"));
    }
    // Without the mark, or without a UTF-8 line, the whole file reads in one encoding as before.
    Write("[Info]\r\n" + curTb + "; " + Utf8ToGbk("注释") + "\r\n");
    EXPECT_EQ(ProfileFile(path()).ReadString(QStringLiteral("Info"), QStringLiteral("CurTb")),
              QStringLiteral("日记"));
}

TEST_F(ProfileFileTest, NothingIsLostToTheEncoding) {
    // A name GBK cannot hold is written in its GB18030 form: the file stays GBK and reads back.
    Write("[Info]\r\nCurTb=" + Utf8ToGbk("帮助") + "\r\n");
    ProfileFile ini(path());
    ini.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), QString::fromUtf8("한국어"));
    EXPECT_EQ(Bytes().substr(0, 14), "[Info]\r\nCurTb=");
    EXPECT_EQ(GbkToUtf8(Bytes()), "[Info]\r\nCurTb=한국어\r\n");
    EXPECT_EQ(ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb")), QString::fromUtf8("한국어"));

    // A value never breaks the file into more lines.
    ini.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("a\r\n[Evil]\r\nx=1"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Evil"), QStringLiteral("x")), QString());
}

TEST_F(ProfileFileTest, UnwritableFileFailsSilently) {
    ProfileFile ini(dir.filePath(QStringLiteral("no/such/folder/Jotterly.ini")));
    EXPECT_FALSE(ini.WriteString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("x")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("d")),
              QStringLiteral("d"));
}

// Found by fuzzing: a UTF-8 file (here behind a byte-order mark) with damaged bytes, and a key
// whose text holds U+FFFD. Written in UTF-8, its EF BF BD bytes tipped the encoding guess to GBK, and
// every value of the file changed (楷体 read as 妤蜂綋).
TEST_F(ProfileFileTest, AWriteNeverChangesTheEncodingTheFileReadsIn) {
    const struct {
        const char* what;
        std::string file;
        QString section, key, value;
    } cases[] = {
        {"fuzz finding", "\xEF\xBB\xBF[Font]\nNa" + std::string(19, '\xFF') + "me=楷体\n",
         QStringLiteral("Back"), QStringLiteral("Colo") + QString(35, QChar(0xFFFD)) + QStringLiteral("r"),
         QStringLiteral("-76771191")},
        {"damaged font name written back", "[Info]\r\nCurTb=日记\r\n[Font]\r\nName=宋\xE4体\r\n",
         QStringLiteral("Font"), QStringLiteral("Name"),
         QStringLiteral("宋") + QChar(0xFFFD) + QStringLiteral("体")},
        {"short GBK value in a new file", "", QStringLiteral("Info"), QStringLiteral("CurTb"),
         QStringLiteral("学习")},
        // Found by fuzzing: a second byte-order mark behind the first, before text read as GBK. The first
        // mark is not written for GBK, which uncovered the second and made "[Font]" a section.
        {"second mark",
         std::string("\xEF\xBB\xBF\xEF\xBB\xBF[Font]\x0A[Setti[Font]\x0A[Settin\x0A/"
                     "oolB[arS\x80\xFF\xFF\xFF\xFF\xFFngs]\x0D\x0AToo",
                     58),
         QStringLiteral("Font"), QStringLiteral("Name"), QStringLiteral("宋体")},
    };
    for (const auto& c : cases) {
        Write(c.file);
        ProfileFile ini(path());
        const QString curTb =
            ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("-"));
        const QString other =
            ini.ReadString(QStringLiteral("Font"), QString::fromUtf8("Na" + std::string(19, '\xFF') + "me"),
                           QStringLiteral("-"));
        if (ini.WriteString(c.section, c.key, c.value)) {
            EXPECT_EQ(ini.ReadString(c.section, c.key), c.value) << c.what;
        } else {
            EXPECT_EQ(Bytes(), c.file) << c.what << ": a refused write changes nothing";
        }
        if (c.section != QStringLiteral("Info")) {
            EXPECT_EQ(ini.ReadString(QStringLiteral("Info"), QStringLiteral("CurTb"), QStringLiteral("-")),
                      curTb)
                << c.what;
        }
        EXPECT_EQ(ini.ReadString(QStringLiteral("Font"),
                                 QString::fromUtf8("Na" + std::string(19, '\xFF') + "me"),
                                 QStringLiteral("-")),
                  other)
            << c.what;
    }
}
