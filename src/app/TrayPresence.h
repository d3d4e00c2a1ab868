#pragma once
// Where the program can be seen, and how the tray commands and the hot key change it. No widgets:
// the tray icon and the main window apply what these say.
//
//   window shown,  icon present   start-up; tray toggle or hot key from a hidden window
//   window hidden, icon present   close, "隐藏主窗口", tray toggle
//   window hidden, icon absent    hot key while the window is shown (only the hot key comes back)

#include <QString>

namespace qj {

struct Presence {
    bool windowShown = true; // on the screen: visible and not minimised
    bool iconShown = true;
    friend bool operator==(const Presence&, const Presence&) = default;
};

// Double-click on the icon and its menu's "显示主窗口": the window changes, the icon stays.
Presence AfterTrayToggle(Presence now);
// Ctrl+Alt+A: a shown window goes away with the icon; otherwise both come back.
Presence AfterHotKey(Presence now);
// Another start of the program: everything comes back.
Presence AfterShowRequest(Presence now);

// The icon's tooltip: "China Calendar" until the mouse first rests on the icon, then the two lines
// that tell how to hide and show the program: the hot key, or where the program could not hold it
// (a Wayland desktop), the command a desktop's key binding can run.
class TrayTooltip {
public:
    static constexpr const char* kFirst = "China Calendar";
    static constexpr const char* kAfterHover = "显示/隐藏 图标\r\n [Ctrl+Alt+A] ";
    static constexpr const char* kAfterHoverWithoutKey = "显示/隐藏 图标\r\n [qingjian --toggle] ";

    QString text() const;
    void hovered() { hovered_ = true; }
    bool wasHovered() const { return hovered_; }
    void setHotKeyHeld(bool held) { hotKeyHeld_ = held; }

private:
    bool hovered_ = false;
    bool hotKeyHeld_ = true;
};

// Where the program could not hold its hot key, the user is told once how a desktop's own key
// binding does the same; not on the test platforms (offscreen, minimal), where no key is held
// ever. Empty when there is nothing to say.
QString ToggleAdvice(bool hotKeyHeld, const QString& platform, bool alreadyGiven);

} // namespace qj
