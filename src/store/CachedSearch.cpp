// SearchNotes over a data file: the texts from its search cache where that can serve, the rest from
// the file as ever.
#include "store/DataFile.h"
#include "store/NoteSearch.h"
#include "store/SearchCache.h"
#include "store/SearchQuery.h"

namespace qj {

std::vector<SearchHit> SearchNotes(DataFile& file, const QStringList& categories, const QString& text,
                                   SearchField field, const SearchOptions& options) {
    Database& db = file.db();
    if (text.isEmpty())
        return SearchNotes(db, categories, nullptr, field);
    const TextMatch match = BuildMatch(text, options, field == SearchField::Title);
    SearchCache& cache = file.searchCache();
    if (field == SearchField::Title || !cache.Sync(db))
        return SearchNotes(db, categories, &match, field);
    std::vector<SearchHit> hits;
    for (const QString& category : categories) {
        // Views, tables without record numbers or without a note's columns, unknown names: as ever.
        std::vector<SearchHit> found =
            cache.Holds(category) ? cache.Find(category, match) : SearchNotes(db, {category}, &match, field);
        hits.insert(hits.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    }
    return hits;
}

} // namespace qj
