#pragma once
// The difference between two texts line by line, as the history window shows it: lines kept, taken
// out and put in, in order, from the longest common run of lines. Lines end at "\r\n", "\n" or "\r".
// A difference too large to work out exactly (more than kMaxDiffCells line pairs left once the
// common beginning and end are set aside) shows the differing middle as taken out, then put in.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace qj {

inline constexpr std::int64_t kMaxDiffCells = 4'000'000;

struct DiffLine {
    enum class Kind { Same, Removed, Added };
    Kind kind;
    QString text;
    friend bool operator==(const DiffLine&, const DiffLine&) = default;
};

QStringList SplitLines(const QString& text);
std::vector<DiffLine> LineDiff(const QString& before, const QString& after);

} // namespace qj
