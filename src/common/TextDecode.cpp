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

} // namespace

TextForm GuessTextForm(std::string_view bytes) {
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
    std::string text = DecodeText(form.bom ? bytes.substr(kUtf8Bom.size()) : bytes, form.encoding);
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
    return encoding == TextEncoding::Utf8 ? CleanUtf8(bytes) : GbkToUtf8(bytes);
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? std::string(utf8) : Utf8ToGbkKeepingAll(utf8);
}

std::string_view BomToWrite(TextForm form) {
    return form.bom && form.encoding == TextEncoding::Utf8 ? kUtf8Bom : std::string_view();
}

std::string EncodeTextFile(std::string_view utf8, TextForm form) {
    std::string bytes(BomToWrite(form));
    bytes += EncodeText(utf8, form.encoding);
    return bytes;
}

} // namespace qj
