#include "editor/StatusTexts.h"

namespace qj {

QString CaretReadout(int line, int column) {
    return QStringLiteral("行:%1, 列:%2").arg(line, 6).arg(column, 3);
}

QString WrapReadout(int wrapColumn, int lineWidth) {
    return QLatin1Char(' ') + QString::number(wrapColumn) + QStringLiteral(" 列换行 ") +
           QString::number(lineWidth);
}

} // namespace qj
