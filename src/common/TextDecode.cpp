#include "common/TextDecode.h"

#include "common/Gbk.h"
#include "common/TextLikelihood.h"

namespace qj {

namespace {

bool IsAscii(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// UTF-8 with every invalid sequence replaced by U+FFFD.
std::string CleanUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t from = pos;
        const char32_t cp = NextCodePoint(bytes, pos);
        if (cp == 0xFFFD && pos - from != 3)
            out += "\xEF\xBF\xBD";
        else
            out.append(bytes.substr(from, pos - from));
    }
    return out;
}

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool IsUtf16(TextEncoding e) {
    return e == TextEncoding::Utf16Le || e == TextEncoding::Utf16Be;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | cp >> 6));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | cp >> 12));
        out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | cp >> 18));
        out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// UTF-16 (without mark) as UTF-8; a lone surrogate or an odd last byte becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](size_t i) -> char16_t {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(bigEndian ? a << 8 | b : b << 8 | a);
    };
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, u >= 0xD800 && u < 0xE000 ? char32_t{0xFFFD} : char32_t{u});
    }
    if (i < bytes.size())
        AppendUtf8(out, 0xFFFD);
    return out;
}

std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian) {
    std::string out;
    out.reserve(utf8.size() * 2);
    const auto put = [&](char16_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out.push_back(bigEndian ? hi : lo);
        out.push_back(bigEndian ? lo : hi);
    };
    for (size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, pos);
        if (cp >= 0x10000) {
            put(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            put(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            put(static_cast<char16_t>(cp));
        }
    }
    return out;
}

} // namespace

TextForm GuessTextForm(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom))
        return {bytes.starts_with(kUtf16LeBom) ? TextEncoding::Utf16Le : TextEncoding::Utf16Be, true};
    return GuessEightBitTextForm(bytes);
}

TextForm GuessEightBitTextForm(std::string_view bytes) {
    TextForm form;
    form.bom = bytes.starts_with(kUtf8Bom);
    const std::string_view text = form.bom ? bytes.substr(kUtf8Bom.size()) : bytes;
    if (IsAscii(text)) {
        form.encoding = form.bom ? TextEncoding::Utf8 : TextEncoding::Gbk;
        return form;
    }
    const ReadingCost asUtf8 = Utf8ReadingCost(text);
    if (form.bom && asUtf8.valid) {
        form.encoding = TextEncoding::Utf8;
        return form;
    }
    const ReadingCost asGbk = GbkReadingCost(text);
    const bool utf8 = asUtf8.valid ? asUtf8.cost <= asGbk.cost : asUtf8.cost < asGbk.cost;
    form.encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::Gbk;
    return form;
}

std::string DecodeTextFile(std::string_view bytes) {
    const TextForm form = GuessTextForm(bytes);
    const size_t bom = !form.bom ? 0 : IsUtf16(form.encoding) ? kUtf16LeBom.size() : kUtf8Bom.size();
    std::string text = DecodeText(bytes.substr(bom), form.encoding);
    if (text.find('\0') == std::string::npos)
        return text;
    // The editor ends its text at a NUL: every NUL becomes a visible mark so nothing after it is lost.
    std::string marked;
    marked.reserve(text.size() + 16);
    for (const char c : text) {
        if (c == '\0')
            marked += kNulStandIn;
        else
            marked.push_back(c);
    }
    return marked;
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding) {
    if (IsUtf16(encoding))
        return Utf16ToUtf8(bytes, encoding == TextEncoding::Utf16Be);
    return encoding == TextEncoding::Utf8 ? CleanUtf8(bytes) : GbkToUtf8(bytes);
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding) {
    if (IsUtf16(encoding))
        return Utf8ToUtf16(utf8, encoding == TextEncoding::Utf16Be);
    return encoding == TextEncoding::Utf8 ? std::string(utf8) : Utf8ToGbkKeepingAll(utf8);
}

std::string_view BomToWrite(TextForm form) {
    switch (form.encoding) {
    case TextEncoding::Utf16Le:
        return kUtf16LeBom;
    case TextEncoding::Utf16Be:
        return kUtf16BeBom;
    case TextEncoding::Utf8:
        return form.bom ? kUtf8Bom : std::string_view();
    case TextEncoding::Gbk:
        break;
    }
    return std::string_view();
}

std::string EncodeTextFile(std::string_view utf8, TextForm form) {
    std::string bytes(BomToWrite(form));
    bytes += EncodeText(utf8, form.encoding);
    return bytes;
}

} // namespace qj
