#pragma once
// Only one copy of the program runs per user. The first copy listens on a per-user local socket
// in a folder only the user can reach (a socket or lock another user made is never met);
// a later copy connects to it, asks it to show its main window, and ends at once without a
// message. A socket left behind by a copy that crashed does not block start-up.
//
// In main(), after the QApplication exists and before any window is created:
//     qj::SingleInstance instance;
//     if (!instance.tryBecomePrimary())
//         return 0;                      // the first copy has been told to show itself
//     ... create TFmain w ...
//     QObject::connect(&instance, &qj::SingleInstance::showRequested, &w,
//                      [&w] { qj::RestoreAndActivate(&w); });

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QWidget;

namespace qj {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the program; the user's id is added to it. Tests pass a key of their own.
    explicit SingleInstance(const QString& key = QStringLiteral("qingjian"), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True: this is the only copy, and it now listens for later copies. False: another copy runs
    // and has been asked to show its main window, or, when `windows` names some, to show those
    // windows instead; the caller should end.
    // With `toggle` the other copy is asked to hide or show itself as its hot key does (and to
    // show `windows` after that). If the socket cannot be set up at all, the program still starts
    // (true).
    bool tryBecomePrimary(const QStringList& windows = {}, bool toggle = false);

    // The server name (on Unix the socket's path) copies of this user meet at; empty when there
    // is no private folder to meet in.
    QString serverName() const { return serverName_; }
    // Why copies cannot meet (no folder only this user can reach), for a message; empty otherwise.
    QString problem() const { return problem_; }

signals:
    // A later copy started and asked this one to show its main window.
    void showRequested();
    // A later copy started with a command-line option that asks for one window (e.g. "calendar").
    void windowRequested(const QString& window);
    // A later copy started with --toggle: hide or show as the hot key does.
    void toggleRequested();

private:
    bool notifyPrimary(const QStringList& windows, bool toggle) const;
    void handleRequest(const QByteArray& request);
    void onNewConnection();

    QString serverName_;
    QString lockPath_;
    QString problem_;
    std::unique_ptr<QLocalServer> server_;
};

// True when `path` is a folder (not a link) that the user owns and no one else may enter (mode
// 0700 or stricter); with `create`, it is made with mode 0700 when missing.
bool IsPrivateFolder(const QString& path, bool create);
// Where copies of this user meet: XDG_RUNTIME_DIR when it is private, else "qingjian-UID" in the
// temporary folder, else ".qingjian-UID" in the home folder (each made private when missing);
// empty when none of them is private.
QString PrivateMeetingFolder();

// Bring a window back as the restore command does: a minimised window returns to its size and
// state before it was minimised (maximised stays maximised), a hidden one is shown; then it is
// raised and activated.
void RestoreAndActivate(QWidget* window);

} // namespace qj
