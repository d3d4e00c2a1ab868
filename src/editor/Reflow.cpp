#include "editor/Reflow.h"

#include <vector>

namespace qj {

QString StripForReflow(QString text) {
    text.remove(QStringLiteral("\r\n"));
    text.remove(QLatin1Char(' '));
    text.remove(QChar(0x14));
    text.remove(QLatin1Char('\t'));
    return text;
}

QString StripLineBreaks(QString text) {
    return text.remove(QStringLiteral("\r\n"));
}

namespace {

// Start offsets (UTF-16) of the characters of `line`, and its length at the end.
std::vector<qsizetype> CharacterStarts(const QString& line) {
    std::vector<qsizetype> starts;
    starts.reserve(static_cast<size_t>(line.size()) + 1);
    for (qsizetype i = 0; i < line.size(); ++i) {
        starts.push_back(i);
        if (line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate())
            ++i;
    }
    starts.push_back(line.size());
    return starts;
}

void BreakLine(const QString& line, double width, const TextMeasure& measure, const TextMeasure& estimate,
               QStringList& out) {
    const std::vector<qsizetype> starts = CharacterStarts(line);
    const size_t count = starts.size() - 1; // characters
    // Cumulative estimated widths: sum[i] = width of characters [0, i).
    std::vector<double> sum;
    if (estimate) {
        sum.resize(count + 1);
        sum[0] = 0;
        for (size_t i = 0; i < count; ++i)
            sum[i + 1] = sum[i] + estimate(QStringView(line).mid(starts[i], starts[i + 1] - starts[i]));
    }
    // A line far wider than the page is not measured whole (a pasted megabyte would take long).
    if ((!estimate || sum[count] <= 2 * width) && measure(line) <= width) {
        out << line;
        return;
    }
    size_t first = 0; // first character of the remainder
    while (first < count) {
        auto piece = [&](size_t n) {
            return QStringView(line).mid(starts[first], starts[first + n] - starts[first]);
        };
        auto fits = [&](size_t n) { return measure(piece(n)) <= width; };
        const size_t left = count - first;
        size_t n;
        if (estimate) {
            // The longest run whose estimated width fits, then corrected by real measurements.
            size_t lo = 0, hi = left;
            while (lo < hi) {
                const size_t mid = (lo + hi + 1) / 2;
                if (sum[first + mid] - sum[first] <= width)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            n = lo;
            while (n > 0 && !fits(n))
                --n;
            while (n < left && fits(n + 1))
                ++n;
        } else {
            // Widths grow with the run: the longest fitting run by bisection.
            size_t lo = 0, hi = left;
            while (lo < hi) {
                const size_t mid = (lo + hi + 1) / 2;
                if (fits(mid))
                    lo = mid;
                else
                    hi = mid - 1;
            }
            n = lo;
        }
        if (n == 0)
            n = 1; // a character wider than the page keeps a line of its own
        out << piece(n).toString();
        first += n;
    }
}

} // namespace

QStringList ReflowLines(const QStringList& lines, double width, const TextMeasure& measure,
                        const TextMeasure& estimate) {
    QStringList out;
    out.reserve(lines.size());
    for (const QString& line : lines)
        BreakLine(line, width, measure, estimate, out);
    return out;
}

} // namespace qj
