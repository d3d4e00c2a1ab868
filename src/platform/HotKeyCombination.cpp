#include "platform/HotKeyCombination.h"

namespace qj {

std::array<std::uint16_t, 4> HotKeyGrabModifiers() {
    using namespace x11mod;
    constexpr std::uint16_t base = kControl | kAlt;
    return {base, static_cast<std::uint16_t>(base | kLock), static_cast<std::uint16_t>(base | kNumLock),
            static_cast<std::uint16_t>(base | kLock | kNumLock)};
}

bool IsHotKeyPress(std::uint16_t state, std::uint8_t keycode, std::uint8_t hotKeycode) {
    using namespace x11mod;
    if (hotKeycode == 0 || keycode != hotKeycode)
        return false;
    // Only the keyboard modifier bits count; the bits above them are mouse buttons.
    constexpr std::uint16_t keyboard = kShift | kLock | kControl | kAlt | kNumLock | kMod3 | kSuper | kMod5;
    const std::uint16_t pressed = state & keyboard & ~(kLock | kNumLock);
    return pressed == (kControl | kAlt);
}

bool IsHotKeyMessage(std::uintptr_t lParam) {
    const unsigned modifiers = static_cast<unsigned>(lParam & 0xFFFF);
    const unsigned key = static_cast<unsigned>((lParam >> 16) & 0xFFFF);
    return modifiers == kHotKeyModifiers && key == kHotKeyVirtualKey;
}

} // namespace qj
