#pragma once
// Only one copy of the program runs per user. The first copy listens on a per-user local socket;
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
    // If the socket cannot be set up at all, the program still starts (true).
    bool tryBecomePrimary(const QStringList& windows = {});

    // The server name (on Unix the socket's path) copies of this user meet at.
    QString serverName() const { return serverName_; }

signals:
    // A later copy started and asked this one to show its main window.
    void showRequested();
    // A later copy started with a command-line option that asks for one window (e.g. "calendar").
    void windowRequested(const QString& window);

private:
    bool notifyPrimary(const QStringList& windows) const;
    void handleRequest(const QByteArray& request);
    void onNewConnection();

    QString serverName_;
    QString lockPath_;
    std::unique_ptr<QLocalServer> server_;
};

// Bring a window back as the restore command does: a minimised window returns to its size and
// state before it was minimised (maximised stays maximised), a hidden one is shown; then it is
// raised and activated.
void RestoreAndActivate(QWidget* window);

} // namespace qj
