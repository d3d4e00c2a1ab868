#include "app/settings/ProfileFile.h"

#include "common/Gbk.h"
#include "common/TextDecode.h"

#include <QFile>
#include <QSaveFile>

#include <vector>

namespace qj {

namespace {

// One line of the file as it was read, its line break kept apart.
struct Line {
    QString text;
    QString lineBreak;
};

struct Content {
    std::vector<Line> lines;
    TextEncoding encoding = TextEncoding::Gbk;
};

Content Load(const QString& path) {
    Content c;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return c;
    const QByteArray bytes = f.readAll();
    const std::string_view raw(bytes.constData(), static_cast<size_t>(bytes.size()));
    c.encoding = DetectTextEncoding(raw);
    const QString text = QString::fromStdString(DecodeTextFile(raw));
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        qsizetype next = end;
        if (next < text.size() && text[next] == QLatin1Char('\r'))
            ++next;
        if (next < text.size() && text[next] == QLatin1Char('\n'))
            ++next;
        c.lines.push_back({text.mid(start, end - start), text.mid(end, next - end)});
        start = next;
    }
    return c;
}

// The section name of a "[name]" line, or a null string for any other line.
QString SectionOf(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return QString();
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    QString name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
    if (name.isNull())
        name = QLatin1String("");
    return name;
}

// The key of a "key=value" line (blanks around it removed), or a null string.
QString KeyOf(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return QString();
    QString key = line.left(eq).trimmed();
    if (key.isNull())
        key = QLatin1String("");
    return key;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the line holding the key in the section, and of the section's header and last
// non-blank line; -1 where missing.
struct Where {
    qsizetype header = -1;
    qsizetype key = -1;
    qsizetype lastInSection = -1;
};

Where Find(const Content& c, const QString& section, const QString& key) {
    Where w;
    bool inside = false;
    for (qsizetype i = 0; i < static_cast<qsizetype>(c.lines.size()); ++i) {
        const QString& text = c.lines[i].text;
        const QString name = SectionOf(text);
        if (!name.isNull()) {
            if (inside)
                break; // the first section of that name is the one used
            inside = SameName(name, section);
            if (inside)
                w.header = w.lastInSection = i;
            continue;
        }
        if (!inside)
            continue;
        if (!text.trimmed().isEmpty())
            w.lastInSection = i;
        const QString k = KeyOf(text);
        if (!k.isNull() && SameName(k, key)) {
            w.key = i;
            break;
        }
    }
    return w;
}

QString ValueOf(const QString& line) {
    QString v = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
        v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    if (v.isNull())
        v = QLatin1String("");
    return v;
}

bool Save(const QString& path, const Content& c) {
    QString text;
    for (const Line& l : c.lines)
        text += l.text + l.lineBreak;
    const std::string utf8 = text.toStdString();
    TextEncoding enc = c.encoding;
    std::string bytes = EncodeTextFile(utf8, enc);
    if (enc == TextEncoding::Gbk && GbkToUtf8(bytes) != utf8)
        bytes = EncodeTextFile(utf8, TextEncoding::Utf8Bom); // keep characters GBK has not got
    QSaveFile f(path);
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

} // namespace

std::optional<int> ParseProfileInt(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = t.mid(2);
        if (digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        const uint value = digits.toUInt(&ok, 16);
        if (!ok || digits.front() == QLatin1Char('+') || digits.front() == QLatin1Char('-'))
            return std::nullopt;
        return static_cast<int>(value);
    }
    const int value = t.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

QString ProfileFile::ReadString(const QString& section, const QString& key, const QString& fallback) const {
    const Content c = Load(path_);
    const Where w = Find(c, section, key);
    return w.key < 0 ? fallback : ValueOf(c.lines[w.key].text);
}

int ProfileFile::ReadInt(const QString& section, const QString& key, int fallback) const {
    const QString text = ReadString(section, key);
    if (text.isNull())
        return fallback;
    return ParseProfileInt(text).value_or(fallback);
}

bool ProfileFile::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return ReadInt(section, key, fallback ? 1 : 0) != 0;
}

bool ProfileFile::WriteString(const QString& section, const QString& key, const QString& value) {
    Content c = Load(path_);
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    // New lines take the file's own line break (CR LF for a new file).
    QString crlf = QStringLiteral("\r\n");
    for (const Line& l : c.lines) {
        if (!l.lineBreak.isEmpty()) {
            crlf = l.lineBreak;
            break;
        }
    }
    const Where w = Find(c, section, key);
    if (w.key >= 0) {
        Line& line = c.lines[w.key];
        line.text = KeyOf(line.text) + QLatin1Char('=') + clean;
    } else {
        // A line whose break is missing (the file's last line) gets one before anything follows.
        if (!c.lines.empty() && c.lines.back().lineBreak.isEmpty())
            c.lines.back().lineBreak = crlf;
        if (w.header < 0) {
            c.lines.push_back({QLatin1Char('[') + section + QLatin1Char(']'), crlf});
            c.lines.push_back({key + QLatin1Char('=') + clean, crlf});
        } else {
            Line& last = c.lines[w.lastInSection];
            if (last.lineBreak.isEmpty())
                last.lineBreak = crlf;
            c.lines.insert(c.lines.begin() + w.lastInSection + 1, Line{key + QLatin1Char('=') + clean, crlf});
        }
    }
    return Save(path_, c);
}

bool ProfileFile::WriteInt(const QString& section, const QString& key, int value) {
    return WriteString(section, key, QString::number(value));
}

} // namespace qj
