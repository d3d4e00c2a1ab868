#include "StoreTestFolder.h"

#include "common/Gbk.h"
#include "store/CategoryTable.h"
#include "store/DefaultCategory.h"

#include <QFile>

using namespace qj;
using qj::test::StoreTest;

namespace {

void WriteFile(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

} // namespace

TEST_F(StoreTest, FirstRunCreatesHelpWithTheGuideInAnyEncoding) {
    const std::string guide = "青简札记使用说明\n第二行：笔记\n";
    const QString expected = QStringLiteral("青简札记使用说明\r\n第二行：笔记\r\n");
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"GBK", Utf8ToGbk(guide)},
        {"UTF-8", guide},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + guide},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        const QString data = folder.filePath(QStringLiteral("dataly.dat"));
        CreateEmptyDataFile(data);
        WriteFile(folder.filePath(QStringLiteral("readme.txt")), c.bytes);
        DataFile f(data);
        ASSERT_TRUE(IsFirstRun(f));
        CreateHelpCategory(f, folder.path());
        EXPECT_FALSE(IsFirstRun(f));
        CategoryTable help(f, QStringLiteral("帮助"));
        const auto h = help.LoadHeaders();
        ASSERT_EQ(h.size(), 1u) << c.what;
        EXPECT_EQ(h[0].id, NoteId{0});
        EXPECT_EQ(h[0].parent, NoteId{0});
        EXPECT_EQ(h[0].name, QStringLiteral("帮助"));
        EXPECT_EQ(help.ReadInfo(h[0].record()), expected) << c.what;
    }
}

TEST_F(StoreTest, FirstRunWithoutGuideLeavesTheTextNull) {
    CreateHelpCategory(*file, dir.path());
    CategoryTable help(*file, QStringLiteral("帮助"));
    EXPECT_EQ(help.RecordCount(), 1);
    EXPECT_TRUE(help.ReadInfo(help.LoadHeaders()[0].record()).isNull());
    // The help category of another file does not make this a first run again.
    EXPECT_THROW(CreateHelpCategory(*file, dir.path()), StoreError);
}

TEST(GuideText, EveryLineEndsWithCrLf) {
    const struct {
        QString in;
        QString out;
    } cases[] = {
        {QString(), QString()},
        {QStringLiteral("a"), QStringLiteral("a\r\n")},
        {QStringLiteral("a\nb"), QStringLiteral("a\r\nb\r\n")},
        {QStringLiteral("a\r\nb\r\n"), QStringLiteral("a\r\nb\r\n")},
        {QStringLiteral("a\rb\n\nc"), QStringLiteral("a\r\nb\r\n\r\nc\r\n")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinesWithCrLf(c.in), c.out) << c.in.toStdString();
}
