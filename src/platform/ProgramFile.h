#pragma once
// Whether a file beside the program is itself a program, which is started, rather than a
// document, which opens with the desktop's default program for its type.

#include <QString>

namespace qj {

bool IsProgramFile(const QString& path);

} // namespace qj
