// The windows created at start-up besides the main window, and how the main window's commands and
// the command-line options reach them.

#include "MainWindowFixture.h"

#include "app/ProgramWindows.h"
#include "calendar/ui/CnDate.h"
#include "support/UiHelpers.h"

#include <QAction>

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

} // namespace
} // namespace qj::test
