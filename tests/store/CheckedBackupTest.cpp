// The automatic daily backup: the checked copy, what counts as one, and which copies are kept over
// 400 days of starts.

#include "store/CheckedBackup.h"
#include "store/BackupRotation.h"
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/DefaultCategory.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace qj {
namespace {

// For a backup made every day up to `last`: the 7 last days, the newest day of each of the last 4
// weeks (the last day and the Sundays before it) and of each of the last 12 months (the last day
// and the ends of the 11 months before).
std::set<QDate> KeptForDailyBackupsUpTo(QDate last) {
    std::set<QDate> kept;
    for (int i = 0; i < 7; ++i)
        kept.insert(last.addDays(-i));
    QDate sunday = last.addDays(-last.dayOfWeek());
    for (int i = 0; i < 3; ++i, sunday = sunday.addDays(-7))
        kept.insert(sunday);
    QDate monthEnd = QDate(last.year(), last.month(), 1).addDays(-1);
    for (int i = 0; i < 11; ++i, monthEnd = QDate(monthEnd.year(), monthEnd.month(), 1).addDays(-1))
        kept.insert(monthEnd);
    return kept;
}

std::set<QDate> DatesIn(const QString& folder) {
    std::set<QDate> dates;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        EXPECT_TRUE(DateOfDailyBackup(name).isValid()) << name.toStdString(); // nothing else left there
        dates.insert(DateOfDailyBackup(name));
    }
    return dates;
}

TEST(BackupRotation, KeepsSevenDailyFourWeeklyTwelveMonthly) {
    const QDate first(2025, 11, 5);
    std::vector<QDate> present;
    for (int day = 0; day < 400; ++day) {
        const QDate today = first.addDays(day);
        present.push_back(today);
        const std::set<QDate> keep = BackupsToKeep(present);
        ASSERT_TRUE(keep.count(today)); // the newest is never removed
        ASSERT_LE(keep.size(), 23u);
        present.assign(keep.begin(), keep.end());
    }
    EXPECT_EQ(std::set<QDate>(present.begin(), present.end()), KeptForDailyBackupsUpTo(first.addDays(399)));
}

TEST(BackupRotation, CountsDaysThatHaveACopy) {
    const struct {
        std::vector<QDate> dates;
        std::size_t kept;
    } cases[] = {
        {{}, 0},
        {{QDate(2026, 1, 1), QDate(2026, 1, 1), QDate()}, 1},
        // A copy every 30 days for two years: the 12 newest months, whatever gaps lie between.
        {[] {
             std::vector<QDate> d;
             for (int i = 0; i < 25; ++i)
                 d.push_back(QDate(2024, 1, 15).addDays(30 * i));
             return d;
         }(),
         12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BackupsToKeep(c.dates).size(), c.kept);
}

TEST(BackupNames, ReadOnlyTheirOwnNames) {
    EXPECT_EQ(DailyBackupName(QDate(2026, 3, 5)), QStringLiteral("dataly-20260305.dat"));
    EXPECT_EQ(DateOfDailyBackup(QStringLiteral("dataly-20260305.dat")), QDate(2026, 3, 5));
    for (const char* other : {"dataly-2026035.dat", "dataly-20261332.dat", "dataly-20260305.dat.1-2.part",
                              "xdataly-20260305.dat", "dataly.dat"})
        EXPECT_FALSE(DateOfDailyBackup(QString::fromLatin1(other)).isValid()) << other;
}

class DailyBackup : public ::testing::Test {
protected:
    void SetUp() override {
        CreateEmptyDataFile(data());
        DataFile file(data());
        file.CreateCategoryTable(QStringLiteral("日记"));
        CategoryTable table(file, QStringLiteral("日记"));
        for (int i = 1; i <= 30; ++i)
            table.Append(NoteId{i}, NoteId{0}, QStringLiteral("第%1").arg(i),
                         QStringLiteral("文字").repeated(i));
    }
    QString data() const { return dir.filePath(QStringLiteral("dataly.dat")); }
    QString folder() const { return dir.filePath(QStringLiteral("备份")); }
    QTemporaryDir dir;
};

TEST_F(DailyBackup, MakesACheckedCopyOnceADay) {
    const QDate today(2026, 12, 10);
    const DailyBackupResult made = RunDailyBackup(data(), today);
    ASSERT_EQ(made.outcome, DailyBackupResult::Outcome::Made) << made.problem.toStdString();
    EXPECT_EQ(made.path, QDir(folder()).filePath(QStringLiteral("dataly-20261210.dat")));
    EXPECT_EQ(CheckBackupCopy(made.path, {}), QStringLiteral("备份副本的目录分类或笔记数与数据文件不同"));
    EXPECT_EQ(DataFile(made.path).Categories(), DataFile(data()).Categories());
    EXPECT_EQ(RunDailyBackup(data(), today).outcome, DailyBackupResult::Outcome::AlreadyMade);
    // Today's copy damaged: not counted, made again.
    QFile file(made.path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(100);
    file.write(QByteArray(4000, '\x5a'));
    file.resize(file.size() / 2);
    file.close();
    EXPECT_EQ(RunDailyBackup(data(), today).outcome, DailyBackupResult::Outcome::Made);
    EXPECT_EQ(RunDailyBackup(data(), today).outcome, DailyBackupResult::Outcome::AlreadyMade);
}

// A failure removes nothing: no older copy, no half copy.
TEST_F(DailyBackup, AFailureRemovesNothing) {
    for (int day = 0; day < 10; ++day)
        ASSERT_EQ(RunDailyBackup(data(), QDate(2026, 1, 1).addDays(day)).outcome,
                  DailyBackupResult::Outcome::Made);
    const std::set<QDate> before = DatesIn(folder());
    QFile::remove(data());
    QFile garbage(data());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    const DailyBackupResult failed = RunDailyBackup(data(), QDate(2026, 2, 1));
    EXPECT_EQ(failed.outcome, DailyBackupResult::Outcome::Failed);
    EXPECT_FALSE(failed.problem.isEmpty());
    EXPECT_EQ(DatesIn(folder()), before);
}

TEST_F(DailyBackup, KeepsTheRuleOverFourHundredDays) {
    const QDate first(2025, 11, 5);
    for (int day = 0; day < 400; ++day)
        ASSERT_NE(RunDailyBackup(data(), first.addDays(day)).outcome, DailyBackupResult::Outcome::Failed);
    EXPECT_EQ(DatesIn(folder()), KeptForDailyBackupsUpTo(first.addDays(399)));
}

void SetModified(const QString& path, const QDateTime& when) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

// At exit the day's copy is made again only when the data file changed after it (same time: not).
TEST_F(DailyBackup, WhenChangedRemakesTheDaysCopyOnlyAfterAChange) {
    const QDate today(2026, 12, 10);
    const QString copy = RunDailyBackup(data(), today).path;
    const QDateTime copied = QFileInfo(copy).lastModified();
    {
        DataFile file(data());
        CategoryTable(file, QStringLiteral("日记")).Append(NoteId{31}, NoteId{0}, QStringLiteral("新"), {});
    }
    SetModified(data(), copied);
    EXPECT_EQ(RunDailyBackup(data(), today, BackupWhen::WhenChanged).outcome,
              DailyBackupResult::Outcome::AlreadyMade);
    EXPECT_EQ(RunDailyBackup(data(), today).outcome, DailyBackupResult::Outcome::AlreadyMade);
    SetModified(data(), copied.addSecs(1));
    EXPECT_EQ(RunDailyBackup(data(), today).outcome, DailyBackupResult::Outcome::AlreadyMade);
    EXPECT_EQ(RunDailyBackup(data(), today, BackupWhen::WhenChanged).outcome,
              DailyBackupResult::Outcome::Made);
    DataFile made(copy);
    EXPECT_EQ(CategoryTable(made, QStringLiteral("日记")).RecordCount(), 31);
}

// A data file that cannot be opened: the newest copy that passes its check takes its place, the
// damaged file stays beside it under its new name; a refused step leaves everything where it was.
TEST_F(DailyBackup, TheNewestCheckedCopyReplacesADamagedFile) {
    EXPECT_TRUE(NewestCheckedBackup(data()).path.isEmpty());
    RunDailyBackup(data(), QDate(2026, 12, 8));
    const QString newest = RunDailyBackup(data(), QDate(2026, 12, 9)).path;
    QFile::copy(QDir(folder()).filePath(QStringLiteral("dataly-20261208.dat")),
                newest + QStringLiteral(".x"));
    QFile(newest).resize(100);
    QFile::copy(newest + QStringLiteral(".x"), QDir(folder()).filePath(QStringLiteral("notes-20261210.dat")));
    const CheckedCopy found = NewestCheckedBackup(data());
    EXPECT_EQ(found.date, QDate(2026, 12, 8));
    EXPECT_EQ(QFileInfo(found.path).fileName(), QStringLiteral("dataly-20261208.dat"));

    const QByteArray damaged(8192, 'z');
    QFile::remove(data());
    QFile bad(data());
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(damaged);
    bad.close();
    const auto bytesOf = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QString aside = dir.filePath(QStringLiteral("dataly.damaged.dat"));
    const struct {
        QString copy;
        bool asideTaken;
    } refused[] = {{dir.filePath(QStringLiteral("nothing.dat")), false}, {found.path, true}};
    for (const auto& r : refused) {
        if (r.asideTaken)
            QFile(aside).open(QIODevice::WriteOnly);
        EXPECT_FALSE(ReplaceDataFileWithCopy(data(), r.copy, QStringLiteral("dataly.damaged.dat")).isEmpty());
        EXPECT_EQ(bytesOf(data()), damaged);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), r.asideTaken ? 2 : 1);
    }
    QFile::remove(aside);
    EXPECT_EQ(ReplaceDataFileWithCopy(data(), found.path, QStringLiteral("dataly.damaged.dat")), QString());
    EXPECT_EQ(bytesOf(aside), damaged);
    EXPECT_EQ(bytesOf(data()), bytesOf(found.path));
    DataFile restored(data());
    EXPECT_EQ(CategoryTable(restored, QStringLiteral("日记")).RecordCount(), 30);
}

} // namespace
} // namespace qj
