#pragma once
// For tests of the built program (only in the test build "qingjian-scripted"): when the environment
// variable QJ_RUN_ACTIONS holds action names separated by commas ("actCnDate,actPaiGua,actExit"),
// the program triggers those actions of the window in that order, one every few tenths of a second,
// once the window has been shown, and prints "triggered NAME" (or "missing NAME") for each.
// Otherwise this does nothing.

#include <QString>

#include <functional>

class QAction;
class QWidget;

namespace qj {

// `find` gives the window's action of a name, or null.
void RunActionsIfAsked(QWidget* window, std::function<QAction*(const QString&)> find);

} // namespace qj
