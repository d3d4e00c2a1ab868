#include "support/Printers.h"

void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace qj {

const char* ButtonName(DialogButton button) {
    switch (button) {
    case DialogButton::Ok:
        return "OK";
    case DialogButton::Cancel:
        return "Cancel";
    case DialogButton::Yes:
        return "Yes";
    case DialogButton::No:
        return "No";
    case DialogButton::None:
        break;
    }
    return "None";
}

const char* IconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return "information";
    case MessageIcon::Warning:
        return "warning";
    case MessageIcon::Error:
        return "error";
    case MessageIcon::Question:
        return "question";
    case MessageIcon::None:
        break;
    }
    return "none";
}

void PrintTo(DialogButton button, std::ostream* os) {
    *os << ButtonName(button);
}
void PrintTo(MessageIcon icon, std::ostream* os) {
    *os << IconName(icon);
}

} // namespace qj
