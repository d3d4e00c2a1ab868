#include "store/SearchQuery.h"

#include "store/HanReadings.h"
#include "store/HanVariants.h"

#include <algorithm>

namespace qj {

namespace {

bool IsQueryBlank(QChar c) {
    return c.isSpace() || c == QChar(0x3000);
}

bool IsQuote(QChar c) {
    return c == QLatin1Char('"') || c == QChar(0x201C) || c == QChar(0x201D);
}

std::string Utf8(const QString& s) {
    return s.toStdString();
}

// Every word in the text (each already in the form the text is compared in).
bool HoldsAll(std::string_view text, const std::vector<std::string>& words) {
    return std::all_of(words.begin(), words.end(), [&](const std::string& w) {
        return FindIgnoringAsciiCase(text, w) != std::string_view::npos;
    });
}

} // namespace

QStringList QueryWords(const QString& text) {
    QStringList words;
    QString word;
    bool quoted = false;
    for (QChar c : text) {
        if (IsQuote(c)) {
            quoted = !quoted;
            words << word;
            word.clear();
        } else if (!quoted && IsQueryBlank(c)) {
            words << word;
            word.clear();
        } else {
            word += c;
        }
    }
    words << word;
    words.removeAll(QString());
    return words;
}

QStringList WordsOf(const QString& text, const SearchOptions& options) {
    if (!options.words)
        return {text};
    const QStringList words = QueryWords(text);
    return words.isEmpty() ? QStringList{text} : words;
}

TextMatch BuildMatch(const QString& text, const SearchOptions& options, bool titles) {
    const QStringList words = WordsOf(text, options);
    std::vector<std::string> compared;
    for (const QString& w : words)
        compared.push_back(Utf8(options.variants ? FoldHanVariants(w) : w));
    TextMatch match;
    if (!options.variants) {
        // The longest word is the rarest: the scan looks for it, the others are checked after.
        match.anchors = {*std::max_element(compared.begin(), compared.end(),
                                           [](const auto& a, const auto& b) { return a.size() < b.size(); })};
        if (compared.size() > 1)
            match.verify = [compared](std::string_view t) { return HoldsAll(t, compared); };
    } else {
        const std::string anchor = Utf8(LongestRunWithoutVariants(words));
        if (!anchor.empty())
            match.anchors = {anchor};
        match.verify = [compared](std::string_view t) { return HoldsAll(FoldHanVariants(t), compared); };
    }
    if (titles && options.pinyin && IsPinyinQuery(text)) {
        // A title may match by its readings without holding the text: every title is a candidate.
        const std::string letters = PinyinQueryLetters(text);
        auto plain = std::move(match);
        match = TextMatch{};
        match.verify = [plain, letters](std::string_view t) {
            return Matches(plain, t) || MatchesByReadings(t, letters);
        };
    }
    return match;
}

} // namespace qj
