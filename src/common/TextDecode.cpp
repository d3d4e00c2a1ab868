#include "common/TextDecode.h"

#include "common/Gbk.h"

namespace qj {

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsAscii(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}
} // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom))
        return TextEncoding::Utf8Bom;
    if (!IsAscii(bytes) && IsValidUtf8(bytes))
        return TextEncoding::Utf8;
    return TextEncoding::Gbk;
}

std::string DecodeTextFile(std::string_view bytes) {
    switch (DetectTextEncoding(bytes)) {
    case TextEncoding::Utf8Bom:
        return std::string(bytes.substr(kUtf8Bom.size()));
    case TextEncoding::Utf8:
        return std::string(bytes);
    case TextEncoding::Gbk:
        break;
    }
    return GbkToUtf8(bytes);
}

std::string EncodeTextFile(std::string_view utf8, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        return std::string(kUtf8Bom) + std::string(utf8);
    case TextEncoding::Utf8:
        return std::string(utf8);
    case TextEncoding::Gbk:
        break;
    }
    return Utf8ToGbk(utf8);
}

} // namespace qj
