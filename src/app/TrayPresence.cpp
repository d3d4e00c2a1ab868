#include "app/TrayPresence.h"

namespace qj {

Presence AfterTrayToggle(Presence now) {
    return {!now.windowShown, now.iconShown};
}

Presence AfterHotKey(Presence now) {
    if (now.windowShown)
        return {false, false};
    return {true, true};
}

Presence AfterShowRequest(Presence) {
    return {true, true};
}

QString TrayTooltip::text() const {
    return QString::fromUtf8(hovered_ ? kAfterHover : kFirst);
}

} // namespace qj
