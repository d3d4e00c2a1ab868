#pragma once
// A large notebook for the search benchmarks: 50 categories of 4,000 notes each (200,000 notes),
// about 250 MB of Chinese text mixed with ASCII words and numbers. A few notes hold the rare ASCII
// word kRareWord, some the two-character word kRareChineseWord.
//
// Writing it takes a while, so it is made once and kept in a cache folder ($QJ_BENCH_DATA, else
// /tmp/qingjian-bench) for later runs; the benchmarks open a copy-free connection to it.

#include <QString>

namespace qj::bench {

inline constexpr int kNotebookCategories = 50;
inline constexpr int kNotesPerCategory = 4000;
inline constexpr const char* kRareWord = "Xylograph";
inline constexpr const char* kRareChineseWord = "青简";

// The path of the large data file, generated when missing.
QString LargeNotebookPath();

} // namespace qj::bench
