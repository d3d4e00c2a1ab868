// The hot key through the desktop portal, against a portal of the test's own on a private message
// bus: the session and the shortcut are asked for as the portal documents them, a press of the
// bound keys arrives, and every way the desktop can say no leaves the program without the key.

#include "platform/PortalShortcut.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace qj {
namespace {

constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
constexpr char kPortalInterface[] = "org.freedesktop.portal.GlobalShortcuts";

// A private bus for one test: a dbus-daemon of its own, ended with the test.
class PrivateBus {
public:
    PrivateBus() {
        daemon_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                      QStringLiteral("--print-address=1")});
        if (daemon_.waitForReadyRead(5000))
            address_ = QString::fromUtf8(daemon_.readLine().trimmed());
    }
    ~PrivateBus() {
        for (const QString& name : names_)
            QDBusConnection::disconnectFromBus(name);
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
    bool ok() const { return !address_.isEmpty(); }
    QDBusConnection connect(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }

private:
    QProcess daemon_;
    QString address_;
    QStringList names_;
};

// Counts every message of a D-Bus signal it is connected to, whoever it is for.
class MessageCounter : public QObject {
    Q_OBJECT
public:
    int count = 0;
public slots:
    void seen(const QDBusMessage&) { ++count; }
};

// How the test's portal answers.
enum class Answer { Binds, RefusesTheSession, CancelsTheBinding, BindsNothing };

// The portal: answers CreateSession and BindShortcuts with a Request path and then that
// Request's Response signal, and remembers the shortcuts it was asked for.
class FakePortal : public QDBusVirtualObject {
public:
    FakePortal(QDBusConnection bus, Answer answer) : bus_(bus), answer_(answer) {}

    QString introspect(const QString&) const override { return QString(); }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != QLatin1String(kPortalInterface))
            return false;
        const QVariantMap options = qdbus_cast<QVariantMap>(
            message.arguments().value(message.member() == QLatin1String("CreateSession") ? 0 : 3));
        QString sender = message.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString request = QStringLiteral("%1/request/%2/%3")
                                    .arg(QLatin1String(kPortalPath), sender,
                                         options.value(QStringLiteral("handle_token")).toString());
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        uint response = 0;
        QVariantMap results;
        if (message.member() == QLatin1String("CreateSession")) {
            session = QStringLiteral("%1/session/%2/%3")
                          .arg(QLatin1String(kPortalPath), sender,
                               options.value(QStringLiteral("session_handle_token")).toString());
            response = answer_ == Answer::RefusesTheSession ? 2 : 0;
            results.insert(QStringLiteral("session_handle"), session); // a string, as portals send it
        } else if (message.member() == QLatin1String("BindShortcuts")) {
            boundSession = qdbus_cast<QDBusObjectPath>(message.arguments().value(0)).path();
            asked = qdbus_cast<QList<PortalShortcutEntry>>(message.arguments().value(1));
            response = answer_ == Answer::CancelsTheBinding ? 1 : 0;
            QList<PortalShortcutEntry> bound;
            // A cancelled request lists the shortcut too: only the response code may say no.
            if (answer_ == Answer::Binds || answer_ == Answer::CancelsTheBinding)
                bound << PortalShortcutEntry{
                    QString::fromLatin1(PortalShortcut::kShortcutId),
                    {{QStringLiteral("trigger_description"), QStringLiteral("Ctrl+Alt+A")}}};
            results.insert(QStringLiteral("shortcuts"), QVariant::fromValue(bound));
        } else {
            return false;
        }
        QDBusMessage signal = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        signal << response << results;
        connection.send(signal);
        lastRequest = request;
        return true;
    }
    // A press of the keys bound to `id` in `forSession`.
    void press(const QString& forSession, const QString& id) {
        QDBusMessage signal =
            QDBusMessage::createSignal(QString::fromLatin1(kPortalPath),
                                       QString::fromLatin1(kPortalInterface), QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(forSession)) << id << qulonglong(1) << QVariantMap();
        bus_.send(signal);
    }

    // A second answer to the last request, as a confused desktop might send.
    void answerAgain(uint response) {
        QDBusMessage signal = QDBusMessage::createSignal(
            lastRequest, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        signal << response << QVariantMap();
        bus_.send(signal);
    }

    QString session, boundSession, lastRequest;
    QList<PortalShortcutEntry> asked;

private:
    QDBusConnection bus_;
    Answer answer_;
};

TEST(PortalShortcut, TheDesktopsAnswerDecidesAndOnlyTheBoundKeyPresses) {
    const struct {
        const char* what;
        Answer answer;
        bool bound;
    } cases[] = {
        {"binds", Answer::Binds, true},
        {"refuses the session", Answer::RefusesTheSession, false},
        {"cancels the binding", Answer::CancelsTheBinding, false},
        {"binds nothing", Answer::BindsNothing, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PrivateBus bus;
        ASSERT_TRUE(bus.ok()) << "no dbus-daemon";
        QDBusConnection portalSide = bus.connect(QStringLiteral("portal"));
        FakePortal portal(portalSide, c.answer);
        ASSERT_TRUE(portalSide.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
        ASSERT_TRUE(portalSide.registerVirtualObject(QString::fromLatin1(kPortalPath), &portal));

        QDBusConnection program = bus.connect(QStringLiteral("program"));
        PortalShortcut shortcut(program);
        QSignalSpy settled(&shortcut, &PortalShortcut::settled);
        QSignalSpy activated(&shortcut, &PortalShortcut::activated);
        shortcut.start();
        // Connected after the shortcut: when it has seen the presses, so has the shortcut.
        MessageCounter presses;
        program.connect(QString(), QString::fromLatin1(kPortalPath), QString::fromLatin1(kPortalInterface),
                        QStringLiteral("Activated"), &presses, SLOT(seen(QDBusMessage)));
        ASSERT_TRUE(settled.wait(5000));
        EXPECT_EQ(settled.at(0).at(0).toBool(), c.bound);
        EXPECT_EQ(shortcut.isBound(), c.bound);
        EXPECT_TRUE(shortcut.isSettled());
        if (c.answer != Answer::RefusesTheSession) {
            // What the desktop was asked for: the toggle with Ctrl+Alt+A, in the session it made.
            EXPECT_EQ(portal.boundSession, portal.session);
            ASSERT_EQ(portal.asked.size(), 1);
            EXPECT_EQ(portal.asked[0].id, QStringLiteral("toggle"));
            EXPECT_EQ(portal.asked[0].properties.value(QStringLiteral("preferred_trigger")).toString(),
                      QStringLiteral("CTRL+ALT+a"));
            EXPECT_FALSE(
                portal.asked[0].properties.value(QStringLiteral("description")).toString().isEmpty());
        }
        // A second answer changes nothing; presses of another session or another id are not ours.
        portal.answerAgain(2);
        portal.press(portal.session + QStringLiteral("x"), QStringLiteral("toggle"));
        portal.press(portal.session, QStringLiteral("other"));
        portal.press(portal.session, QStringLiteral("toggle"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return presses.count == 3; }, 5000));
        EXPECT_EQ(activated.count(), c.bound ? 1 : 0);
        EXPECT_EQ(settled.count(), 1);
        portalSide.unregisterObject(QString::fromLatin1(kPortalPath));
    }
}

TEST(PortalShortcut, WithoutAPortalOrABusThereIsNoKey) {
    PrivateBus bus;
    ASSERT_TRUE(bus.ok());
    for (const bool connected : {true, false}) {
        SCOPED_TRACE(connected ? "a bus without the portal" : "no bus");
        PortalShortcut shortcut(connected
                                    ? bus.connect(QStringLiteral("alone"))
                                    : QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                                                    QStringLiteral("nowhere")));
        QSignalSpy settled(&shortcut, &PortalShortcut::settled);
        shortcut.start();
        EXPECT_TRUE(settled.count() == 1 || settled.wait(5000));
        ASSERT_EQ(settled.count(), 1);
        EXPECT_FALSE(settled.at(0).at(0).toBool());
        EXPECT_FALSE(shortcut.isBound());
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

} // namespace
} // namespace qj

#include "PortalShortcutTest.moc"
