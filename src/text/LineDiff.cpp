#include "text/LineDiff.h"

#include <QRegularExpression>

#include <algorithm>

namespace qj {

QStringList SplitLines(const QString& text) {
    if (text.isEmpty())
        return {};
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(breaks);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast(); // a final line break ends the last line, it does not start another
    return lines;
}

std::vector<DiffLine> LineDiff(const QString& before, const QString& after) {
    const QStringList a = SplitLines(before);
    const QStringList b = SplitLines(after);
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const qsizetype n = a.size() - head - tail;
    const qsizetype m = b.size() - head - tail;

    std::vector<DiffLine> out;
    for (qsizetype i = 0; i < head; ++i)
        out.push_back({DiffLine::Kind::Same, a[i]});
    if (static_cast<std::int64_t>(n) * m > kMaxDiffCells) {
        for (qsizetype i = 0; i < n; ++i)
            out.push_back({DiffLine::Kind::Removed, a[head + i]});
        for (qsizetype j = 0; j < m; ++j)
            out.push_back({DiffLine::Kind::Added, b[head + j]});
    } else {
        // common[i][j]: the longest common run of a's middle from i and b's middle from j.
        std::vector<std::uint32_t> common(static_cast<size_t>((n + 1) * (m + 1)), 0);
        const auto at = [m](qsizetype i, qsizetype j) { return static_cast<size_t>(i * (m + 1) + j); };
        for (qsizetype i = n - 1; i >= 0; --i)
            for (qsizetype j = m - 1; j >= 0; --j)
                common[at(i, j)] = a[head + i] == b[head + j]
                                       ? common[at(i + 1, j + 1)] + 1
                                       : std::max(common[at(i + 1, j)], common[at(i, j + 1)]);
        qsizetype i = 0;
        qsizetype j = 0;
        while (i < n || j < m) {
            if (i < n && j < m && a[head + i] == b[head + j]) {
                out.push_back({DiffLine::Kind::Same, a[head + i]});
                ++i;
                ++j;
            } else if (i < n && (j == m || common[at(i + 1, j)] >= common[at(i, j + 1)])) {
                out.push_back({DiffLine::Kind::Removed, a[head + i]});
                ++i;
            } else {
                out.push_back({DiffLine::Kind::Added, b[head + j]});
                ++j;
            }
        }
    }
    for (qsizetype i = a.size() - tail; i < a.size(); ++i)
        out.push_back({DiffLine::Kind::Same, a[i]});
    return out;
}

} // namespace qj
