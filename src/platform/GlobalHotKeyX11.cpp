// The hot key on X11: a passive key grab on the root window through the application's own xcb
// connection, for Ctrl+Alt+A with every combination of the lock keys. On a Wayland desktop, the
// desktop portal's shortcut.

#include "platform/GlobalHotKey.h"
#include "platform/HotKeyCombination.h"
#include "platform/PortalShortcut.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <vector>

namespace qj {

namespace {

constexpr xcb_keysym_t kKeysymLowerA = 0x61;
constexpr xcb_keysym_t kKeysymUpperA = 0x41;

// The keycode that types the letter A on the current keyboard layout, or 0.
xcb_keycode_t KeycodeOfA(xcb_connection_t* connection) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_keycode_t first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, first, static_cast<std::uint8_t>(count)), nullptr);
    if (!reply)
        return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int perKey = reply->keysyms_per_keycode;
    xcb_keycode_t found = 0;
    for (int i = 0; i < count && !found; ++i) {
        for (int j = 0; j < perKey && j < 2; ++j) {
            const xcb_keysym_t sym = syms[i * perKey + j];
            if (sym == kKeysymLowerA || sym == kKeysymUpperA) {
                found = static_cast<xcb_keycode_t>(first + i);
                break;
            }
        }
    }
    std::free(reply);
    return found;
}

} // namespace

struct GlobalHotKey::Native {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    xcb_keycode_t keycode = 0;
    bool registered = false;
    PortalShortcut* portal = nullptr;

    void ungrab() {
        for (std::uint16_t modifiers : HotKeyGrabModifiers())
            xcb_ungrab_key(connection, keycode, root, modifiers);
        xcb_flush(connection);
    }
};

GlobalHotKey::GlobalHotKey(QObject* parent) : QObject(parent), native_(std::make_unique<Native>()) {}

GlobalHotKey::~GlobalHotKey() {
    if (native_->registered) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        native_->ungrab();
    }
}

bool GlobalHotKey::isRegistered() const {
    return native_->registered || (native_->portal && native_->portal->isBound());
}

bool GlobalHotKey::isPending() const {
    return native_->portal && !native_->portal->isSettled();
}

bool GlobalHotKey::registerKey(QWidget* /*window*/) {
    if (native_->registered)
        return true;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        if (!native_->portal) {
            native_->portal = new PortalShortcut(QDBusConnection::sessionBus(), this);
            connect(native_->portal, &PortalShortcut::activated, this, &GlobalHotKey::pressed);
            connect(native_->portal, &PortalShortcut::settled, this, &GlobalHotKey::settled);
            native_->portal->start();
        }
        return native_->portal->isBound();
    }
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return false; // not an X11 session
    Native& n = *native_;
    n.connection = x11->connection();
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(n.connection)).data;
    if (!screen)
        return false;
    n.root = screen->root;
    n.keycode = KeycodeOfA(n.connection);
    if (!n.keycode)
        return false;
    // Each grab is checked at once: a key held by another program answers BadAccess, and then
    // the grabs made so far are given back.
    std::vector<std::uint16_t> taken;
    for (std::uint16_t modifiers : HotKeyGrabModifiers()) {
        xcb_void_cookie_t cookie = xcb_grab_key_checked(n.connection, 1, n.root, modifiers, n.keycode,
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(n.connection, cookie)) {
            std::free(error);
            for (std::uint16_t done : taken)
                xcb_ungrab_key(n.connection, n.keycode, n.root, done);
            xcb_flush(n.connection);
            return false;
        }
        taken.push_back(modifiers);
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    n.registered = true;
    return true;
}

bool GlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t" || !native_->registered)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS)
        return false;
    const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (!IsHotKeyPress(press->state, press->detail, native_->keycode))
        return false;
    emit pressed();
    return true;
}

} // namespace qj
