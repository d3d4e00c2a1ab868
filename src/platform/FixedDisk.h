#pragma once
// Whether a drive letter names a fixed (non-removable, non-network) disk. Drive letters exist on
// Windows only; elsewhere the answer is always no.

#include <QChar>

namespace qj {

bool IsFixedDisk(QChar driveLetter);

} // namespace qj
