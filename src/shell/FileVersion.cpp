#include "shell/FileVersion.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>

#ifndef QJ_FILE_VERSION
#error "QJ_FILE_VERSION must be defined by the build"
#endif

namespace qj {

namespace {

// The version record of this program. `used` keeps it in the object file, and the reader below
// refers to it, so every executable that can read versions also carries its own.
[[gnu::used]] const char kVersionRecord[] = "QJFILEVERSION:" QJ_FILE_VERSION;
constexpr size_t kTagLength = 14; // "QJFILEVERSION:"

// Reads "a.b.c.d" at the start of `text`; four numbers 0..65535. Empty when malformed.
QString ParseVersion(std::string_view text) {
    QString out;
    size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return {};
            ++pos;
        }
        const size_t start = pos;
        unsigned long value = 0;
        while (pos < text.size() && pos - start < 6 && text[pos] >= '0' && text[pos] <= '9')
            value = value * 10 + static_cast<unsigned long>(text[pos++] - '0');
        if (pos == start || value > 0xFFFF)
            return {};
        if (part > 0)
            out += QLatin1Char('.');
        out += QString::number(value);
    }
    // The record ends with its string's terminating zero: a digit or a point here means a longer
    // number or a fifth part, which no version record has.
    if (pos < text.size() && ((text[pos] >= '0' && text[pos] <= '9') || text[pos] == '.'))
        return {};
    return out;
}

QString FindVersion(std::string_view bytes) {
    const std::string_view tag(kVersionRecord, kTagLength);
    const std::boyer_moore_horspool_searcher searcher(tag.begin(), tag.end());
    auto from = bytes.begin();
    while (true) {
        const auto hit = std::search(from, bytes.end(), searcher);
        if (hit == bytes.end())
            return {};
        const auto after = hit + static_cast<std::ptrdiff_t>(tag.size());
        // The reader's own copy of the tag is followed by something other than a version; skip it.
        QString version = ParseVersion(bytes.substr(static_cast<size_t>(after - bytes.begin())));
        if (!version.isEmpty())
            return version;
        from = hit + 1;
    }
}

} // namespace

QString ReadFileVersion(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0)
        return {};
    if (uchar* mapped = file.map(0, file.size())) {
        const QString version = FindVersion(
            std::string_view(reinterpret_cast<const char*>(mapped), static_cast<size_t>(file.size())));
        file.unmap(mapped);
        return version;
    }
    const QByteArray bytes = file.readAll();
    return FindVersion(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

QString VersionPanelText() {
    return QStringLiteral("版本: V") + ReadFileVersion(QCoreApplication::applicationFilePath());
}

QString EmbeddedFileVersion() {
    return ParseVersion(std::string_view(kVersionRecord + kTagLength));
}

} // namespace qj
