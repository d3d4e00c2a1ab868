#pragma once
// The notification-area icon `a1` with its menu `PopupMenu3`, and the way the program hides and
// comes back: double-clicking the icon or "显示主窗口" toggles the main window; Ctrl+Alt+A takes
// the window and the icon away together and brings both back.
//
// Hovering over the icon refreshes the calendar's texts and switches the tooltip to the hint about
// the hot key. The X11 tray reports the hover as events on its icon widget; where the tray does not
// (a D-Bus tray), opening the menu or clicking the icon counts as the first hover.

#include "app/Lymain.h"
#include "app/TrayPresence.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>

class QMenu;

namespace qj {

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // `refreshCalendar` recomputes the calendar window's texts.
    TrayIcon(TFmain& main, std::function<void()> refreshCalendar, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Whether the desktop has a notification area right now.
    static bool isAvailable();

    QSystemTrayIcon* a1() const { return a1_; }
    QMenu* PopupMenu3() const { return menu_; }
    const TrayTooltip& tooltip() const { return tooltip_; }

    Presence presence() const;
    void apply(Presence presence, TFmain::Away away = TFmain::Away::AsTheDesktopAllows);

    // The tray reports clicks only (no double click, no hover): see above. Found out when the icon
    // is shown; tests set it.
    void setClickOnlyTray(bool clickOnly);
    bool clickOnlyTray() const { return clickOnly_; }

    // Double-click on the icon, and "显示主窗口": the main window goes or comes back.
    void a1DblClick();
    // The mouse over the icon.
    void a1MouseMove();
    // Ctrl+Alt+A.
    void hotKeyPressed();
    // "qingjian --toggle": as the key, but the window goes out of sight even without a tray (the
    // command brings it back, as do the desktop's launcher and a second start).
    void toggleRequested();
    // Whether the program holds its hot key: the tooltip names the key or "qingjian --toggle".
    void setHotKeyHeld(bool held);
    // Another start of the program asks this one to show itself.
    void showRequested();
    // Hands a message to the desktop's notifications through the icon; false (nothing sent) where
    // the icon is away, there is no notification area, or it shows no messages.
    bool notify(const QString& title, const QString& text);

signals:
    // "关于..." in the menu.
    void aboutRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    TFmain& main_;
    std::function<void()> refreshCalendar_;
    QSystemTrayIcon* a1_;
    QMenu* menu_;
    TrayTooltip tooltip_;
    bool clickOnly_ = false;
};

} // namespace qj
