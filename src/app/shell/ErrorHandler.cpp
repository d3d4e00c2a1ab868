#include "app/shell/ErrorHandler.h"

#include "app/shell/AppTitle.h"
#include "seams/StandardBoxes.h"

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

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        report(QString::fromUtf8(error.what()));
    } catch (...) {
        report(QStringLiteral("Unknown error"));
    }
    return false;
}

void GuardedApplication::report(const QString& text) {
    // An error box runs its own event loop; an error inside it must not open boxes without end.
    if (reporting_ || !reporter_) {
        qWarning("%s", qPrintable(ErrorTextWithFullStop(text)));
        return;
    }
    reporting_ = true;
    try {
        reporter_(text);
    } catch (...) {
        qWarning("%s", qPrintable(ErrorTextWithFullStop(text)));
    }
    reporting_ = false;
}

} // namespace qj
