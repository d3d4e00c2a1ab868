// The main window's 排卦处理 and 八卦图, and the trigram picture window.

#include "app/DivinationLinks.h"
#include "app/Lymain.h"
#include "divination/ui/PaiGua.h"
#include "divination/ui/bgmap.h"
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"
#include "support/UiHelpers.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

namespace qj::test {
namespace {

class MainCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = dir.filePath(QStringLiteral("dataly.dat"));
        CreateEmptyDataFile(path);
        {
            DataFile file(path);
            file.CreateCategoryTable(QStringLiteral("帮助"));
            CategoryTable(file, QStringLiteral("帮助")).Append(0, 0, QStringLiteral("帮助"));
        }
        main = std::make_unique<TFmain>(fake.services());
        filing = std::make_unique<NotebookFiling>(main->notebook());
        calendar = std::make_unique<TodayCalendar>(fake.clock);
        divination = std::make_unique<TFPaiGua>(fake.services(), *calendar, *filing);
        WireDivinationCommands(*main, *divination);
    }
    void TearDown() override {
        divination.reset();
        main.reset();
    }
    QList<TBaGuaMap*> pictures() const { return main->findChildren<TBaGuaMap*>(); }

    TempProgramFolder dir;
    FakeServices fake{dir.folder()};
    std::unique_ptr<TFmain> main;
    std::unique_ptr<NotebookFiling> filing;
    std::unique_ptr<TodayCalendar> calendar;
    std::unique_ptr<TFPaiGua> divination;
};

TEST_F(MainCommandsTest, PaiGuaShowsTheOneDivinationWindow) {
    EXPECT_FALSE(divination->isVisible());
    ASSERT_TRUE(TriggerAction(main.get(), QStringLiteral("actPaiGua")));
    EXPECT_TRUE(divination->isVisible());
    EXPECT_EQ(divination->windowTitle(), QStringLiteral("六爻排卦"));
    EXPECT_TRUE(fake.dialogs.calls().empty());
}

TEST_F(MainCommandsTest, EachGuaMapCommandOpensAPictureThatADoubleClickCloses) {
    ASSERT_TRUE(TriggerAction(main.get(), QStringLiteral("actGuaMap")));
    ASSERT_TRUE(TriggerAction(main.get(), QStringLiteral("actGuaMap")));
    const QList<TBaGuaMap*> shown = pictures();
    ASSERT_EQ(shown.size(), 2);
    for (TBaGuaMap* picture : shown) {
        EXPECT_TRUE(picture->isVisible());
        EXPECT_EQ(picture->windowTitle(), QStringLiteral("后天八卦图"));
        EXPECT_EQ(picture->size(), QSize(251, 249));
        EXPECT_EQ(picture->cursor().shape(), Qt::PointingHandCursor);
    }
    QPointer<TBaGuaMap> first = shown[0];
    QTest::mouseDClick(first, Qt::LeftButton, {}, QPoint(120, 120));
    EXPECT_TRUE(WaitUntil([&] { return first.isNull(); })) << "closing frees the window";
    EXPECT_EQ(pictures().size(), 1);
}

} // namespace
} // namespace qj::test
