// The alert window: arming and disarming, the alarm at its time with its sound, transparency.
// The session actions (power off, restart, log off) are tested with the main window, in
// tests/app/ProgramShellTest.cpp.

#include "alert/PAlert.h"
#include "alert/TrackBar.h"

#include "calendar/core/Captions.h"
#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"
#include "support/UiHelpers.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace qj::test {
namespace {

class AlertWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        fake.clock.set(QDate(2024, 2, 10), QTime(10, 0, 0));
        AlertHooks hooks;
        hooks.gregorianCaption = [] {
            return QString::fromStdString(GregorianCaption(EncodeDate(2006, 5, 1), -1));
        };
        window = std::make_unique<TFAlerting>(fake.services(), std::move(hooks));
        window->show();
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    template <class T> T* child(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QSpinBox* box(int i) const { return child<QSpinBox>(i == 0 ? "rxs1" : i == 1 ? "rxs2" : "rxs3"); }
    QCheckBox* chk1() const { return child<QCheckBox>("chk1"); }
    QCheckBox* chk2() const { return child<QCheckBox>("chk2"); }

    void setDelay(int h, int m, int s) {
        box(0)->setValue(h);
        box(1)->setValue(m);
        box(2)->setValue(s);
    }
    // The user ticks "开启报警" with this delay.
    void arm(int h, int m, int s) {
        setDelay(h, m, s);
        chk1()->click();
    }
    void tickAt(const QDateTime& when) {
        fake.clock.set(when);
        window->tick();
    }
    std::vector<int> boxValues() const { return {box(0)->value(), box(1)->value(), box(2)->value()}; }

    TempProgramFolder dir;
    FakeServices fake{dir.folder()};
    std::unique_ptr<TFAlerting> window;
};

QDateTime At(int day, int h, int m, int s) {
    return QDateTime(QDate(2024, 2, day), QTime(h, m, s));
}

TEST_F(AlertWindowTest, StartsIdleWithItsControls) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Alert"));
    EXPECT_FALSE(window->alarm().isArmed());
    EXPECT_EQ(boxValues(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(box(0)->maximum(), 24);
    EXPECT_EQ(box(1)->maximum(), 59);
    EXPECT_EQ(box(2)->maximum(), 59);
    QComboBox* actions = child<QComboBox>("cbb1");
    ASSERT_EQ(actions->count(), 4);
    const char* texts[] = {"定时提示信息", "定时自动关机", "定时强制重启", "定时注销用户"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(actions->itemText(i), QString::fromUtf8(texts[i]));
    EXPECT_EQ(actions->currentIndex(), 0);
    EXPECT_EQ(child<QLabel>("tc1")->text(), QStringLiteral("10:00:00"));
    EXPECT_EQ(child<QGroupBox>("grp2")->title(), QStringLiteral("当前时间 [公历: 2006年 5月 1日]"));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(AlertWindowTest, ArmingShowsTheDueMomentAndTheAlarmFiresThen) {
    struct Case {
        const char* what;
        QDateTime armedAt;
        int h, m, s;
        const char* caption;
        QDateTime lastQuiet;
        QDateTime fires;
    };
    const Case cases[] = {
        {"1 min 30 s at 10:00", At(10, 10, 0, 0), 0, 1, 30, "报警时间：2024/2/10 10:01:30", At(10, 10, 1, 29),
         At(10, 10, 1, 30)},
        {"ending after midnight", At(10, 23, 59, 30), 0, 1, 0, "报警时间：2024/2/11 00:00:30",
         At(11, 0, 0, 29), At(11, 0, 0, 30)},
        {"ending exactly at midnight", At(10, 23, 0, 0), 1, 0, 0, "报警时间：2024/2/11 00:00:00",
         At(10, 23, 59, 59), At(11, 0, 0, 0)},
        {"24 hours", At(10, 9, 0, 0), 24, 0, 0, "报警时间：2024/2/11 09:00:00", At(11, 8, 59, 59),
         At(11, 9, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int beepsBefore = fake.sound.beeps();
        fake.clock.set(c.armedAt);
        arm(c.h, c.m, c.s);
        EXPECT_TRUE(chk1()->isChecked());
        EXPECT_TRUE(window->alarm().isArmed());
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(fake.dialogs.calls().empty());

        tickAt(c.lastQuiet);
        EXPECT_TRUE(window->alarm().isArmed());
        EXPECT_EQ(fake.sound.beeps(), beepsBefore);

        tickAt(c.fires);
        EXPECT_FALSE(window->alarm().isArmed());
        EXPECT_FALSE(chk1()->isChecked());
        EXPECT_EQ(boxValues(), (std::vector<int>{0, 0, 0}));
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Alert"));
        EXPECT_EQ(fake.sound.beeps(), beepsBefore + 1); // no Alerting.wav in this folder
        tickAt(c.fires.addSecs(1));
        EXPECT_EQ(fake.sound.beeps(), beepsBefore + 1);
    }
}

TEST_F(AlertWindowTest, ZeroDelayIsRefusedWithAMessage) {
    fake.dialogs.answerMessage(DialogButton::Ok);
    arm(0, 0, 0);
    ASSERT_EQ(fake.dialogs.calls().size(), 1u);
    const DialogCall& call = fake.dialogs.calls()[0];
    EXPECT_EQ(call.caption, QStringLiteral("Error"));
    EXPECT_EQ(call.icon, MessageIcon::Error);
    EXPECT_EQ(call.text, QStringLiteral("00:00:00\r\r\n请设置报警时间 !"));
    EXPECT_EQ(call.buttons, std::vector<DialogButton>{DialogButton::Ok});
    EXPECT_FALSE(chk1()->isChecked());
    EXPECT_FALSE(window->alarm().isArmed());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Alert"));
}

TEST_F(AlertWindowTest, ChangingAnyBoxWhileArmedDisarmsAndResetsAll) {
    for (int changed = 0; changed < 3; ++changed) {
        SCOPED_TRACE(changed);
        arm(1, 2, 3);
        ASSERT_TRUE(window->alarm().isArmed());
        box(changed)->setValue(box(changed)->value() + 1);
        EXPECT_FALSE(window->alarm().isArmed());
        EXPECT_FALSE(chk1()->isChecked());
        EXPECT_EQ(boxValues(), (std::vector<int>{0, 0, 0}));
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Alert"));
    }
    // Idle, a change stays as typed.
    setDelay(0, 5, 0);
    EXPECT_EQ(boxValues(), (std::vector<int>{0, 5, 0}));
}

TEST_F(AlertWindowTest, UntickingDisarmsAndResetsTheBoxes) {
    arm(0, 10, 0);
    chk1()->click();
    EXPECT_FALSE(window->alarm().isArmed());
    EXPECT_EQ(boxValues(), (std::vector<int>{0, 0, 0}));
    tickAt(At(10, 10, 10, 0));
    EXPECT_EQ(fake.sound.beeps(), 0);
}

TEST_F(AlertWindowTest, DoubleClickOnTheTimeFrameFillsInTheTimeOfDay) {
    for (bool armed : {false, true}) {
        SCOPED_TRACE(armed);
        if (armed)
            arm(0, 0, 9);
        fake.clock.set(At(10, 13, 45, 7));
        auto* frame = child<QGroupBox>("grp1");
        QTest::mouseDClick(frame, Qt::LeftButton, {}, QPoint(5, frame->height() - 5));
        EXPECT_EQ(boxValues(), (std::vector<int>{13, 45, 7}));
        EXPECT_FALSE(window->alarm().isArmed());
        EXPECT_FALSE(chk1()->isChecked());
    }
}

TEST_F(AlertWindowTest, ClosedWindowKeepsItsAlarmAndComesBackAtIt) {
    child<QPlainTextEdit>("mmoAlarm")->setPlainText(QStringLiteral("开会"));
    arm(0, 0, 30);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isHidden());
    EXPECT_TRUE(window->alarm().isArmed());
    tickAt(At(10, 10, 0, 30));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(child<QPlainTextEdit>("mmoAlarm")->toPlainText(), QStringLiteral("开会"));
    // The reminder runs nothing.
    EXPECT_TRUE(fake.launcher.calls().empty());
}

TEST_F(AlertWindowTest, SoundIsTheWavBesideTheProgramElseTheBeep) {
    struct Case {
        const char* what;
        bool fileThere;
        bool plays;
        int played;
        int beeps;
    };
    const Case cases[] = {
        {"the file plays", true, true, 1, 0},
        {"no file", false, true, 0, 1},
        {"a file that cannot be played", true, false, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempProgramFolder folder;
        if (c.fileThere) {
            ASSERT_TRUE(folder.copyFromBuild(QStringLiteral("Alerting.wav")));
        }
        FakeServices services(folder.folder());
        services.sound.setPlays(c.plays);
        services.clock.set(At(10, 10, 0, 0));
        TFAlerting alert(services.services(), {});
        alert.findChild<QSpinBox*>(QStringLiteral("rxs3"))->setValue(1);
        alert.findChild<QCheckBox*>(QStringLiteral("chk1"))->click();
        services.clock.set(At(10, 10, 0, 1));
        alert.tick();
        EXPECT_EQ(services.sound.played().size(), c.played);
        if (c.played) {
            EXPECT_EQ(services.sound.played()[0], folder.filePath(QStringLiteral("Alerting.wav")));
        }
        EXPECT_EQ(services.sound.beeps(), c.beeps);
    }
}

TEST_F(AlertWindowTest, TransparencyAlwaysStartsAtItsOwnOpacity) {
    auto* track = child<TrackBar>("TrackBar1");
    auto* strip = child<QWidget>("pnl2");
    EXPECT_FALSE(strip->isVisible());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        chk2()->click();
        EXPECT_EQ(track->value(), 125);
        EXPECT_EQ(std::pair(track->selectionStart(), track->selectionEnd()), std::pair(0, 125));
        EXPECT_NEAR(window->windowOpacity(), 125 / 255.0, 0.01);
        EXPECT_TRUE(strip->isVisible());
        track->setValue(200);
        EXPECT_NEAR(window->windowOpacity(), 200 / 255.0, 0.01);
        EXPECT_EQ(track->selectionEnd(), 200); // the range follows the thumb
        chk2()->click();
        EXPECT_DOUBLE_EQ(window->windowOpacity(), 1.0);
        EXPECT_FALSE(strip->isVisible());
    }
    EXPECT_EQ(track->maximum(), 254);
}

// Down at the track bar's bottom the window stays visible (it could not be found again at 0),
// and ticking and unticking 窗体透明 keeps the window's width.
TEST_F(AlertWindowTest, TransparencyHasAFloorAndKeepsTheWindowsWidth) {
    window->show();
    auto* track = child<TrackBar>("TrackBar1");
    const int width = window->width();
    chk2()->click();
    EXPECT_EQ(window->width(), width);
    struct Case {
        int position;
        double opacity;
    };
    for (const Case& c : {Case{0, 64 / 255.0}, Case{63, 64 / 255.0}, Case{64, 64 / 255.0},
                          Case{65, 65 / 255.0}, Case{254, 254 / 255.0}}) {
        SCOPED_TRACE(c.position);
        track->setValue(c.position);
        EXPECT_EQ(track->value(), c.position);
        EXPECT_NEAR(window->windowOpacity(), c.opacity, 0.005);
    }
    chk2()->click();
    EXPECT_EQ(window->width(), width);
    EXPECT_DOUBLE_EQ(window->windowOpacity(), 1.0);
}

TEST_F(AlertWindowTest, ClearButtonEmptiesTheReminder) {
    auto* memo = child<QPlainTextEdit>("mmoAlarm");
    memo->setPlainText(QStringLiteral("取快递"));
    child<QWidget>("btn1")->metaObject()->invokeMethod(child<QWidget>("btn1"), "click");
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    child<QWidget>("btn2")->metaObject()->invokeMethod(child<QWidget>("btn2"), "click");
    EXPECT_TRUE(window->isHidden());
}

} // namespace
} // namespace qj::test
