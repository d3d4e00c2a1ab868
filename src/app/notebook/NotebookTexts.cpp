#include "app/notebook/NotebookTexts.h"

namespace qj {

QString GeneralErrorText(const QString& text) {
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

QString DeleteItemConfirmation(const QString& title) {
    return QStringLiteral("Do you want to delete the item \"%1\"").arg(title);
}

} // namespace qj
