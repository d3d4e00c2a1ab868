#pragma once
// The grid's cells as a Qt item model: the text each cell shows, which cells can be chosen, and
// the grid's hint over every cell. It reads everything from its TCnCalendar.

#include <QAbstractTableModel>

namespace qj {

class TCnCalendar;

class CnCalendarCells : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CnCalendarCells(TCnCalendar& grid);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Only day cells can become the current cell, and none while the grid is read-only (except
    // while it rebuilds itself).
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Every cell's text and flags may have changed.
    void refresh();

private:
    TCnCalendar& grid_;
};

} // namespace qj
