#include "store/windows/MarkedTextDelegate.h"

#include "store/windows/SearchResultModel.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

namespace qj {

void MarkedTextDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem look = option;
    initStyleOption(&look, index);
    const QString text = look.text;
    look.text.clear();
    const QWidget* view = option.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &look, painter, view);

    QList<QTextLayout::FormatRange> formats;
    for (const QVariant& v : index.data(SearchResultModel::kMarksRole).toList()) {
        QTextLayout::FormatRange range;
        range.start = v.toPoint().x();
        range.length = v.toPoint().y();
        range.format.setFontWeight(QFont::Bold);
        range.format.setForeground(QColor(200, 0, 0));
        range.format.setBackground(QColor(255, 240, 120));
        formats << range;
    }
    QTextLayout layout(text, look.font);
    layout.setFormats(formats);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &look, view);
    painter->save();
    painter->setClipRect(area);
    painter->setPen(look.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                             : QPalette::Text));
    layout.draw(painter, QPointF(area.left() + 2, area.top() + (area.height() - line.height()) / 2));
    painter->restore();
}

} // namespace qj
