#pragma once
// Draws a cell's text with the ranges of SearchResultModel::kMarksRole marked: bold, red on yellow.

#include <QStyledItemDelegate>

namespace qj {

class MarkedTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace qj
