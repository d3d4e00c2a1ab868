#pragma once
// Data files of large tree shapes for the benchmarks, generated once and kept in the build folder
// (bench-data/) for later runs:
// - the million-note category: 1,000 roots × 10 children × 99 grandchildren (1,001,000 notes),
//   short titles and texts, an index on ID, next to a small category of 3 notes and "帮助";
// - a chain: every note hangs under the one stored before it, as deep as asked, next to the same
//   small category and "帮助".

#include <QString>

namespace qj::bench {

inline constexpr int kMillionRoots = 1000;
inline constexpr int kMillionChildren = 10;
inline constexpr int kMillionGrandchildren = 99;
inline constexpr int kMillionNotes = kMillionRoots * (1 + kMillionChildren * (1 + kMillionGrandchildren));

inline const QString kMillionCategory = QStringLiteral("百万笔记");
inline const QString kChainCategory = QStringLiteral("长链");
inline const QString kSmallCategory = QStringLiteral("小目录");
inline const QString kHelpCategory = QStringLiteral("帮助");

// The path of the data file, generated when missing; empty when it cannot be made.
QString MillionNoteDataFile();
QString DeepChainDataFile(int depth);

} // namespace qj::bench
