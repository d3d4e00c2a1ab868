#include "common/TextDecode.h"

#include "HanziSample.h"
#include "common/Gbk.h"

#include <gtest/gtest.h>

using namespace qj;
using qj::test::Level1Hanzi;
using qj::test::SamplePairs;

namespace {

const TextForm kGbk{TextEncoding::Gbk, false};
const TextForm kUtf8{TextEncoding::Utf8, false};
const TextForm kGbkBom{TextEncoding::Gbk, true};
const TextForm kUtf8WithBom{TextEncoding::Utf8, true};

std::string Gbk(const char* utf8) {
    return Utf8ToGbk(utf8);
}

const char* Name(const TextForm& f) {
    if (f.encoding == TextEncoding::Gbk)
        return f.bom ? "GBK behind a BOM" : "GBK";
    return f.bom ? "UTF-8 with BOM" : "UTF-8";
}

} // namespace

TEST(TextEncodingRule, GuessesTheFormOfTypicalFiles) {
    const struct {
        const char* what;
        std::string bytes;
        TextForm form;
    } cases[] = {
        {"empty", "", kGbk},
        {"ASCII only", "[Font]\r\nName=Courier New\r\n", kGbk},
        {"GBK 学习, valid UTF-8 for ѧϰ", "CurTb=" + Gbk("学习"), kGbk},
        {"GBK settings after a font change",
         "[Info]\r\nCurTb=" + Gbk("学习") + "\r\n[Font]\r\nName=Courier New\r\n", kGbk},
        {"GBK with a byte GBK has no use for", Gbk("学习") + "\xFF" + Gbk("日记"), kGbk},
        {"GBK with a GB18030 four-byte character", Gbk("日记") + "\x81\x30\x81\x30", kGbk},
        {"UTF-8 punctuation and hanzi", "《日记》，", kUtf8},
        {"UTF-8 traditional hanzi", "學習", kUtf8},
        {"UTF-8 kana", "こんにちは", kUtf8},
        {"UTF-8 whose last character is cut off", "青简札记\xE8\xAE", kUtf8},
        {"UTF-8 with a BOM", "\xEF\xBB\xBF日记", kUtf8WithBom},
        {"ASCII with a BOM", "\xEF\xBB\xBFx=1", kUtf8WithBom},
        {"GBK behind a BOM", "\xEF\xBB\xBF[Info]\r\nCurTb=" + Gbk("日记") + "Test\r\n", kGbkBom},
        {"GBK 学习 behind a BOM: the mark decides", "\xEF\xBB\xBF" + Gbk("学习"), kUtf8WithBom},
    };
    for (const auto& c : cases) {
        const TextForm form = GuessTextForm(c.bytes);
        EXPECT_EQ(form, c.form) << c.what << ": guessed " << Name(form);
    }
}

// Every level-1 hanzi alone and a fixed sample of 100,000 pairs, each in GBK and in UTF-8: no GBK
// text is taken for UTF-8, and no UTF-8 text for GBK.
TEST(TextEncodingRule, CommonHanziAloneAndInPairsAreNeverMistaken) {
    const std::vector<std::string>& hanzi = Level1Hanzi();
    ASSERT_EQ(hanzi.size(), 3755u);
    int gbkMistaken = 0;
    int utf8Mistaken = 0;
    const auto check = [&](const std::string& text) {
        const std::string gbk = Utf8ToGbk(text);
        if (GuessTextForm(gbk).encoding != TextEncoding::Gbk && ++gbkMistaken <= 5)
            ADD_FAILURE() << text << " in GBK read as UTF-8";
        if (GuessTextForm(text).encoding != TextEncoding::Utf8 && ++utf8Mistaken <= 5)
            ADD_FAILURE() << text << " in UTF-8 read as GBK";
    };
    for (const std::string& h : hanzi)
        check(h);
    for (const char* name : {"学习", "实习", "小说", "知识", "系统", "图片"}) // category names users lost
        check(name);
    for (const auto& [first, second] : SamplePairs(100000, static_cast<int>(hanzi.size())))
        check(hanzi[first] + hanzi[second]);
    EXPECT_EQ(gbkMistaken, 0);
    EXPECT_EQ(utf8Mistaken, 0);
}

TEST(TextEncodingRule, DecodesInTheGuessedFormAndWritesTheSameFormBack) {
    const struct {
        const char* what;
        std::string bytes;
        std::string text;
        std::string written; // the text written back in the form it was read in
    } cases[] = {
        {"GBK", "CurTb=" + Gbk("学习"), "CurTb=学习", "CurTb=" + Gbk("学习")},
        {"UTF-8", "CurTb=学习", "CurTb=学习", "CurTb=学习"},
        {"UTF-8 with BOM", "\xEF\xBB\xBF日记", "日记", "\xEF\xBB\xBF日记"},
        // A mark before GBK is not written again: it would make GBK 学习 read as UTF-8.
        {"GBK behind a BOM", "\xEF\xBB\xBF" + Gbk("日记") + "Test", "日记Test", Gbk("日记") + "Test"},
        {"GBK with a GB18030 character", Gbk("日记") + "\x81\x30\x81\x30", "日记\u0080",
         Gbk("日记") + "\x81\x30\x81\x30"},
        // UTF-16 by its mark, little- and big-endian, a character outside the BMP as a pair, a
        // NUL as the visible mark, a lone surrogate and an odd last byte as U+FFFD.
        {"UTF-16 LE", std::string("\xFF\xFE\xE5\x65\xB0\x8B\r\0\n\0", 10), "日记\r\n",
         std::string("\xFF\xFE\xE5\x65\xB0\x8B\r\0\n\0", 10)},
        {"UTF-16 BE", std::string("\xFE\xFF\x65\xE5\xD8\x3D\xDE\x00", 8), "日\U0001F600",
         std::string("\xFE\xFF\x65\xE5\xD8\x3D\xDE\x00", 8)},
        {"UTF-16 LE with a NUL",
         std::string("\xFF\xFE"
                     "a\0\0\0b\0",
                     8),
         "a\u2400b",
         std::string("\xFF\xFE"
                     "a\0\0\x24"
                     "b\0",
                     8)},
        {"UTF-16 LE damaged",
         std::string("\xFF\xFE\x00\xD8"
                     "a\0"
                     "b",
                     7),
         "\uFFFDa\uFFFD",
         std::string("\xFF\xFE\xFD\xFF"
                     "a\0\xFD\xFF",
                     8)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeTextFile(c.bytes), c.text) << c.what;
        EXPECT_EQ(EncodeTextFile(c.text, GuessTextForm(c.bytes)), c.written) << c.what;
    }
    // A file read as GBK or UTF-8 only (split into lines on the bytes) takes no UTF-16 mark.
    for (const std::string_view marked : {std::string_view("\xFF\xFE"
                                                           "a\0",
                                                           4),
                                          std::string_view("\xFE\xFF\0a", 4)})
        EXPECT_EQ(GuessEightBitTextForm(marked).encoding, TextEncoding::Gbk);
    // What cannot be decoded becomes U+FFFD, in either encoding.
    EXPECT_EQ(DecodeText("a\xFF"
                         "b",
                         TextEncoding::Gbk),
              "a\uFFFDb");
    EXPECT_EQ(DecodeText("青简\xE8\xAE", TextEncoding::Utf8), "青简\uFFFD\uFFFD");
}

TEST(TextEncodingRule, GbkKeepsCharactersItLacksInTheirGb18030Form) {
    for (const char* text : {"한국어", "日记😀", "x\u0080y"}) {
        const std::string bytes = EncodeText(text, TextEncoding::Gbk);
        EXPECT_EQ(bytes.find('?'), std::string::npos) << text;
        EXPECT_EQ(GuessTextForm(bytes), kGbk) << text;
        EXPECT_EQ(DecodeTextFile(bytes), text);
    }
}

TEST(TextEncodingRule, NulBytesBecomeAVisibleMarkAndNothingAfterThemIsLost) {
    const struct {
        const char* what;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"ASCII", std::string("ab\0cd", 5), "ab\u2400cd"},
        {"GBK", Gbk("学习") + std::string("\0", 1) + Gbk("日记"), "学习\u2400日记"},
        {"UTF-8", std::string("青简\0\0札记", 14), "青简\u2400\u2400札记"},
        {"only NUL", std::string(3, '\0'), "\u2400\u2400\u2400"},
        {"NUL last", std::string("a\0", 2), "a\u2400"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeTextFile(c.bytes), c.text) << c.what;
}
