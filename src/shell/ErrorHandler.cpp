#include "shell/ErrorHandler.h"

#include "seams/StandardBoxes.h"
#include "shell/AppTitle.h"

namespace qj {

QString ErrorTextWithFullStop(const QString& text) {
    if (text.isEmpty())
        return text;
    // The last character as a code point: a character outside the BMP is a surrogate pair.
    char32_t last = text.back().unicode();
    if (text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate())
        last = QChar::surrogateToUcs4(text[text.size() - 2], text.back());
    return last > U'.' ? text + QLatin1Char('.') : text;
}

void ShowGeneralError(Dialogs& dialogs, QWidget* parent, const QString& text) {
    MessageBox(dialogs, parent, QString::fromUtf8(kAppTitle), ErrorTextWithFullStop(text),
               MessageIcon::Error);
}

void ShowGeneralError(Dialogs& dialogs, QWidget* parent, const std::exception& error) {
    ShowGeneralError(dialogs, parent, QString::fromUtf8(error.what()));
}

bool RunCommand(Dialogs& dialogs, QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& error) {
        ShowGeneralError(dialogs, parent, error);
        return false;
    }
}

} // namespace qj
