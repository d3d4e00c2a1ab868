#pragma once
// For start-up timing: when the environment variable QJ_REPORT_SHOWN is 1, the program prints the
// line "shown" to standard output once the window has been shown for the first time and the event
// loop runs. Otherwise this does nothing. main() calls it on the main window before showing it.

class QWidget;

namespace qj {

void ReportShownIfAsked(QWidget* window);

} // namespace qj
