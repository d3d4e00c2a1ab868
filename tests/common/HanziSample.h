#pragma once
// Chinese text samples for measuring the encoding rule: the 3,755 level-1 hanzi of GB2312 and a
// fixed pseudo-random sample of two-character pairs of them (the same pairs on every run).

#include <string>
#include <utility>
#include <vector>

namespace qj::test {

// The level-1 hanzi (GB2312 rows 16..55, B0A1..D7F9) as UTF-8, in code order, read through iconv.
const std::vector<std::string>& Level1Hanzi();

// Every hanzi GBK holds outside GB2312 (its rare and traditional forms) as UTF-8.
const std::vector<std::string>& GbkOnlyHanzi();

// `count` pairs of indexes into a list of `size` entries, drawn by a Mersenne twister seeded with
// `seed` (std::mt19937 gives the same numbers on every platform).
std::vector<std::pair<int, int>> SamplePairs(int count, int size, unsigned seed = 20261209);

} // namespace qj::test
