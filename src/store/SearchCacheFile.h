#pragma once
// The search cache's file: every category's records with their titles, and their texts one after
// another, so that a text search scans memory. Written whole and put in place by renaming, read
// through a memory map. It says which state of the data file it was made from (the stamp); a file
// made from another state, or damaged, is not opened.

#include "store/Sqlite.h"

#include <QFile>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace qj {

// What tells one state of the data file from another: the engine's change counter (raised by every
// write transaction) and schema cookie (raised by every change of tables and by VACUUM) from the
// file's header, and the file's size, modification time and inode (a file put in its place).
struct DataFileStamp {
    std::uint64_t size = 0;
    std::uint64_t inode = 0;
    std::int64_t modifiedNs = 0;
    std::uint32_t changeCounter = 0;
    std::uint32_t schemaCookie = 0;
    bool operator==(const DataFileStamp&) const = default;
};
// The stamp of the data file at `path` open in `db` (inside a read transaction, so that no write
// comes between); nothing when its header cannot be read.
std::optional<DataFileStamp> StampOf(Database& db, const QString& path);

struct CachedRecord {
    std::int64_t rowid;
    std::int64_t id;
    std::uint64_t nameOffset;
    std::uint64_t textOffset; // in the texts, which follow one another in record order
    std::uint64_t textLength;
    std::uint32_t nameLength;
    std::uint32_t idIsInteger;
};

struct CachedCategory {
    std::uint64_t nameOffset;
    std::uint64_t nameLength;
    std::uint64_t firstRecord;
    std::uint64_t recordCount;
};

// Writes the cache of every category table of `db` to `cachePath` (beside it first, then renamed
// over it), as of `stamp`. The caller holds a read transaction. False when it cannot be written.
bool WriteSearchCache(Database& db, const QString& cachePath, const DataFileStamp& stamp);

class MappedSearchCache {
public:
    // The cache at `cachePath` when it is whole and made from the state `stamp`; null otherwise.
    static std::unique_ptr<MappedSearchCache> Open(const QString& cachePath, const DataFileStamp& stamp);
    ~MappedSearchCache();

    // The index of the category table `name` (exactly so spelt), or -1.
    int categoryIndex(const QString& name) const;
    std::span<const CachedRecord> records(int category) const;
    std::string_view texts() const { return texts_; }
    std::string_view text(const CachedRecord& r) const { return texts_.substr(r.textOffset, r.textLength); }
    QString name(const CachedRecord& r) const;
    std::uint64_t fileBytes() const { return fileBytes_; }

private:
    MappedSearchCache() = default;
    QFile file_;
    const uchar* map_ = nullptr;
    std::uint64_t fileBytes_ = 0;
    std::string_view texts_;
    std::string_view names_;
    std::span<const CachedRecord> records_;
    std::span<const CachedCategory> categories_;
};

} // namespace qj
