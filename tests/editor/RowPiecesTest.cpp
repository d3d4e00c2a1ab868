// The pieces a wrapped line is drawn in: the style changes at every row start and nowhere Scintilla
// could take for a row end, the pieces are short enough to be kept measured, and the same text
// keeps its pieces when the rows before it move.

#include "editor/RowPieces.h"
#include "editor/RowBreaks.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>

namespace qj {
namespace {

constexpr int kColumns = 80;
constexpr int kSlack = 1;

struct Piece {
    size_t start;
    size_t length;
    char style;
};

std::vector<Piece> PiecesOf(const std::vector<char>& styles) {
    std::vector<Piece> pieces;
    for (size_t i = 0; i < styles.size(); ++i)
        if (i == 0 || styles[i] != styles[i - 1])
            pieces.push_back({i, 1, styles[i]});
        else
            ++pieces.back().length;
    return pieces;
}

// Random text of Chinese characters, punctuation, Latin words, numbers and blanks.
std::string MixedText(unsigned seed, int characters, bool latin) {
    const std::vector<std::string> chinese = {"春", "眠", "不", "觉", "晓", "处", "闻", "啼", "鸟",
                                              "夜", "来", "风", "雨", "声", "花", "落", "知", "多",
                                              "少", "，", "。", "《", "》", "“",  "”"};
    const std::vector<std::string> words = {"note", " ", "Qingjian", "2026", "x", " = ", "42;", "  "};
    std::mt19937 rng(seed);
    std::string out;
    for (int i = 0; i < characters; ++i)
        out += latin && rng() % 3 == 0 ? words[rng() % words.size()] : chinese[rng() % chinese.size()];
    return out;
}

// Ideographs only: every row holds forty, and one typed at the start moves every row.
std::string Ideographs(unsigned seed, int characters) {
    const std::string all = "春眠不觉晓处闻啼鸟夜来风雨声花落知多少";
    std::mt19937 rng(seed);
    std::string out;
    for (int i = 0; i < characters; ++i)
        out += all.substr(3 * (rng() % (all.size() / 3)), 3);
    return out;
}

int ColumnsBetween(const std::string& line, size_t from, size_t to) {
    int columns = 0;
    for (size_t at = from; at < to;) {
        const auto [c, length] = DecodeUtf8At(line, at);
        columns += ColumnsOf(c);
        at += length;
    }
    return columns;
}

TEST(RowPieces, StyleChangesAtEveryRowStartAndNeverWhereScintillaStillSeeksTheRowBeforesEnd) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const std::string line = MixedText(seed, 1500, seed % 2 == 0);
        const std::vector<size_t> rows = RowStarts(line, kColumns);
        const std::vector<char> styles = PieceStyles(line, rows, kColumns, kSlack);
        ASSERT_EQ(styles.size(), line.size());
        SCOPED_TRACE(seed);
        for (size_t r : rows)
            EXPECT_NE(styles[r], styles[r - 1]) << "row start " << r;
        // Between a row start and the columns the wrap width reaches from the row before, no change.
        size_t before = 0;
        for (size_t k = 0; k < rows.size(); ++k) {
            const size_t next = k + 1 < rows.size() ? rows[k + 1] : line.size();
            for (size_t x = rows[k] + 1; x < next; ++x) {
                if ((static_cast<unsigned char>(line[x]) & 0xC0) == 0x80)
                    continue; // inside a character
                if (ColumnsBetween(line, before, x) >= kColumns + kHangingColumns + kSlack)
                    break;
                EXPECT_EQ(styles[x], styles[x - 1]) << "at " << x << " after the row start " << rows[k];
            }
            before = rows[k];
        }
        // Every piece is short enough to be kept measured, but the one over such a stretch.
        std::set<size_t> rowSet(rows.begin(), rows.end());
        for (const Piece& p : PiecesOf(styles)) {
            if (!rowSet.count(p.start)) {
                EXPECT_LE(p.length, kPieceBytes) << "piece at " << p.start;
            }
        }
        // The line's styles are the pieces' styles only.
        for (char s : styles)
            EXPECT_TRUE(s >= 0 && s < kPieceStyles);
    }
}

TEST(RowPieces, WithoutSlackTheStyleChangesAtTheRowStartsOnly) {
    const std::string line = MixedText(7, 1200, true);
    const std::vector<size_t> rows = RowStarts(line, kColumns);
    ASSERT_GT(rows.size(), 10u);
    std::vector<size_t> changes;
    const std::vector<Piece> pieces = PiecesOf(PieceStyles(line, rows, kColumns, -1));
    for (size_t i = 1; i < pieces.size(); ++i)
        changes.push_back(pieces[i].start);
    EXPECT_EQ(changes, rows);
    // With slack there are more pieces than rows.
    EXPECT_GT(PiecesOf(PieceStyles(line, rows, kColumns, kSlack)).size(), 3 * rows.size());
    EXPECT_TRUE(PieceStyles("", {}, kColumns, kSlack).empty());
    EXPECT_EQ(PieceStyles("中", {}, kColumns, kSlack).size(), 3u);
}

// Styling from a row start on, given the style before it, gives what styling the whole line gives
// there (the editor restyles a typed line from a little before the key only).
TEST(RowPieces, StylingFromARowStartAgreesWithTheWholeLine) {
    for (int slack : {kSlack, 5, -1}) {
        const std::string line = MixedText(11, 900, true);
        const std::vector<size_t> rows = RowStarts(line, kColumns);
        const std::vector<char> whole = PieceStyles(line, rows, kColumns, slack);
        for (size_t row = 0; row <= rows.size(); ++row) {
            const size_t from = row == 0 ? 0 : rows[row - 1];
            const int before = row == 0 ? -1 : whole[from - 1];
            const std::vector<char> part = PieceStylesFrom(line, rows, kColumns, slack, row, before);
            ASSERT_EQ(part, std::vector<char>(whole.begin() + static_cast<std::ptrdiff_t>(from), whole.end()))
                << "slack " << slack << ", from row " << row;
        }
        // A row past the last is the last.
        const int last = whole[rows.back() - 1];
        EXPECT_EQ(PieceStylesFrom(line, rows, kColumns, slack, rows.size() + 5, last),
                  PieceStylesFrom(line, rows, kColumns, slack, rows.size(), last));
    }
}

// A character typed at the start moves every row of a Chinese line, yet most pieces stay as they
// were, text and style: those Scintilla measures once and keeps.
TEST(RowPieces, PiecesOfTheSameTextStayWhenTheRowsMove) {
    for (bool latin : {false, true}) {
        const std::string before = latin ? MixedText(3, 4000, true) : Ideographs(3, 4000);
        for (const std::string typed : {"a", "甲", "，"}) {
            const std::string after = typed + before;
            auto keyed = [](const std::string& line) {
                std::set<std::pair<std::string, char>> set;
                for (const Piece& p :
                     PiecesOf(PieceStyles(line, RowStarts(line, kColumns), kColumns, kSlack)))
                    set.insert({line.substr(p.start, p.length), p.style});
                return set;
            };
            const auto known = keyed(before);
            const std::vector<char> styles = PieceStyles(after, RowStarts(after, kColumns), kColumns, kSlack);
            const std::vector<Piece> pieces = PiecesOf(styles);
            size_t kept = 0;
            for (const Piece& p : pieces)
                kept += known.count({after.substr(p.start, p.length), p.style});
            EXPECT_GT(static_cast<double>(kept), 0.6 * static_cast<double>(pieces.size()))
                << (latin ? "mixed" : "Chinese") << " text, typed " << typed;
        }
    }
}

// Faces whose characters are as wide as their columns get the least slack; characters drawn
// narrower let Scintilla reach further; half a row or more, and the pieces keep to the row starts.
TEST(RowPieces, SlackFollowsHowFarTheNarrowestCharacterFallsShort) {
    const struct {
        std::vector<DrawnWidth> samples;
        int slack;
    } cases[] = {
        {{{8, 1}, {16, 2}}, 1},         // as wide as the columns
        {{{9, 1}, {20, 2}}, 1},         // wider: Scintilla gives the row up sooner
        {{{8, 1}, {15, 2}}, 7},         // 1/16 short: 82 / 15 = 5.47 columns more
        {{{7.2, 1}, {16, 2}}, 11},      // 10 % short: 82 / 9 = 9.1
        {{{6, 1}, {16, 2}}, 29},        // 25 % short: 82 / 3 = 27.3
        {{{8 * 0.67, 1}, {16, 2}}, -1}, // 33 % short: 40.4 columns, half a row
        {{{0, 1}}, -1},                 // a character drawn as nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(SlackColumns(8, c.samples, kColumns), c.slack) << c.samples.front().drawn;
    EXPECT_EQ(SlackColumns(0, {{8, 1}}, kColumns), -1) << "no width to measure by";
}

} // namespace
} // namespace qj
