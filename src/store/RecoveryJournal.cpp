#include "store/RecoveryJournal.h"

#include "common/DurableFile.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <cerrno>
#include <cstdio>
#include <string_view>

namespace qj {

namespace {

constexpr char kMark[] = "QJRECOVERY\n";
constexpr qsizetype kMarkLength = sizeof(kMark) - 1;
constexpr quint32 kVersion = 1;
constexpr qsizetype kChecksumLength = 8;

// FNV-1a over 64 bits: enough to tell a cut or changed file from a whole one.
quint64 Checksum(const char* data, qsizetype size) {
    quint64 hash = 14695981039346656037ULL;
    for (qsizetype i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(data[i]);
        hash *= 1099511628211ULL;
    }
    return hash;
}

} // namespace

QString JournalPathOf(const QString& dataFilePath) {
    QString base = dataFilePath;
    if (base.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive))
        base.chop(4);
    return base + QStringLiteral(".recovery");
}

QByteArray EncodeJournal(const JournalEntry& entry) {
    QByteArray bytes;
    bytes.reserve(entry.text.size() + 256);
    bytes.append(kMark, kMarkLength);
    {
        QDataStream out(&bytes, QIODevice::WriteOnly | QIODevice::Append);
        out.setVersion(QDataStream::Qt_6_0);
        out << kVersion << entry.category << qint64(entry.rowid) << qint64(entry.id) << entry.title
            << qint64(entry.written.isValid() ? entry.written.toMSecsSinceEpoch() : 0) << entry.text;
    }
    const quint64 sum = Checksum(bytes.constData(), bytes.size());
    for (int i = 0; i < kChecksumLength; ++i)
        bytes.append(static_cast<char>((sum >> (8 * i)) & 0xff));
    return bytes;
}

std::optional<JournalEntry> DecodeJournal(const QByteArray& bytes) {
    if (bytes.size() < kMarkLength + kChecksumLength || !bytes.startsWith(QByteArray(kMark, kMarkLength)))
        return std::nullopt;
    const qsizetype body = bytes.size() - kChecksumLength;
    quint64 stored = 0;
    for (int i = 0; i < kChecksumLength; ++i)
        stored |= quint64(static_cast<unsigned char>(bytes[body + i])) << (8 * i);
    if (stored != Checksum(bytes.constData(), body))
        return std::nullopt;
    QDataStream in(bytes.first(body).sliced(kMarkLength));
    in.setVersion(QDataStream::Qt_6_0);
    quint32 version = 0;
    qint64 rowid = 0;
    qint64 id = 0;
    qint64 written = 0;
    JournalEntry entry;
    in >> version;
    if (version != kVersion)
        return std::nullopt;
    in >> entry.category >> rowid >> id >> entry.title >> written >> entry.text;
    if (in.status() != QDataStream::Ok || !in.atEnd() || entry.category.isEmpty())
        return std::nullopt;
    entry.rowid = rowid;
    entry.id = id;
    if (written != 0)
        entry.written = QDateTime::fromMSecsSinceEpoch(written);
    return entry;
}

JournalContents ReadJournal(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return {};
    if (file.size() > kLongestJournal || !file.open(QIODevice::ReadOnly))
        return {JournalRead::Refused, {}};
    std::optional<JournalEntry> entry = DecodeJournal(file.readAll());
    if (!entry)
        return {JournalRead::Refused, {}};
    return {JournalRead::Entry, std::move(*entry)};
}

int WriteJournal(const QString& path, const JournalEntry& entry) {
    const QByteArray bytes = EncodeJournal(entry);
    return WriteFileDurably(QFile::encodeName(path).toStdString(),
                            std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

int RemoveJournal(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (std::remove(name.constData()) != 0 && errno != ENOENT)
        return errno;
    return 0;
}

qsizetype CharactersOf(const QByteArray& text) {
    qsizetype count = 0;
    for (const QChar c : QString::fromUtf8(text))
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n') && !c.isLowSurrogate())
            ++count;
    return count;
}

} // namespace qj
