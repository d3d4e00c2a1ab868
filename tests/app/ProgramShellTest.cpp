// The tray icon, the hot key, the status clock, the about window and the alert's session actions,
// around a real main window. The offscreen platform has no notification area: the tests emit the
// icon's signals themselves, and closing the window takes the no-tray path.

#include "MainWindowFixture.h"

#include "alert/PAlert.h"
#include "app/About.h"
#include "app/ProgramShell.h"
#include "app/ProgramWindows.h"
#include "app/StatusClock.h"
#include "app/TrayIcon.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "calendar/ui/CnDate.h"
#include "calendar/ui/DueReminders.h"
#include "platform/GlobalHotKey.h"
#include "support/UiHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

#include <sqlite3.h>

#include <functional>

// Stands in for the widget Qt's X11 tray puts into the notification area, known by its class name.
class QSystemTrayIconSys : public QWidget {
    Q_OBJECT
};

namespace qj::test {
namespace {

class ProgramShellTest : public MainWindowTest {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        makeDataFile({{QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}}});
        start();
    }
    // A fresh start of the program on the same folder. No hot key can be held offscreen; unless
    // `keyHeld` is false the tray is told it is, as on an X11 desktop.
    void start(bool keyHeld = true) {
        shell.reset();
        windows.reset();
        closeWindow();
        fake = std::make_unique<FakeServices>(dir.folder());
        fake->clock.set(QDate(2006, 5, 1), QTime(10, 0, 0));
        open();
        windows = std::make_unique<ProgramWindows>(*window, fake->services());
        shell = std::make_unique<ProgramShell>(*window, fake->services(), *windows);
        if (keyHeld)
            tray().setHotKeyHeld(true);
        window->show();
    }
    void TearDown() override {
        shell.reset();
        windows.reset();
        QLocale::setDefault(QLocale::system());
    }

    TrayIcon& tray() const { return *shell->tray(); }
    // An item of the tray menu by object name (some are the main window's own actions).
    QAction* trayItem(const char* name) const {
        for (QAction* a : tray().PopupMenu3()->actions())
            if (a->objectName() == QString::fromLatin1(name))
                return a;
        ADD_FAILURE() << name;
        return nullptr;
    }
    bool windowShown() const { return window->isVisible() && !window->isMinimized(); }
    void bringBack() { emit tray().a1()->activated(QSystemTrayIcon::DoubleClick); }
    bool iconShown() const { return tray().a1()->isVisible(); }

    std::unique_ptr<ProgramWindows> windows;
    std::unique_ptr<ProgramShell> shell;
};

TEST_F(ProgramShellTest, TrayDoubleClickAndShowMainWindowToggleTheWindowOnly) {
    QAction* showItem = tray().PopupMenu3()->actions().at(0);
    struct Step {
        const char* how;
        bool shownAfter;
    };
    const Step steps[] = {
        {"double-click", false}, {"double-click", true}, {"显示主窗口", false}, {"显示主窗口", true}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.how);
        if (QString::fromUtf8(s.how) == QStringLiteral("显示主窗口"))
            showItem->trigger();
        else
            emit tray().a1()->activated(QSystemTrayIcon::DoubleClick);
        EXPECT_EQ(windowShown(), s.shownAfter);
        EXPECT_TRUE(iconShown());
    }
    // A minimised window counts as not shown: the toggle brings it back.
    window->showMinimized();
    showItem->trigger();
    EXPECT_TRUE(windowShown());
    // A single click does not toggle.
    emit tray().a1()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(windowShown());
}

// A D-Bus tray reports a click, never a double click or a hover: there a click toggles, and the
// tooltip names the hot key from the start.
TEST_F(ProgramShellTest, OnATrayOfClicksOnlyAClickTogglesAndTheTooltipNamesTheHotKey) {
    EXPECT_FALSE(tray().clickOnlyTray()) << "no tray offscreen: nothing taken for a tray of clicks";
    EXPECT_EQ(tray().a1()->toolTip(), QStringLiteral("China Calendar"));
    tray().setClickOnlyTray(true);
    EXPECT_EQ(tray().tooltip().text(), QString::fromUtf8(TrayTooltip::kAfterHover));
    for (const bool shownAfter : {false, true}) {
        emit tray().a1()->activated(QSystemTrayIcon::Trigger);
        EXPECT_EQ(windowShown(), shownAfter);
        EXPECT_TRUE(iconShown());
    }
    emit tray().a1()->activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(windowShown()) << "the menu's click toggles nothing";
}

TEST_F(ProgramShellTest, TrayMenuItemsInOrderWithTheBoldDefault) {
    QMenu* menu = tray().PopupMenu3();
    EXPECT_EQ(menu->objectName(), QStringLiteral("PopupMenu3"));
    QStringList texts;
    for (QAction* a : menu->actions())
        texts.append(a->isSeparator() ? QStringLiteral("—") : a->text());
    EXPECT_EQ(texts, QStringList({"显示主窗口", "隐藏主窗口", "—", "定时报警", "—", "排卦处理", "显示日历",
                                  "—", "关于...", "退出(&X)"}));
    EXPECT_EQ(menu->defaultAction(), menu->actions().at(0));

    trayItem("actHideMainW")->trigger();
    EXPECT_FALSE(windowShown());
    EXPECT_TRUE(iconShown());
    bringBack();

    trayItem("actAlert")->trigger();
    EXPECT_TRUE(windows->alert().isVisible());

    QSignalSpy ending(window.get(), &TFmain::ending);
    trayItem("N59")->trigger();
    EXPECT_EQ(ending.count(), 1);
}

TEST_F(ProgramShellTest, TooltipTellsAboutTheHotKeyOnceTheMouseWasOnTheIcon) {
    EXPECT_EQ(tray().a1()->toolTip(), QStringLiteral("China Calendar"));
    EXPECT_EQ(tray().tooltip().text(), QStringLiteral("China Calendar"));
    // The hover refreshes the calendar's texts.
    fake->clock.set(QDate(2006, 5, 2), QTime(12, 0, 0));
    emit tray().a1()->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(tray().tooltip().text(), QStringLiteral("显示/隐藏 图标\r\n [Ctrl+Alt+A] "));
    EXPECT_EQ(tray().a1()->toolTip(), QStringLiteral("显示/隐藏 图标\n [Ctrl+Alt+A] "));
    EXPECT_TRUE(windows->calendar().ClockLine().contains(QStringLiteral("12:00:00")));
    // Stays so.
    emit tray().a1()->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(tray().tooltip().text(), QStringLiteral("显示/隐藏 图标\r\n [Ctrl+Alt+A] "));
}

// The tooltip changes for the mouse on the icon itself only: entering, moving over or resting on
// any other widget of the program leaves it as it was.
TEST_F(ProgramShellTest, OnlyTheMouseOnTheIconChangesTheTooltip) {
    QSystemTrayIconSys icon;
    const auto hover = [](QWidget* widget, QEvent::Type type) {
        const QPointF at(2, 2);
        const QPoint global = widget->mapToGlobal(at.toPoint());
        if (type == QEvent::Enter) {
            QEnterEvent enter(at, at, global);
            QApplication::sendEvent(widget, &enter);
        } else if (type == QEvent::MouseMove) {
            QMouseEvent move(QEvent::MouseMove, at, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(widget, &move);
        } else {
            QHelpEvent help(QEvent::ToolTip, at.toPoint(), global);
            QApplication::sendEvent(widget, &help);
        }
    };
    for (QEvent::Type type : {QEvent::Enter, QEvent::MouseMove, QEvent::ToolTip}) {
        SCOPED_TRACE(type);
        start();
        for (QWidget* elsewhere : {static_cast<QWidget*>(window.get()),
                                   static_cast<QWidget*>(window->notebook().editor()->viewport()),
                                   static_cast<QWidget*>(&windows->calendar())})
            hover(elsewhere, type);
        EXPECT_EQ(tray().a1()->toolTip(), QStringLiteral("China Calendar"));
        hover(&icon, type);
        EXPECT_EQ(tray().a1()->toolTip(), QStringLiteral("显示/隐藏 图标\n [Ctrl+Alt+A] "));
    }
}

// Where the program holds no hot key (offscreen here, as on a Wayland desktop) the tooltip names the
// command a desktop's key binding can run, and the user is told once, not at every start, how to
// bind it.
TEST_F(ProgramShellTest, WithoutTheHotKeyTheTooltipNamesTheToggleCommandAndTheAdviceComesOnce) {
    start(false);
    ASSERT_FALSE(window->hotKey()->isRegistered());
    emit tray().a1()->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(tray().a1()->toolTip(), QStringLiteral("显示/隐藏 图标\n [qingjian --toggle] "));
    QCoreApplication::processEvents(); // the start-up check: nothing said on the offscreen platform
    EXPECT_TRUE(fake->dialogs.calls().empty());
    fake->dialogs.answerMessage(DialogButton::Ok);
    shell->adviseToggle(QStringLiteral("wayland"));
    shell->adviseToggle(QStringLiteral("wayland"));
    ASSERT_EQ(fake->dialogs.calls().size(), 1u);
    EXPECT_TRUE(fake->dialogs.calls()[0].text.contains(QStringLiteral("\n    qingjian --toggle\n")));
    start(false);
    shell->adviseToggle(QStringLiteral("wayland"));
    EXPECT_TRUE(fake->dialogs.calls().empty()) << "the settings file remembers it";
}

TEST(ToggleAdvice, OnlyWhereNoKeyIsHeldOnARealDesktopAndNotYetGiven) {
    const struct {
        bool held;
        const char* platform;
        bool given;
        bool said;
    } cases[] = {
        {false, "wayland", false, true}, {false, "xcb", false, true},        {true, "wayland", false, false},
        {false, "wayland", true, false}, {false, "offscreen", false, false}, {false, "minimal", false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(!ToggleAdvice(c.held, QString::fromLatin1(c.platform), c.given).isEmpty(), c.said)
            << c.platform;
}

TEST_F(ProgramShellTest, HotKeyTakesWindowAndIconAwayAndBringsBothBack) {
    ASSERT_NE(window->hotKey(), nullptr);
    struct Step {
        const char* before; // what the user did first
        bool shownAfter;
        bool iconAfter;
    };
    const Step steps[] = {
        {"", false, false},       // shown: both go
        {"", true, true},         // both come back
        {"close", true, true},    // hidden by closing (icon present): the window comes back
        {"hide", true, true},     // hidden by 隐藏主窗口
        {"minimise", true, true}, // a minimised window comes back too
    };
    // The key itself, and "qingjian --toggle" from a desktop's own key binding.
    for (const bool byCommand : {false, true}) {
        for (const Step& s : steps) {
            const QString before = QString::fromUtf8(s.before);
            SCOPED_TRACE(std::string(s.before) + (byCommand ? " --toggle" : " key"));
            if (before == QStringLiteral("close"))
                window->hide(); // what closing does where there is a tray
            else if (before == QStringLiteral("hide"))
                FindAction(window.get(), QStringLiteral("actHideMainW"))->trigger();
            else if (before == QStringLiteral("minimise"))
                window->showMinimized();
            if (byCommand)
                shell->toggleRequested();
            else
                emit window->hotKey()->pressed();
            EXPECT_EQ(windowShown(), s.shownAfter);
            EXPECT_EQ(iconShown(), s.iconAfter);
        }
    }
    // Gone with the icon, the program comes back from a second start as well.
    emit window->hotKey()->pressed();
    ASSERT_FALSE(iconShown());
    shell->showRequested();
    EXPECT_TRUE(windowShown());
    EXPECT_TRUE(iconShown());
}

TEST_F(ProgramShellTest, WithoutANotificationAreaClosingMinimises) {
    if (TrayIcon::isAvailable())
        GTEST_SKIP() << "this desktop has a notification area";
    typeIntoEditor(QStringLiteral("草稿"));
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(window->notebook().isDirty());
    EXPECT_TRUE(dialogs().calls().empty());
}

// Without a notification area nothing could bring a withdrawn window back: every way away
// minimises it (it keeps its taskbar entry), and every way back restores the state it had, a
// maximised window maximised.
TEST_F(ProgramShellTest, WithoutANotificationAreaTheWindowIsMinimisedAndComesBackAsItWas) {
    if (TrayIcon::isAvailable())
        GTEST_SKIP() << "this desktop has a notification area";
    struct Way {
        const char* name;
        std::function<void()> go;
    };
    const Way away[] = {
        {"隐藏主窗口", [&] { FindAction(window.get(), QStringLiteral("actHideMainW"))->trigger(); }},
        {"hot key", [&] { emit window->hotKey()->pressed(); }},
        {"close", [&] { window->close(); }},
        // Some window managers (openbox) report the window normal before they report it minimised.
        {"close, reported normal first",
         [&] {
             window->close();
             window->setWindowState(Qt::WindowNoState);
             window->setWindowState(Qt::WindowMinimized);
         }},
        {"minimise button", [&] { window->setWindowState(window->windowState() | Qt::WindowMinimized); }},
    };
    const Way back[] = {
        {"hot key", [&] { emit window->hotKey()->pressed(); }},
        {"tray item", [&] { trayItem("N51")->trigger(); }},
        {"second start", [&] { shell->showRequested(); }},
    };
    for (bool maximised : {true, false}) {
        for (const Way& a : away) {
            for (const Way& b : back) {
                SCOPED_TRACE(std::string(maximised ? "maximised, " : "normal, ") + a.name + " then " +
                             b.name);
                if (maximised)
                    window->showMaximized();
                else
                    window->showNormal();
                a.go();
                EXPECT_TRUE(window->isVisible()) << "withdrawn with no way back";
                EXPECT_TRUE(window->isMinimized());
                b.go();
                QApplication::processEvents(); // maximised once it is back on the screen
                EXPECT_TRUE(windowShown());
                EXPECT_EQ(window->isMaximized(), maximised);
            }
        }
    }
}

// "qingjian --toggle" takes the window out of sight even without a notification area (a tiling
// Wayland desktop keeps a minimised window on the screen); the command itself, a second start and
// the tray item bring it back as it was.
TEST_F(ProgramShellTest, WithoutANotificationAreaTheToggleCommandHidesTheWindow) {
    if (TrayIcon::isAvailable())
        GTEST_SKIP() << "this desktop has a notification area";
    const std::pair<const char*, std::function<void()>> back[] = {
        {"--toggle", [&] { shell->toggleRequested(); }},
        {"second start", [&] { shell->showRequested(); }},
        {"tray item", [&] { trayItem("N51")->trigger(); }},
    };
    for (bool maximised : {true, false}) {
        for (const auto& [name, go] : back) {
            SCOPED_TRACE(std::string(maximised ? "maximised, then " : "normal, then ") + name);
            if (maximised)
                window->showMaximized();
            else
                window->showNormal();
            shell->toggleRequested();
            EXPECT_FALSE(window->isVisible());
            go();
            QApplication::processEvents();
            EXPECT_TRUE(windowShown());
            EXPECT_EQ(window->isMaximized(), maximised);
        }
    }
    emit window->hotKey()->pressed(); // the key itself still minimises
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
}

// Put away by the program, then brought back by the user himself (the taskbar) and changed there:
// the next way back follows the state he left it in, not the one it had when it was put away.
TEST_F(ProgramShellTest, AWindowTheUserBroughtBackHimselfReturnsAsHeLeftIt) {
    if (TrayIcon::isAvailable())
        GTEST_SKIP() << "this desktop has a notification area";
    for (const bool maximised : {true, false}) {
        SCOPED_TRACE(maximised ? "maximised at first" : "normal at first");
        if (maximised)
            window->showMaximized();
        else
            window->showNormal();
        window->close();
        QApplication::setActiveWindow(nullptr); // a window put away is not the active one
        QApplication::processEvents();
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
        if (maximised)
            window->showNormal();
        else
            window->showMaximized();
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
        shell->showRequested();
        QApplication::processEvents();
        EXPECT_EQ(window->isMaximized(), !maximised);
    }
}

// The modal about window never stays alone on the screen: it goes away with the main window
// (the hot key, 隐藏主窗口) and comes back with it; minimised, it takes the main window along.
TEST_F(ProgramShellTest, TheAboutWindowGoesAndComesBackWithTheMainWindow) {
    TFabout& about = windows->about();
    about.show();
    ASSERT_TRUE(about.isVisible());
    emit window->hotKey()->pressed();
    EXPECT_FALSE(windowShown());
    EXPECT_FALSE(about.isVisible()) << "left alone on the screen";
    emit window->hotKey()->pressed();
    EXPECT_TRUE(windowShown());
    EXPECT_TRUE(WaitUntil([&] { return about.isVisible() && !about.isMinimized(); }));

    about.setWindowState(about.windowState() | Qt::WindowMinimized);
    EXPECT_TRUE(window->isMinimized()) << "the main window's taskbar entry is the way back";
    bringBack();
    EXPECT_TRUE(windowShown());
    EXPECT_TRUE(WaitUntil([&] { return about.isVisible() && !about.isMinimized(); }));
    about.hide();
    // Without the about window open, nothing of it comes back.
    emit window->hotKey()->pressed();
    emit window->hotKey()->pressed();
    QApplication::processEvents();
    EXPECT_FALSE(about.isVisible());
}

// Due 纪念日 go to the desktop's notifications only where there is a notification area (not
// offscreen: the window alone says them); a click on the notification brings their window back.
TEST_F(ProgramShellTest, DueRemindersComeBackFromTheNotification) {
    ASSERT_TRUE(
        dir.writeFile(QStringLiteral("reminders.txt"), "a\t公历\t5\t1\t闰月\t廿九\t2月28日\t0\t节日\t\n"));
    start();
    TFcnDate& calendar = windows->calendar();
    ASSERT_TRUE(calendar.showDueReminders());
    EXPECT_FALSE(tray().notify(QStringLiteral("纪念日提醒"), QStringLiteral("今天　节日")));
    QWidget* due = calendar.dueRemindersWindow();
    due->hide();
    emit tray().a1()->messageClicked();
    EXPECT_TRUE(due->isVisible());
}

TEST_F(ProgramShellTest, ClockPanelShowsLunarCaptionDateAndTime) {
    struct Case {
        const char* caption;
        QDateTime now;
        const char* text;
    };
    const Case cases[] = {
        {"农历: 丙戌(狗) 四月初四日巳时", QDateTime(QDate(2006, 5, 1), QTime(10, 0, 0)),
         "农历: 丙戌(狗) 四月初四日巳时 2006/5/1 10:00:00  "},
        {"农历", QDateTime(QDate(2006, 5, 2), QTime(0, 0, 0)), "农历 2006/5/2  "},
        {"农历", QDateTime(QDate(2006, 5, 2), QTime(0, 0, 1)), "农历 2006/5/2 00:00:01  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ClockPanelText(QString::fromUtf8(c.caption), c.now), QString::fromUtf8(c.text));
    }

    // The panel from start-up on, then at each tick, with the calendar window's lunar caption.
    EXPECT_EQ(windows->calendar().LunarCaption(), QStringLiteral("农历: 丙戌(狗) 四月初四日巳时"));
    EXPECT_EQ(window->statusText(TFmain::kClockPanel),
              QStringLiteral("农历: 丙戌(狗) 四月初四日巳时 2006/5/1 10:00:00  "));
    EXPECT_TRUE(shell->clock()->isRunning());
    // The panel is wide enough for its whole text, even on the window's small design size.
    auto* panel = window->statusBar()->findChild<QLabel*>(QStringLiteral("StatusPanel4"));
    ASSERT_NE(panel, nullptr);
    window->showNormal();
    window->resize(777, 562);
    QApplication::processEvents();
    EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text()));
    fake->clock.set(QDate(2006, 5, 2), QTime(0, 0, 0));
    shell->clock()->Timer1Timer();
    EXPECT_EQ(window->statusText(TFmain::kClockPanel),
              QStringLiteral("农历: 丙戌(狗) 四月初四日巳时 2006/5/2  "));

    // A double click on the status bar refreshes the calendar's texts.
    fake->clock.set(QDate(2006, 5, 2), QTime(12, 0, 0));
    EXPECT_FALSE(windows->calendar().ClockLine().contains(QStringLiteral("12:00:00")));
    QTest::mouseDClick(window->statusBar(), Qt::LeftButton);
    EXPECT_TRUE(windows->calendar().ClockLine().contains(QStringLiteral("12:00:00")));
}

TEST_F(ProgramShellTest, AboutWindowShowsTheVersionPanel) {
    for (const char* how : {"actAbout", "N58"}) {
        SCOPED_TRACE(how);
        QString version;
        QStringList memo;
        WhenModalShown([&](QWidget* modal) {
            EXPECT_EQ(modal->windowTitle(), QStringLiteral("关于"));
            version = modal->findChild<QLabel*>(QStringLiteral("lbl1"))->text();
            memo = modal->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))
                       ->toPlainText()
                       .split(QLatin1Char('\n'));
            modal->findChild<QWidget*>(QStringLiteral("btn2"))
                ->metaObject()
                ->invokeMethod(modal->findChild<QWidget*>(QStringLiteral("btn2")), "click");
        });
        if (QString::fromLatin1(how) == QStringLiteral("actAbout"))
            ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actAbout")));
        else
            trayItem("N58")->trigger();
        EXPECT_EQ(version, window->statusText(TFmain::kVersionPanel));
        EXPECT_TRUE(version.startsWith(QStringLiteral("版本: V")));
        ASSERT_EQ(memo.size(), 11);
        EXPECT_EQ(memo[0], QStringLiteral("软件介绍："));
        EXPECT_EQ(memo[4], QStringLiteral("3。根据日期，数字，手摇等排六爻卦。"));
        EXPECT_EQ(memo[8], QStringLiteral("7。定时提示报警器。"));
        EXPECT_FALSE(windows->about().isVisible());
    }
}

class AlertActionsTest : public ProgramShellTest {
protected:
    // Sets the action, arms one second and lets the second pass.
    void fireAlarm(int action) {
        TFAlerting* alert = &windows->alert();
        alert->findChild<QComboBox*>(QStringLiteral("cbb1"))->setCurrentIndex(action);
        alert->findChild<QSpinBox*>(QStringLiteral("rxs3"))->setValue(1);
        alert->findChild<QCheckBox*>(QStringLiteral("chk1"))->click();
        ASSERT_TRUE(alert->alarm().isArmed());
        fake->clock.advanceSeconds(1);
        alert->tick();
    }
};

// At an alarm nobody may be there to answer: a changed note text is saved without a question,
// the session command runs to its end, and the program ends.
TEST_F(AlertActionsTest, SessionActionsSaveTheNoteUnaskedRunTheirCommandAndEndTheProgram) {
    struct Case {
        int action;
        const char* sessionId; // nullptr: XDG_SESSION_ID unset
        const char* command;   // program and arguments joined by blanks
    };
#ifdef Q_OS_WIN
    const Case cases[] = {
        {1, "c7", "shutdown -s -t 10"}, {2, "c7", "shutdown -r -f -t 5"}, {3, "c7", "shutdown -l"}};
#else
    const Case cases[] = {{1, "c7", "systemctl poweroff"},
                          {2, "c7", "systemctl reboot"},
                          {3, "c7", "loginctl terminate-session c7"},
                          {3, nullptr, "loginctl terminate-session self"}};
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        if (c.sessionId)
            qputenv("XDG_SESSION_ID", c.sessionId);
        else
            qunsetenv("XDG_SESSION_ID");
        start();
        QSignalSpy ending(window.get(), &TFmain::ending);
        typeIntoEditor(QString::number(c.action));
        fireAlarm(c.action);
        EXPECT_TRUE(dialogs().calls().empty()) << "nothing may wait for an answer";
        EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0).value_or(QString()).left(1),
                  QString::number(c.action));
        ASSERT_EQ(fake->launcher.calls().size(), 1u);
        const LaunchCall& run = fake->launcher.calls()[0];
        EXPECT_EQ(run.kind, LaunchCall::RunToEnd);
        EXPECT_EQ((QStringList{run.target} + run.arguments).join(QLatin1Char(' ')),
                  QString::fromLatin1(c.command));
        EXPECT_EQ(ending.count(), 1);
        EXPECT_TRUE(iniValue(QStringLiteral("Settings"), QStringLiteral("ToolBar")) !=
                    QStringLiteral("<missing>"));
    }
    qunsetenv("XDG_SESSION_ID");
}

// The system refuses to end the session (loginctl without a session, a power-off that is not
// allowed): the user learns it from a box in front of the alert, and the program keeps running.
TEST_F(AlertActionsTest, ARefusedSessionCommandIsReportedAndTheProgramRunsOn) {
    for (int action : {1, 2, 3}) {
        SCOPED_TRACE(action);
        start();
        fake->launcher.setSucceeds(false);
        QSignalSpy ending(window.get(), &TFmain::ending);
        typeIntoEditor(QStringLiteral("改"));
        dialogs().answerMessage(DialogButton::Ok);
        fireAlarm(action);
        ASSERT_EQ(fake->launcher.calls().size(), 1u);
        ASSERT_EQ(dialogs().calls().size(), 1u);
        const DialogCall& box = dialogs().calls()[0];
        EXPECT_EQ(box.caption, QStringLiteral("Error"));
        EXPECT_EQ(box.icon, MessageIcon::Error);
        EXPECT_EQ(box.parent, &windows->alert()) << "shown over the always-on-top alert";
        const QString actionText =
            windows->alert().findChild<QComboBox*>(QStringLiteral("cbb1"))->itemText(action);
        EXPECT_TRUE(box.text.startsWith(actionText + QStringLiteral("未能执行"))) << box.text.toStdString();
        EXPECT_EQ(ending.count(), 0);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(windows->alert().isVisible());
        // The text was saved before the command ran, and the notebook goes on.
        EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0),
                  QString(action, QChar(0x6539)) + QStringLiteral("说明\r\n"));
        EXPECT_FALSE(window->notebook().isDirty());
    }
}

// A changed text that cannot be saved at the alarm: the failure is shown, no command runs and the
// session does not end under the text.
TEST_F(AlertActionsTest, AFailedSaveAtTheAlarmKeepsTheSessionAndTheText) {
    typeIntoEditor(QStringLiteral("留"));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(dataPath()).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    QSignalSpy ending(window.get(), &TFmain::ending);
    dialogs().answerMessage(DialogButton::Ok);
    fireAlarm(3);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(fake->launcher.calls().empty());
    EXPECT_EQ(ending.count(), 0);
    ASSERT_EQ(dialogs().calls().size(), 1u);
    EXPECT_EQ(dialogs().calls()[0].icon, MessageIcon::Error);
    EXPECT_TRUE(window->notebook().isDirty());
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QStringLiteral("说明"));
}

TEST_F(AlertActionsTest, ReminderLeavesTheNotebookWorking) {
    QSignalSpy ending(window.get(), &TFmain::ending);
    windows->alert().hide();
    fireAlarm(0);
    EXPECT_TRUE(windows->alert().isVisible());
    EXPECT_TRUE(fake->launcher.calls().empty());
    EXPECT_EQ(ending.count(), 0);
    EXPECT_TRUE(dialogs().calls().empty());
    // The data file is still open: a change is saved as ever.
    typeIntoEditor(QStringLiteral("后"));
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actSave")));
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 0), QStringLiteral("后说明\r\n"));
}

TEST_F(AlertActionsTest, ArmedAlarmSurvivesHidingAndShowingTheAlertWindow) {
    TFAlerting* alert = &windows->alert();
    alert->findChild<QSpinBox*>(QStringLiteral("rxs2"))->setValue(5);
    alert->findChild<QCheckBox*>(QStringLiteral("chk1"))->click();
    alert->close();
    EXPECT_FALSE(alert->isVisible());
    ASSERT_TRUE(TriggerAction(window.get(), QStringLiteral("actAlert")));
    EXPECT_TRUE(alert->isVisible());
    EXPECT_TRUE(alert->alarm().isArmed());
    EXPECT_TRUE(alert->findChild<QCheckBox*>(QStringLiteral("chk1"))->isChecked());
}

TEST_F(AlertActionsTest, AlertOptionShowsTheAlertWindow) {
    ASSERT_TRUE(ProgramWindows::launchOptions().contains(
        qMakePair(QStringLiteral("--alert"), QStringLiteral("alert"))));
    EXPECT_FALSE(windows->alert().isVisible());
    windows->show(QStringLiteral("alert"));
    EXPECT_TRUE(windows->alert().isVisible());
}

} // namespace
} // namespace qj::test

#include "ProgramShellTest.moc"
