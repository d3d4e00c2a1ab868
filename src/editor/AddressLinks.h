#pragma once
// Web and mail addresses in the note editor: underlined in blue on the lines in view, and opened
// with the desktop's program when clicked with Ctrl held (only http, https, ftp and mailto).

#include <QObject>
#include <QTimer>

class QsciScintilla;

namespace qj {

class Launcher;

class AddressLinks : public QObject {
    Q_OBJECT
public:
    AddressLinks(QsciScintilla* editor, Launcher& launcher);

    // Opens the address at the Scintilla position, if there is one that may be opened.
    bool openAt(long position);
    // Highlights the addresses on the lines now in view.
    void highlightVisible();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QsciScintilla* editor_;
    QObject* viewport_; // the editor's viewport, watched for Ctrl+clicks
    Launcher& launcher_;
    int indicator_ = -1;
    // Indicators are not changed inside Scintilla's notifications: the highlighting waits for them.
    QTimer timer_;
};

} // namespace qj
