#pragma once

#include "divination/core/Chart.h"

#include <QColor>
#include <QListWidget>

namespace qj {

// One of the chart's eleven columns: six rows of plain text (row 0 = line 6), no border, rows
// 24 pixels high in a 16-pixel font. Every column has the same row geometry, so the six rows line
// up across the window.
class ChartColumnList : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 24;
    static constexpr int kFontPixels = 16;

    // `widest` is the longest text the column ever shows; the column is as wide as that needs.
    ChartColumnList(const QString& objectName, const QColor& colour, bool bold, const QString& widest,
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter, QWidget* parent = nullptr);

    void setRows(const ChartColumn& rows);
    QString rowText(int row) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // A mouse press on the column, before it selects a row.
    void pressed();
    // The keyboard focus left the column.
    void focusLeft();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int width_ = 0;
    Qt::Alignment alignment_;
};

} // namespace qj
