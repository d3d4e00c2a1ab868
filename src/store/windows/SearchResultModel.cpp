#include "store/windows/SearchResultModel.h"

namespace qj {

void SearchResultModel::setHits(std::vector<SearchHit> hits) {
    beginResetModel();
    hits_ = std::move(hits);
    hits_.shrink_to_fit();
    endResetModel();
}

const SearchHit* SearchResultModel::hit(int row) const {
    return row >= 0 && row < static_cast<int>(hits_.size()) ? &hits_[static_cast<size_t>(row)] : nullptr;
}

int SearchResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(hits_.size());
}

int SearchResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const {
    const SearchHit* h = hit(index.row());
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
    return section == kDirColumn ? QStringLiteral("目录分类") : QStringLiteral("题目");
}

} // namespace qj
