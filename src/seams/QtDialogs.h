#pragma once
// The real dialogs: Qt's message box, input dialog (with English "OK"/"Cancel"), number box (with
// Chinese buttons), file, font-and-colour, colour, print and page-setup dialogs, showing the requested
// buttons, icon and default button.

#include "seams/Dialogs.h"

namespace qj {

class QtDialogs final : public Dialogs {
public:
    DialogButton message(QWidget* parent, const MessageRequest& request) override;
    std::optional<QString> inputText(QWidget* parent, const InputRequest& request) override;
    std::optional<QString> openFileName(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileRequest& request) override;
    std::optional<int> inputNumber(QWidget* parent, const NumberRequest& request) override;
    std::optional<FontChoice> font(QWidget* parent, const FontChoice& initial,
                                   const QString& caption) override;
    std::optional<QColor> color(QWidget* parent, const QColor& initial, const QString& caption) override;
    bool print(QWidget* parent, QPrinter& printer) override;
    bool pageSetup(QWidget* parent, QPrinter& printer) override;
};

// A program text's line breaks (CR LF, CR CR LF, lone CR) as the single LF a Qt label shows.
QString DisplayLineBreaks(const QString& text);

} // namespace qj
