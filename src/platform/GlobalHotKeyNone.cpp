// Platforms without a global hot key: registering always fails, quietly.

#include "platform/GlobalHotKey.h"

namespace qj {

struct GlobalHotKey::Native {};

GlobalHotKey::GlobalHotKey(QObject* parent) : QObject(parent), native_(std::make_unique<Native>()) {}
GlobalHotKey::~GlobalHotKey() = default;

bool GlobalHotKey::isRegistered() const {
    return false;
}

bool GlobalHotKey::isPending() const {
    return false;
}

bool GlobalHotKey::registerKey(QWidget*) {
    return false;
}

bool GlobalHotKey::nativeEventFilter(const QByteArray&, void*, qintptr*) {
    return false;
}

} // namespace qj
