#pragma once
// Which automatic backups are kept: the newest copy of each of the 7 newest days that have one, of
// each of the 4 newest ISO weeks and of each of the 12 newest months. The newest copy is always among
// them. Days are the copies' own dates, whatever day it is now.

#include <QDate>

#include <set>
#include <vector>

namespace qj {

inline constexpr int kDailyBackups = 7;
inline constexpr int kWeeklyBackups = 4;
inline constexpr int kMonthlyBackups = 12;

std::set<QDate> BackupsToKeep(const std::vector<QDate>& dates);

} // namespace qj
