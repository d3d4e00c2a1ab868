#pragma once

#include <QString>

namespace qj {

// The text of the general error box: a full stop is appended when the text's last character comes
// after the full stop in code order (so a text ending in a letter or a Chinese character gets one,
// a text ending in "." or "!" does not).
QString GeneralErrorText(const QString& text);

// The standard confirmation of the Delete key in the note tree.
QString DeleteItemConfirmation(const QString& title);

} // namespace qj
