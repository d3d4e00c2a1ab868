#pragma once
// The global hot key Ctrl+Alt+A as the two window systems report it, and the check the handler
// makes before it acts. Pure functions, so the rule is tested without a display.

#include <array>
#include <cstdint>

namespace qj {

// X11 modifier bits of a key event's state (the core protocol's masks).
namespace x11mod {
inline constexpr std::uint16_t kShift = 1 << 0;
inline constexpr std::uint16_t kLock = 1 << 1; // Caps Lock
inline constexpr std::uint16_t kControl = 1 << 2;
inline constexpr std::uint16_t kAlt = 1 << 3;     // Mod1
inline constexpr std::uint16_t kNumLock = 1 << 4; // Mod2
inline constexpr std::uint16_t kMod3 = 1 << 5;
inline constexpr std::uint16_t kSuper = 1 << 6; // Mod4
inline constexpr std::uint16_t kMod5 = 1 << 7;
} // namespace x11mod

// The modifier sets grabbed on the root window: Ctrl+Alt alone and with Caps Lock, Num Lock or
// both switched on, since the X server matches a grab's modifiers exactly.
std::array<std::uint16_t, 4> HotKeyGrabModifiers();

// A key press on X11 is the hot key when its key is the grabbed key and its modifiers, the lock
// keys and mouse buttons set aside, are exactly Ctrl+Alt.
bool IsHotKeyPress(std::uint16_t state, std::uint8_t keycode, std::uint8_t hotKeycode);

// Windows: the modifier bits (MOD_CONTROL | MOD_ALT) and virtual key ('A') registered with
// RegisterHotKey, and the check of a WM_HOTKEY message's second parameter (modifiers in the low
// word, virtual key in the high word). The hot key id is not looked at.
inline constexpr unsigned kHotKeyModifiers = 0x0002 | 0x0001;
inline constexpr unsigned kHotKeyVirtualKey = 0x41;
bool IsHotKeyMessage(std::uintptr_t lParam);

} // namespace qj
