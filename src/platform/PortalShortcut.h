#pragma once
// The hot key where the program may not grab keys itself (a Wayland desktop): the desktop portal's
// GlobalShortcuts interface binds one shortcut, "toggle", with Ctrl+Alt+A as the preferred keys, to
// a session of the program. The desktop may ask the user once to confirm or choose the keys.
// Everything goes by messages: settled() comes when the desktop has answered (bound or not, or
// there is no portal), activated() at every press of the bound keys.

#include <QDBusConnection>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusArgument;
class QDBusObjectPath;
class QDBusPendingCallWatcher;

namespace qj {

// One entry of the portal's shortcut lists (D-Bus "(sa{sv})"): an id and its properties.
struct PortalShortcutEntry {
    QString id;
    QVariantMap properties;
};
QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcutEntry& entry);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcutEntry& entry);

class PortalShortcut : public QObject {
    Q_OBJECT
public:
    static constexpr char kShortcutId[] = "toggle";
    static constexpr char kPreferredTrigger[] = "CTRL+ALT+a";

    explicit PortalShortcut(const QDBusConnection& bus, QObject* parent = nullptr);

    // Asks the portal for a session and the shortcut; settled() follows. Once only.
    void start();
    bool isBound() const { return state_ == State::Bound; }
    bool isSettled() const { return state_ == State::Bound || state_ == State::Failed; }

signals:
    void settled(bool bound);
    void activated();

private slots:
    void onResponse(uint response, const QVariantMap& results);
    void onActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);

private:
    enum class State { Idle, CreatingSession, Binding, Bound, Failed };

    // Sends `call` (whose options carry handle_token `token`) and waits for its Response signal.
    void request(const QString& method, const QList<QVariant>& arguments, const QString& token);
    void listenForResponse(const QString& path);
    void onReplied(QDBusPendingCallWatcher* watcher);
    void bind();
    void settle(bool bound);

    QDBusConnection bus_;
    State state_ = State::Idle;
    QString requestPath_; // the Request object whose Response is awaited
    QString session_;
};

} // namespace qj

Q_DECLARE_METATYPE(qj::PortalShortcutEntry)
