// The hot key on Windows: RegisterHotKey for the main window under the id taken from the global
// atom "UserDefineHotKey"; WM_HOTKEY arrives through the native event filter.

#include "platform/GlobalHotKey.h"
#include "platform/HotKeyCombination.h"

#include <QCoreApplication>

#include <windows.h>

namespace qj {

struct GlobalHotKey::Native {
    HWND window = nullptr;
    int id = 0;
    bool registered = false;
};

GlobalHotKey::GlobalHotKey(QObject* parent) : QObject(parent), native_(std::make_unique<Native>()) {}

GlobalHotKey::~GlobalHotKey() {
    if (native_->registered) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        ::UnregisterHotKey(native_->window, native_->id);
    }
}

bool GlobalHotKey::isRegistered() const {
    return native_->registered;
}

bool GlobalHotKey::isPending() const {
    return false;
}

bool GlobalHotKey::registerKey(QWidget* window) {
    if (native_->registered)
        return true;
    const ATOM atom = ::GlobalAddAtomA("UserDefineHotKey");
    native_->id = static_cast<int>(atom) - 0xC000;
    native_->window = window ? reinterpret_cast<HWND>(window->winId()) : nullptr;
    if (!::RegisterHotKey(native_->window, native_->id, kHotKeyModifiers, kHotKeyVirtualKey))
        return false;
    QCoreApplication::instance()->installNativeEventFilter(this);
    native_->registered = true;
    return true;
}

bool GlobalHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) {
    if (eventType != "windows_generic_MSG" || !native_->registered)
        return false;
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_HOTKEY || !IsHotKeyMessage(static_cast<std::uintptr_t>(msg->lParam)))
        return false;
    if (result)
        *result = 1;
    emit pressed();
    return true;
}

} // namespace qj
