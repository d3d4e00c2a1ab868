#pragma once
// The search cache of one data file: the file "<data file>.search" beside it (SearchCacheFile.h),
// mapped into memory, and the records this program changed since it was made, held in memory.
//
// It is never the only copy of anything and never trusted blindly: before every search it is checked
// against the data file. Changes this connection made are read again from the data file (the engine
// reports each changed row); a change by any other connection or program (the engine's data version,
// the file's change counter, size, time and inode), a changed schema, a damaged or missing cache file
// make it anew.

#include "store/AsciiFind.h"
#include "store/NoteSearch.h"
#include "store/SearchCacheFile.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qj {

class SearchCache {
public:
    explicit SearchCache(const QString& dataPath);
    ~SearchCache();

    // Makes the cache current with the data file open in `db`. False when it cannot serve now: a
    // transaction of the connection is open, or the cache cannot be written beside the data file.
    bool Sync(Database& db);
    bool Holds(const QString& category) const;
    // The records of `category` (held) whose text matches, in stored order.
    std::vector<SearchHit> Find(const QString& category, const TextMatch& match) const;

    const QString& path() const { return cachePath_; }
    // How often this object wrote the cache file (a change of this program's own is read in
    // without).
    int filesWritten() const { return filesWritten_; }

private:
    struct Changed {
        SearchHit hit;
        std::string text;
    };
    // Per table, the records changed since the file was made: nothing where a record is gone.
    using Overlay = std::map<std::int64_t, std::optional<Changed>>;

    bool SyncInTransaction(Database& db);
    bool ApplyChanges(Database& db, const Database::ChangedRows& changed);

    QString dataPath_;
    QString cachePath_;
    std::unique_ptr<MappedSearchCache> mapped_;
    std::map<QString, Overlay> overlay_;
    std::uint64_t overlayBytes_ = 0;
    std::uint64_t serial_ = 0; // the connection the cache was last made current with
    std::int64_t dataVersion_ = -1;
    std::uint32_t schemaCookie_ = 0;
    std::optional<DataFileStamp> unwritable_;
    int filesWritten_ = 0; // the state for which writing the file failed
};

// The overlay of changed texts is folded into a new file past this size.
inline constexpr std::uint64_t kMostChangedBytesHeld = 64u << 20;

} // namespace qj
