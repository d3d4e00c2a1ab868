#pragma once
// The system-wide hot key Ctrl+Alt+A. On X11 the key is grabbed on the root window and its
// presses are picked out of the event stream by a native event filter; on Windows it is
// registered with RegisterHotKey under the atom "UserDefineHotKey"; on a Wayland desktop the
// desktop portal is asked for it (PortalShortcut), and the answer comes later (settled()). Where
// none of these works (the offscreen platform, a desktop without the portal) or another program
// already holds the key, registering fails quietly and the program goes on without it.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QWidget>

#include <memory>

namespace qj {

class GlobalHotKey : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit GlobalHotKey(QObject* parent = nullptr);
    ~GlobalHotKey() override;

    // Takes the key for the program; `window` receives it where the system wants a window
    // (Windows). True when the key is now ours. Registering twice does nothing more.
    bool registerKey(QWidget* window);
    bool isRegistered() const;
    // True while the desktop is still being asked for the key; settled() follows.
    bool isPending() const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // Ctrl+Alt+A was pressed, whichever program had the focus.
    void pressed();
    // The desktop answered a pending registration: the key is now held or not.
    void settled(bool held);

private:
    struct Native;
    std::unique_ptr<Native> native_;
};

} // namespace qj
