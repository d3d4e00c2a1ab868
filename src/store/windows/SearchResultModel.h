#pragma once
// The result grid's rows: one per hit, the columns "目录分类" (the category) and "题目" (the
// note's title). Read-only; the hits are kept as one vector, so listing every note stays fast.

#include "store/NoteSearch.h"
#include "store/SearchSnippet.h"

#include <QAbstractTableModel>

#include <functional>
#include <optional>
#include <vector>

namespace qj {

class SearchResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kDirColumn = 0, kNameColumn = 1, kColumnCount, kContextColumn = kColumnCount };
    // The marked ranges of the context column's text, as a list of QPoint(start, length).
    static constexpr int kMarksRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the rows (an empty vector closes the result).
    void setHits(std::vector<SearchHit> hits);
    const std::vector<SearchHit>& hits() const { return hits_; }
    const SearchHit* hit(int row) const;
    // A third column "上下文" with each hit's snippet, made when first shown; none when null.
    using SnippetOf = std::function<Snippet(const SearchHit&)>;
    void setContext(SnippetOf snippetOf);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const Snippet& snippet(size_t row) const;

    std::vector<SearchHit> hits_;
    SnippetOf snippetOf_;
    mutable std::vector<std::optional<Snippet>> snippets_;
};

} // namespace qj
