#pragma once
// Small helpers for window tests.
//
// Traps these avoid: QVERIFY/QTRY_* do not fail a gtest (use WaitUntil / QTest::qWaitFor inside
// EXPECT_TRUE); QTest::keyClicks with Chinese text aborts the process (use TypeText).

#include <QString>

#include <functional>

class QAction;
class QObject;
class QWidget;

namespace qj::test {

// Type text into the widget as the input method would commit it (works for Chinese and ASCII).
// The widget gets the focus first.
void TypeText(QWidget* widget, const QString& text);

// Find the QAction with this objectName among the children of `root`; fails the test and returns
// nullptr when there is none.
QAction* FindAction(QObject* root, const QString& objectName);
// Trigger it; false (and a failed test) when it is missing or disabled.
bool TriggerAction(QObject* root, const QString& objectName);

// Process events until `condition` holds or `timeoutMs` passes; true when it held.
// Use as EXPECT_TRUE(WaitUntil([&] { return ...; }));
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Run `action` as soon as the event loop runs a modal dialog (the first active modal widget after
// `call` starts it), then let `call` continue: for dialogs the program opens with exec() that are
// not behind the Dialogs seam (its own windows).
void WhenModalShown(const std::function<void(QWidget* modal)>& action, int timeoutMs = 5000);

} // namespace qj::test
