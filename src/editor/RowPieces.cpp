#include "editor/RowPieces.h"

#include "editor/RowBreaks.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace qj {
namespace {

// FNV-1a over a piece's bytes: its style.
constexpr std::uint32_t kHashStart = 2166136261u;
std::uint32_t Mixed(std::uint32_t hash, unsigned char byte) {
    return (hash ^ byte) * 16777619u;
}

// Whether the text suggests a piece end before a character of `length` bytes, by the two
// characters around the place alone: about one byte in thirty-two.
bool SuggestsEnd(char32_t before, char32_t after, size_t length) {
    const std::uint32_t h = (static_cast<std::uint32_t>(before) * 0x9E3779B1u) ^
                            (static_cast<std::uint32_t>(after) * 0x85EBCA77u);
    return (h >> 27) < length;
}

} // namespace

int SlackColumns(double cell, const std::vector<DrawnWidth>& samples, int columns) {
    if (cell <= 0)
        return -1;
    double shortfall = 0;
    for (const DrawnWidth& s : samples)
        shortfall = std::max(shortfall, 1.0 - s.drawn / (s.columns * cell));
    if (shortfall >= 1)
        return -1;
    // Characters that short let this many more columns into the wrap width.
    const double reach = (columns + kHangingColumns) * shortfall / (1 - shortfall);
    return reach < columns / 2.0 ? static_cast<int>(std::ceil(reach)) + 1 : -1;
}

std::vector<char> PieceStyles(std::string_view line, const std::vector<size_t>& rowStarts, int columns,
                              int slackColumns) {
    return PieceStylesFrom(line, rowStarts, columns, slackColumns, 0, -1);
}

std::vector<char> PieceStylesFrom(std::string_view line, const std::vector<size_t>& rowStarts, int columns,
                                  int slackColumns, size_t fromRow, int styleBefore) {
    const auto startOf = [&](size_t row) { return row == 0 ? size_t{0} : rowStarts[row - 1]; };
    fromRow = std::min(fromRow, rowStarts.size());
    const size_t from = startOf(fromRow);
    std::vector<char> styles(line.size() - from, 0);
    int previousStyle = styleBefore;
    size_t pieceStart = from;
    std::uint32_t hash = kHashStart;
    auto endPiece = [&](size_t at) {
        int style = static_cast<int>(hash % kPieceStyles);
        if (style == previousStyle)
            style = (style + 1) % kPieceStyles;
        std::fill(styles.begin() + static_cast<std::ptrdiff_t>(pieceStart - from),
                  styles.begin() + static_cast<std::ptrdiff_t>(at - from), static_cast<char>(style));
        previousStyle = style;
        pieceStart = at;
        hash = kHashStart;
    };
    size_t nextRow = fromRow;
    int rowColumns = 0; // columns from the row start to here
    // The columns from the row start a piece may first end at: anywhere on the first row.
    int closedUntil = slackColumns < 0 ? INT_MAX : 0;
    if (fromRow > 0 && slackColumns >= 0) {
        int before = 0; // the columns of the row before
        for (size_t at = startOf(fromRow - 1); at < from;) {
            const auto [c, length] = DecodeUtf8At(line, at);
            before += ColumnsOf(c);
            at += length;
        }
        closedUntil = columns + kHangingColumns + slackColumns - before;
    }
    char32_t previous = U'\n';
    for (size_t at = from; at < line.size();) {
        const auto [c, length] = DecodeUtf8At(line, at);
        if (nextRow < rowStarts.size() && at == rowStarts[nextRow]) {
            endPiece(at);
            // Scintilla looks for the end of the row before until its columns pass the wrap width.
            closedUntil = slackColumns < 0 ? INT_MAX : columns + kHangingColumns + slackColumns - rowColumns;
            rowColumns = 0;
            ++nextRow;
        } else if (at > pieceStart && rowColumns >= closedUntil &&
                   (at - pieceStart + length > kPieceBytes || SuggestsEnd(previous, c, length))) {
            endPiece(at);
        }
        for (size_t i = 0; i < length; ++i)
            hash = Mixed(hash, static_cast<unsigned char>(line[at + i]));
        rowColumns += ColumnsOf(c);
        previous = c;
        at += length;
    }
    if (line.size() > from)
        endPiece(line.size());
    return styles;
}

} // namespace qj
