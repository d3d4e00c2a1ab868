#pragma once
// For tests of the built program: when the environment variable QJ_RUN_ACTIONS holds action names
// separated by commas ("actCnDate,actPaiGua,actExit"), the program triggers those actions of the
// window in that order, one every few tenths of a second, once the window has been shown, and
// prints "triggered NAME" (or "missing NAME") for each. Otherwise this does nothing.

class QWidget;

namespace qj {

void RunActionsIfAsked(QWidget* window);

} // namespace qj
