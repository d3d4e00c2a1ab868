#include "store/HanVariants.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <unordered_set>

namespace qj {

namespace {

struct Variant {
    char32_t traditional;
    char32_t simplified;
};
constexpr Variant kVariants[] = {
#include "store/HanVariantsTable.inc"
};

const std::unordered_set<char32_t>& WithVariants() {
    static const std::unordered_set<char32_t> set = [] {
        std::unordered_set<char32_t> s;
        for (const Variant& v : kVariants) {
            s.insert(v.traditional);
            s.insert(v.simplified);
        }
        return s;
    }();
    return set;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

char32_t FoldHanVariant(char32_t c) {
    const auto* end = std::end(kVariants);
    const auto* at = std::lower_bound(std::begin(kVariants), end, c,
                                      [](const Variant& v, char32_t x) { return v.traditional < x; });
    return at != end && at->traditional == c ? at->simplified : c;
}

QString FoldHanVariants(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (char32_t c : text.toUcs4())
        out += QString::fromUcs4(std::array{FoldHanVariant(c)}.data(), 1);
    return out;
}

std::string FoldHanVariants(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        // Han characters take three or four bytes; anything else, or bytes that are no whole
        // character, is copied as it is.
        const size_t length = b >= 0xF0 && b < 0xF8 ? 4 : b >= 0xE0 && b < 0xF0 ? 3 : 1;
        bool whole = length > 1 && i + length <= utf8.size();
        char32_t c = length == 4 ? (b & 0x07) : (b & 0x0F);
        for (size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t folded = whole ? FoldHanVariant(c) : c;
        if (whole && folded != c)
            AppendUtf8(out, folded);
        else
            out.append(utf8.substr(i, whole ? length : 1));
        i += whole ? length : 1;
    }
    return out;
}

bool HasHanVariant(char32_t c) {
    return WithVariants().count(c) > 0;
}

QString LongestRunWithoutVariants(const QStringList& words) {
    QString best;
    for (const QString& word : words) {
        QString run;
        for (char32_t c : word.toUcs4()) {
            if (HasHanVariant(c)) {
                run.clear();
                continue;
            }
            run += QString::fromUcs4(&c, 1);
            if (run.toUtf8().size() > best.toUtf8().size())
                best = run;
        }
    }
    return best;
}

} // namespace qj
