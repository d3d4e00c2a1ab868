#include "calendar/ui/CnCalendarCells.h"

#include "calendar/core/MonthGrid.h"
#include "calendar/ui/CnCalendar.h"

namespace qj {

CnCalendarCells::CnCalendarCells(TCnCalendar& grid) : QAbstractTableModel(&grid), grid_(grid) {}

int CnCalendarCells::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridRows;
}

int CnCalendarCells::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridColumns;
}

QVariant CnCalendarCells::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return grid_.CellText(index.column(), index.row());
    case Qt::ToolTipRole:
        return grid_.toolTip();
    default:
        return {};
    }
}

Qt::ItemFlags CnCalendarCells::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.row() == 0)
        return Qt::NoItemFlags;
    if (grid_.ReadOnly() && !grid_.Updating())
        return Qt::NoItemFlags;
    if (grid_.CellDayText(index.column(), index.row()).isEmpty())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void CnCalendarCells::refresh() {
    emit dataChanged(index(0, 0), index(kGridRows - 1, kGridColumns - 1));
}

} // namespace qj
