#pragma once
// The casting rules refuse bad input with short technical texts ("'x' is not a valid integer
// value"); the divination window shows the user what happened and what to do, in Chinese.

#include <QString>

namespace qj {

// The message for a refusal text of the divination core; a text it does not know is shown after
// a general opening, so that nothing reaches the user in English alone.
QString CastingMessage(const QString& refusal);

} // namespace qj
