#include "app/shell/ReportShown.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace qj {

namespace {

class ShownReporter : public QObject {
public:
    explicit ShownReporter(QWidget* window) : QObject(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !reported_) {
            reported_ = true;
            // Report once the show has been processed and the event loop is running.
            QTimer::singleShot(0, this, [this] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool reported_ = false;
};

} // namespace

void ReportShownIfAsked(QWidget* window) {
    if (!window || qEnvironmentVariable("QJ_REPORT_SHOWN") != QLatin1String("1"))
        return;
    window->installEventFilter(new ShownReporter(window));
}

} // namespace qj
