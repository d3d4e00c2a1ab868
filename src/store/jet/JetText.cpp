#include "store/jet/JetText.h"

#include "common/Gbk.h"

#include <string>

namespace qj {

QString DecodeJet4Text(std::string_view bytes) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    QString text;
    if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
        // Compressed: one byte per character whose high byte is zero; a zero byte switches
        // between that and two bytes per character. The text starts compressed.
        text.reserve(static_cast<qsizetype>(bytes.size()));
        bool compressed = true;
        size_t i = 2;
        while (i < bytes.size()) {
            if (byte(i) == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                text.append(QChar(byte(i)));
                ++i;
            } else if (i + 1 < bytes.size()) {
                text.append(QChar(static_cast<char16_t>(byte(i) | byte(i + 1) << 8)));
                i += 2;
            } else {
                break; // half a character at the end
            }
        }
        return text;
    }
    text.reserve(static_cast<qsizetype>(bytes.size() / 2));
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.append(QChar(static_cast<char16_t>(byte(i) | byte(i + 1) << 8)));
    return text;
}

QString DecodeJet3Text(std::string_view bytes, int codePage) {
    return QString::fromStdString(CodePageToUtf8(bytes, codePage));
}

} // namespace qj
