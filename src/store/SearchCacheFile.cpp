#include "store/SearchCacheFile.h"

#include <QSaveFile>

#include <sqlite3.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

namespace qj {

namespace {

constexpr char kMagic[8] = {'Q', 'J', 'S', 'E', 'A', 'R', 'C', 'H'};
constexpr std::uint32_t kVersion = 1;

struct Header {
    char magic[8];
    std::uint32_t version;
    std::uint32_t categoryCount;
    DataFileStamp stamp;
    std::uint64_t textsOffset, textsSize;
    std::uint64_t namesOffset, namesSize;
    std::uint64_t recordsOffset, recordCount;
    std::uint64_t categoriesOffset;
    std::uint64_t checksum; // of the header (this field 0), the names, the records and the categories
};

// FNV-1a, eight bytes at a time.
std::uint64_t Mix(std::uint64_t hash, std::string_view bytes) {
    constexpr std::uint64_t kPrime = 0x100000001b3ULL;
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        hash = (hash ^ word) * kPrime;
    }
    for (; i < bytes.size(); ++i)
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * kPrime;
    return hash;
}

template <typename T> std::string_view BytesOf(std::span<const T> items) {
    return {reinterpret_cast<const char*>(items.data()), items.size_bytes()};
}

std::uint64_t ChecksumOf(Header header, std::string_view names, std::span<const CachedRecord> records,
                         std::span<const CachedCategory> categories) {
    header.checksum = 0;
    std::uint64_t hash = Mix(0xcbf29ce484222325ULL, {reinterpret_cast<const char*>(&header), sizeof header});
    hash = Mix(hash, names);
    hash = Mix(hash, BytesOf(records));
    return Mix(hash, BytesOf(categories));
}

std::uint32_t BigEndian32(const std::string& bytes, size_t at) {
    std::uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

// The tables a text search reads: with ID, Name and Info, and with record numbers.
std::vector<std::string> SearchedTables(Database& db) {
    std::vector<std::string> tables;
    Statement st(
        db,
        QStringLiteral("SELECT name FROM sqlite_schema s WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                       "ESCAPE '\\' AND (SELECT count(*) FROM pragma_table_info(s.name) WHERE lower(name) "
                       "IN ('id', 'name', 'info')) = 3 ORDER BY rowid"));
    while (st.Step())
        tables.push_back(st.Text(0).toStdString());
    return tables;
}

bool Pad(QSaveFile& out, std::uint64_t& at) {
    static constexpr char kZeros[8] = {};
    const std::uint64_t pad = (8 - at % 8) % 8;
    at += pad;
    return out.write(kZeros, static_cast<qint64>(pad)) == static_cast<qint64>(pad);
}

bool Write(QSaveFile& out, std::uint64_t& at, std::string_view bytes) {
    at += bytes.size();
    return out.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

// Appends the records of `table` to `records`, their titles to `names` and their texts to `out`.
// False when the table has no record numbers (it is then left out) or a write failed.
bool WriteTable(Database& db, const std::string& table, QSaveFile& out, std::uint64_t& at,
                std::uint64_t textsStart, std::string& names, std::vector<CachedRecord>& records) {
    const std::string sql = "SELECT rowid, typeof(ID) = 'integer', ID, Name, Info FROM " +
                            QuoteIdentifier(QString::fromStdString(table)).toStdString();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return false; // WITHOUT ROWID: searched as ever
    }
    bool ok = true;
    int rc;
    while (ok && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        CachedRecord r{};
        r.rowid = sqlite3_column_int64(st, 0);
        r.idIsInteger = static_cast<std::uint32_t>(sqlite3_column_int(st, 1));
        r.id = r.idIsInteger ? sqlite3_column_int64(st, 2) : 0;
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(st, 3));
        r.nameOffset = names.size();
        r.nameLength = static_cast<std::uint32_t>(sqlite3_column_bytes(st, 3));
        names.append(name ? name : "", r.nameLength);
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, 4));
        r.textLength = static_cast<std::uint64_t>(sqlite3_column_bytes(st, 4));
        r.textOffset = at - textsStart;
        ok = Write(out, at, std::string_view(text ? text : "", text ? r.textLength : 0));
        records.push_back(r);
    }
    sqlite3_finalize(st);
    if (ok && rc != SQLITE_DONE)
        db.Fail(rc, QStringLiteral("建立查找缓存"));
    return ok;
}

} // namespace

std::optional<DataFileStamp> StampOf(Database& db, const QString& path) {
    const std::string header = db.FileHeader();
    struct stat info {};
    if (header.size() < 100 || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    DataFileStamp stamp;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changeCounter = BigEndian32(header, 24);
    stamp.schemaCookie = BigEndian32(header, 40);
    return stamp;
}

bool WriteSearchCache(Database& db, const QString& cachePath, const DataFileStamp& stamp) {
    QSaveFile out(cachePath);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.version = kVersion;
    header.stamp = stamp;
    std::uint64_t at = sizeof header;
    std::string names;
    std::vector<CachedRecord> records;
    std::vector<CachedCategory> categories;
    bool ok = out.write(reinterpret_cast<const char*>(&header), sizeof header) == sizeof header;
    header.textsOffset = at;
    for (const std::string& table : SearchedTables(db)) {
        if (!ok)
            break;
        CachedCategory c{};
        c.nameOffset = names.size();
        c.nameLength = table.size();
        c.firstRecord = records.size();
        const size_t namesBefore = names.size();
        names += table;
        const std::uint64_t textsBefore = at;
        const size_t recordsBefore = records.size();
        if (!WriteTable(db, table, out, at, header.textsOffset, names, records)) {
            // A table left out takes nothing with it (its texts are written only when it has rows).
            ok = at == textsBefore && records.size() == recordsBefore;
            names.resize(namesBefore);
            continue;
        }
        c.recordCount = records.size() - c.firstRecord;
        categories.push_back(c);
    }
    header.textsSize = at - header.textsOffset;
    ok = ok && Pad(out, at);
    header.namesOffset = at;
    header.namesSize = names.size();
    ok = ok && Write(out, at, names) && Pad(out, at);
    header.recordsOffset = at;
    header.recordCount = records.size();
    ok = ok && Write(out, at, BytesOf(std::span<const CachedRecord>(records)));
    header.categoriesOffset = at;
    header.categoryCount = static_cast<std::uint32_t>(categories.size());
    ok = ok && Write(out, at, BytesOf(std::span<const CachedCategory>(categories)));
    header.checksum = ChecksumOf(header, names, records, categories);
    ok = ok && out.seek(0) &&
         out.write(reinterpret_cast<const char*>(&header), sizeof header) == sizeof header;
    if (!ok) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

std::unique_ptr<MappedSearchCache> MappedSearchCache::Open(const QString& cachePath,
                                                           const DataFileStamp& stamp) {
    std::unique_ptr<MappedSearchCache> cache(new MappedSearchCache);
    cache->file_.setFileName(cachePath);
    if (!cache->file_.open(QIODevice::ReadOnly) || cache->file_.size() < static_cast<qint64>(sizeof(Header)))
        return nullptr;
    cache->fileBytes_ = static_cast<std::uint64_t>(cache->file_.size());
    cache->map_ = cache->file_.map(0, cache->file_.size());
    if (!cache->map_)
        return nullptr;
    Header h;
    std::memcpy(&h, cache->map_, sizeof h);
    const std::uint64_t size = cache->fileBytes_;
    const auto within = [size](std::uint64_t offset, std::uint64_t count, std::uint64_t unit) {
        return offset <= size && count <= (size - offset) / unit;
    };
    if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0 || h.version != kVersion || !(h.stamp == stamp) ||
        !within(h.textsOffset, h.textsSize, 1) || !within(h.namesOffset, h.namesSize, 1) ||
        h.recordsOffset % 8 != 0 || !within(h.recordsOffset, h.recordCount, sizeof(CachedRecord)) ||
        h.categoriesOffset % 8 != 0 || !within(h.categoriesOffset, h.categoryCount, sizeof(CachedCategory)))
        return nullptr;
    const auto* base = reinterpret_cast<const char*>(cache->map_);
    cache->texts_ = std::string_view(base + h.textsOffset, h.textsSize);
    cache->names_ = std::string_view(base + h.namesOffset, h.namesSize);
    cache->records_ = {reinterpret_cast<const CachedRecord*>(base + h.recordsOffset), h.recordCount};
    cache->categories_ = {reinterpret_cast<const CachedCategory*>(base + h.categoriesOffset),
                          h.categoryCount};
    if (ChecksumOf(h, cache->names_, cache->records_, cache->categories_) != h.checksum)
        return nullptr;
    // Every offset lies inside its part, and the texts follow one another.
    std::uint64_t nextRecord = 0;
    for (const CachedCategory& c : cache->categories_) {
        if (c.firstRecord != nextRecord || c.recordCount > h.recordCount - c.firstRecord ||
            c.nameOffset > h.namesSize || c.nameLength > h.namesSize - c.nameOffset)
            return nullptr;
        nextRecord += c.recordCount;
    }
    std::uint64_t nextText = 0;
    for (const CachedRecord& r : cache->records_) {
        if (r.textOffset != nextText || r.textLength > h.textsSize - r.textOffset ||
            r.nameOffset > h.namesSize || r.nameLength > h.namesSize - r.nameOffset)
            return nullptr;
        nextText += r.textLength;
    }
    if (nextRecord != h.recordCount || nextText != h.textsSize)
        return nullptr;
    return cache;
}

MappedSearchCache::~MappedSearchCache() {
    if (map_)
        file_.unmap(const_cast<uchar*>(map_));
}

int MappedSearchCache::categoryIndex(const QString& name) const {
    const QByteArray wanted = name.toUtf8();
    for (size_t i = 0; i < categories_.size(); ++i)
        if (names_.substr(categories_[i].nameOffset, categories_[i].nameLength) ==
            std::string_view(wanted.constData(), static_cast<size_t>(wanted.size())))
            return static_cast<int>(i);
    return -1;
}

std::span<const CachedRecord> MappedSearchCache::records(int category) const {
    const CachedCategory& c = categories_[static_cast<size_t>(category)];
    return records_.subspan(c.firstRecord, c.recordCount);
}

QString MappedSearchCache::name(const CachedRecord& r) const {
    const std::string_view n = names_.substr(r.nameOffset, r.nameLength);
    return QString::fromUtf8(n.data(), static_cast<qsizetype>(n.size()));
}

} // namespace qj
