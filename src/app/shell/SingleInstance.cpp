#include "app/shell/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qj {

namespace {

// One request per line: "show" for the main window, "open NAME" for one of the other windows,
// "toggle" for what the hot key does.
constexpr char kShowRequest[] = "show\n";
constexpr char kToggleRequest[] = "toggle\n";
constexpr char kOpenPrefix[] = "open ";
constexpr int kConnectTimeoutMs = 1000;

QString UserId() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    QString user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("user") : user;
#endif
}

} // namespace

bool IsPrivateFolder(const QString& path, bool create) {
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    if (create && ::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    // lstat: a link planted in the folder's place is not followed.
    return ::lstat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & 077) == 0;
#else
    return create ? QDir().mkpath(path) : QDir(path).exists();
#endif
}

QString PrivateMeetingFolder() {
    // The session's runtime folder; else a folder of the user's own in the temporary folder, and
    // when that name is taken by someone else, one in the home folder.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime, false))
        return runtime;
    const QString tmp = QDir::tempPath() + QStringLiteral("/qingjian-") + UserId();
    if (IsPrivateFolder(tmp, true))
        return tmp;
    const QString home = QDir::homePath() + QStringLiteral("/.qingjian-") + UserId();
    if (IsPrivateFolder(home, true))
        return home;
    return QString();
}

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent) {
    const QString name = key + QLatin1Char('-') + UserId();
#ifdef Q_OS_UNIX
    const QString folder = PrivateMeetingFolder();
    if (folder.isEmpty()) {
        problem_ = QStringLiteral("找不到只属于当前用户的文件夹来放置程序的通信文件（XDG_RUNTIME_DIR 未设置，"
                                  "临时文件夹和主文件夹中的 qingjian 文件夹属于其他用户或权限不对）。"
                                  "程序照常运行，但无法发现已经运行的另一个程序。");
        return;
    }
    serverName_ = folder + QLatin1Char('/') + name + QStringLiteral(".sock");
    lockPath_ = folder + QLatin1Char('/') + name + QStringLiteral(".lock");
#else
    serverName_ = name;
    lockPath_ = QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral(".lock");
#endif
}

SingleInstance::~SingleInstance() {
    if (server_)
        server_->close();
}

bool SingleInstance::notifyPrimary(const QStringList& windows, bool toggle) const {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    QByteArray request = toggle ? QByteArray(kToggleRequest) : QByteArray();
    for (const QString& window : windows)
        request += kOpenPrefix + window.toUtf8() + '\n';
    socket.write(request.isEmpty() ? QByteArray(kShowRequest) : request);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kConnectTimeoutMs);
    return true;
}

bool SingleInstance::tryBecomePrimary(const QStringList& windows, bool toggle) {
    if (serverName_.isEmpty())
        return true; // no private place to meet: this copy runs on its own (problem() says so)
    // Two copies started together must not both decide they are the first: the look-and-listen
    // runs under a lock file (a lock left by a crashed copy is taken over as stale).
    QLockFile lock(lockPath_);
    lock.setStaleLockTime(0);
    const bool locked = lock.tryLock(5000);

    if (notifyPrimary(windows, toggle))
        return false;

    // Nobody answered: whatever socket is there was left by a copy that died.
    QLocalServer::removeServer(serverName_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_)) {
        qWarning("single instance: cannot listen on %s: %s", qPrintable(serverName_),
                 qPrintable(server_->errorString()));
        server_.reset();
        return true;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    if (locked)
        lock.unlock();
    return true;
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Lines are handled as they complete; a request is one short write.
        auto check = [this, socket] {
            while (socket->canReadLine())
                handleRequest(socket->readLine().trimmed());
        };
        connect(socket, &QLocalSocket::readyRead, this, check);
        check();
    }
}

void SingleInstance::handleRequest(const QByteArray& request) {
    if (request == QByteArray(kShowRequest).trimmed())
        emit showRequested();
    else if (request == QByteArray(kToggleRequest).trimmed())
        emit toggleRequested();
    else if (request.startsWith(kOpenPrefix))
        emit windowRequested(QString::fromUtf8(request.mid(qsizetype(sizeof kOpenPrefix) - 1)));
}

void RestoreAndActivate(QWidget* window) {
    if (!window)
        return;
    if (window->windowState() & Qt::WindowMinimized)
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace qj
