// The alarm fires once, at the first tick at or after the moment the delay ends.

#include "alert/AlarmClock.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

QDateTime At(int day, int h, int m, int s, int ms = 0) {
    return QDateTime(QDate(2024, 2, day), QTime(h, m, s, ms));
}

TEST(AlarmClock, DueMomentIsTheDelayAfterArmingInWholeSeconds) {
    struct Case {
        const char* what;
        QDateTime armedAt;
        int h, m, s;
        QDateTime due;
    };
    const Case cases[] = {
        {"1 min 30 s at 10:00", At(10, 10, 0, 0), 0, 1, 30, At(10, 10, 1, 30)},
        {"past midnight", At(10, 23, 59, 30), 0, 1, 0, At(11, 0, 0, 30)},
        {"exactly midnight", At(10, 23, 0, 0), 1, 0, 0, At(11, 0, 0, 0)},
        {"the largest delay, 24:59:59", At(10, 8, 0, 0), 24, 59, 59, At(11, 8, 59, 59)},
        {"milliseconds of the arming moment dropped", At(10, 10, 0, 0, 700), 0, 0, 5, At(10, 10, 0, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AlarmClock alarm;
        EXPECT_EQ(alarm.arm(c.armedAt, AlarmClock::DelaySeconds(c.h, c.m, c.s)), c.due);
        EXPECT_TRUE(alarm.isArmed());
    }
}

TEST(AlarmClock, FiresOnceAtTheFirstTickFromTheDueSecond) {
    struct Case {
        const char* what;
        QDateTime armedAt;
        qint64 delay;
        std::vector<QDateTime> quiet; // ticks that must not fire
        QDateTime fires;
    };
    const Case cases[] = {
        {"at the due second",
         At(10, 10, 0, 0),
         90,
         {At(10, 10, 0, 1), At(10, 10, 1, 29, 999)},
         At(10, 10, 1, 30)},
        {"the next day after midnight",
         At(10, 23, 59, 30),
         60,
         {At(10, 23, 59, 59), At(11, 0, 0, 0), At(11, 0, 0, 29)},
         At(11, 0, 0, 30)},
        {"24 hours later, not at the same time today",
         At(10, 9, 0, 0),
         24 * 3600,
         {At(10, 9, 0, 1), At(10, 23, 0, 0), At(11, 8, 59, 59)},
         At(11, 9, 0, 0)},
        {"a tick that comes late (the computer slept)",
         At(10, 10, 0, 0),
         60,
         {At(10, 10, 0, 30)},
         At(10, 12, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AlarmClock alarm;
        alarm.arm(c.armedAt, c.delay);
        for (const QDateTime& t : c.quiet)
            EXPECT_FALSE(alarm.check(t)) << t.toString(Qt::ISODateWithMs).toStdString();
        EXPECT_TRUE(alarm.check(c.fires));
        EXPECT_FALSE(alarm.isArmed());
        EXPECT_FALSE(alarm.check(c.fires.addSecs(1)));
    }
}

TEST(AlarmClock, DisarmedAlarmNeverFires) {
    AlarmClock alarm;
    EXPECT_FALSE(alarm.check(At(10, 10, 0, 0)));
    alarm.arm(At(10, 10, 0, 0), 5);
    alarm.disarm();
    EXPECT_FALSE(alarm.check(At(10, 10, 0, 5)));
    EXPECT_FALSE(alarm.check(At(11, 10, 0, 5)));
}

} // namespace
} // namespace qj
