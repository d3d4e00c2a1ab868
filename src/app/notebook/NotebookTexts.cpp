#include "app/notebook/NotebookTexts.h"

namespace qj {

QString DeleteItemConfirmation(const QString& title) {
    return QStringLiteral("Do you want to delete the item \"%1\"").arg(title);
}

} // namespace qj
