#include "app/shell/ActionScript.h"

#include <QAction>
#include <QEvent>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace qj {

namespace {

constexpr int kStepMs = 150;

class ActionScript : public QObject {
public:
    ActionScript(QWidget* window, QStringList names, std::function<QAction*(const QString&)> find)
        : QObject(window), window_(window), names_(std::move(names)), find_(std::move(find)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !started_) {
            started_ = true;
            QTimer::singleShot(kStepMs, this, [this] { next(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // One action per step; a modal window an action opens runs its own loop, and the next step
    // still comes from there.
    void next() {
        if (names_.isEmpty() || !window_)
            return;
        const QString name = names_.takeFirst();
        QTimer::singleShot(kStepMs, this, [this] { next(); });
        QAction* action = find_(name);
        std::printf("%s %s\n", action ? "triggered" : "missing", qPrintable(name));
        std::fflush(stdout);
        if (action)
            action->trigger();
    }

    QPointer<QWidget> window_;
    QStringList names_;
    std::function<QAction*(const QString&)> find_;
    bool started_ = false;
};

} // namespace

void RunActionsIfAsked(QWidget* window, std::function<QAction*(const QString&)> find) {
    const QString script = qEnvironmentVariable("QJ_RUN_ACTIONS");
    if (!window || script.isEmpty())
        return;
    window->installEventFilter(
        new ActionScript(window, script.split(QLatin1Char(','), Qt::SkipEmptyParts), std::move(find)));
}

} // namespace qj
