#include "editor/ColumnMath.h"

#include <algorithm>
#include <cmath>

namespace qj {

int WrapRightMargin(int textAreaWidth, int columnsWidth) {
    return std::max(0, textAreaWidth - (columnsWidth + 1));
}

int EdgeColumnAt(double x, double cellWidth) {
    if (cellWidth <= 0)
        return 1;
    return std::max(1, static_cast<int>(std::lround(x / cellWidth)));
}

} // namespace qj
