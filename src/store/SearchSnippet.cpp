#include "store/SearchSnippet.h"

#include "store/HanVariants.h"

namespace qj {

namespace {

// The text as the words are compared in it, of the same length: ASCII letters in lower case, with
// `variants` each character in its simplified form (where that takes as many UTF-16 units).
QString Compared(const QString& text, bool variants) {
    QString out = variants ? FoldHanVariants(text) : text;
    if (out.size() != text.size())
        out = text;
    for (QChar& c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return out;
}

} // namespace

std::vector<TextRange> WordOccurrences(const QString& text, const QStringList& words, bool variants) {
    const QString haystack = Compared(text, variants);
    QStringList needles;
    for (const QString& w : words)
        if (!w.isEmpty())
            needles << Compared(w, variants);
    std::vector<TextRange> found;
    qsizetype from = 0;
    while (true) {
        qsizetype best = -1, length = 0;
        for (const QString& n : needles) {
            const qsizetype at = haystack.indexOf(n, from);
            if (at >= 0 && (best < 0 || at < best || (at == best && n.size() > length))) {
                best = at;
                length = n.size();
            }
        }
        if (best < 0)
            return found;
        found.emplace_back(static_cast<int>(best), static_cast<int>(length));
        from = best + length;
    }
}

Snippet SnippetAround(const QString& text, const QStringList& words, bool variants) {
    const std::vector<TextRange> all = WordOccurrences(text, words, variants);
    qsizetype start = all.empty() ? 0 : std::max(0, all.front().first - kSnippetBefore);
    // Never begin inside a pair of UTF-16 units.
    if (start > 0 && text[start].isLowSurrogate())
        --start;
    Snippet s;
    s.text = text.mid(start, kSnippetLength);
    for (QChar& c : s.text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    for (const TextRange& r : all)
        if (r.first >= start && r.first + r.second <= start + s.text.size())
            s.marks.emplace_back(static_cast<int>(r.first - start), r.second);
    return s;
}

QString ReadHitText(Database& db, const SearchHit& hit) {
    Statement st(db,
                 QStringLiteral("SELECT Info FROM %1 WHERE rowid = ?1").arg(QuoteIdentifier(hit.category)));
    st.Bind(1, hit.rowid.value());
    return st.Step() ? st.Text(0) : QString();
}

} // namespace qj
