#include "editor/CharacterStatistics.h"

#include <QRegularExpression>

namespace qj {

CharacterCounts CountCharacters(const QString& text) {
    CharacterCounts counts;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x7F)
            ++counts.chinese;
        else if (u >= 0x21)
            ++counts.english;
        else
            ++counts.other;
    }
    return counts;
}

QString TextAsCrLfLines(const QString& text) {
    if (text.isEmpty())
        return {};
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(kBreak);
    if (lines.back().isEmpty())
        lines.removeLast();
    QString out;
    out.reserve(text.size() + lines.size() * 2);
    for (const QString& line : lines) {
        out += line;
        out += QStringLiteral("\r\n");
    }
    return out;
}

QString StatisticsMessage(const CharacterCounts& counts, const QString& echoed) {
    return QStringLiteral("[Chinese]:%1 [English]:%2 [Other]:%3\r\r\n")
               .arg(counts.chinese)
               .arg(counts.english)
               .arg(counts.other) +
           echoed;
}

} // namespace qj
