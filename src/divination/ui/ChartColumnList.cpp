#include "divination/ui/ChartColumnList.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QMouseEvent>

namespace qj {
namespace {

// Room left and right of the widest text.
constexpr int kPadding = 10;

} // namespace

ChartColumnList::ChartColumnList(const QString& objectName, const QColor& colour, bool bold,
                                 const QString& widest, Qt::Alignment alignment, QWidget* parent)
    : QListWidget(parent), alignment_(alignment) {
    setObjectName(objectName);
    QFont f = font();
    f.setPixelSize(kFontPixels);
    f.setBold(bold);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::Text, colour);
    setPalette(p);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideNone);
    width_ = QFontMetrics(f).horizontalAdvance(widest) + 2 * kPadding;
    for (int row = 0; row < kChartRows; ++row) {
        auto* item = new QListWidgetItem(this);
        item->setSizeHint(QSize(width_, kRowHeight));
        item->setTextAlignment(alignment_);
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ChartColumnList::setRows(const ChartColumn& rows) {
    for (int row = 0; row < kChartRows; ++row)
        item(row)->setText(QString::fromStdString(rows[row]));
}

QString ChartColumnList::rowText(int row) const {
    return item(row)->text();
}

QSize ChartColumnList::sizeHint() const {
    return QSize(width_, kChartRows * kRowHeight);
}

void ChartColumnList::mousePressEvent(QMouseEvent* event) {
    emit pressed();
    QListWidget::mousePressEvent(event);
}

void ChartColumnList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    emit focusLeft();
}

} // namespace qj
