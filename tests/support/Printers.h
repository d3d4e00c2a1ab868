#pragma once
// Readable gtest output for Qt strings and the seams' enums (instead of byte dumps).

#include "seams/Dialogs.h"

#include <QString>

#include <ostream>

void PrintTo(const QString& text, std::ostream* os);

namespace qj {
void PrintTo(DialogButton button, std::ostream* os);
void PrintTo(MessageIcon icon, std::ostream* os);
const char* ButtonName(DialogButton button);
const char* IconName(MessageIcon icon);
} // namespace qj
