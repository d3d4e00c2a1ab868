#include "shell/ProfileFile.h"

#include "common/Gbk.h"
#include "common/TextDecode.h"
#include "shell/ReplaceFile.h"

#include <QFile>

#include <algorithm>
#include <optional>

namespace qj {

// One line of the file: its bytes as they are stored, its line break kept apart, and its text
// decoded for reading. Only lines the program writes get new bytes; every other line is saved with
// the bytes it was read with, whatever they hold.
struct ProfileLine {
    std::string bytes;
    std::string lineBreak;
    QString text;
};

struct ProfileContent {
    TextForm form; // GBK for a new file
    std::vector<ProfileLine> lines;
};

namespace {

using Line = ProfileLine;
using Content = ProfileContent;

QString Decoded(const std::string& bytes, TextEncoding encoding) {
    return QString::fromStdString(DecodeText(bytes, encoding));
}

Line MakeLine(const QString& text, const std::string& lineBreak, TextEncoding encoding) {
    return {EncodeText(text.toStdString(), encoding), lineBreak, text};
}

bool HasHighByte(std::string_view bytes) {
    for (const char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80)
            return true;
    return false;
}

// The lines of `raw` (without line breaks).
std::vector<std::string_view> SplitLines(std::string_view raw) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < raw.size()) {
        const size_t end = std::min(raw.find_first_of("\r\n", start), raw.size());
        lines.push_back(raw.substr(start, end - start));
        start = raw.find_first_not_of("\r\n", end);
        if (start == std::string_view::npos)
            break;
    }
    return lines;
}

// A file behind a byte-order mark that holds UTF-8 lines and GBK lines (edited by programs of
// both kinds) reads line by line: each line in the encoding it is valid in. True for such a file.
bool IsMixedMarkedFile(std::string_view raw) {
    if (!raw.starts_with(kUtf8Bom))
        return false;
    raw.remove_prefix(kUtf8Bom.size());
    bool utf8Line = false, otherLine = false;
    for (const std::string_view line : SplitLines(raw)) {
        if (!IsValidUtf8(line))
            otherLine = true;
        else if (HasHighByte(line))
            utf8Line = true;
    }
    return utf8Line && otherLine;
}

Content Parse(std::string_view raw) {
    Content c;
    const bool mixed = IsMixedMarkedFile(raw);
    // A mixed file keeps its mark, and the lines the program writes are UTF-8.
    c.form = mixed ? TextForm{TextEncoding::Utf8, true} : GuessEightBitTextForm(raw);
    if (c.form.bom)
        raw.remove_prefix(kUtf8Bom.size());
    // CR and LF never occur inside a GBK or UTF-8 character, so lines split on the bytes.
    size_t start = 0;
    while (start < raw.size()) {
        size_t end = raw.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = raw.size();
        size_t next = end;
        if (next < raw.size() && raw[next] == '\r')
            ++next;
        if (next < raw.size() && raw[next] == '\n')
            ++next;
        std::string bytes(raw.substr(start, end - start));
        const TextEncoding encoding = mixed && !IsValidUtf8(bytes) ? TextEncoding::Gbk : c.form.encoding;
        QString text = Decoded(bytes, encoding);
        c.lines.push_back({std::move(bytes), std::string(raw.substr(end, next - end)), std::move(text)});
        start = next;
    }
    return c;
}

Content Load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return Content();
    const QByteArray all = f.readAll();
    return Parse(std::string_view(all.constData(), static_cast<size_t>(all.size())));
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

bool IsQuoted(const QString& v) {
    return v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
           v.back() == v.front();
}

// Reading drops the blanks around a value and one pair of matching quotes.
QString ValueOf(const QString& line) {
    QString v = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (IsQuoted(v))
        v = v.mid(1, v.size() - 2);
    if (v.isNull())
        v = QLatin1String("");
    return v;
}

// The text written for a value so that ValueOf gives it back: a value with blanks at either end,
// or one already in quotes, is put in double quotes (the category " 读书 " comes back as it was).
QString WrittenValue(const QString& value) {
    const bool keep = value != value.trimmed() || IsQuoted(value);
    return keep ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

std::string Bytes(const Content& c) {
    std::string bytes(BomToWrite(c.form));
    for (const Line& l : c.lines)
        bytes += l.bytes + l.lineBreak;
    return bytes;
}

// The file's lines as UTF-8 behind a byte-order mark, which reads as UTF-8 whatever the text; nothing
// when a line's bytes are not exactly its text in the file's encoding (re-encoding would change it).
std::optional<Content> AsMarkedUtf8(const Content& c) {
    Content u = c;
    u.form = {TextEncoding::Utf8, true};
    for (Line& l : u.lines) {
        if (EncodeText(l.text.toStdString(), c.form.encoding) != l.bytes)
            return std::nullopt;
        l.bytes = l.text.toStdString();
    }
    return u;
}

// True when the bytes read back as exactly these lines.
bool ReadsAs(const std::string& bytes, const Content& c) {
    const Content again = Parse(bytes);
    if (again.lines.size() != c.lines.size())
        return false;
    for (size_t i = 0; i < c.lines.size(); ++i)
        if (again.lines[i].text != c.lines[i].text)
            return false;
    return true;
}

// What is written must read back as the lines meant, every other line included. The lines written
// may tip the encoding guess over (a UTF-8 file with a damaged byte that gets "\uFFFD" written reads
// as GBK afterwards, and every value in it changes), or a byte-order mark dropped before GBK text may
// uncover a second one: the file is then written as marked UTF-8 when that keeps every line's
// text, and not at all otherwise.
bool Save(const QString& path, const Content& c) {
    std::string bytes = Bytes(c);
    if (!ReadsAs(bytes, c)) {
        const std::optional<Content> marked = AsMarkedUtf8(c);
        if (!marked)
            return false;
        bytes = Bytes(*marked);
        if (!ReadsAs(bytes, *marked))
            return false;
    }
    return ReplaceFile(path, bytes);
}

// Puts key=value into the loaded lines.
void Put(Content& c, const QString& section, const QString& key, const QString& value) {
    const TextEncoding encoding = c.form.encoding;
    QString clean = WrittenValue(value);
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    // New lines take the file's own line break (CR LF for a new file).
    std::string lineBreak = "\r\n";
    for (const Line& l : c.lines) {
        if (!l.lineBreak.empty()) {
            lineBreak = l.lineBreak;
            break;
        }
    }
    const Where w = Find(c, section, key);
    if (w.key >= 0) {
        Line& line = c.lines[w.key];
        line = MakeLine(KeyOf(line.text) + QLatin1Char('=') + clean, line.lineBreak, encoding);
        return;
    }
    // A line whose break is missing (the file's last line) gets one before anything follows.
    if (!c.lines.empty() && c.lines.back().lineBreak.empty())
        c.lines.back().lineBreak = lineBreak;
    const Line entry = MakeLine(key + QLatin1Char('=') + clean, lineBreak, encoding);
    if (w.header < 0) {
        c.lines.push_back(MakeLine(QLatin1Char('[') + section + QLatin1Char(']'), lineBreak, encoding));
        c.lines.push_back(entry);
    } else {
        Line& last = c.lines[w.lastInSection];
        if (last.lineBreak.empty())
            last.lineBreak = lineBreak;
        c.lines.insert(c.lines.begin() + w.lastInSection + 1, entry);
    }
}

} // namespace

std::optional<int> ParseProfileInt(const QString& text) {
    const QString t = text.trimmed();
    // Qt's number reading stops at a NUL: "1\0 2" would read as 1.
    if (t.contains(QChar(0)))
        return std::nullopt;
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

QString ProfileReading::ReadString(const QString& section, const QString& key,
                                   const QString& fallback) const {
    const Where w = Find(*content_, section, key);
    return w.key < 0 ? fallback : ValueOf(content_->lines[w.key].text);
}

int ProfileReading::ReadInt(const QString& section, const QString& key, int fallback) const {
    const QString text = ReadString(section, key);
    if (text.isNull())
        return fallback;
    return ParseProfileInt(text).value_or(fallback);
}

bool ProfileReading::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return ReadInt(section, key, fallback ? 1 : 0) != 0;
}

ProfileReading ProfileFile::Read() const {
    return ProfileReading(std::make_shared<const Content>(Load(path_)));
}

QString ProfileFile::ReadString(const QString& section, const QString& key, const QString& fallback) const {
    return Read().ReadString(section, key, fallback);
}

int ProfileFile::ReadInt(const QString& section, const QString& key, int fallback) const {
    return Read().ReadInt(section, key, fallback);
}

bool ProfileFile::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return Read().ReadBool(section, key, fallback);
}

bool ProfileFile::WriteString(const QString& section, const QString& key, const QString& value) {
    return WriteStrings({{section, key, value}});
}

bool ProfileFile::WriteStrings(const std::vector<ProfileEntry>& entries) {
    Content c = Load(path_);
    for (const ProfileEntry& e : entries)
        Put(c, e.section, e.key, e.value);
    return Save(path_, c);
}

bool ProfileFile::WriteInt(const QString& section, const QString& key, int value) {
    return WriteString(section, key, QString::number(value));
}

} // namespace qj
