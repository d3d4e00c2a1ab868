#include "seams/StandardBoxes.h"

namespace qj {

DialogButton MessageBox(Dialogs& dialogs, QWidget* parent, const QString& caption, const QString& text,
                        MessageIcon icon, std::vector<DialogButton> buttons, DialogButton defaultButton) {
    MessageRequest request;
    request.caption = caption;
    request.text = text;
    request.icon = icon;
    request.buttons = std::move(buttons);
    request.defaultButton = defaultButton;
    return dialogs.message(parent, request);
}

DialogButton ConfirmBox(Dialogs& dialogs, QWidget* parent, const QString& text,
                        std::vector<DialogButton> buttons, DialogButton defaultButton) {
    return MessageBox(dialogs, parent, QString::fromUtf8(kConfirmCaption), text, MessageIcon::Question,
                      std::move(buttons), defaultButton);
}

void InformationBox(Dialogs& dialogs, QWidget* parent, const QString& text) {
    MessageBox(dialogs, parent, QString::fromUtf8(kInformationCaption), text, MessageIcon::Information);
}

void ErrorBox(Dialogs& dialogs, QWidget* parent, const QString& text) {
    MessageBox(dialogs, parent, QString::fromUtf8(kErrorCaption), text, MessageIcon::Error);
}

} // namespace qj
