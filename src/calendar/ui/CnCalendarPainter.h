#pragma once
// Draws one cell of the month grid: the weekday row on the button-face ground, day cells with the
// colour rule that wins for them (new moon, solar term, weekend, today), the current cell in the
// selection colours. The ground behind the cells (picture and month number) is drawn by the grid.

#include <QStyledItemDelegate>

namespace qj {

class TCnCalendar;

class CnCalendarPainter : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CnCalendarPainter(TCnCalendar& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    TCnCalendar& grid_;
};

} // namespace qj
