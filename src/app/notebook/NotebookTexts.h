#pragma once

#include <QString>

namespace qj {

// The standard confirmation of the Delete key in the note tree.
QString DeleteItemConfirmation(const QString& title);

} // namespace qj
