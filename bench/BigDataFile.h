#pragma once
// A data file of 500 MB for the start-up benchmarks: 50 categories ("帮助", "类别01" … "类别49")
// of 1,150 notes each, every note about 8.5 kB of Chinese text, roots of fifty notes with the
// notes under them one or two levels deep, an index on ID per category. Generated once into the
// build folder (bench-data/) and kept for later runs.

#include <QString>

namespace qj::bench {

inline constexpr int kBigCategories = 50;
inline constexpr int kBigNotesPerCategory = 1150;
// The category the start-up benchmarks open at start.
inline const QString kBigStartupCategory = QStringLiteral("类别25");

// The path of the data file, generated when missing; empty when it cannot be made.
QString BigDataFile();

} // namespace qj::bench
