#include "store/HanReadings.h"

#include <algorithm>
#include <iterator>

namespace qj {

namespace {

struct Reading {
    char32_t character;
    const char* readings; // separated by blanks
};
constexpr Reading kReadings[] = {
#include "store/HanReadingsTable.inc"
};

std::u32string Decode(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU32String();
}

char32_t LowerAscii(char32_t c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// Whether title[k...] spells letters[j...]; `failed` remembers the (k, j) already found not to.
class Speller {
public:
    Speller(const std::u32string& title, const std::string& letters)
        : title_(title), letters_(letters), failed_((title.size() + 1) * (letters.size() + 1), 0) {}

    bool Spells(size_t k, size_t j) {
        if (j == letters_.size())
            return true;
        if (k == title_.size())
            return false;
        char& failed = failed_[k * (letters_.size() + 1) + j];
        if (failed)
            return false;
        if (Next(k, j))
            return true;
        failed = 1;
        return false;
    }

private:
    bool Next(size_t k, size_t j) {
        const char32_t c = LowerAscii(title_[k]);
        const std::string_view rest = std::string_view(letters_).substr(j);
        if (c < 0x80)
            return ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) && static_cast<char>(c) == rest[0] &&
                   Spells(k + 1, j + 1);
        for (const std::string_view reading : ReadingsOf(c)) {
            if (reading.starts_with(rest))
                return true; // the query ends inside this reading
            if (rest.starts_with(reading) && Spells(k + 1, j + reading.size()))
                return true;
            const size_t initial = reading.size() > 1 && reading[1] == 'h' &&
                                           std::string_view("zcs").find(reading[0]) != std::string_view::npos
                                       ? 2
                                       : 1;
            for (size_t n = 1; n <= initial; ++n)
                if (rest.substr(0, n) == reading.substr(0, n) && Spells(k + 1, j + n))
                    return true;
        }
        return false;
    }

    const std::u32string& title_;
    const std::string& letters_;
    std::vector<char> failed_;
};

} // namespace

std::vector<std::string_view> ReadingsOf(char32_t c) {
    std::vector<std::string_view> readings;
    const auto* end = std::end(kReadings);
    const auto* at = std::lower_bound(std::begin(kReadings), end, c,
                                      [](const Reading& r, char32_t x) { return r.character < x; });
    if (at == end || at->character != c)
        return readings;
    std::string_view all(at->readings);
    while (!all.empty()) {
        const size_t blank = all.find(' ');
        readings.push_back(all.substr(0, blank));
        all = blank == std::string_view::npos ? std::string_view() : all.substr(blank + 1);
    }
    return readings;
}

bool IsPinyinQuery(const QString& text) {
    bool letter = false;
    for (QChar c : text) {
        const bool isLetter = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                              (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        if (!isLetter && c != QLatin1Char(' ') && c != QLatin1Char('\''))
            return false;
        letter = letter || isLetter;
    }
    return letter;
}

std::string PinyinQueryLetters(const QString& text) {
    std::string letters;
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\''))
            letters += static_cast<char>(LowerAscii(c.unicode()));
    return letters;
}

bool MatchesByReadings(std::string_view title, const std::string& letters) {
    if (letters.empty())
        return false;
    const std::u32string chars = Decode(title);
    Speller speller(chars, letters);
    for (size_t k = 0; k < chars.size(); ++k)
        if (speller.Spells(k, 0))
            return true;
    return false;
}

} // namespace qj
