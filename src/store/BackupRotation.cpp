#include "store/BackupRotation.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace qj {

namespace {

// The newest date of each of the `count` newest buckets, `newestFirst` sorted from the newest.
void KeepNewestOfBuckets(const std::vector<QDate>& newestFirst, int count,
                         const std::function<std::pair<int, int>(QDate)>& bucket, std::set<QDate>& keep) {
    std::pair<int, int> last{-1, -1};
    int taken = 0;
    for (const QDate& date : newestFirst) {
        if (taken == count)
            return;
        const std::pair<int, int> b = bucket(date);
        if (b == last)
            continue;
        last = b;
        keep.insert(date);
        ++taken;
    }
}

} // namespace

std::set<QDate> BackupsToKeep(const std::vector<QDate>& dates) {
    std::vector<QDate> newestFirst;
    for (const QDate& d : dates)
        if (d.isValid())
            newestFirst.push_back(d);
    std::sort(newestFirst.begin(), newestFirst.end(), std::greater<>());
    newestFirst.erase(std::unique(newestFirst.begin(), newestFirst.end()), newestFirst.end());
    std::set<QDate> keep;
    KeepNewestOfBuckets(
        newestFirst, kDailyBackups,
        [](QDate d) {
            return std::pair{int(d.toJulianDay()), 0};
        },
        keep);
    KeepNewestOfBuckets(
        newestFirst, kWeeklyBackups,
        [](QDate d) {
            int year = 0;
            const int week = d.weekNumber(&year);
            return std::pair{year, week};
        },
        keep);
    KeepNewestOfBuckets(
        newestFirst, kMonthlyBackups,
        [](QDate d) {
            return std::pair{d.year(), d.month()};
        },
        keep);
    return keep;
}

} // namespace qj
