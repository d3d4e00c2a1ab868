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

namespace {

DialogButton FrameworkBox(Dialogs& dialogs, QWidget* parent, const char* caption, const QString& text,
                          MessageIcon icon, std::vector<DialogButton> buttons = {DialogButton::Ok},
                          DialogButton defaultButton = DialogButton::None) {
    MessageRequest request;
    request.caption = QString::fromUtf8(caption);
    request.text = text;
    request.icon = icon;
    request.buttons = std::move(buttons);
    request.defaultButton = defaultButton;
    request.frameworkBox = true;
    return dialogs.message(parent, request);
}

} // namespace

DialogButton ConfirmBox(Dialogs& dialogs, QWidget* parent, const QString& text,
                        std::vector<DialogButton> buttons, DialogButton defaultButton) {
    return FrameworkBox(dialogs, parent, kConfirmCaption, text, MessageIcon::Question, std::move(buttons),
                        defaultButton);
}

void InformationBox(Dialogs& dialogs, QWidget* parent, const QString& text) {
    FrameworkBox(dialogs, parent, kInformationCaption, text, MessageIcon::Information);
}

void ErrorBox(Dialogs& dialogs, QWidget* parent, const QString& text) {
    FrameworkBox(dialogs, parent, kErrorCaption, text, MessageIcon::Error);
}

} // namespace qj
