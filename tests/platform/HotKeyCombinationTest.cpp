// The hot key handler acts on Ctrl+Alt+A only, whatever the lock keys, on both window systems.

#include "platform/HotKeyCombination.h"

#include <gtest/gtest.h>

#include <set>

namespace qj {
namespace {

using namespace x11mod;

constexpr std::uint8_t kA = 38; // the keycode of A on a usual PC keyboard
constexpr std::uint16_t kButton1 = 1 << 8;

TEST(HotKeyCombination, X11KeyPressIsTheHotKeyOnlyForCtrlAltA) {
    struct Case {
        const char* what;
        std::uint16_t state;
        std::uint8_t keycode;
        bool hotKey;
    };
    const Case cases[] = {
        {"Ctrl+Alt+A", kControl | kAlt, kA, true},
        {"with Caps Lock on", kControl | kAlt | kLock, kA, true},
        {"with Num Lock on", kControl | kAlt | kNumLock, kA, true},
        {"with both locks on", kControl | kAlt | kLock | kNumLock, kA, true},
        {"while a mouse button is held", kControl | kAlt | kButton1, kA, true},
        {"another key", kControl | kAlt, kA + 1, false},
        {"Ctrl+A", kControl, kA, false},
        {"Alt+A", kAlt, kA, false},
        {"A alone", 0, kA, false},
        {"Ctrl+Alt+Shift+A", kControl | kAlt | kShift, kA, false},
        {"Ctrl+Alt+Super+A", kControl | kAlt | kSuper, kA, false},
        {"Ctrl+Alt+AltGr+A", kControl | kAlt | kMod5, kA, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(IsHotKeyPress(c.state, c.keycode, kA), c.hotKey);
    }
    // Without a key to grab (the layout has no A) nothing is the hot key.
    EXPECT_FALSE(IsHotKeyPress(kControl | kAlt, 0, 0));
}

TEST(HotKeyCombination, GrabsCoverEveryLockCombinationOfCtrlAlt) {
    const auto grabs = HotKeyGrabModifiers();
    const std::set<std::uint16_t> distinct(grabs.begin(), grabs.end());
    EXPECT_EQ(distinct.size(), grabs.size());
    for (std::uint16_t locks : {0, int(kLock), int(kNumLock), int(kLock | kNumLock)})
        EXPECT_TRUE(distinct.count(static_cast<std::uint16_t>(kControl | kAlt | locks))) << locks;
    // Every grabbed combination is one the handler accepts.
    for (std::uint16_t modifiers : grabs)
        EXPECT_TRUE(IsHotKeyPress(modifiers, kA, kA)) << modifiers;
}

TEST(HotKeyCombination, WindowsMessageIsTheHotKeyOnlyForCtrlAltA) {
    auto lParam = [](unsigned modifiers, unsigned key) { return std::uintptr_t(key) << 16 | modifiers; };
    struct Case {
        const char* what;
        std::uintptr_t lParam;
        bool hotKey;
    };
    const Case cases[] = {
        {"Ctrl+Alt+A", lParam(3, 0x41), true},  {"Ctrl+A", lParam(2, 0x41), false},
        {"Alt+A", lParam(1, 0x41), false},      {"Ctrl+Alt+Shift+A", lParam(7, 0x41), false},
        {"Ctrl+Alt+B", lParam(3, 0x42), false}, {"Ctrl+Alt+a as a character code", lParam(3, 0x61), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(IsHotKeyMessage(c.lParam), c.hotKey);
    }
}

} // namespace
} // namespace qj
