// The re-flow tools' text rules, with a measure that makes widths easy to reason about: ASCII is
// 8 pixels, every other character 16 (the Song face the program draws with has exactly this ratio).

#include "editor/Reflow.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

double Cells(QStringView text) {
    double width = 0;
    for (QChar c : text)
        width += c.unicode() < 0x80 ? 8 : (c.isLowSurrogate() ? 0 : 16);
    return width;
}

TEST(ReflowStrip, AddReturnsDropsCrLfPairsBlanksChar14AndTabsButKeepsLoneBreaks) {
    EXPECT_EQ(StripForReflow(QStringLiteral("a b\r\n\tc\x14"
                                            "d\re\nf")),
              QStringLiteral("abcd\re\nf"));
    EXPECT_EQ(StripForReflow(QStringLiteral("  \r\n\t")), QString());
}

TEST(ReflowStrip, RemoveReturnsDropsOnlyCrLfPairs) {
    EXPECT_EQ(StripLineBreaks(QStringLiteral("a b\r\n\tc\r\nd")), QStringLiteral("a b\tcd"));
}

TEST(ReflowLines, BreaksOnlyLinesWiderThanTheWidthIntoTheLongestFittingPieces) {
    const QString ascii59(59, QLatin1Char('x')); // 472 pixels
    const QString ascii58(58, QLatin1Char('x')); // 464 pixels: fits 468
    const QString words = QStringLiteral("hello world ").repeated(10);
    const struct {
        QStringList in;
        QStringList out;
    } cases[] = {
        {{QStringLiteral("short"), QString()}, {QStringLiteral("short"), QString()}},
        {{ascii58}, {ascii58}},
        {{ascii59}, {ascii58, QStringLiteral("x")}},
        // a Latin word is broken anywhere, blanks stay where they are
        {{words}, {words.mid(0, 58), words.mid(58, 58), words.mid(116)}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReflowLines(c.in, kReflowWidth, Cells), c.out) << c.in.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(ReflowLines(c.in, kReflowWidth, Cells, Cells), c.out) << "estimated";
    }
}

TEST(ReflowLines, LongChineseLineIsNeverSplitInsideACharacter) {
    // 29 Chinese characters are 464 pixels; the 30th would reach 480. A half-width letter in
    // front shifts every break by one character boundary, never into a character.
    const QString chinese = QStringLiteral("中文排版").repeated(20); // 80 characters
    for (const QString& line : {chinese, QStringLiteral("a") + chinese}) {
        const QStringList out = ReflowLines({line}, kReflowWidth, Cells, Cells);
        EXPECT_EQ(out.join(QString()), line) << "nothing lost or added";
        for (const QString& piece : out) {
            EXPECT_LE(Cells(piece), kReflowWidth);
            EXPECT_FALSE(piece.isEmpty());
        }
        // Every piece but the last is full: one more character would not fit.
        for (qsizetype i = 0; i + 1 < out.size(); ++i)
            EXPECT_GT(Cells(out[i]) + 16, kReflowWidth);
    }
    EXPECT_EQ(ReflowLines({chinese}, kReflowWidth, Cells).size(), 3);
}

TEST(ReflowLines, SurrogatePairsStayWhole) {
    const QString emoji = QString::fromUtf8("\xf0\x9f\x98\x80"); // 16 pixels by the measure
    const QStringList out = ReflowLines({emoji.repeated(40)}, 100, Cells);
    for (const QString& piece : out) {
        EXPECT_FALSE(piece.front().isLowSurrogate());
        EXPECT_FALSE(piece.back().isHighSurrogate());
    }
    EXPECT_EQ(out.join(QString()), emoji.repeated(40));
}

TEST(ReflowLines, CharacterWiderThanTheWidthAloneKeepsALineOfItsOwn) {
    auto huge = [](QStringView text) { return text.size() * 500.0; };
    EXPECT_EQ(ReflowLines({QStringLiteral("中文字")}, kReflowWidth, huge),
              QStringList({QStringLiteral("中"), QStringLiteral("文"), QStringLiteral("字")}));
    EXPECT_EQ(ReflowLines({QStringLiteral("中文字")}, kReflowWidth, huge, huge).size(), 3);
}

TEST(ReflowLines, WrongEstimatesAreCorrectedByTheRealMeasure) {
    // An estimate that is half (or double) the truth must not change the result.
    auto half = [](QStringView t) { return Cells(t) / 2; };
    auto twice = [](QStringView t) { return Cells(t) * 2; };
    const QStringList in{QStringLiteral("混合 mixed 文本 text ").repeated(30)};
    const QStringList exact = ReflowLines(in, kReflowWidth, Cells);
    EXPECT_EQ(ReflowLines(in, kReflowWidth, Cells, half), exact);
    EXPECT_EQ(ReflowLines(in, kReflowWidth, Cells, twice), exact);
}

} // namespace
} // namespace qj
