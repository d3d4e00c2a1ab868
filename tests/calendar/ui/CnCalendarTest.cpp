// The month grid widget's own properties; the grid's arithmetic is tested in the core.

#include "calendar/ui/CnCalendar.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace qj {
namespace {

TEST(CnCalendar, StartsOnTodayAndFollowsUseCurrentDate) {
    test::FakeClock clock(QDateTime(QDate(2006, 5, 6), QTime(15, 20)));
    TCnCalendar grid(clock);
    EXPECT_EQ(grid.CalendarDate(), EncodeDate(2006, 5, 6)); // whole day
    EXPECT_TRUE(grid.UseCurrentDate());
    EXPECT_FALSE(grid.ReadOnly());
    EXPECT_TRUE(grid.ShowMonth());
    EXPECT_EQ(grid.MonthFontcolor(), QColor(238, 247, 247));

    QSignalSpy changes(&grid, &TCnCalendar::OnChange);
    grid.setMonth(7);
    EXPECT_FALSE(grid.UseCurrentDate());
    clock.set(QDate(2010, 1, 2), QTime(9, 0));
    grid.setUseCurrentDate(true);
    EXPECT_EQ(grid.CalendarDate(), EncodeDate(2010, 1, 2));
    EXPECT_EQ(changes.count(), 1); // going back to today is no change notification
}

TEST(CnCalendar, StartOfWeekTurnsTheHeaderAndTheDays) {
    test::FakeClock clock(QDateTime(QDate(2006, 1, 15), QTime(12, 0)));
    TCnCalendar grid(clock);
    const QLocale locale = QLocale::system();
    EXPECT_EQ(grid.CellDayText(0, 0), locale.dayName(7, QLocale::ShortFormat)); // Sunday
    EXPECT_EQ(grid.CellDayText(0, 1), QStringLiteral("1"));
    grid.setStartOfWeek(1);
    EXPECT_EQ(grid.CellDayText(0, 0), locale.dayName(1, QLocale::ShortFormat)); // Monday
    EXPECT_EQ(grid.CellDayText(6, 1), QStringLiteral("1"));
    EXPECT_EQ(grid.CellDayText(0, 1), QString());
    grid.setStartOfWeek(7); // not a weekday: ignored
    EXPECT_EQ(grid.StartOfWeek(), 1);
    // The current cell is the date's cell.
    EXPECT_EQ(grid.currentIndex().row(), 3);
    EXPECT_EQ(grid.currentIndex().column(), 6);
}

TEST(CnCalendar, ImgFileKeepsOnlyAPictureItCanRead) {
    test::FakeClock clock;
    TCnCalendar grid(clock);
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("ground.png"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(picture));
    const QString notAPicture = dir.filePath(QStringLiteral("notes.txt"));
    QFile text(notAPicture);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();

    grid.setImgFile(picture);
    EXPECT_EQ(grid.ImgFile(), picture);
    for (const QString& name : {QString(), dir.filePath(QStringLiteral("missing.bmp")), notAPicture}) {
        grid.setImgFile(picture);
        grid.setImgFile(name);
        EXPECT_EQ(grid.ImgFile(), QString()) << name.toStdString();
    }
    grid.resize(400, 300);
    EXPECT_FALSE(grid.grab().isNull()); // paints with and without a picture
}

} // namespace
} // namespace qj
