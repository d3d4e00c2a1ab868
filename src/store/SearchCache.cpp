#include "store/SearchCache.h"

#include "store/AsciiFind.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <limits>

namespace qj {

SearchCache::SearchCache(const QString& dataPath)
    : dataPath_(dataPath), cachePath_(dataPath + QStringLiteral(".search")) {}

SearchCache::~SearchCache() = default;

bool SearchCache::Sync(Database& db) {
    if (db.InTransaction())
        return false; // a write under way: what it changed may still be rolled back
    // One read transaction: no other connection writes while the cache is compared and read.
    db.Exec("BEGIN; SELECT count(*) FROM sqlite_schema");
    try {
        const bool ok = SyncInTransaction(db);
        db.Exec("COMMIT");
        return ok;
    } catch (...) {
        if (db.InTransaction())
            db.Exec("ROLLBACK");
        throw;
    }
}

bool SearchCache::SyncInTransaction(Database& db) {
    Statement version(db, QStringLiteral("PRAGMA data_version"));
    const std::int64_t dataVersion = version.Step() ? version.Int64(0) : -1;
    const std::optional<DataFileStamp> stamp = StampOf(db, dataPath_);
    if (!stamp)
        return false;
    Database::ChangedRows changed = db.TakeChangedRows();
    // Only this connection wrote since the cache was made current, and no table changed (the engine
    // does not report a renamed table or VACUUM's new record numbers): read again what it changed.
    if (mapped_ && serial_ == db.serial() && dataVersion_ == dataVersion &&
        schemaCookie_ == stamp->schemaCookie && changed.complete && ApplyChanges(db, changed) &&
        overlayBytes_ <= kMostChangedBytesHeld)
        return true;
    overlay_.clear();
    overlayBytes_ = 0;
    mapped_ = MappedSearchCache::Open(cachePath_, *stamp);
    if (!mapped_ && unwritable_ != stamp) {
        if (WriteSearchCache(db, cachePath_, *stamp) && ++filesWritten_)
            mapped_ = MappedSearchCache::Open(cachePath_, *stamp);
        if (!mapped_)
            unwritable_ = stamp;
    }
    serial_ = db.serial();
    dataVersion_ = dataVersion;
    schemaCookie_ = stamp->schemaCookie;
    return mapped_ != nullptr;
}

bool SearchCache::ApplyChanges(Database& db, const Database::ChangedRows& changed) {
    for (const auto& [table, rowid] : changed.rows) {
        const QString category = QString::fromStdString(table);
        if (mapped_->categoryIndex(category) < 0)
            continue; // not a table the cache holds (a new table changes the schema cookie)
        sqlite3_stmt* st = nullptr;
        const std::string sql = "SELECT typeof(ID) = 'integer', ID, Name, Info FROM " +
                                QuoteIdentifier(category).toStdString() + " WHERE rowid = ?1";
        if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(st);
            return false;
        }
        sqlite3_bind_int64(st, 1, rowid);
        std::optional<Changed>& entry = overlay_[category][rowid];
        if (entry)
            overlayBytes_ -= entry->text.size();
        entry.reset();
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) {
            Changed c;
            c.hit.category = category;
            c.hit.rowid = RecordId{rowid};
            if (sqlite3_column_int(st, 0))
                c.hit.id = NoteId{sqlite3_column_int64(st, 1)};
            const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(st, 2));
            c.hit.name = QString::fromUtf8(name, sqlite3_column_bytes(st, 2));
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, 3));
            c.text.assign(text ? text : "", text ? static_cast<size_t>(sqlite3_column_bytes(st, 3)) : 0);
            overlayBytes_ += c.text.size();
            entry = std::move(c);
        }
        sqlite3_finalize(st);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            db.Fail(rc, QStringLiteral("更新查找缓存"));
    }
    return true;
}

bool SearchCache::Holds(const QString& category) const {
    return mapped_ && mapped_->categoryIndex(category) >= 0;
}

namespace {

// Marks the records whose text holds `anchor`: one scan over the texts, which lie one after
// another; an occurrence that runs into the next text is none.
void MarkHolders(std::string_view texts, std::span<const CachedRecord> records, const std::string& anchor,
                 std::vector<char>& holds) {
    if (records.empty())
        return;
    std::uint64_t at = records.front().textOffset;
    const std::uint64_t end = records.back().textOffset + records.back().textLength;
    while (at < end) {
        const size_t found = FindIgnoringAsciiCase(texts.substr(at, end - at), anchor);
        if (found == std::string_view::npos)
            return;
        const std::uint64_t position = at + found;
        const auto next =
            std::upper_bound(records.begin(), records.end(), position,
                             [](std::uint64_t p, const CachedRecord& r) { return p < r.textOffset; });
        const CachedRecord& holder = *(next - 1);
        const std::uint64_t holderEnd = holder.textOffset + holder.textLength;
        if (position + anchor.size() <= holderEnd)
            holds[static_cast<size_t>(&holder - records.data())] = 1;
        at = holderEnd;
    }
}

} // namespace

std::vector<SearchHit> SearchCache::Find(const QString& category, const TextMatch& match) const {
    const std::span<const CachedRecord> records = mapped_->records(mapped_->categoryIndex(category));
    const auto changes = overlay_.find(category);
    const Overlay* changed = changes == overlay_.end() ? nullptr : &changes->second;

    std::vector<char> candidate(records.size(), match.anchors.empty() ? 1 : 0);
    for (const std::string& anchor : match.anchors)
        MarkHolders(mapped_->texts(), records, anchor, candidate);

    std::vector<SearchHit> hits;
    auto changedHit = changed ? changed->begin() : Overlay::const_iterator();
    const auto takeChangedBefore = [&](std::int64_t rowid) {
        for (; changed && changedHit != changed->end() && changedHit->first < rowid; ++changedHit)
            if (changedHit->second && Matches(match, changedHit->second->text))
                hits.push_back(changedHit->second->hit);
    };
    for (size_t i = 0; i < records.size(); ++i) {
        const CachedRecord& r = records[i];
        takeChangedBefore(r.rowid);
        if (changed && changed->count(r.rowid))
            continue; // read again since: the overlay answers
        if (!candidate[i] || (match.verify && !match.verify(mapped_->text(r))))
            continue;
        SearchHit hit;
        hit.category = category;
        hit.rowid = RecordId{r.rowid};
        if (r.idIsInteger)
            hit.id = NoteId{r.id};
        hit.name = mapped_->name(r);
        hits.push_back(std::move(hit));
    }
    takeChangedBefore(std::numeric_limits<std::int64_t>::max());
    // The last possible record number too.
    if (changed && changedHit != changed->end() && changedHit->second &&
        Matches(match, changedHit->second->text))
        hits.push_back(changedHit->second->hit);
    return hits;
}

} // namespace qj
