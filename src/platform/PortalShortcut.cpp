#include "platform/PortalShortcut.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <algorithm>

namespace qj {

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcutEntry& entry) {
    argument.beginStructure();
    argument << entry.id << entry.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcutEntry& entry) {
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.endStructure();
    return argument;
}

namespace {

constexpr char kService[] = "org.freedesktop.portal.Desktop";
constexpr char kPath[] = "/org/freedesktop/portal/desktop";
constexpr char kInterface[] = "org.freedesktop.portal.GlobalShortcuts";
constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";

QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

// A handle token of this program, new for each request.
QString NextToken(const char* what) {
    static int counter = 0;
    return QStringLiteral("qingjian_%1_%2").arg(QLatin1String(what)).arg(++counter);
}

// The shortcut lists a Response carries: a D-Bus array the bus hands over unread.
QList<PortalShortcutEntry> ShortcutsOf(const QVariant& value) {
    QList<PortalShortcutEntry> entries;
    if (value.canConvert<QDBusArgument>())
        value.value<QDBusArgument>() >> entries;
    else
        entries = value.value<QList<PortalShortcutEntry>>();
    return entries;
}

// An object path sent as a string (CreateSession's session_handle) or as a path.
QString PathText(const QVariant& value) {
    return value.canConvert<QDBusObjectPath>() && value.userType() == qMetaTypeId<QDBusObjectPath>()
               ? value.value<QDBusObjectPath>().path()
               : value.toString();
}

} // namespace

PortalShortcut::PortalShortcut(const QDBusConnection& bus, QObject* parent) : QObject(parent), bus_(bus) {
    qDBusRegisterMetaType<PortalShortcutEntry>();
    qDBusRegisterMetaType<QList<PortalShortcutEntry>>();
    // The press's slot names its types as text: they must be known by name before it is connected
    // (the first connection of a program would otherwise fail).
    qRegisterMetaType<QDBusObjectPath>();
}

void PortalShortcut::start() {
    if (state_ != State::Idle)
        return;
    if (!bus_.isConnected())
        return settle(false);
    if (!bus_.connect(Latin(kService), Latin(kPath), Latin(kInterface), QStringLiteral("Activated"), this,
                      SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap))))
        return settle(false);
    state_ = State::CreatingSession;
    const QString token = NextToken("session");
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("session_handle_token"), NextToken("keys")}};
    request(QStringLiteral("CreateSession"), {options}, token);
}

void PortalShortcut::bind() {
    state_ = State::Binding;
    const QString token = NextToken("bind");
    const QList<PortalShortcutEntry> shortcuts{
        {Latin(kShortcutId),
         {{QStringLiteral("description"), QStringLiteral("显示/隐藏 青简札记的主窗口和托盘图标")},
          {QStringLiteral("preferred_trigger"), Latin(kPreferredTrigger)}}}};
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts), QString(),
             QVariantMap{{QStringLiteral("handle_token"), token}}},
            token);
}

void PortalShortcut::request(const QString& method, const QList<QVariant>& arguments, const QString& token) {
    // The Request object's path is known before the call ("…/request/SENDER/TOKEN"): the answer
    // is listened for first, so that it cannot come before anyone listens.
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    listenForResponse(QStringLiteral("%1/request/%2/%3").arg(Latin(kPath), sender, token));
    QDBusMessage call =
        QDBusMessage::createMethodCall(Latin(kService), Latin(kPath), Latin(kInterface), method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &PortalShortcut::onReplied);
}

void PortalShortcut::listenForResponse(const QString& path) {
    if (path == requestPath_)
        return;
    if (!requestPath_.isEmpty())
        bus_.disconnect(Latin(kService), requestPath_, Latin(kRequestInterface), QStringLiteral("Response"),
                        this, SLOT(onResponse(uint, QVariantMap)));
    requestPath_ = path;
    bus_.connect(Latin(kService), path, Latin(kRequestInterface), QStringLiteral("Response"), this,
                 SLOT(onResponse(uint, QVariantMap)));
}

void PortalShortcut::onReplied(QDBusPendingCallWatcher* watcher) {
    const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
    watcher->deleteLater();
    if (reply.isError())
        return settle(false); // no portal, or one without global shortcuts
    // An older portal may name another Request object than the one expected.
    listenForResponse(reply.value().path());
}

void PortalShortcut::onResponse(uint response, const QVariantMap& results) {
    if (response != 0) // cancelled by the user, or refused
        return settle(false);
    if (state_ == State::CreatingSession) {
        session_ = PathText(results.value(QStringLiteral("session_handle")));
        if (session_.isEmpty())
            return settle(false);
        bind();
    } else if (state_ == State::Binding) {
        const QList<PortalShortcutEntry> bound = ShortcutsOf(results.value(QStringLiteral("shortcuts")));
        settle(std::any_of(bound.begin(), bound.end(),
                           [](const PortalShortcutEntry& e) { return e.id == Latin(kShortcutId); }));
    }
}

void PortalShortcut::onActivated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                 const QVariantMap&) {
    if (state_ == State::Bound && session.path() == session_ && id == Latin(kShortcutId))
        emit activated();
}

void PortalShortcut::settle(bool bound) {
    if (isSettled())
        return;
    state_ = bound ? State::Bound : State::Failed;
    emit settled(bound);
}

} // namespace qj
