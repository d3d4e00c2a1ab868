#include "support/UiHelpers.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace qj::test {

void TypeText(QWidget* widget, const QString& text) {
    if (!widget) {
        ADD_FAILURE() << "TypeText: no widget";
        return;
    }
    widget->setFocus(Qt::OtherFocusReason);
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
    QApplication::processEvents();
}

QAction* FindAction(QObject* root, const QString& objectName) {
    auto* action = root ? root->findChild<QAction*>(objectName) : nullptr;
    if (!action)
        ADD_FAILURE() << "no action named " << objectName.toStdString();
    return action;
}

bool TriggerAction(QObject* root, const QString& objectName) {
    QAction* action = FindAction(root, objectName);
    if (!action)
        return false;
    if (!action->isEnabled()) {
        ADD_FAILURE() << "action " << objectName.toStdString() << " is disabled";
        return false;
    }
    action->trigger();
    return true;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

void WhenModalShown(const std::function<void(QWidget* modal)>& action, int timeoutMs) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, action, timeoutMs] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
            return;
        }
        *elapsed += 10;
        if (*elapsed >= timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "WhenModalShown: no modal window appeared within " << timeoutMs << " ms";
        }
    });
    timer->start();
}

} // namespace qj::test
