#include "platform/FixedDisk.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace qj {

bool IsFixedDisk(QChar driveLetter) {
#ifdef Q_OS_WIN
    if (!driveLetter.isLetter() || driveLetter.unicode() >= 0x80)
        return false;
    const char root[] = {static_cast<char>(driveLetter.toUpper().unicode()), ':', '\\', '\0'};
    return ::GetDriveTypeA(root) == DRIVE_FIXED;
#else
    Q_UNUSED(driveLetter);
    return false;
#endif
}

} // namespace qj
