#include "store/windows/SearchResultModel.h"

#include <QPoint>

namespace qj {

void SearchResultModel::setHits(std::vector<SearchHit> hits) {
    beginResetModel();
    hits_ = std::move(hits);
    hits_.shrink_to_fit();
    snippets_.assign(snippetOf_ ? hits_.size() : 0, std::nullopt);
    endResetModel();
}

void SearchResultModel::setContext(SnippetOf snippetOf) {
    beginResetModel();
    snippetOf_ = std::move(snippetOf);
    snippets_.assign(snippetOf_ ? hits_.size() : 0, std::nullopt);
    endResetModel();
}

const Snippet& SearchResultModel::snippet(size_t row) const {
    std::optional<Snippet>& s = snippets_[row];
    if (!s)
        s = snippetOf_(hits_[row]);
    return *s;
}

const SearchHit* SearchResultModel::hit(int row) const {
    return row >= 0 && row < static_cast<int>(hits_.size()) ? &hits_[static_cast<size_t>(row)] : nullptr;
}

int SearchResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(hits_.size());
}

int SearchResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : snippetOf_ ? kColumnCount + 1 : kColumnCount;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const {
    const SearchHit* h = hit(index.row());
    if (h && snippetOf_ && index.column() == kContextColumn) {
        const Snippet& s = snippet(static_cast<size_t>(index.row()));
        if (role == kMarksRole) {
            QVariantList marks;
            for (const TextRange& r : s.marks)
                marks << QPoint(r.first, r.second);
            return marks;
        }
        return role == Qt::DisplayRole || role == Qt::AccessibleTextRole ? QVariant(s.text) : QVariant();
    }
    if (!h || (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::AccessibleTextRole))
        return {};
    if (role == Qt::ToolTipRole)
        return {}; // the window's preview is the grid's only tooltip
    return index.column() == kDirColumn ? h->category : h->name;
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    return section == kDirColumn    ? QStringLiteral("目录分类")
           : section == kNameColumn ? QStringLiteral("题目")
                                    : QStringLiteral("上下文");
}

} // namespace qj
