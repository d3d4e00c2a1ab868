#include "store/NoteSearch.h"
#include "store/CategoryTable.h"
#include "store/DefaultCategory.h"

#include "StoreTestFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace qj {
namespace {

using test::StoreTest;

TEST(NoteSearchMatch, SubstringWithAsciiCaseOnly) {
    struct Case {
        const char* text;
        const char* needle;
        bool found;
    } cases[] = {
        {"Hello World", "world", true},
        {"Hello World", "LO WO", true},
        {"Hello World", "worlds", false},
        {"中文文本", "文文", true},
        {"中文文本", "本中", false},
        {"ÄÖ straße", "äö", false}, // only ASCII letters are folded, as the engine's LIKE does
        {"ÄÖ straße", "STRAßE", true},
        {"50% off", "%", true},
        {"50 off", "%", false},
        {"a_b", "_", true},
        {"ab", "_", false},
        {"x\\y", "\\", true},
        {"it's", "'", true},
        {"its", "'", false},
        {"", "", true},
        {"abc", "", true},
        {"", "a", false},
        {"ab", "abc", false},
        {"aaab", "AAB", true},     // a partial match right before the real one
        {"xyzQuux", "qUUX", true}, // at the very end
        {"Quuxxyz", "quux", true}, // at the very start
        {"q1 Q2 q3", "Q3", true},  // anchor on the digit
        {"学习笔记 note", "习笔", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ContainsIgnoringAsciiCase(c.text, c.needle), c.found) << c.text << " / " << c.needle;
}

// The byte search gives what the engine's LIKE gives for the same text with its wildcards escaped.
TEST_F(StoreTest, SearchMatchAgreesWithEscapedLikeOnRandomTexts) {
    const QString alphabet = QStringLiteral("aAbBzZ%_\\' 中文学习");
    std::mt19937 rng(7);
    auto randomText = [&](int maxLength) {
        QString s = QLatin1String(""); // an empty text, not NULL
        const int n = static_cast<int>(rng() % static_cast<unsigned>(maxLength + 1));
        for (int i = 0; i < n; ++i)
            s += alphabet[static_cast<qsizetype>(rng() % static_cast<unsigned>(alphabet.size()))];
        return s;
    };
    Statement like(file->db(),
                   QStringLiteral("SELECT ?1 LIKE '%' || replace(replace(replace(?2, '\\', '\\\\'), "
                                  "'%', '\\%'), '_', '\\_') || '%' ESCAPE '\\'"));
    for (int round = 0; round < 5000; ++round) {
        const QString text = randomText(24);
        const QString needle = randomText(3);
        like.Bind(1, text).Bind(2, needle);
        ASSERT_TRUE(like.Step());
        const bool expected = like.Int(0) == 1;
        like.Reset();
        ASSERT_EQ(ContainsIgnoringAsciiCase(text.toStdString(), needle.toStdString()), expected)
            << text.toStdString() << " / " << needle.toStdString();
    }
}

TEST(NoteSearchText, TrimsBlanksAndControlCharacters) {
    EXPECT_EQ(TrimSearchText(QStringLiteral(" \t中 文\r\n")), QStringLiteral("中 文"));
    EXPECT_EQ(TrimSearchText(QStringLiteral("\x01 a ")), QStringLiteral("a"));
    EXPECT_EQ(TrimSearchText(QStringLiteral("   ")), QString());
    EXPECT_EQ(TrimSearchText(QStringLiteral("　全角")), QStringLiteral("　全角")); // not a blank
}

class NoteSearchTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        // Creation order differs from the order searched (the selector's).
        Add(QStringLiteral("b'c"), {{1, "Apostrophe's note", "It's here\r\n"}, {2, "百分", "50% 的人\r\n"}});
        Add(QStringLiteral("甲"), {{1, "Hello", "say HELLO world\r\n"},
                                   {2, "a_b", "under_score and back\\slash\r\n"},
                                   {3, "无内容", nullptr}});
        Add(QStringLiteral("50%"), {{1, "hello again", "学习 hello\r\n"}});
    }
    struct Note {
        int id;
        const char* name;
        const char* info;
    };
    void Add(const QString& category, std::initializer_list<Note> notes) {
        CreateCategory(*file, category);
        CategoryTable table(*file, category);
        for (const Note& n : notes)
            table.Append(NoteId{n.id}, NoteId{0}, QString::fromUtf8(n.name),
                         n.info ? QString::fromUtf8(n.info) : QString());
    }
    QStringList Hits(const QString& text, SearchField field) {
        QStringList out;
        for (const SearchHit& h : SearchNotes(file->db(), order, text, field))
            out << h.category + QLatin1Char('/') + h.name;
        return out;
    }
    QStringList order{QStringLiteral("甲"), QStringLiteral("50%"), QStringLiteral("b'c")};
};

TEST_F(NoteSearchTest, FindsByTitleOrTextInSelectorOrder) {
    struct Case {
        const char* text;
        SearchField field;
        QStringList hits;
    } cases[] = {
        {"hello", SearchField::Title, {"甲/Hello", "50%/hello again"}},
        {"hello", SearchField::Content, {"甲/Hello", "50%/hello again"}},
        {"HELLO WORLD", SearchField::Content, {"甲/Hello"}},
        {"'", SearchField::Title, {"b'c/b'c", "b'c/Apostrophe's note"}},
        {"'", SearchField::Content, {"b'c/Apostrophe's note"}},
        {"%", SearchField::Content, {"b'c/百分"}},
        {"%", SearchField::Title, {"50%/50%"}},
        {"0%", SearchField::Content, {"b'c/百分"}},
        {"_", SearchField::Title, {"甲/a_b"}},
        {"_", SearchField::Content, {"甲/a_b"}},
        {"\\", SearchField::Content, {"甲/a_b"}},
        {"学习", SearchField::Content, {"50%/hello again"}},
        {"' OR 1=1 --", SearchField::Content, {}},
        {"甲", SearchField::Title, {"甲/甲"}}, // the first note carries the category's name
    };
    for (const Case& c : cases) {
        const QStringList hits = Hits(QString::fromUtf8(c.text), c.field);
        EXPECT_EQ(hits, c.hits) << c.text << (c.field == SearchField::Title ? " in titles" : " in texts")
                                << ": got " << hits.join(QLatin1Char(',')).toStdString();
    }
}

TEST_F(NoteSearchTest, EmptySearchListsEveryNoteWithItsRecord) {
    const auto hits = SearchNotes(file->db(), order, QString(), SearchField::Content);
    QStringList names;
    for (const SearchHit& h : hits)
        names << h.category + QLatin1Char('/') + h.name;
    EXPECT_EQ(names, (QStringList{"甲/甲", "甲/Hello", "甲/a_b", "甲/无内容", "50%/50%", "50%/hello again",
                                  "b'c/b'c", "b'c/Apostrophe's note", "b'c/百分"}));
    ASSERT_EQ(hits.size(), 9u);
    EXPECT_EQ(hits[2].id, NoteId{2});
    // The record number leads back to the record even where IDs repeat.
    Statement st(file->db(), QStringLiteral("SELECT Name FROM \"甲\" WHERE rowid = ?"));
    st.Bind(1, hits[2].rowid.value());
    ASSERT_TRUE(st.Step());
    EXPECT_EQ(st.Text(0), QStringLiteral("a_b"));
}

// Tables of other shapes (made by another program) hold no notes to find; the categories around them
// are searched as ever. A table with titles but no texts is found by its titles.
TEST_F(NoteSearchTest, TablesWithoutTheColumnsSearchedArePassedOver) {
    file->db().Exec(
        "CREATE TABLE \"无文\" (ID INTEGER, Name TEXT); INSERT INTO \"无文\" VALUES (1, 'hello');"
        "CREATE TABLE \"无题\" (ID INTEGER, Info TEXT); INSERT INTO \"无题\" VALUES (1, 'hello');"
        "CREATE TABLE \"无号\" (Name TEXT, Info TEXT); INSERT INTO \"无号\" VALUES ('hello', 'hello');");
    order = QStringList{QStringLiteral("无文"), QStringLiteral("无题"), QStringLiteral("无号"),
                        QStringLiteral("甲")};
    EXPECT_EQ(Hits(QStringLiteral("hello"), SearchField::Title), (QStringList{"无文/hello", "甲/Hello"}));
    EXPECT_EQ(Hits(QStringLiteral("hello"), SearchField::Content), (QStringList{"甲/Hello"}));
}

TEST_F(NoteSearchTest, UnknownCategoryIsAnError) {
    EXPECT_THROW(SearchNotes(file->db(), {QStringLiteral("没有")}, QStringLiteral("x"), SearchField::Title),
                 StoreError);
}

TEST(NoteSearchPreview, CutsTheTextAfter850GbkBytesWithoutSplittingACharacter) {
    const QString han(600, QChar(0x4E2D)); // 中, two GBK bytes each
    struct Case {
        QString info;
        QString shown;
    } cases[] = {
        {han, QString(425, QChar(0x4E2D))},
        {QStringLiteral("a") + han, QStringLiteral("a") + QString(424, QChar(0x4E2D))}, // 849 bytes
        {QStringLiteral(" \r\n\t短文"), QStringLiteral("短文")},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        const QString preview =
            SearchPreviewText(QStringLiteral("目录"), {NoteId{1}, QStringLiteral(" 题目 "), c.info});
        EXPECT_EQ(preview, QStringLiteral("目录-【题目】\r\n") + c.shown + QStringLiteral("\r\n。。。"));
    }
}

// A hit's record gives its text from the first character that is no blank or control on, read only
// as far as the preview needs: the preview is the same as from the whole text, a long text is not
// read whole, and a number stored as the text reads as its digits.
TEST_F(NoteSearchTest, AHitsTextIsReadOnlyAsFarAsItsPreviewNeeds) {
    ASSERT_EQ(CreateCategory(*file, QStringLiteral("长")), CreateCategoryResult::Created);
    CategoryTable table(*file, QStringLiteral("长"));
    const QString han(600, QChar(0x4E2D));
    const QString blanks = QString(70000, QLatin1Char(' ')) + QStringLiteral("\r\n\t") + QChar(0x85);
    struct Case {
        QString info;
        QString head; // what the record holds
    } cases[] = {
        {QStringLiteral("短文"), QStringLiteral("短文")},
        {QString(), QString()},
        {han.repeated(10000), han.repeated(3).left(4096 / 3)}, // 18 MB: 4096 bytes read
        {blanks + QStringLiteral("正文") + han, (QStringLiteral("正文") + han).left(4096 / 3)},
        {blanks, QString()},
    };
    for (const Case& c : cases) {
        const RecordId rowid = table.Append(NoteId{7}, NoteId{7}, QStringLiteral("题"), c.info);
        const std::optional<HitRecord> record =
            ReadHitRecord(file->db(), {QStringLiteral("长"), rowid, NoteId{7}, QString()});
        ASSERT_TRUE(record);
        EXPECT_EQ(record->info, c.head) << c.info.size();
        EXPECT_EQ(SearchPreviewText(QStringLiteral("长"), *record),
                  SearchPreviewText(QStringLiteral("长"), {NoteId{7}, QStringLiteral("题"), c.info}));
        table.Delete(std::vector{RecordRef{rowid, NoteId{7}}});
    }
    // A table of the older form (Info MEMO) keeps a text of digits as a number.
    file->db().Exec(
        QStringLiteral("CREATE TABLE \"旧\" (ID integer, Parent integer, Name VARCHAR(50) NOT NULL, "
                       "Info MEMO); INSERT INTO \"旧\" (rowid, ID, Parent, Name, Info) VALUES (9, 8, 8, "
                       "'数', '12.5')"));
    EXPECT_EQ(ReadHitRecord(file->db(), {QStringLiteral("旧"), RecordId{9}, NoteId{8}, QString()})->info,
              QStringLiteral("12.5"));
}

TEST(NoteSearchOccurrences, CountsAsTheEditorSearches) {
    struct Case {
        const char* text;
        const char* needle;
        bool matchCase;
        bool wholeWord;
        std::vector<int> at;
    } cases[] = {
        {"Abc abc ABC", "abc", false, false, {0, 4, 8}}, {"Abc abc ABC", "abc", true, false, {4}},
        {"abcabc abc", "abc", false, true, {7}},         {"aaaa", "aa", false, false, {0, 2}},
        {"中文，中文。", "中文", false, false, {0, 3}},  {"中文", "", false, false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            FindOccurrences(QString::fromUtf8(c.text), QString::fromUtf8(c.needle), c.matchCase, c.wholeWord),
            c.at)
            << c.text << " / " << c.needle;
}

} // namespace
} // namespace qj
