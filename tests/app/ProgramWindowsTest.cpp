// The windows created at start-up besides the main window, and how the main window's commands and
// the command-line options reach them.

#include "MainWindowFixture.h"

#include "app/About.h"
#include "app/ProgramWindows.h"
#include "app/StoreWindows.h"
#include "calendar/ui/CnDate.h"
#include "store/windows/Findall.h"
#include "support/UiHelpers.h"

#include <QAction>
#include <QApplication>

namespace qj::test {
namespace {

class ProgramWindowsTest : public MainWindowTest {
protected:
    void SetUp() override { ASSERT_TRUE(dir.copyDataFile()); }
};

TEST_F(ProgramWindowsTest, ShowCalendarCommandShowsTheOneCalendarWindow) {
    TFmain& main = open();
    ProgramWindows windows(main, fake->services());
    EXPECT_TRUE(windows.calendar().isHidden()); // created hidden, texts already there
    EXPECT_FALSE(windows.calendar().PillarCaption().isEmpty());

    ASSERT_TRUE(TriggerAction(&main, QStringLiteral("actCnDate")));
    EXPECT_TRUE(windows.calendar().isVisible());
    windows.calendar().close();
    EXPECT_TRUE(windows.calendar().isHidden());
    ASSERT_TRUE(TriggerAction(&main, QStringLiteral("actCnDate")));
    EXPECT_TRUE(windows.calendar().isVisible());
}

TEST_F(ProgramWindowsTest, EachOptionShowsItsWindow) {
    TFmain& main = open();
    ProgramWindows windows(main, fake->services());
    const auto options = ProgramWindows::launchOptions();
    ASSERT_TRUE(options.contains(qMakePair(QStringLiteral("--calendar"), QStringLiteral("calendar"))));
    windows.show(QStringLiteral("nothing"));
    EXPECT_TRUE(windows.calendar().isHidden());
    windows.show(QStringLiteral("calendar"));
    EXPECT_TRUE(windows.calendar().isVisible());
}

// Search windows are windows of the main window (they stay above it) with a caption bar and a close
// box (not tool windows, which some window managers draw without a frame), and each new one opens
// down and right of the last one still open.
TEST_F(ProgramWindowsTest, SearchWindowsCascadeAndStayAboveTheMainWindow) {
    TFmain& main = open();
    main.show();
    TFind_all* first = main.storeWindows().openSearch();
    TFind_all* second = main.storeWindows().openSearch();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    for (TFind_all* w : {first, second}) {
        EXPECT_EQ(w->windowType(), Qt::Dialog);
        EXPECT_TRUE(w->windowFlags().testFlags(Qt::WindowTitleHint | Qt::WindowCloseButtonHint));
        EXPECT_EQ(w->parentWidget(), &main);
    }
    EXPECT_EQ(second->pos(), first->pos() + QPoint(30, 30));
    const QPoint firstPlace = first->pos();
    second->close();
    QApplication::processEvents();
    TFind_all* third = main.storeWindows().openSearch();
    EXPECT_EQ(third->pos(), firstPlace + QPoint(30, 30)) << "the second is gone: the first is the last open";
    third->close();
    first->close();
    QApplication::processEvents();
    TFind_all* alone = main.storeWindows().openSearch();
    EXPECT_EQ(alone->pos(), firstPlace) << "with none open, the usual place";
    alone->close();
}

// The about window keeps its designed client area of 321 × 297 and cannot be resized.
TEST_F(ProgramWindowsTest, AboutWindowHasItsFixedSize) {
    TFmain& main = open();
    ProgramWindows windows(main, fake->services());
    EXPECT_EQ(windows.about().size(), QSize(321, 297));
    EXPECT_EQ(windows.about().minimumSize(), windows.about().maximumSize());
    EXPECT_TRUE(windows.about().windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(windows.about().windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

} // namespace
} // namespace qj::test
