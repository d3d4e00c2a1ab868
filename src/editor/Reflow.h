#pragma once
// The two re-flow tools of the editor's context menu, without the editor: what they do to the
// transferred text, and how lines are broken to a pixel width.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace qj {

// The pixel width of the editor's content area that re-flowed lines must fit.
inline constexpr int kReflowWidth = 468;

// "排版-添加回车符": the cut text loses, in this order, every CR LF pair, every blank, every
// character 0x14 and every tab.
QString StripForReflow(QString text);
// "排版-取消回车符": the cut text loses every CR LF pair; blanks and tabs stay.
QString StripLineBreaks(QString text);

// Measures a run of text in pixels in the editor's display font.
using TextMeasure = std::function<double(QStringView)>;

// Breaks every line that is wider than `width` into pieces that fit: each piece is the longest
// run of whole characters (a surrogate pair is one character) whose width is at most `width`; the
// rest is broken again. Breaks fall anywhere, also inside a Latin word; no blank is added or
// removed. A first character wider than `width` by itself becomes a line of its own, so no text is
// lost and every piece makes progress.
//
// `estimate` gives a cheap width of one character (its advance); the break is found from the sum
// of advances and then confirmed with `measure`, so very long lines cost a few measurements per
// piece, not one per character. Without an estimate every width comes from `measure`.
QStringList ReflowLines(const QStringList& lines, double width, const TextMeasure& measure,
                        const TextMeasure& estimate = {});

} // namespace qj
