#include "app/shell/ActionScript.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QKeyEvent>
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

class TypingScript : public QObject {
public:
    TypingScript(QWidget* window, QString text, int intervalMs)
        : QObject(window), window_(window), text_(std::move(text)), intervalMs_(intervalMs) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !started_) {
            started_ = true;
            QTimer::singleShot(kStepMs * 3, this, [this] { begin(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void begin() {
        if (auto* box = window_ ? window_->findChild<QCheckBox*>(QStringLiteral("chk1")) : nullptr)
            box->setChecked(false);
        editor_ = window_ ? window_->findChild<QWidget*>(QStringLiteral("mmo1")) : nullptr;
        if (!editor_)
            return;
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, timer] {
            if (typed_ >= text_.size() || !editor_) {
                timer->stop();
                return;
            }
            const QString key(text_[typed_]);
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
            QCoreApplication::sendEvent(editor_, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, key);
            QCoreApplication::sendEvent(editor_, &release);
            ++typed_;
            std::printf("typed %lld %lld\n", static_cast<long long>(typed_),
                        static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            std::fflush(stdout);
        });
        timer->start(intervalMs_);
    }

    QPointer<QWidget> window_;
    QPointer<QWidget> editor_;
    QString text_;
    int intervalMs_;
    qsizetype typed_ = 0;
    bool started_ = false;
};

} // namespace

void TypeIfAsked(QWidget* window) {
    const QString text = qEnvironmentVariable("QJ_TYPE_TEXT");
    if (!window || text.isEmpty())
        return;
    bool ok = false;
    const int interval = qEnvironmentVariableIntValue("QJ_TYPE_INTERVAL_MS", &ok);
    window->installEventFilter(new TypingScript(window, text, ok && interval > 0 ? interval : 20));
}

void RunActionsIfAsked(QWidget* window, std::function<QAction*(const QString&)> find) {
    const QString script = qEnvironmentVariable("QJ_RUN_ACTIONS");
    if (!window || script.isEmpty())
        return;
    window->installEventFilter(
        new ActionScript(window, script.split(QLatin1Char(','), Qt::SkipEmptyParts), std::move(find)));
}

} // namespace qj
