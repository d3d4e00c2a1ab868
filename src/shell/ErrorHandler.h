#pragma once
// The general error handler: an unexpected failure (a database, file or conversion error thrown as
// an exception) ends the current command and is shown in one message box — the application title
// as caption, the error icon, OK — and the program goes on.

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace qj {

class Dialogs;

// The text as the error box shows it: a full stop '.' is appended when the text's last character
// comes after '.' in code order (a letter, a digit, '/', a Chinese character...). A text that is
// empty or ends in '.', '!', ')', a blank or another character before '.' is left as it is.
QString ErrorTextWithFullStop(const QString& text);

// Show `text` in the general error box (caption "青简札记", error icon, OK).
void ShowGeneralError(Dialogs& dialogs, QWidget* parent, const QString& text);
// The same for an exception: its what() is taken as UTF-8.
void ShowGeneralError(Dialogs& dialogs, QWidget* parent, const std::exception& error);

// The command boundary: runs `command`; a failure it raises ends the command there and is shown in
// the general error box. True when the command ran to its end. Every command the user starts (an
// action, a button, a menu item) runs inside the boundary of its window, so that no exception is
// left to cross Qt's event loop.
bool RunCommand(Dialogs& dialogs, QWidget* parent, const std::function<void()>& command);

} // namespace qj
