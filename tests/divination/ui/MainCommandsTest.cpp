// How the divination window is reached: the main window's 排卦处理, the calendar window's 显示排卦,
// "qingjian --divination"; and the trigram picture of 八卦图.

#include "app/Lymain.h"
#include "app/ProgramWindows.h"
#include "calendar/ui/CnCalendar.h"
#include "calendar/ui/CnDate.h"
#include "common/DateTime.h"
#include "divination/ui/PaiGua.h"
#include "divination/ui/bgmap.h"
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"
#include "support/UiHelpers.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
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
            CategoryTable(file, QStringLiteral("帮助")).Append(NoteId{0}, NoteId{0}, QStringLiteral("帮助"));
        }
        main = std::make_unique<TFmain>(fake.services());
        windows = std::make_unique<ProgramWindows>(*main, fake.services());
    }
    void TearDown() override {
        windows.reset();
        main.reset();
    }
    TFPaiGua& divination() const { return windows->divination(); }
    QList<TBaGuaMap*> pictures() const { return main->findChildren<TBaGuaMap*>(); }

    TempProgramFolder dir;
    FakeServices fake{dir.folder()};
    std::unique_ptr<TFmain> main;
    std::unique_ptr<ProgramWindows> windows;
};

TEST_F(MainCommandsTest, PaiGuaAndTheDivinationOptionShowTheOneDivinationWindow) {
    EXPECT_FALSE(divination().isVisible());
    ASSERT_TRUE(TriggerAction(main.get(), QStringLiteral("actPaiGua")));
    EXPECT_TRUE(divination().isVisible());
    EXPECT_EQ(divination().windowTitle(), QStringLiteral("六爻排卦"));

    divination().close();
    EXPECT_TRUE(ProgramWindows::launchOptions().contains(
        QPair<QString, QString>(QStringLiteral("--divination"), QStringLiteral("divination"))));
    windows->show(QStringLiteral("divination"));
    EXPECT_TRUE(divination().isVisible());
    EXPECT_TRUE(fake.dialogs.calls().empty());
}

TEST_F(MainCommandsTest, TheCalendarsShowButtonCastsFromItsDayAndHour) {
    TFcnDate& calendar = windows->calendar();
    calendar.show();
    calendar.CnCalendar1()->MoveToDate(EncodeDate(2006, 5, 1));
    auto* hours = calendar.findChild<QComboBox*>(QStringLiteral("ComboBox3"));
    ASSERT_NE(hours, nullptr);
    hours->setCurrentIndex(6); // 午时
    calendar.CnCalendar1Change();
    auto* show = calendar.findChild<QAbstractButton*>(QStringLiteral("btn1"));
    ASSERT_NE(show, nullptr);
    show->click();
    EXPECT_FALSE(calendar.isVisible());
    EXPECT_TRUE(divination().isVisible());
    EXPECT_EQ(divination().findChild<QComboBox*>(QStringLiteral("cbbMethod"))->currentText(),
              QStringLiteral("时间起卦[年支]"));
    // 戌 11 + 4 + 4 = 19 → 离 above; 19 + 7 = 26 → 兑 below, 26 mod 6 = 2 moves line 4.
    EXPECT_TRUE(divination()
                    .findChild<QLabel*>(QStringLiteral("lblPrimary"))
                    ->text()
                    .startsWith(QStringLiteral("火泽睽")));
    EXPECT_TRUE(
        divination().findChild<QLabel*>(QStringLiteral("lblLunar"))->text().endsWith(QStringLiteral("午时")));
    // 选择日期 brings the calendar back.
    divination().findChild<QAction*>(QStringLiteral("actDate"))->trigger();
    EXPECT_TRUE(calendar.isVisible());
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
