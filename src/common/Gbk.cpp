#include "common/Gbk.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <optional>
#include <stdexcept>

namespace qj {

char32_t NextCodePoint(std::string_view s, size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + len > s.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += len;
    return cp;
}

int GbkByteLength(std::string_view utf8) {
    int n = 0;
    for (size_t pos = 0; pos < utf8.size();)
        n += GbkWidth(NextCodePoint(utf8, pos));
    return n;
}

std::string GbkCopy(std::string_view utf8, int start, int count) {
    std::string out;
    if (count <= 0)
        return out;
    if (start < 1) {
        count += start - 1;
        start = 1;
    }
    const int first = start;            // first byte kept (1-based)
    const int last = start + count - 1; // last byte kept
    int at = 1;                         // GBK byte position of the current character
    for (size_t pos = 0; pos < utf8.size() && at <= last;) {
        const size_t from = pos;
        const int w = GbkWidth(NextCodePoint(utf8, pos));
        if (at >= first && at + w - 1 <= last)
            out.append(utf8.substr(from, pos - from));
        at += w;
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t from = pos;
        const char32_t cp = NextCodePoint(bytes, pos);
        if (cp == 0xFFFD) {
            // A real U+FFFD is three bytes EF BF BD; anything else was an invalid sequence.
            if (pos - from != 3)
                return false;
        }
    }
    return true;
}

namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts as much as it can; returns the number of input bytes consumed before the first byte
    // it could not convert (or all of them).
    size_t Convert(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buf[4096];
        while (srcLeft > 0) {
            char* dst = buf;
            size_t dstLeft = sizeof buf;
            const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, dst - buf);
            if (r == static_cast<size_t>(-1) && errno != E2BIG)
                break;
        }
        return in.size() - srcLeft;
    }

private:
    iconv_t cd_;
};

} // namespace

namespace {

// UTF-8 → GBK; a character GBK refuses goes through `fallback`, which appends its replacement.
template <typename Fallback> std::string ToGbk(std::string_view utf8, Fallback fallback) {
    Iconv cv("GBK", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        pos += cv.Convert(utf8.substr(pos), out);
        if (pos < utf8.size()) {
            const size_t from = pos;
            NextCodePoint(utf8, pos);
            fallback(utf8.substr(from, pos - from), out);
        }
    }
    return out;
}

constexpr int kPairTrails = 0xFF - 0x40; // trail bytes 0x40..0xFE (0x7F is never one)

std::array<char32_t, 126 * kPairTrails> ReadPairTable() {
    std::array<char32_t, 126 * kPairTrails> table{};
    Iconv cv("UTF-32LE", "GBK");
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            std::string out;
            if (cv.Convert(std::string_view(pair, 2), out) != 2 || out.size() != 4)
                continue;
            const auto* b = reinterpret_cast<const unsigned char*>(out.data());
            table[(lead - 0x81) * kPairTrails + (trail - 0x40)] =
                static_cast<char32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (b[3] << 24));
        }
    }
    return table;
}

} // namespace

std::string Utf8ToGbk(std::string_view utf8) {
    return ToGbk(utf8, [](std::string_view, std::string& out) { out.push_back('?'); });
}

std::string Utf8ToGbkKeepingAll(std::string_view utf8) {
    Iconv wide("GB18030", "UTF-8");
    return ToGbk(utf8, [&wide](std::string_view character, std::string& out) {
        std::string piece;
        if (wide.Convert(character, piece) == character.size() && !piece.empty())
            out += piece;
        else
            out.push_back('?'); // an invalid UTF-8 sequence: there is no character to keep
    });
}

char32_t GbkPairCodePoint(unsigned char lead, unsigned char trail) {
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F)
        return 0;
    static const auto table = ReadPairTable();
    return table[(lead - 0x81) * kPairTrails + (trail - 0x40)];
}

std::string GbkToUtf8(std::string_view gbk) {
    Iconv gbkCv("UTF-8", "GBK");
    Iconv wideCv("UTF-8", "GB18030");
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    size_t pos = 0;
    while (pos < gbk.size()) {
        pos += gbkCv.Convert(gbk.substr(pos), out);
        if (pos >= gbk.size())
            break;
        // GBK refused a sequence: try GB18030 for the longest run it accepts (1 to 4 bytes).
        bool done = false;
        for (size_t len = 4; len >= 1 && !done; --len) {
            if (pos + len > gbk.size())
                continue;
            std::string piece;
            if (wideCv.Convert(gbk.substr(pos, len), piece) == len && !piece.empty()) {
                out += piece;
                pos += len;
                done = true;
            }
        }
        if (!done) {
            out += "\xEF\xBF\xBD";
            ++pos;
        }
    }
    return out;
}

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
    if (codePage == 936 || codePage <= 0)
        return GbkToUtf8(bytes);
    const std::string name = "CP" + std::to_string(codePage);
    std::optional<Iconv> cv;
    try {
        cv.emplace("UTF-8", name.c_str());
    } catch (const std::runtime_error&) {
        return GbkToUtf8(bytes);
    }
    std::string out;
    out.reserve(bytes.size() * 2);
    size_t pos = 0;
    while (pos < bytes.size()) {
        pos += cv->Convert(bytes.substr(pos), out);
        if (pos < bytes.size()) {
            out += "\xEF\xBF\xBD";
            ++pos;
        }
    }
    return out;
}

} // namespace qj
