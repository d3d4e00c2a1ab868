#pragma once

namespace qj {

// Scrolling the note tree while a node is dragged over it. Rows are counted from the topmost
// visible row (0). While the target is the topmost visible row, or the row just below it when rows
// are scrolled out above, the tree scrolls up by one row (-1); while the first or second row below
// the target lies below the fully visible rows, it scrolls down by one row (+1); otherwise 0.
inline int DragScrollStep(int targetRow, bool rowsScrolledAbove, int fullyVisibleRows, int rowsBelowTarget) {
    if (targetRow < 0)
        return 0;
    if (rowsScrolledAbove && targetRow <= 1)
        return -1;
    const int lookAhead = rowsBelowTarget < 2 ? rowsBelowTarget : 2;
    if (lookAhead > 0 && targetRow + lookAhead >= fullyVisibleRows)
        return 1;
    return 0;
}

} // namespace qj
