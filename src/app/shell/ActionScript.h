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

// When QJ_TYPE_TEXT holds a text, the program unticks the read-only box "chk1" once the window is
// shown and types the text into the note editor "mmo1" as key presses, one character every
// QJ_TYPE_INTERVAL_MS milliseconds (20 unless given), and prints "typed N MS" after the N-th
// (MS: milliseconds since the epoch).
void TypeIfAsked(QWidget* window);

} // namespace qj
